#include "framework/HostSystem.h"

#include <windows.h>

bool AfxRunningOnWine()
{
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version");
    }();
    return wine;
}
