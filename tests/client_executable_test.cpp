// Whether a downloaded file is a complete Windows program: judged from its
// headers and size, with every field of the untrusted file checked before
// use. Each image lies at the very end of readable memory, so a read past
// what was received faults instead of passing unnoticed.

#include "login/ClientExecutable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void PutWord(Bytes& image, size_t at, unsigned value)
{
    image[at] = static_cast<unsigned char>(value);
    image[at + 1] = static_cast<unsigned char>(value >> 8);
}

void PutDword(Bytes& image, size_t at, unsigned long value)
{
    for (int i = 0; i < 4; ++i)
        image[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A small PE32 image: DOS header, PE header at 0x40, a 224-byte optional
// header, two sections whose raw data runs to the end of the file.
const size_t kNtHeaders = 0x40;
const size_t kSectionTable = kNtHeaders + 4 + 20 + 224;
Bytes SmallProgram()
{
    Bytes image(0x600, 0);
    image[0] = 'M';
    image[1] = 'Z';
    PutDword(image, 0x3C, kNtHeaders);
    std::memcpy(&image[kNtHeaders], "PE\0\0", 4);
    PutWord(image, kNtHeaders + 4, 0x14C);  // i386
    PutWord(image, kNtHeaders + 4 + 2, 2);  // sections
    PutWord(image, kNtHeaders + 4 + 16, 224);  // optional header size
    PutWord(image, kNtHeaders + 24, 0x10B);  // PE32
    // .text at 0x200 (0x200 bytes), .data at 0x400 (0x200 bytes).
    PutDword(image, kSectionTable + 16, 0x200);
    PutDword(image, kSectionTable + 20, 0x200);
    PutDword(image, kSectionTable + 40 + 16, 0x200);
    PutDword(image, kSectionTable + 40 + 20, 0x400);
    return image;
}

// Checks image placed so that its last byte is the last readable one.
ExecutableCheck CheckAtEndOfMemory(const Bytes& image, ULONGLONG fileSize)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const size_t page = system.dwPageSize;
    const size_t pages = (image.size() + page - 1) / page + 1;
    BYTE* memory = static_cast<BYTE*>(VirtualAlloc(nullptr, pages * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(memory + (pages - 1) * page, page, PAGE_NOACCESS, &old);
    unsigned char* start = memory + (pages - 1) * page - image.size();
    if (!image.empty())
        std::memcpy(start, image.data(), image.size());
    const ExecutableCheck check = CheckExecutableImage(start, image.size(), fileSize);
    VirtualFree(memory, 0, MEM_RELEASE);
    return check;
}

struct ImageCase {
    const char* name;
    std::function<void(Bytes&)> change;
    // What the problem says; empty for a complete program.
    std::wstring problem;
    // The file size when it differs from the bytes given (a file longer
    // than what the check reads).
    long long extraSize = 0;
};

class ExecutableImageTest : public ::testing::TestWithParam<ImageCase> {};

TEST_P(ExecutableImageTest, Judges)
{
    Bytes image = SmallProgram();
    GetParam().change(image);
    const ExecutableCheck check = CheckAtEndOfMemory(image, image.size() + GetParam().extraSize);
    EXPECT_EQ(check.complete, GetParam().problem.empty());
    if (!GetParam().problem.empty()) {
        EXPECT_EQ(std::wstring(check.problem), L"收到的文件不是完整的游戏客户端（" + GetParam().problem + L"）");
    }
}

const wchar_t kDamaged[] = L"程序文件头已损坏";

INSTANTIATE_TEST_SUITE_P(
    Images, ExecutableImageTest,
    ::testing::Values(
        ImageCase{"Complete", [](Bytes&) {}, L""},
        ImageCase{"WithDataAppended", [](Bytes& b) { b.resize(b.size() + 100, 'x'); }, L""},
        ImageCase{"LongerThanWhatIsRead", [](Bytes&) {}, L"", 1 << 30},
        ImageCase{"CutInsideTheLastSection", [](Bytes& b) { b.resize(0x500); },
                  L"程序文件不完整：应至少 1536 字节，只收到 1280 字节"},
        ImageCase{"CutInsideTheSectionTable", [](Bytes& b) { b.resize(kSectionTable + 50); }, kDamaged},
        ImageCase{"SectionPointingPastTheEnd", [](Bytes& b) { PutDword(b, kSectionTable + 40 + 20, 0xFFFFFFF0); },
                  L"程序文件不完整：应至少 4294967792 字节，只收到 1536 字节"},
        ImageCase{"HugeSectionSize", [](Bytes& b) { PutDword(b, kSectionTable + 16, 0xFFFFFFFF); },
                  L"程序文件不完整：应至少 4294967807 字节，只收到 1536 字节"},
        ImageCase{"HugeSectionCount", [](Bytes& b) { PutWord(b, kNtHeaders + 6, 0xFFFF); }, kDamaged},
        ImageCase{"SectionTablePastTheEnd", [](Bytes& b) { PutWord(b, kNtHeaders + 6, 40); }, kDamaged},
        ImageCase{"NoSections", [](Bytes& b) { PutWord(b, kNtHeaders + 6, 0); }, kDamaged},
        ImageCase{"HugeOptionalHeader", [](Bytes& b) { PutWord(b, kNtHeaders + 20, 0xFFFF); }, kDamaged},
        ImageCase{"TinyOptionalHeader", [](Bytes& b) { PutWord(b, kNtHeaders + 20, 8); }, kDamaged},
        ImageCase{"UnknownOptionalHeader", [](Bytes& b) { PutWord(b, kNtHeaders + 24, 0x107); }, kDamaged},
        ImageCase{"HeaderOffsetPastTheEnd", [](Bytes& b) { PutDword(b, 0x3C, 0x7FFFFFFF); }, kDamaged},
        ImageCase{"HeaderOffsetThatWouldWrap", [](Bytes& b) { PutDword(b, 0x3C, 0xFFFFFFFE); }, kDamaged},
        ImageCase{"HeaderOffsetInsideTheDosHeader", [](Bytes& b) { PutDword(b, 0x3C, 8); }, kDamaged},
        ImageCase{"NoPeSignature", [](Bytes& b) { b[kNtHeaders + 1] = 'X'; }, kDamaged},
        ImageCase{"OnlyTheDosHeader", [](Bytes& b) { b.resize(64); }, kDamaged},
        ImageCase{"NoMzSignature", [](Bytes& b) { b[0] = 'Z'; }, L"不是 Windows 程序"},
        ImageCase{"WebPage",
                  [](Bytes& b) {
                      const std::string page =
                          "\r\n  <!DOCTYPE html><html><body>Sign in to the hotel Wi-Fi</body></html>";
                      b.assign(page.begin(), page.end());
                  },
                  L"是一个网页，可能是网络要求先登录"},
        ImageCase{"ShortText",
                  [](Bytes& b) {
                      b.assign({'o', 'k', '\n'});
                  },
                  L"文件只有 3 字节"},
        ImageCase{"JustMz",
                  [](Bytes& b) {
                      b.assign({'M', 'Z'});
                  },
                  L"文件只有 2 字节"},
        ImageCase{"Empty", [](Bytes& b) { b.clear(); }, L"文件是空的"}),
    [](const ::testing::TestParamInfo<ImageCase>& info) { return std::string(info.param.name); });

TEST(ExecutableFileTest, TheToolsOfThisBuildAreCompleteAndAMissingFileIsNot)
{
    EXPECT_TRUE(CheckExecutableFile(CString(ExecutableDirectory() + L"\\fake_client.exe")).complete);
    EXPECT_TRUE(CheckExecutableFile(CString(ExecutableDirectory() + L"\\login_driver.exe")).complete);
    const ExecutableCheck missing = CheckExecutableFile(CString(ExecutableDirectory() + L"\\no-such-file.exe"));
    EXPECT_FALSE(missing.complete);
    EXPECT_FALSE(missing.problem.IsEmpty());
}

}  // namespace
