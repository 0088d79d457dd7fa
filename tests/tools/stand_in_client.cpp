// A harmless stand-in for the game client, served by the local operator
// stand-in: it shows the command line it was started with, records it in
// client-commandline.txt beside itself (UTF-8), and ends.

#include <windows.h>

#include <string>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const wchar_t* commandLine = GetCommandLineW();
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring target(path.data(), length);
    target = target.substr(0, target.find_last_of(L"\\/") + 1) + L"client-commandline.txt";
    const int size = WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, bytes.data(), size, nullptr, nullptr);
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    const std::wstring text = std::wstring(L"Voskar 游戏客户端（本地替身）已启动。\n\n命令行：\n") + commandLine;
    MessageBoxW(nullptr, text.c_str(), L"Voskar", MB_OK | MB_ICONINFORMATION);
    return 0;
}
