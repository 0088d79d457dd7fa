// Drives the launcher's login hand-over without the windows, in the current
// working directory, with its own directory as the launcher directory:
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
//
// Message boxes are answered at once and printed as
// "messagebox CAPTION | TEXT"; a script error as "scripterror TEXT"; after
// the call it prints "quit N" when a quit request is pending, else
// "no quit". Output is UTF-8.

#include "login/ClientDownload.h"
#include "login/GameClient.h"
#include "browser/ImpIDispatch.h"
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
    fputs("usage: login_driver [--download-url URL] payload TEXT | redirect URL | script JS | moduledir\n", stderr);
    return 2;
}

// NavigateComplete2 as the browser control raises it: the frame's dispatch
// interface, then the address as a variant by reference around a string
// (arguments last first).
void DeliverNavigateComplete(CLoginActiveDlg& dialog, const CString& url)
{
    VARIANT address;
    VariantInit(&address);
    V_VT(&address) = VT_BSTR;
    V_BSTR(&address) = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    VARIANTARG arguments[2];
    VariantInit(&arguments[0]);
    V_VT(&arguments[0]) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&arguments[0]) = &address;
    VariantInit(&arguments[1]);
    V_VT(&arguments[1]) = VT_DISPATCH;
    V_DISPATCH(&arguments[1]) = nullptr;
    DISPPARAMS params{arguments, nullptr, 2, 0};
    const DISPID navigateComplete2 = 252;
    dialog.OnEvent(IDC_BROWSER, navigateComplete2, &params);
    VariantClear(&address);
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
    if (next + 1 < argc && std::wstring(argv[next]) == L"--download-url") {
        SetClientDownloadUrl(argv[next + 1]);
        next += 2;
    }
    if (next >= argc)
        return Usage();
    const std::wstring mode = argv[next];

    if (mode == L"moduledir") {
        PrintLine(GetModuleDirectory());
        return 0;
    }
    if (next + 1 >= argc || (mode != L"payload" && mode != L"redirect" && mode != L"script"))
        return Usage();
    const CString argument = argv[next + 1];

    OleInitialize(nullptr);
    {
        MessageBoxCatcher catcher([](const std::wstring& caption, const std::wstring& text) {
            PrintLine(L"messagebox " + OneLine(caption) + L" | " + OneLine(text));
        });
        CLoginActiveDlg dialog;
        if (mode == L"payload") {
            dialog.HandleAppLogin(argument);
        } else if (mode == L"redirect") {
            DeliverNavigateComplete(dialog, argument);
        } else {
            RunPageScript(dialog, argument);
        }
        ReportPendingQuit();
    }
    OleUninitialize();
    return 0;
}
