#include "support/ProcessCounters.h"

#include <windows.h>
#include <winternl.h>

namespace {

// One entry of the GDI handle table the system maps into the process and
// publishes in the PEB (the same layout on Windows and Wine).
struct GdiHandleEntry {
    ULONG64 object;
    USHORT processId;
    USHORT count;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    ULONG64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");

const size_t kGdiHandleTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
const int kGdiHandleTableSize = 0x10000;

}  // namespace

int GdiObjectCount()
{
    PROCESS_BASIC_INFORMATION basic{};
    NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr);
    const BYTE* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
    const GdiHandleEntry* table =
        peb ? *reinterpret_cast<GdiHandleEntry* const*>(peb + kGdiHandleTableOffset) : nullptr;
    if (!table) {
        const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        return counted ? static_cast<int>(counted) : -1;
    }
    const USHORT self = static_cast<USHORT>(GetCurrentProcessId());
    int count = 0;
    for (int i = 0; i < kGdiHandleTableSize; ++i) {
        const GdiHandleEntry& entry = table[i];
        if (entry.type && entry.object && (entry.processId == 0 || entry.processId == self))
            ++count;
    }
    return count;
}

int KernelHandleCount()
{
    int count = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}

size_t PrivateCommittedBytes()
{
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    const BYTE* address = nullptr;
    while (VirtualQuery(address, &region, sizeof(region)) == sizeof(region)) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const BYTE* next = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}
