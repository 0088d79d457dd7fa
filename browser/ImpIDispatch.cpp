#include "browser/ImpIDispatch.h"

#include "framework/SystemBoundary.h"
#include "framework/VariantString.h"
#include "windows/LoginActiveDlg.h"

namespace {

const wchar_t kPropertyName[] = L"xxyyzz";
const wchar_t kMethodName[] = L"AppLogin";
const wchar_t kPropertyValue[] = L"Wibble";
const int kSignificantCharacters = 3;

// Whether name begins like known: its first three characters compare equal
// under the caller's locale, ignoring only width. A shorter name never does
// (and nothing past its end is read).
bool BeginsLike(const wchar_t* name, const wchar_t* known, LCID locale)
{
    if (!name)
        return false;
    int length = 0;
    while (length < kSignificantCharacters && name[length])
        ++length;
    if (length < kSignificantCharacters)
        return false;
    return CompareStringW(locale, NORM_IGNOREWIDTH, known, kSignificantCharacters, name, kSignificantCharacters) ==
           CSTR_EQUAL;
}

}  // namespace

HRESULT CImpIDispatch::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch)
        return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG CImpIDispatch::Release()
{
    const ULONG count = --m_cRef;
    if (count == 0 && m_bOrphaned)
        delete this;
    return count;
}

void CImpIDispatch::Discard(CImpIDispatch* object)
{
    if (!object)
        return;
    object->m_pLoginActiveDlg = nullptr;
    if (object->m_cRef == 0)
        delete object;
    else
        object->m_bOrphaned = true;
}

HRESULT CImpIDispatch::GetTypeInfoCount(UINT*)
{
    return E_NOTIMPL;
}

HRESULT CImpIDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT CImpIDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale, DISPID* ids)
{
    if (count && (!names || !ids))
        return E_POINTER;
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
        if (BeginsLike(names[i], kPropertyName, locale)) {
            ids[i] = DISPID_XXYYZZ;
        } else if (BeginsLike(names[i], kMethodName, locale)) {
            ids[i] = DISPID_APPLOGIN;
        } else {
            ids[i] = DISPID_UNKNOWN;
            result = DISP_E_UNKNOWNNAME;
        }
    }
    return result;
}

HRESULT CImpIDispatch::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                              UINT*)
{
    if (dispid == DISPID_XXYYZZ) {
        if ((flags & DISPATCH_PROPERTYGET) && result) {
            VariantInit(result);
            V_VT(result) = VT_BSTR;
            V_BSTR(result) = SysAllocString(kPropertyValue);
        }
    } else if (dispid == DISPID_APPLOGIN && (flags & DISPATCH_METHOD)) {
        // Whatever the page passes, the script gets an answer: a text too
        // large to copy fails the call, never the launcher.
        return CallComGuarded([&] {
            // No argument, or one that is not a string, hands nothing over.
            CString text;
            if (params && params->cArgs > 0 && params->rgvarg && VariantString(&params->rgvarg[0], text) &&
                m_pLoginActiveDlg)
                m_pLoginActiveDlg->HandleAppLogin(text);
            return S_OK;
        });
    }
    return S_OK;
}
