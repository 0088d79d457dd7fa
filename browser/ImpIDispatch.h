#pragma once
// The object page scripts see as window.external: the method AppLogin hands
// the login text to the login page dialog; the property "xxyyzz" reads
// "Wibble". Names are recognised by their first three characters.

#include <oaidl.h>

class CLoginActiveDlg;

class CImpIDispatch : public IDispatch {
public:
    enum : DISPID { DISPID_XXYYZZ = 12345, DISPID_APPLOGIN = 10001 };

    CImpIDispatch() = default;
    CImpIDispatch(const CImpIDispatch&) = delete;
    CImpIDispatch& operator=(const CImpIDispatch&) = delete;
    virtual ~CImpIDispatch() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    // The count ends the object's life only once it is orphaned: otherwise
    // the application deletes it.
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_cRef; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    ULONG m_cRef = 0;
    // Where AppLogin hands the login; not owned, set by the main window.
    CLoginActiveDlg* m_pLoginActiveDlg = nullptr;

    // What the application does at the end of its run: deletes the object
    // now, or, while a browser still holds a reference, when the last one
    // is released. It hands nothing over from then on.
    static void Discard(CImpIDispatch* object);

private:
    bool m_bOrphaned = false;
};
