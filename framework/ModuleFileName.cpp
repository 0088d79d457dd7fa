#include "framework/ModuleFileName.h"

#include <windows.h>

#include <vector>

CString AfxGetModuleFileName()
{
    // Paths may be longer than MAX_PATH: grow until the whole path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return CString();
        if (length < buffer.size())
            return CString(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}
