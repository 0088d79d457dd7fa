#pragma once
// A COM test double of a page's link element: an anchor with an address that
// is also an event source (one connection point). It records every advise
// and unadvise in a shared journal, and counts its references.

#include <mshtml.h>
#include <ocidl.h>

#include <string>
#include <vector>

struct ConnectionJournal {
    std::vector<std::wstring> entries;  // "advise HREF COOKIE" / "unadvise HREF COOKIE"
};

class FakeAnchor : public IHTMLAnchorElement, public IConnectionPointContainer, public IConnectionPoint {
public:
    FakeAnchor(std::wstring href, ConnectionJournal& journal, DWORD firstCookie = 1)
        : m_href(std::move(href)), m_journal(journal), m_nextCookie(firstCookie)
    {
    }

    ULONG RefCount() const { return m_refs; }
    // The sink currently connected, if any (held with one reference).
    IUnknown* Sink() const { return m_sink; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IHTMLAnchorElement)
            *object = static_cast<IHTMLAnchorElement*>(this);
        else if (iid == IID_IConnectionPointContainer)
            *object = static_cast<IConnectionPointContainer*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IHTMLAnchorElement: only the address is real.
    HRESULT STDMETHODCALLTYPE get_href(BSTR* p) override
    {
        *p = SysAllocString(m_href.c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_href(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_target(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_target(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_rel(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_rel(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_rev(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_rev(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_urn(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_urn(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Methods(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Methods(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_name(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_name(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_host(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_host(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_hostname(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_hostname(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_pathname(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_pathname(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_port(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_port(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_protocol(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_protocol(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_search(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_search(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_hash(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_hash(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_onblur(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_onblur(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_onfocus(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_onfocus(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accessKey(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accessKey(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_protocolLong(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_mimeType(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_nameProp(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_tabIndex(short) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_tabIndex(short*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE focus() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE blur() override { return E_NOTIMPL; }

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override
    {
        *point = nullptr;
        if (iid != m_eventsIid)
            return CONNECT_E_NOCONNECTION;
        *point = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }

    // IConnectionPoint
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override
    {
        *iid = m_eventsIid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override
    {
        *container = static_cast<IConnectionPointContainer*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override
    {
        if (m_sink)
            return CONNECT_E_ADVISELIMIT;
        m_sink = sink;
        m_sink->AddRef();
        m_cookie = *cookie = m_nextCookie++;
        m_journal.entries.push_back(L"advise " + m_href + L" " + std::to_wstring(m_cookie));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override
    {
        m_journal.entries.push_back(L"unadvise " + m_href + L" " + std::to_wstring(cookie));
        if (!m_sink || cookie != m_cookie)
            return CONNECT_E_NOCONNECTION;
        IUnknown* sink = m_sink;
        m_sink = nullptr;
        sink->Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    // Which events interface the connection point serves.
    IID m_eventsIid = {0x3050F610, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

private:
    virtual ~FakeAnchor() = default;

    ULONG m_refs = 1;
    std::wstring m_href;
    ConnectionJournal& m_journal;
    DWORD m_nextCookie;
    DWORD m_cookie = 0;
    IUnknown* m_sink = nullptr;
};
