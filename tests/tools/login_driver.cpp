// Drives the launcher's login hand-over without the windows, in the current
// working directory, with its own directory as the launcher directory:
//
// Options before the mode: --download-url URL replaces the download
// address; --download-timeout MS the network timeout; --cancel-download
// presses the progress dialog's cancel button shortly after it opens.
//
//   login_driver.exe [--download-url URL] payload TEXT
//       hands TEXT to HandleAppLogin
//   login_driver.exe [--download-url URL] redirect URL
//       delivers the browser's NavigateComplete2 on URL to the page
//       dialog's event sink, shaped as the control sends it
//   login_driver.exe [--download-url URL] script JS
//       runs JScript JS whose window.external is the script object,
//       attached to a login page dialog
//   login_driver.exe moduledir
//   login_driver.exe [--download-url URL] --windows MODE ARG
//       runs the launcher's real start-up and windows; once the page
//       dialog is up, delivers what the browser would: MODE redirect (the
//       control's NavigateComplete2 on ARG through the page dialog's event
//       sink), script (ARG run against the real window.external) or
//       payload (an AppLogin call with ARG on the real script object).
//       When no quit request follows, the main window is sent WM_CLOSE.
//       After the run and its clean-up it also prints "modal N".
//
// Message boxes are answered at once and printed as
// "messagebox CAPTION | TEXT"; a shown download progress dialog as
// "progress"; a script error as "scripterror TEXT"; after
// the call it prints "quit N" when a quit request is pending, else
// "no quit". Output is UTF-8.

#include "login/ClientDownload.h"
#include "login/GameClient.h"
#include "app/LoginApp.h"
#include "browser/ImpIDispatch.h"
#include "support/BrowserEventArguments.h"
#include "support/LoginWindowsUp.h"
#include "support/ModalProbe.h"
#include "windows/LoginDlg.h"
#include "res/resource.h"
#include "support/ScriptHost.h"
#include "tools/MessageBoxCatcher.h"
#include "windows/LoginActiveDlg.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace {

void PrintLine(const std::wstring& line)
{
    const std::string bytes = ToUtf8(line) + "\n";
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fflush(stdout);
}

// One line per box: line breaks in the text are shown as "\n".
std::wstring OneLine(std::wstring text)
{
    std::wstring line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r')
            continue;
        if (text[i] == L'\n')
            line += L"\\n";
        else
            line += text[i];
    }
    return line;
}

int Usage()
{
    fputs("usage: login_driver [--download-url URL] [--windows] payload TEXT | redirect URL | script JS\n"
          "       login_driver moduledir\n",
          stderr);
    return 2;
}

const DISPID kNavigateComplete2 = 252;

// Into the page dialog's event sink map.
void DeliverNavigateComplete(CLoginActiveDlg& dialog, const CString& url)
{
    BrowserEventArguments event(url);
    dialog.OnEvent(IDC_BROWSER, kNavigateComplete2, event.FrameAndUrl());
}

// Into sink, as the control calls it.
void InvokeNavigateComplete(IDispatch* sink, const CString& url)
{
    BrowserEventArguments event(url);
    sink->Invoke(kNavigateComplete2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, event.FrameAndUrl(), nullptr,
                 nullptr, nullptr);
}

// The page's script road: a real page dialog window, the script object
// attached to it, and the script run by the system's engine.
void RunPageScript(CLoginActiveDlg& dialog, const CString& script)
{
    dialog.Create(IDD_LOGIN_ACTIVE_DIALOG, nullptr);
    CImpIDispatch external;
    external.m_pLoginActiveDlg = &dialog;
    ScriptHost host(&external);
    std::wstring error;
    if (!host.Run(script, error))
        PrintLine(L"scripterror " + OneLine(error));
}

// A page script's window.external.AppLogin(text), as the engine calls it.
void CallAppLogin(IDispatch* external, const CString& text)
{
    VARIANTARG argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    DISPPARAMS params{&argument, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    external->Invoke(CImpIDispatch::DISPID_APPLOGIN, IID_NULL, LOCALE_USER_DEFAULT,
                     DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, &result, nullptr, nullptr);
    VariantClear(&result);
    VariantClear(&argument);
}

const UINT_PTR kCancelTimer = 0xCA;
const UINT kCancelDelayMs = 700;

void CALLBACK PressCancel(HWND dialog, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(dialog, timer);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_BTN_CANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_BTN_CANCEL)));
}

