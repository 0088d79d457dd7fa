#include "framework/OleControlSite.h"

#include "framework/AfxConnection.h"
#include "framework/Dialog.h"
#include "framework/SystemBoundary.h"

#include <olectl.h>

namespace {
COccManager* g_occManager = nullptr;
}

void AfxEnableControlContainer(COccManager* manager)
{
    g_occManager = manager;
}

COccManager* AfxGetOccManager()
{
    return g_occManager;
}

COleControlSite* COccManager::CreateSite(COleControlContainer* container)
{
    return new COleControlSite(container);
}

std::unique_ptr<COleControlContainer>
COccManager::CreateDialogControls(CDialog* dialog, const std::vector<DialogTemplateControl>& controls)
{
    auto container = std::make_unique<COleControlContainer>(dialog);
    for (const DialogTemplateControl& control : controls) {
        CLSID clsid;
        if (FAILED(CLSIDFromString(control.className.c_str(), &clsid)))
            continue;
        RECT rect{control.x, control.y, control.x + control.cx, control.y + control.cy};
        MapDialogRect(dialog->m_hWnd, &rect);
        std::unique_ptr<COleControlSite> site(CreateSite(container.get()));
        if (site && SUCCEEDED(site->CreateControl(clsid, rect, control.id, control.style)))
            container->m_sites.push_back(std::move(site));
    }
    return container;
}

COleControlContainer::~COleControlContainer()
{
    for (auto& site : m_sites) {
        site->DestroyControl();
        // Never deleted under a reference the control still holds.
        if (site->m_dwRef > 0)
            site.release()->Orphan();
    }
}

COleControlSite* COleControlContainer::FindItem(UINT id) const
{
    for (const auto& site : m_sites)
        if (site->m_nID == id)
            return site.get();
    return nullptr;
}

COleControlSite* COleControlContainer::SiteHoldingFocus(HWND focus) const
{
    if (!focus)
        return nullptr;
    for (const auto& site : m_sites)
        if (site->m_hWnd && (site->m_hWnd == focus || ::IsChild(site->m_hWnd, focus)))
            return site.get();
    return nullptr;
}

COleControlSite::COleControlSite(COleControlContainer* container) : m_pCtrlCont(container), m_xEventSink(*this)
{
}

COleControlSite::~COleControlSite()
{
    DestroyControl();
}

HRESULT COleControlSite::CreateControl(REFCLSID clsid, const RECT& rect, UINT id, DWORD style)
{
    m_nID = id;
    m_rect = rect;
    HWND parent = m_pCtrlCont && m_pCtrlCont->m_pWnd ? m_pCtrlCont->m_pWnd->m_hWnd : nullptr;
    if (!parent)
        return E_UNEXPECTED;

    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(m_pObject.ReleaseAndGetAddressOf()));
    if (FAILED(hr))
        return hr;
    // Controls that ask for their site first get it before they are
    // initialised; all get it before activation.
    hr = m_pObject->SetClientSite(this);
    if (SUCCEEDED(hr)) {
        ComPtr<IPersistStreamInit> persist = m_pObject.As<IPersistStreamInit>(IID_IPersistStreamInit);
        if (persist)
            persist->InitNew();
        m_pDispatch = m_pObject.As<IDispatch>(IID_IDispatch);
        ConnectEvents();
        RECT position = rect;
        hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, parent, &position);
    }
    if (SUCCEEDED(hr)) {
        ComPtr<IOleInPlaceObject> inPlace = m_pObject.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
        if (inPlace)
            inPlace->GetWindow(&m_hWnd);
        hr = m_hWnd ? S_OK : E_FAIL;
    }
    if (FAILED(hr)) {
        DestroyControl();
        return hr;
    }
    SetWindowLongPtrW(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(id));
    ::ShowWindow(m_hWnd, (style & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
    return S_OK;
}

void COleControlSite::ConnectEvents()
{
    ComPtr<IProvideClassInfo2> info = m_pObject.As<IProvideClassInfo2>(IID_IProvideClassInfo2);
    IID events = IID_NULL;
    if (!info || FAILED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events)))
        return;
    m_xEventSink.m_iid = events;
    // The source's reference to the sink is the site's own; the container
    // decides how long the site lives.
    if (!AfxConnectionAdvise(m_pObject.Get(), events, &m_xEventSink, FALSE, &m_dwEventCookie))
        m_dwEventCookie = 0;
}

