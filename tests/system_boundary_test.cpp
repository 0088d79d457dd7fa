// Code the system calls never lets a C++ exception out: window procedures,
// a dialog's initialisation, automation calls from script and events from a
// hosted control. On x86 an exception that reached the system's own frames
// would end the process, so each of these answers the system instead.

#include "framework/Dialog.h"
#include "framework/OleControlSite.h"
#include "res/resource.h"
#include "support/ScriptHost.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <new>
#include <stdexcept>

namespace {

const UINT kThrowMessage = WM_APP + 7;

class ThrowingWindow : public CWnd {
public:
    bool m_bThrowOnCreate = false;
    int m_nHandled = 0;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_CREATE && m_bThrowOnCreate)
            throw std::bad_alloc();
        if (message == kThrowMessage)
            throw std::runtime_error("a handler failed");
        if (message == WM_APP)
            ++m_nHandled;
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

HWND CreateThrowingWindow(ThrowingWindow& window)
{
    CreationHook hook(&window);
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

TEST(SystemBoundaryTest, AWindowHandlerThatThrowsAnswersTheSystemAndTheWindowGoesOn)
{
    ThrowingWindow window;
    HWND hwnd = CreateThrowingWindow(window);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, kThrowMessage, 0, 0), 0);
    PostMessageW(hwnd, kThrowMessage, 0, 0);
    MSG message;
    while (PeekMessageW(&message, hwnd, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    SendMessageW(hwnd, WM_APP, 0, 0);
    EXPECT_EQ(window.m_nHandled, 1);
    DestroyWindow(hwnd);

    // A creation whose handler throws fails like a refused creation.
    ThrowingWindow refused;
    refused.m_bThrowOnCreate = true;
    EXPECT_EQ(CreateThrowingWindow(refused), nullptr);
    EXPECT_EQ(refused.m_hWnd, nullptr);
}

class ThrowingDialog : public CDialog {
public:
    bool OnEvent(UINT, DISPID, DISPPARAMS*) override { throw std::runtime_error("an event handler failed"); }

protected:
    BOOL OnInitDialog() override { throw std::bad_alloc(); }
};

TEST(SystemBoundaryTest, ADialogWhoseInitialisationThrowsIsStillCreated)
{
    ThrowingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_CONFIRM_DIALOG));
    EXPECT_TRUE(dialog.IsWindow());
    dialog.DestroyWindow();
}

TEST(SystemBoundaryTest, AControlEventWhoseHandlerThrowsIsAnsweredAsDelivered)
{
    ThrowingDialog dialog;
    COleControlContainer container(&dialog);
    COleControlSite site(&container);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(site.GetEventSink()->Invoke(252, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
}

class ThrowingAutomation : public CCmdTarget {
public:
    ThrowingAutomation() { EnableAutomation(); }

protected:
    HRESULT GetDispatchIDs(const wchar_t* name, DISPID& dispid) override
    {
        if (wcscmp(name, L"Unnamable") == 0)
            throw std::runtime_error("a name lookup failed");
        dispid = 1;
        return S_OK;
    }
    HRESULT InvokeDispatch(DISPID, WORD, DISPPARAMS*, VARIANT*) override { throw std::bad_alloc(); }
};

TEST(SystemBoundaryTest, AScriptCallWhoseHandlerThrowsRaisesAScriptError)
{
    OleInitialize(nullptr);
    {
        ThrowingAutomation target;
        IDispatch* dispatch = target.GetIDispatch(false);
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        EXPECT_EQ(dispatch->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), E_OUTOFMEMORY);

        std::wstring error;
        EXPECT_TRUE(ScriptHost(dispatch).Run(L"var failures = 0;"
                                             L"try { window.external.Fail(); } catch (e) { ++failures; }"
                                             L"try { window.external.Unnamable(); } catch (e) { ++failures; }"
                                             L"if (failures != 2) throw new Error('not raised');",
                                             error))
            << std::string(error.begin(), error.end());
    }
    OleUninitialize();
}

}  // namespace
