#pragma once
// What the stand-ins for the game client do first: record the command line
// they were started with in client-commandline.txt beside themselves, as
// UTF-8. False when the file cannot be written.

#include <windows.h>

#include <string>
#include <vector>

inline bool RecordCommandLine()
{
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring target(path.data(), length);
    target = target.substr(0, target.find_last_of(L"\\/") + 1) + L"client-commandline.txt";
    if (target.size() >= MAX_PATH)
        target = L"\\\\?\\" + target;

    const wchar_t* commandLine = GetCommandLineW();
    const int size = WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, bytes.data(), size, nullptr, nullptr);

    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return true;
}
