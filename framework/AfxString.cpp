#include "framework/AfxString.h"

#include <windows.h>

namespace {

std::wstring Widen(const std::string& bytes, UINT codePage)
{
    if (bytes.empty())
        return {};
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage)
{
    if (wide.empty())
        return {};
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

}  // namespace

CString::CString(const CStringA& bytes) : std::wstring(Widen(bytes, CP_THREAD_ACP))
{
}

int CString::Find(const wchar_t* what, int start) const
{
    const size_t at = find(what, static_cast<size_t>(start));
    return at == npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(wchar_t ch) const
{
    const size_t at = rfind(ch);
    return at == npos ? -1 : static_cast<int>(at);
}

int CString::Replace(wchar_t from, wchar_t to)
{
    int count = 0;
    for (wchar_t& ch : *this) {
        if (ch == from) {
            ch = to;
            ++count;
        }
    }
    return count;
}

CStringA::CStringA(const CString& text) : std::string(Narrow(text, CP_THREAD_ACP))
{
}

std::string ToUtf8(const std::wstring& text)
{
    return Narrow(text, CP_UTF8);
}
