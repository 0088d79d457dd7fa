#include "support/DriverFixture.h"

#include "framework/AfxString.h"

#include <windows.h>

DriverFixture::DriverFixture()
{
    CopyFileOrThrow(ExecutableDirectory() + L"\\login_driver.exe", m_launcher.File(L"login_driver.exe"));
}

void DriverFixture::InstallClient()
{
    CopyFileOrThrow(ExecutableDirectory() + L"\\fake_client.exe", m_launcher.File(L"tarvo_vk_launch.exe"));
}

std::string DriverFixture::RunDriver(const std::vector<std::wstring>& args, const std::vector<std::wstring>& env)
{
    const ChildResult result = RunChild(m_launcher.File(L"login_driver.exe"), args, m_work.Path(), env);
    EXPECT_TRUE(result.finished) << "the driver did not end (start error " << result.startError << ")";
    EXPECT_EQ(result.exitCode, 0u);
    std::string output;
    for (const char ch : result.output)
        if (ch != '\r')
            output += ch;
    return output;
}

std::string DriverFixture::ClientCommandLine(unsigned long waitMs) const
{
    const std::wstring path = m_launcher.File(L"client-commandline.txt");
    for (unsigned long waited = 0;; waited += 50) {
        if (FileExists(path)) {
            // The client may still be writing.
            Sleep(50);
            return ReadWholeFile(path);
        }
        if (waited >= waitMs)
            return std::string();
        Sleep(50);
    }
}

std::string DriverFixture::ExpectedClientPath() const
{
    std::wstring path = m_launcher.File(L"tarvo_vk_launch.exe");
    for (wchar_t& ch : path)
        if (ch == L'\\')
            ch = L'/';
    return ToUtf8(path);
}

std::string DriverFixture::FakeClientBytes()
{
    return ReadWholeFile(ExecutableDirectory() + L"\\fake_client.exe");
}
