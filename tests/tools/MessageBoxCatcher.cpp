#include "tools/MessageBoxCatcher.h"

#include <windows.h>

namespace {

HHOOK g_hook = nullptr;
MessageBoxCatcher::Report g_report;
MessageBoxCatcher::DialogReport g_dialogReport;

const int kMessageBoxTextId = 0xFFFF;

LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        wchar_t className[16] = {};
        const bool dialog = call->message == WM_INITDIALOG && GetClassNameW(call->hwnd, className, 16) &&
                            wcscmp(className, L"#32770") == 0;
        if (dialog && !GetDlgItem(call->hwnd, kMessageBoxTextId) && g_dialogReport)
            g_dialogReport(call->hwnd);
        if (dialog && GetDlgItem(call->hwnd, kMessageBoxTextId)) {
            wchar_t caption[1024] = {};
            wchar_t text[4096] = {};
            GetWindowTextW(call->hwnd, caption, 1024);
            GetDlgItemTextW(call->hwnd, kMessageBoxTextId, text, 4096);
            if (g_report)
                g_report(caption, text);
            HWND ok = GetDlgItem(call->hwnd, IDOK);
            PostMessageW(call->hwnd, WM_COMMAND, MAKEWPARAM(ok ? IDOK : IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(ok));
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher(Report report, DialogReport otherDialogs)
{
    g_report = std::move(report);
    g_dialogReport = std::move(otherDialogs);
    g_hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterWindowProc, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    if (g_hook)
        UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_report = nullptr;
    g_dialogReport = nullptr;
}
