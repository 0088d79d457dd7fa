#include "windows/LoginActiveDlg.h"

#include "app/LoginApp.h"
#include "login/LoginHandoff.h"
#include "login/RedirectCapture.h"

namespace {

// The address of a navigation event: a string, possibly behind a reference.
CString VariantText(const VARIANT* value)
{
    while (value && V_VT(value) == (VT_BYREF | VT_VARIANT))
        value = V_VARIANTREF(value);
    if (!value)
        return CString();
    if (V_VT(value) == VT_BSTR && V_BSTR(value))
        return CString(V_BSTR(value), SysStringLen(V_BSTR(value)));
    if (V_VT(value) == (VT_BYREF | VT_BSTR) && V_BSTRREF(value) && *V_BSTRREF(value))
        return CString(*V_BSTRREF(value), SysStringLen(*V_BSTRREF(value)));
    return CString();
}

}  // namespace

CLoginActiveDlg::CLoginActiveDlg(CLoginDlg* mainDlg) : m_pMainDlg(mainDlg)
{
    // The dispatch interface is the sink of the link click connections.
    EnableAutomation();
}

void CLoginActiveDlg::HandleAppLogin(CString json)
{
    if (!HandleLoginPayload(json, theApp.m_strLaunchParam))
        return;
    DisconnectElementEvents();
}

void CLoginActiveDlg::DisconnectElementEvents()
{
    DisconnectElementEventMap(m_mapElementEvents, GetIDispatch(false));
}

void CLoginActiveDlg::OnNavigateComplete2(IDispatch* /*frame: a frame's navigation counts like the page's*/,
                                          VARIANT* url)
{
    CStringA json;
    if (!BuildLoginJsonFromUrl(VariantText(url), json))
        return;
    HandleAppLogin(CString(json));
}
