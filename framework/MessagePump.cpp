#include "framework/MessagePump.h"

#include "framework/Wnd.h"

bool AfxPreTranslateMessage(MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd); wnd && wnd->PreTranslateMessage(msg))
            return true;
        // A popup's "parent" is its owner: the walk ends at the top-level
        // window.
        if (!(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return false;
}

PumpEnd RunMessagePump(const std::function<bool()>& done)
{
    while (!done()) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            const int exitCode = static_cast<int>(message.wParam);
            PostQuitMessage(exitCode);
            return PumpEnd{true, exitCode};
        }
        if (got == -1)
            break;
        if (!AfxPreTranslateMessage(&message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return PumpEnd{};
}
