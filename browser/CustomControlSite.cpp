#include "browser/CustomControlSite.h"

#include "framework/WinApp.h"

CCustomControlSite::CCustomControlSite(COleControlContainer* container)
    : COleControlSite(container), m_xDocHostUIHandler(*this)
{
}

void* CCustomControlSite::QueryExtraInterface(REFIID iid)
{
    if (iid == IID_IDocHostUIHandler)
        return static_cast<IDocHostUIHandler*>(&m_xDocHostUIHandler);
    return COleControlSite::QueryExtraInterface(iid);
}

HRESULT CCustomControlSite::XDocHostUIHandler::QueryInterface(REFIID iid, void** object)
{
    return m_site.QueryInterface(iid, object);
}

ULONG CCustomControlSite::XDocHostUIHandler::AddRef()
{
    return m_site.AddRef();
}

ULONG CCustomControlSite::XDocHostUIHandler::Release()
{
    return m_site.Release();
}

HRESULT CCustomControlSite::XDocHostUIHandler::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*)
{
    // Claimed and not shown: right-clicking the page does nothing.
    return S_OK;
}

HRESULT CCustomControlSite::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* info)
{
    if (!info)
        return E_POINTER;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

HRESULT CCustomControlSite::XDocHostUIHandler::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                                      IOleInPlaceFrame*, IOleInPlaceUIWindow*)
{
    // The host shows the UI: the browser adds no menus or toolbars.
    return S_OK;
}

HRESULT CCustomControlSite::XDocHostUIHandler::HideUI()
{
    return S_OK;
}

HRESULT CCustomControlSite::XDocHostUIHandler::UpdateUI()
{
    return S_OK;
}

HRESULT CCustomControlSite::XDocHostUIHandler::EnableModeless(BOOL)
{
    return E_NOTIMPL;
}

HRESULT CCustomControlSite::XDocHostUIHandler::OnDocWindowActivate(BOOL)
{
    return E_NOTIMPL;
}

HRESULT CCustomControlSite::XDocHostUIHandler::OnFrameWindowActivate(BOOL)
{
    return E_NOTIMPL;
}

HRESULT CCustomControlSite::XDocHostUIHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT CCustomControlSite::XDocHostUIHandler::TranslateAccelerator(LPMSG, const GUID*, DWORD)
{
    // Every keystroke gets the browser's own handling.
    return S_FALSE;
}

HRESULT CCustomControlSite::XDocHostUIHandler::GetOptionKeyPath(LPOLESTR*, DWORD)
{
    return E_NOTIMPL;
}

HRESULT CCustomControlSite::XDocHostUIHandler::GetDropTarget(IDropTarget*, IDropTarget**)
{
    return E_NOTIMPL;
}

HRESULT CCustomControlSite::XDocHostUIHandler::GetExternal(IDispatch** external)
{
    if (!external)
        return E_POINTER;
    CWinApp* app = AfxGetApp();
    IDispatch* script = app ? app->GetScriptExternal() : nullptr;
    *external = script;
    if (!script)
        return S_FALSE;
    script->AddRef();
    return S_OK;
}

HRESULT CCustomControlSite::XDocHostUIHandler::TranslateUrl(DWORD, LPWSTR, LPWSTR*)
{
    return E_NOTIMPL;
}

HRESULT CCustomControlSite::XDocHostUIHandler::FilterDataObject(IDataObject*, IDataObject**)
{
    return E_NOTIMPL;
}
