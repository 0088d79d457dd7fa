#include "framework/SystemError.h"

#include <wininet.h>

CString SystemErrorText(DWORD code)
{
    wchar_t* buffer = nullptr;
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
    HMODULE source = nullptr;
    if (code >= INTERNET_ERROR_BASE && code <= INTERNET_ERROR_LAST) {
        source = GetModuleHandleW(L"wininet.dll");
        if (source)
            flags |= FORMAT_MESSAGE_FROM_HMODULE;
    }
    const DWORD length = FormatMessageW(flags, source, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    CString text;
    if (length > 0 && buffer)
        text.assign(buffer, length);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return text;
}
