#pragma once
// The site of every hosted control: besides the platform's site it tells
// the browser how to present pages (no context menu, no 3-D border, no
// scroll bars, no browser menus or toolbars) and hands page scripts the
// application's script object as window.external.

#include "framework/OleControlSite.h"

#include <mshtmhst.h>

class CCustomControlSite : public COleControlSite {
public:
    explicit CCustomControlSite(COleControlContainer* container);
    ~CCustomControlSite() override = default;

    // Shares the site's identity and reference count.
    class XDocHostUIHandler : public IDocHostUIHandler {
    public:
        explicit XDocHostUIHandler(CCustomControlSite& site) : m_site(site) {}

        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override;
        HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override;
        HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                         IOleInPlaceUIWindow*) override;
        HRESULT STDMETHODCALLTYPE HideUI() override;
        HRESULT STDMETHODCALLTYPE UpdateUI() override;
        HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override;
        HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override;
        HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override;
        HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override;
        HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override;
        HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD) override;
        HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget** replacement) override;
        HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) override;
        HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) override;
        HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** replacement) override;

    private:
        CCustomControlSite& m_site;
    };

    XDocHostUIHandler m_xDocHostUIHandler;

protected:
    void* QueryExtraInterface(REFIID iid) override;
};