bool QuitPending()
{
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

void DeliverToWindows(const std::wstring& mode, const CString& argument)
{
    CLoginDlg* main = static_cast<CLoginDlg*>(theApp.m_pMainWnd);
    CLoginActiveDlg* page = main ? main->m_pLoginActiveDlg : nullptr;
    if (!page) {
        PrintLine(L"no login page dialog");
        return;
    }
    if (mode == L"redirect") {
        // The browser control's own sink when the control is there.
        if (COleControlSite* site = page->m_browser.m_pCtrlSite)
            InvokeNavigateComplete(site->GetEventSink(), argument);
        else
            DeliverNavigateComplete(*page, argument);
    } else if (mode == L"script") {
        ScriptHost host(theApp.m_pDispatch);
        std::wstring error;
        if (!host.Run(argument, error))
            PrintLine(L"scripterror " + OneLine(error));
    } else {
        CallAppLogin(theApp.m_pDispatch, argument);
    }
    if (!QuitPending())
        main->SendMessage(WM_CLOSE);
}

void ReportPendingQuit()
{
    MSG message;
    if (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        PrintLine(L"quit " + std::to_wstring(static_cast<int>(message.wParam)));
    else
        PrintLine(L"no quit");
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // UTF-8 lines ending in a bare line feed, whatever the console does.
    _setmode(_fileno(stdout), _O_BINARY);
    int next = 1;
    bool cancelDownload = false;
    for (;;) {
        const std::wstring option = next < argc ? argv[next] : L"";
        if (option == L"--download-url" && next + 1 < argc) {
            SetClientDownloadUrl(argv[next + 1]);
            next += 2;
        } else if (option == L"--download-timeout" && next + 1 < argc) {
            SetClientDownloadTimeoutMs(static_cast<DWORD>(_wtoi(argv[next + 1])));
            next += 2;
        } else if (option == L"--cancel-download") {
            cancelDownload = true;
            ++next;
        } else {
            break;
        }
    }
    if (next >= argc)
        return Usage();
    const std::wstring mode = argv[next];

    const bool windows = mode == L"--windows";
    if (windows) {
        ++next;
        if (next >= argc)
            return Usage();
    }
    const std::wstring action = argv[next];

    if (!windows && action == L"moduledir") {
        PrintLine(GetModuleDirectory());
        return 0;
    }
    if (next + 1 >= argc || (action != L"payload" && action != L"redirect" && action != L"script"))
        return Usage();
    const CString argument = argv[next + 1];

    // Message boxes and the download progress dialog, however they come.
    MessageBoxCatcher catcher(
        [](const std::wstring& caption, const std::wstring& text) {
            PrintLine(L"messagebox " + OneLine(caption) + L" | " + OneLine(text));
        },
        [cancelDownload](HWND dialog) {
            if (!GetDlgItem(dialog, IDC_DOWNLOAD_PROGRESS))
                return;
            PrintLine(L"progress");
            // Pressed once the transfer is under way.
            if (cancelDownload)
                SetTimer(dialog, kCancelTimer, kCancelDelayMs, PressCancel);
        });

    if (windows) {
        // Once the page dialog is up, inside the main window's modal run.
        ModalProbe deliver([&] { DeliverToWindows(action, argument); }, 100, LoginWindowsUp);
        theApp.InitInstance();
        ReportPendingQuit();
        PrintLine(L"modal " + std::to_wstring(theApp.m_nModalResult));
        theApp.ExitInstance();
        return 0;
    }

    OleInitialize(nullptr);
    {
        CLoginActiveDlg dialog;
        if (action == L"payload") {
            dialog.HandleAppLogin(argument);
        } else if (action == L"redirect") {
            DeliverNavigateComplete(dialog, argument);
        } else {
            RunPageScript(dialog, argument);
        }
        ReportPendingQuit();
    }
    OleUninitialize();
    return 0;
}
