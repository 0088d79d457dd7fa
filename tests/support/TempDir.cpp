#include "support/TempDir.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

// Long paths need the \\?\ form for the file functions.
std::wstring Extended(const std::wstring& path)
{
    return path.size() >= MAX_PATH - 12 && path.compare(0, 4, L"\\\\?\\") != 0 ? L"\\\\?\\" + path : path;
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Extended(path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(Extended(child).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(Extended(path).c_str());
}

}  // namespace

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::wstring root = base;
    if (!root.empty() && root.back() == L'\\')
        root.pop_back();
    m_root = root + L"\\launcher-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
    if (!CreateDirectoryW(m_root.c_str(), nullptr))
        throw std::runtime_error("cannot create a temporary directory");
    m_path = m_root;
}

TempDir::~TempDir()
{
    RemoveTree(m_root);
}

WorkingDirectory::WorkingDirectory(const std::wstring& path)
{
    std::vector<wchar_t> previous(32768);
    GetCurrentDirectoryW(static_cast<DWORD>(previous.size()), previous.data());
    m_previous = previous.data();
    if (!SetCurrentDirectoryW(path.c_str()))
        throw std::runtime_error("cannot enter a working directory");
}

WorkingDirectory::~WorkingDirectory()
{
    SetCurrentDirectoryW(m_previous.c_str());
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(Extended(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(Extended(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const std::wstring& path)
{
    HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

void WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write a test file");
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size())
        throw std::runtime_error("cannot write a test file");
}

void CopyFileOrThrow(const std::wstring& from, const std::wstring& to)
{
    if (!CopyFileW(Extended(from).c_str(), Extended(to).c_str(), FALSE))
        throw std::runtime_error("cannot copy a test file");
}

std::wstring ExecutableDirectory()
{
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), length);
    return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring ListDirectory(const std::wstring& path)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Extended(path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                names.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    std::wstring joined;
    for (const std::wstring& name : names)
        joined += (joined.empty() ? L"" : L" ") + name;
    return joined;
}
