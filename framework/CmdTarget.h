#pragma once
// An object that can answer automation calls: once EnableAutomation has run,
// GetIDispatch hands out its IDispatch. Its references are counted but never
// end its life: the C++ owner does that.

#include <oaidl.h>

class CCmdTarget {
public:
    CCmdTarget();
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    void EnableAutomation() { m_bAutomation = true; }
    // Null until automation is enabled.
    IDispatch* GetIDispatch(bool addRef);
    ULONG GetRefCount() const { return m_dwRef; }

    // An event of hosted control controlId; true when this object's event
    // sink map handled it.
    virtual bool OnEvent(UINT /*controlId*/, DISPID /*dispid*/, DISPPARAMS* /*params*/) { return false; }

protected:
    // What the dispatch interface answers; derived classes route names and
    // calls to their own handlers.
    virtual HRESULT GetDispatchIDs(const wchar_t* name, DISPID& dispid);
    virtual HRESULT InvokeDispatch(DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result);
    // Further interfaces answered with the dispatch interface (event
    // interfaces this object sinks).
    virtual bool AnswersWithDispatch(REFIID iid) const;

private:
    class XDispatch : public IDispatch {
    public:
        explicit XDispatch(CCmdTarget& owner) : m_owner(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return ++m_owner.m_dwRef; }
        ULONG STDMETHODCALLTYPE Release() override { return m_owner.m_dwRef > 1 ? --m_owner.m_dwRef : 1; }
        HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
        HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
        HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
        HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                         EXCEPINFO*, UINT*) override;

    private:
        CCmdTarget& m_owner;
    };

    // Starts at 1, the owner's own reference.
    ULONG m_dwRef = 1;
    bool m_bAutomation = false;
    XDispatch m_xDispatch;
};
