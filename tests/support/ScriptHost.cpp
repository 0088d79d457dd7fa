#include "support/ScriptHost.h"

// The script interfaces' identifiers are defined here: the import library lacks
// some of them.
#include <initguid.h>
#include <activscp.h>

namespace {

// {F414C260-6AC0-11CF-B6D1-00AA00BBBB58}
const CLSID kClsidJScript = {0xF414C260, 0x6AC0, 0x11CF, {0xB6, 0xD1, 0x00, 0xAA, 0x00, 0xBB, 0xBB, 0x58}};
// The newer language features (JSON among them).
const long kScriptLanguageVersion58 = 2;
const DISPID kDispidExternal = 1;

// The page's window object, as far as the script needs it.
class WindowObject : public IDispatch {
public:
    explicit WindowObject(IDispatch* external) : m_external(external) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
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
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (count == 1 && wcscmp(names[0], L"external") == 0) {
            ids[0] = kDispidExternal;
            return S_OK;
        }
        for (UINT i = 0; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override
    {
        if (dispid != kDispidExternal || !(flags & DISPATCH_PROPERTYGET) || !result)
            return DISP_E_MEMBERNOTFOUND;
        VariantInit(result);
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = m_external.Get();
        if (m_external)
            m_external->AddRef();
        return S_OK;
    }

    ULONG m_refs = 1;

private:
    ComPtr<IDispatch> m_external;
};

class Site : public IActiveScriptSite {
public:
    explicit Site(WindowObject& window) : m_window(window) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IActiveScriptSite)
            return E_NOINTERFACE;
        *object = static_cast<IActiveScriptSite*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }
    HRESULT STDMETHODCALLTYPE GetLCID(LCID* locale) override
    {
        *locale = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** info) override
    {
        if (item)
            *item = nullptr;
        if (info)
            *info = nullptr;
        if (wcscmp(name, L"window") != 0)
            return TYPE_E_ELEMENTNOTFOUND;
        if ((mask & SCRIPTINFO_IUNKNOWN) && item) {
            *item = static_cast<IDispatch*>(&m_window);
            m_window.AddRef();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* error) override
    {
        m_failed = true;
        EXCEPINFO info{};
        if (error && SUCCEEDED(error->GetExceptionInfo(&info))) {
            if (info.pfnDeferredFillIn)
                info.pfnDeferredFillIn(&info);
            m_error = info.bstrDescription ? info.bstrDescription : L"script error";
            SysFreeString(info.bstrSource);
            SysFreeString(info.bstrDescription);
            SysFreeString(info.bstrHelpFile);
        } else {
            m_error = L"script error";
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnEnterScript() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnLeaveScript() override { return S_OK; }

    bool m_failed = false;
    std::wstring m_error;

private:
    ULONG m_refs = 1;
    WindowObject& m_window;
};

}  // namespace

bool ScriptHost::Run(const std::wstring& code, std::wstring& error)
{
    WindowObject window(m_external.Get());
    Site site(window);
    ComPtr<IActiveScript> engine;
    HRESULT hr = CoCreateInstance(kClsidJScript, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript,
                                  reinterpret_cast<void**>(engine.ReleaseAndGetAddressOf()));
    if (FAILED(hr)) {
        error = L"no script engine";
        return false;
    }
    ComPtr<IActiveScriptParse> parser = engine.As<IActiveScriptParse>(IID_IActiveScriptParse);
    if (ComPtr<IActiveScriptProperty> property = engine.As<IActiveScriptProperty>(IID_IActiveScriptProperty)) {
        VARIANT version;
        VariantInit(&version);
        V_VT(&version) = VT_I4;
        V_I4(&version) = kScriptLanguageVersion58;
        property->SetProperty(SCRIPTPROP_INVOKEVERSIONING, nullptr, &version);
    }
    if (!parser || FAILED(engine->SetScriptSite(&site)) || FAILED(parser->InitNew()) ||
        FAILED(engine->AddNamedItem(L"window", SCRIPTITEM_ISVISIBLE)) ||
        FAILED(engine->SetScriptState(SCRIPTSTATE_STARTED))) {
        if (engine)
            engine->Close();
        error = L"the script engine did not start";
        return false;
    }
    EXCEPINFO exception{};
    hr = parser->ParseScriptText(code.c_str(), nullptr, nullptr, nullptr, 0, 0, SCRIPTTEXT_ISVISIBLE, nullptr,
                                 &exception);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    engine->Close();
    parser.Reset();
    engine.Reset();
    if (site.m_failed) {
        error = site.m_error;
        return false;
    }
    if (FAILED(hr)) {
        error = L"the script could not run";
        return false;
    }
    return true;
}
