// Drives the launcher's login hand-over without the windows, in the current
// working directory, with its own directory as the launcher directory:
//
//   login_driver.exe [--download-url URL] payload TEXT
//   login_driver.exe [--download-url URL] redirect URL
//   login_driver.exe moduledir
//
// Message boxes are answered at once and printed as
// "messagebox CAPTION | TEXT"; after the call it prints "quit N" when a quit
// request is pending, else "no quit". Output is UTF-8.

#include "login/ClientDownload.h"
#include "login/GameClient.h"
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
    fputs("usage: login_driver [--download-url URL] payload TEXT | redirect URL | moduledir\n", stderr);
    return 2;
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
    if (next + 1 >= argc || (mode != L"payload" && mode != L"redirect"))
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
        } else {
            VARIANT url;
            VariantInit(&url);
            V_VT(&url) = VT_BSTR;
            V_BSTR(&url) = SysAllocStringLen(argument.data(), static_cast<UINT>(argument.size()));
            VARIANT byRef;
            VariantInit(&byRef);
            V_VT(&byRef) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&byRef) = &url;
            dialog.OnNavigateComplete2(nullptr, &byRef);
            VariantClear(&url);
        }
        ReportPendingQuit();
    }
    OleUninitialize();
    return 0;
}
