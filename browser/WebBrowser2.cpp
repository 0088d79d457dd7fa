#include "browser/WebBrowser2.h"

namespace {

VARIANTARG ByRef(VARIANT* value)
{
    VARIANTARG argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&argument) = value;
    return argument;
}

}  // namespace

HRESULT CWebBrowser2::Navigate(const CString& url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                               VARIANT* headers)
{
    VARIANTARG address;
    VariantInit(&address);
    V_VT(&address) = VT_BSTR;
    V_BSTR(&address) = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    const HRESULT hr = InvokeHelper(DISPID_NAVIGATE, DISPATCH_METHOD, nullptr,
                                    {address, ByRef(flags), ByRef(targetFrameName), ByRef(postData), ByRef(headers)});
    VariantClear(&address);
    return hr;
}

ComPtr<IDispatch> CWebBrowser2::GetDocument()
{
    VARIANT result;
    VariantInit(&result);
    ComPtr<IDispatch> document;
    if (SUCCEEDED(InvokeHelper(DISPID_DOCUMENT, DISPATCH_PROPERTYGET, &result, {})) && V_VT(&result) == VT_DISPATCH)
        document = ComPtr<IDispatch>::Attach(V_DISPATCH(&result));
    else
        VariantClear(&result);
    return document;
}
