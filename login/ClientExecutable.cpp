#include "login/ClientExecutable.h"

#include "framework/ScopedHandle.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const size_t kDosHeaderSize = 64;
const size_t kLfanewOffset = 0x3C;
const size_t kFileHeaderSize = 20;
const size_t kSectionHeaderSize = 40;
const unsigned kMostSections = 96;
const unsigned short kMagicPe32 = 0x10B;
const unsigned short kMagicPe32Plus = 0x20B;
// The optional header up to and including its data directory count.
const size_t kLeastOptionalHeaderPe32 = 96;
const size_t kLeastOptionalHeaderPe32Plus = 112;

// Little-endian fields read only where the caller has checked they lie.
unsigned short Word(const unsigned char* at)
{
    return static_cast<unsigned short>(at[0] | (at[1] << 8));
}

unsigned long Dword(const unsigned char* at)
{
    return static_cast<unsigned long>(at[0]) | (static_cast<unsigned long>(at[1]) << 8) |
           (static_cast<unsigned long>(at[2]) << 16) | (static_cast<unsigned long>(at[3]) << 24);
}

CString Number(ULONGLONG value)
{
    return CString(std::to_wstring(value));
}

ExecutableCheck NotComplete(const CString& what)
{
    return ExecutableCheck{false, L"收到的文件不是完整的游戏客户端（" + what + L"）"};
}

// A web page where a program was expected: a sign-in page of a hotel or
// captive portal, or an error page of a proxy.
bool LooksLikeWebPage(const unsigned char* head, size_t headSize)
{
    size_t i = 0;
    if (headSize >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
        i = 3;
    while (i < headSize && (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n'))
        ++i;
    return i < headSize && head[i] == '<';
}

ExecutableCheck NotAProgram(const unsigned char* head, size_t headSize, ULONGLONG fileSize)
{
    if (LooksLikeWebPage(head, headSize))
        return NotComplete(L"是一个网页，可能是网络要求先登录");
    if (fileSize < kDosHeaderSize)
        return NotComplete(L"文件只有 " + Number(fileSize) + L" 字节");
    return NotComplete(L"不是 Windows 程序");
}

}  // namespace

ExecutableCheck CheckExecutableImage(const unsigned char* head, size_t headSize, ULONGLONG fileSize)
{
    headSize = static_cast<size_t>(std::min<ULONGLONG>(headSize, fileSize));
    if (fileSize == 0)
        return NotComplete(L"文件是空的");
    if (headSize < kDosHeaderSize || head[0] != 'M' || head[1] != 'Z')
        return NotAProgram(head, headSize, fileSize);

    const ExecutableCheck damaged = NotComplete(L"程序文件头已损坏");
    // Sizes are added in 64 bits: no field of 32 bits can wrap them.
    const ULONGLONG ntHeaders = Dword(head + kLfanewOffset);
    if (ntHeaders < kDosHeaderSize || ntHeaders + 4 + kFileHeaderSize > headSize)
        return damaged;
    const unsigned char* nt = head + ntHeaders;
    if (nt[0] != 'P' || nt[1] != 'E' || nt[2] != 0 || nt[3] != 0)
        return damaged;
    const unsigned char* fileHeader = nt + 4;
    const unsigned sections = Word(fileHeader + 2);
    const ULONGLONG optionalSize = Word(fileHeader + 16);
    if (sections == 0 || sections > kMostSections)
        return damaged;

    const ULONGLONG optional = ntHeaders + 4 + kFileHeaderSize;
    if (optionalSize < 2 || optional + optionalSize > headSize)
        return damaged;
    const unsigned short magic = Word(head + optional);
    if (!(magic == kMagicPe32 && optionalSize >= kLeastOptionalHeaderPe32) &&
        !(magic == kMagicPe32Plus && optionalSize >= kLeastOptionalHeaderPe32Plus))
        return damaged;

    const ULONGLONG table = optional + optionalSize;
    if (table + ULONGLONG(sections) * kSectionHeaderSize > headSize)
        return damaged;
    ULONGLONG furthest = table + ULONGLONG(sections) * kSectionHeaderSize;
    for (unsigned i = 0; i < sections; ++i) {
        const unsigned char* section = head + table + ULONGLONG(i) * kSectionHeaderSize;
        const ULONGLONG rawSize = Dword(section + 16);
        const ULONGLONG rawPointer = Dword(section + 20);
        if (rawSize != 0)
            furthest = std::max(furthest, rawPointer + rawSize);
    }
    if (furthest > fileSize)
        return NotComplete(L"程序文件不完整：应至少 " + Number(furthest) + L" 字节，只收到 " + Number(fileSize) +
                           L" 字节");
    return ExecutableCheck{true, CString()};
}

ExecutableCheck CheckExecutableFile(const CString& path)
{
    ScopedFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    std::vector<unsigned char> head(kExecutableHeadBytes);
    DWORD read = 0;
    if (!file || !GetFileSizeEx(file.Get(), &size) ||
        !ReadFile(file.Get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr))
        return NotComplete(L"无法读取");
    return CheckExecutableImage(head.data(), read, static_cast<ULONGLONG>(size.QuadPart));
}
