#pragma once
// A fresh directory under the system's temporary folder, removed with all it
// holds when the object goes.

#include <string>

class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_root;
    std::wstring m_path;
};

// Makes path the process's working directory for one scope.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::wstring& path);
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;
    ~WorkingDirectory();

private:
    std::wstring m_previous;
};

bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
std::string ReadWholeFile(const std::wstring& path);
void WriteWholeFile(const std::wstring& path, const std::string& bytes);
void CopyFileOrThrow(const std::wstring& from, const std::wstring& to);
// The directory of the running test executable (where the tools are built).
std::wstring ExecutableDirectory();
// Names of the entries of a directory, without "." and "..", sorted.
std::wstring ListDirectory(const std::wstring& path);
