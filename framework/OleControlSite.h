#pragma once
// Hosting ActiveX controls on dialogs. The dialog creates the controls its
// template names by CLSID through the installed manager's sites: each site
// creates its control, activates it in place at its template rectangle with
// its id, and forwards the control's events to the dialog's event sink map.

#include "framework/ComPtr.h"
#include "framework/DialogTemplate.h"

#include <ocidl.h>
#include <oleidl.h>

#include <memory>
#include <vector>

class CWnd;
class CDialog;
class COleControlContainer;

class COleControlSite :
    public IOleClientSite,
    public IOleInPlaceSite,
    public IOleControlSite,
    public IOleInPlaceFrame,
    public IDispatch {
public:
    explicit COleControlSite(COleControlContainer* container);
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;
    virtual ~COleControlSite();

    // Creates the control and activates it in place in the container's
    // window; rect is in the window's client pixels.
    HRESULT CreateControl(REFCLSID clsid, const RECT& rect, UINT id, DWORD style);
    // Deactivates, disconnects and releases the control.
    void DestroyControl();
    // The container is going while the control still holds references to
    // this site: the site stays until the last of them is released.
    void Orphan();

    void MoveWindow(const RECT& rect);
    void ShowWindow(int command);
    // The control's dispatch interface (not add-ref'ed).
    IDispatch* GetControlDispatch() const { return m_pDispatch.Get(); }
    // What the control calls with its events (not add-ref'ed).
    IDispatch* GetEventSink() { return &m_xEventSink; }

    // IUnknown, shared by every interface of the site.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_dwRef; }
    // An orphaned site goes with the last reference the control kept.
    ULONG STDMETHODCALLTYPE Release() override;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (of both the in-place site and the frame)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                               RECT* clip, OLEINPLACEFRAMEINFO* info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT rect) override;

    // IOleControlSite
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** control) override;
    HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: the dialog is the frame; it
    // has no menus, toolbars or status bar to share.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    // The control's active object, whose TranslateAccelerator sees the
    // keys the control gets.
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* activeObject, LPCOLESTR) override;
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the ambient properties the control asks its container.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override;

    ULONG m_dwRef = 0;
    COleControlContainer* m_pCtrlCont;
    UINT m_nID = 0;
    HWND m_hWnd = nullptr;
    RECT m_rect{};
    ComPtr<IOleObject> m_pObject;
    ComPtr<IDispatch> m_pDispatch;
    // Kept from SetActiveObject until it is replaced, cleared or the
    // control goes.
    ComPtr<IOleInPlaceActiveObject> m_pActiveObject;

protected:
    // Further interfaces a derived site answers with its identity; null
    // for none. Derived sites chain to their base.
    virtual void* QueryExtraInterface(REFIID iid);

private:
    // The sink of the control's default event interface: forwards every
    // event to the dialog's event sink map.
    class XEventSink : public IDispatch {
    public:
        explicit XEventSink(COleControlSite& site) : m_site(site) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return m_site.AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return m_site.Release(); }
        HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
        HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
        {
            return DISP_E_UNKNOWNNAME;
        }
        HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                         UINT*) override;

        IID m_iid = IID_NULL;

    private:
        COleControlSite& m_site;
    };

    void ConnectEvents();

    XEventSink m_xEventSink;
    DWORD m_dwEventCookie = 0;
    bool m_bOrphaned = false;
};

// The sites of one dialog's controls; it owns them.
class COleControlContainer {
public:
    explicit COleControlContainer(CDialog* owner) : m_pWnd(owner) {}
    COleControlContainer(const COleControlContainer&) = delete;
    COleControlContainer& operator=(const COleControlContainer&) = delete;
    ~COleControlContainer();

    COleControlSite* FindItem(UINT id) const;
    // The site whose control window is focus or holds it; null for none.
    COleControlSite* SiteHoldingFocus(HWND focus) const;

    CDialog* m_pWnd;
    std::vector<std::unique_ptr<COleControlSite>> m_sites;
};

// Makes the sites for the controls of every dialog of the application.
class COccManager {
public:
    virtual ~COccManager() = default;
    virtual COleControlSite* CreateSite(COleControlContainer* container);

    // Creates the ActiveX controls a template named, in the dialog's window.
    std::unique_ptr<COleControlContainer> CreateDialogControls(CDialog* dialog,
                                                               const std::vector<DialogTemplateControl>& controls);
};

// Installs manager for every dialog of the application (kept for the
// process's life). Without a manager, templates' ActiveX controls are left
// out.
void AfxEnableControlContainer(COccManager* manager);
COccManager* AfxGetOccManager();
