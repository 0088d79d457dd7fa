#pragma once
// A COM test double of the browser control's dispatch interface: its
// Document property (203) answers with the given document.

#include <oaidl.h>

class FakeBrowser : public IDispatch {
public:
    explicit FakeBrowser(IDispatch* document) : m_document(document)
    {
        if (m_document)
            m_document->AddRef();
    }

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
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override
    {
        if (dispid != 203 || !(flags & DISPATCH_PROPERTYGET) || !result)
            return DISP_E_MEMBERNOTFOUND;
        VariantInit(result);
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = m_document;
        if (m_document)
            m_document->AddRef();
        return S_OK;
    }

private:
    virtual ~FakeBrowser()
    {
        if (m_document)
            m_document->Release();
    }

    ULONG m_refs = 1;
    IDispatch* m_document;
};
