#pragma once
// The arguments of the browser control's navigation events, shaped as the
// control shapes them (arguments last first).

#include <oaidl.h>

#include <string>
#include <vector>

// Variants as the control passes them: the frame as VT_DISPATCH, every
// other argument by reference.
class BrowserEventArguments {
public:
    explicit BrowserEventArguments(const std::wstring& url)
        : m_url(SysAllocStringLen(url.data(), static_cast<UINT>(url.size())))
    {
        VariantInit(&m_address);
        V_VT(&m_address) = VT_BSTR;
        V_BSTR(&m_address) = m_url;
    }
    BrowserEventArguments(const BrowserEventArguments&) = delete;
    BrowserEventArguments& operator=(const BrowserEventArguments&) = delete;
    ~BrowserEventArguments() { SysFreeString(m_url); }

    // NavigateComplete2 and DocumentComplete: (frame, URL).
    DISPPARAMS* FrameAndUrl()
    {
        m_args.assign(2, VARIANTARG{});
        SetByRef(m_args[0], &m_address);
        V_VT(&m_args[1]) = VT_DISPATCH;
        V_DISPATCH(&m_args[1]) = nullptr;
        m_params = DISPPARAMS{m_args.data(), nullptr, 2, 0};
        return &m_params;
    }
    // BeforeNavigate2: (frame, URL, Flags, TargetFrameName, PostData,
    // Headers, Cancel).
    DISPPARAMS* BeforeNavigate(VARIANT_BOOL* cancel)
    {
        m_args.assign(7, VARIANTARG{});
        for (VARIANT& empty : m_empties)
            VariantInit(&empty);
        V_VT(&m_args[0]) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&m_args[0]) = cancel;
        for (int i = 0; i < 4; ++i)
            SetByRef(m_args[1 + i], &m_empties[i]);
        SetByRef(m_args[5], &m_address);
        V_VT(&m_args[6]) = VT_DISPATCH;
        V_DISPATCH(&m_args[6]) = nullptr;
        m_params = DISPPARAMS{m_args.data(), nullptr, 7, 0};
        return &m_params;
    }

private:
    static void SetByRef(VARIANTARG& argument, VARIANT* value)
    {
        V_VT(&argument) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&argument) = value;
    }

    BSTR m_url;
    VARIANT m_address;
    VARIANT m_empties[4];
    std::vector<VARIANTARG> m_args;
    DISPPARAMS m_params{};
};
