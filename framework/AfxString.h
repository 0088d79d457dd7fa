#pragma once
// Wide and byte strings. Every conversion between the two goes through the
// calling thread's ANSI code page (CP_THREAD_ACP); a character the code page
// cannot represent becomes the code page's default character.

#include <string>

class CStringA;

class CString : public std::wstring {
public:
    using std::wstring::wstring;
    CString() = default;
    CString(const std::wstring& s) : std::wstring(s) {}
    CString(std::wstring&& s) : std::wstring(std::move(s)) {}
    // Widens with the thread's ANSI code page.
    explicit CString(const CStringA& bytes);

    int GetLength() const { return static_cast<int>(size()); }
    bool IsEmpty() const { return empty(); }
    const wchar_t* GetString() const { return c_str(); }
    operator const wchar_t*() const { return c_str(); }
    // Index of the first occurrence at or after start, or -1.
    int Find(const wchar_t* what, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    CString Left(int count) const { return CString(substr(0, static_cast<size_t>(count))); }
    CString Mid(int first) const { return CString(substr(static_cast<size_t>(first))); }
    int Replace(wchar_t from, wchar_t to);
};

class CStringA : public std::string {
public:
    using std::string::string;
    CStringA() = default;
    CStringA(const std::string& s) : std::string(s) {}
    CStringA(std::string&& s) : std::string(std::move(s)) {}
    // Narrows with the thread's ANSI code page.
    explicit CStringA(const CString& text);

    int GetLength() const { return static_cast<int>(size()); }
    bool IsEmpty() const { return empty(); }
    const char* GetString() const { return c_str(); }
    operator const char*() const { return c_str(); }
};

// UTF-8 for texts that leave the program (tool output, test files); the
// launcher's own conversions use the ANSI code page above.
std::string ToUtf8(const std::wstring& text);