void COleControlSite::DestroyControl()
{
    if (!m_pObject)
        return;
    if (m_dwEventCookie)
        AfxConnectionUnadvise(m_pObject.Get(), m_xEventSink.m_iid, &m_xEventSink, FALSE, m_dwEventCookie);
    m_dwEventCookie = 0;
    m_pActiveObject.Reset();
    ComPtr<IOleInPlaceObject> inPlace = m_pObject.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    if (inPlace)
        inPlace->InPlaceDeactivate();
    inPlace.Reset();
    m_pObject->Close(OLECLOSE_NOSAVE);
    m_pObject->SetClientSite(nullptr);
    m_pDispatch.Reset();
    m_pObject.Reset();
    m_hWnd = nullptr;
}

void COleControlSite::Orphan()
{
    m_pCtrlCont = nullptr;
    m_bOrphaned = true;
}

ULONG COleControlSite::Release()
{
    const ULONG count = --m_dwRef;
    if (count == 0 && m_bOrphaned)
        delete this;
    return count;
}

void COleControlSite::MoveWindow(const RECT& rect)
{
    m_rect = rect;
    ComPtr<IOleInPlaceObject> inPlace = m_pObject.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    if (inPlace)
        inPlace->SetObjectRects(&m_rect, &m_rect);
    else if (m_hWnd)
        ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void COleControlSite::ShowWindow(int command)
{
    if (m_hWnd)
        ::ShowWindow(m_hWnd, command);
}

HRESULT COleControlSite::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
        *object = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleControlSite)
        *object = static_cast<IOleControlSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
        *object = static_cast<IOleInPlaceFrame*>(this);
    else if (iid == IID_IDispatch)
        *object = static_cast<IDispatch*>(this);
    else
        *object = QueryExtraInterface(iid);
    if (!*object)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

void* COleControlSite::QueryExtraInterface(REFIID)
{
    return nullptr;
}

HRESULT COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT COleControlSite::GetContainer(IOleContainer** container)
{
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT COleControlSite::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = m_pCtrlCont && m_pCtrlCont->m_pWnd ? m_pCtrlCont->m_pWnd->m_hWnd : nullptr;
    return *window ? S_OK : E_FAIL;
}

HRESULT COleControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                          RECT* clip, OLEINPLACEFRAMEINFO* info)
{
    if (!frame || !document || !position || !clip || !info)
        return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    *position = m_rect;
    *clip = m_rect;
    info->fMDIApp = FALSE;
    GetWindow(&info->hwndFrame);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT COleControlSite::SetActiveObject(IOleInPlaceActiveObject* activeObject, LPCOLESTR)
{
    m_pActiveObject = ComPtr<IOleInPlaceActiveObject>(activeObject);
    return S_OK;
}

HRESULT COleControlSite::OnPosRectChange(LPCRECT rect)
{
    if (!rect)
        return E_POINTER;
    MoveWindow(*rect);
    return S_OK;
}

HRESULT COleControlSite::GetExtendedControl(IDispatch** control)
{
    if (control)
        *control = nullptr;
    return E_NOTIMPL;
}

HRESULT COleControlSite::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT COleControlSite::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                UINT*)
{
    if (!(flags & DISPATCH_PROPERTYGET) || !result)
        return DISP_E_MEMBERNOTFOUND;
    switch (dispid) {
    case DISPID_AMBIENT_USERMODE:
        VariantInit(result);
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = VARIANT_TRUE;
        return S_OK;
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT COleControlSite::XEventSink::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == m_iid) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT COleControlSite::XEventSink::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT COleControlSite::XEventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                            UINT*)
{
    // The control raised the event; what its handler does is no concern of
    // the control's, whatever happens there.
    CallComGuarded([&] {
        if (m_site.m_pCtrlCont && m_site.m_pCtrlCont->m_pWnd)
            m_site.m_pCtrlCont->m_pWnd->OnEvent(m_site.m_nID, dispid, params);
        return S_OK;
    });
    return S_OK;
}
