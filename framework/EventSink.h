#pragma once
// Typed tables for automation calls into a class: event sink maps (events
// of a hosted control, by control id and dispatch id) and dispatch maps
// (methods of the class's own dispatch interface, by name and dispatch id).
// Each entry binds the call's arguments to a member function's parameters
// by type: a frame or event object as IDispatch*, a by-reference variant as
// VARIANT*, a cancel flag as VARIANT_BOOL*. A call whose arguments do not
// fit is not handled.

#include <oaidl.h>

#include <cstddef>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace automation_detail {

inline bool BindArgument(VARIANTARG& value, IDispatch*& out)
{
    if (V_VT(&value) == VT_DISPATCH) {
        out = V_DISPATCH(&value);
        return true;
    }
    if (V_VT(&value) == (VT_DISPATCH | VT_BYREF) && V_DISPATCHREF(&value)) {
        out = *V_DISPATCHREF(&value);
        return true;
    }
    return false;
}

inline bool BindArgument(VARIANTARG& value, VARIANT*& out)
{
    // A variant by reference is what events pass; anything else is bound
    // as the variant itself.
    out = V_VT(&value) == (VT_VARIANT | VT_BYREF) ? V_VARIANTREF(&value) : &value;
    return out != nullptr;
}

inline bool BindArgument(VARIANTARG& value, VARIANT_BOOL*& out)
{
    if (V_VT(&value) != (VT_BOOL | VT_BYREF) || !V_BOOLREF(&value))
        return false;
    out = V_BOOLREF(&value);
    return true;
}

template <class T, typename... Args, std::size_t... I>
bool CallBound(T* target, void (T::*handler)(Args...), DISPPARAMS* params, std::index_sequence<I...>)
{
    std::tuple<Args...> args{};
    // Arguments arrive last first.
    const bool bound = (BindArgument(params->rgvarg[params->cArgs - 1 - I], std::get<I>(args)) && ... && true);
    if (!bound)
        return false;
    (target->*handler)(std::get<I>(args)...);
    return true;
}

template <class T, typename... Args>
std::function<bool(T*, DISPPARAMS*)> Binder(void (T::*handler)(Args...))
{
    return [handler](T* target, DISPPARAMS* params) {
        const UINT count = params ? params->cArgs : 0;
        if (count != sizeof...(Args) || (count && !params->rgvarg))
            return false;
        return CallBound(target, handler, params, std::index_sequence_for<Args...>{});
    };
}

}  // namespace automation_detail

template <class T>
class EventSinkMap {
public:
    struct Entry {
        UINT controlId;
        DISPID dispid;
        std::function<bool(T*, DISPPARAMS*)> invoke;
    };

    EventSinkMap(std::initializer_list<Entry> entries) : m_entries(entries) {}

    bool Dispatch(T* target, UINT controlId, DISPID dispid, DISPPARAMS* params) const
    {
        for (const Entry& entry : m_entries)
            if (entry.controlId == controlId && entry.dispid == dispid)
                return entry.invoke(target, params);
        return false;
    }

private:
    std::vector<Entry> m_entries;
};

template <class T, typename... Args>
typename EventSinkMap<T>::Entry OnControlEvent(UINT controlId, DISPID dispid, void (T::*handler)(Args...))
{
    return {controlId, dispid, automation_detail::Binder(handler)};
}

template <class T>
class DispatchMap {
public:
    struct Entry {
        const wchar_t* name;
        DISPID dispid;
        std::function<bool(T*, DISPPARAMS*)> invoke;
    };

    DispatchMap(std::initializer_list<Entry> entries) : m_entries(entries) {}

    bool FindName(const wchar_t* name, DISPID& dispid) const
    {
        for (const Entry& entry : m_entries) {
            if (name && std::wstring(name) == entry.name) {
                dispid = entry.dispid;
                return true;
            }
        }
        return false;
    }
    // True when dispid is one of the map's, whether or not the call fit.
    bool Invoke(T* target, DISPID dispid, WORD flags, DISPPARAMS* params) const
    {
        for (const Entry& entry : m_entries) {
            if (entry.dispid == dispid) {
                if (flags & DISPATCH_METHOD)
                    entry.invoke(target, params);
                return true;
            }
        }
        return false;
    }

private:
    std::vector<Entry> m_entries;
};

template <class T, typename... Args>
typename DispatchMap<T>::Entry DispatchMethod(const wchar_t* name, DISPID dispid, void (T::*handler)(Args...))
{
    return {name, dispid, automation_detail::Binder(handler)};
}
