#include "framework/CmdTarget.h"

#include "framework/SystemBoundary.h"

CCmdTarget::CCmdTarget() : m_xDispatch(*this)
{
}

IDispatch* CCmdTarget::GetIDispatch(bool addRef)
{
    if (!m_bAutomation)
        return nullptr;
    if (addRef)
        m_xDispatch.AddRef();
    return &m_xDispatch;
}

HRESULT CCmdTarget::GetDispatchIDs(const wchar_t*, DISPID& dispid)
{
    dispid = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT CCmdTarget::InvokeDispatch(DISPID, WORD, DISPPARAMS*, VARIANT*)
{
    return DISP_E_MEMBERNOTFOUND;
}

bool CCmdTarget::AnswersWithDispatch(REFIID) const
{
    return false;
}

HRESULT CCmdTarget::XDispatch::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || m_owner.AnswersWithDispatch(iid)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT CCmdTarget::XDispatch::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CCmdTarget::XDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CCmdTarget::XDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    return CallComGuarded([&] {
        HRESULT hr = m_owner.GetDispatchIDs(names[0], ids[0]);
        // Parameter names are not supported.
        for (UINT i = 1; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    });
}

HRESULT CCmdTarget::XDispatch::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                      EXCEPINFO*, UINT*)
{
    return CallComGuarded([&] { return m_owner.InvokeDispatch(dispid, flags, params, result); });
}
