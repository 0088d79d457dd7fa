#include "framework/VariantString.h"

bool VariantString(const VARIANT* value, CString& text)
{
    while (value && V_VT(value) == (VT_BYREF | VT_VARIANT))
        value = V_VARIANTREF(value);
    if (!value)
        return false;
    BSTR string = nullptr;
    if (V_VT(value) == VT_BSTR)
        string = V_BSTR(value);
    else if (V_VT(value) == (VT_BYREF | VT_BSTR) && V_BSTRREF(value))
        string = *V_BSTRREF(value);
    else
        return false;
    text.assign(string ? string : L"", string ? SysStringLen(string) : 0);
    return true;
}
