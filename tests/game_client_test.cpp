#include "framework/AfxInet.h"
#include "login/ClientDownload.h"
#include "login/GameClient.h"
#include "support/TempDir.h"
#include "support/ThreadCodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(GameClientTest, CommandLineIsQuotedPathThenLaunchParam)
{
    EXPECT_EQ(
        std::string(BuildClientCommandLine(L"C:/Games/Launcher/tarvo_vk_launch.exe", L" ,id^10086,auth_key^T&12&0&S")),
        "\"C:/Games/Launcher/tarvo_vk_launch.exe\" ,id^10086,auth_key^T&12&0&S");
}

TEST(GameClientTest, CommandLineUsesTheThreadCodePage)
{
    ThreadLocaleScope chinese(kChineseSimplified);
    EXPECT_EQ(std::string(BuildClientCommandLine(L"D:/游戏/tarvo_vk_launch.exe", L" ,id^中")),
              "\"D:/\xD3\xCE\xCF\xB7/tarvo_vk_launch.exe\" ,id^\xD6\xD0");
}

TEST(GameClientTest, ModuleDirectoryHasForwardSlashesAndNoTrailingSeparator)
{
    std::wstring expected = ExecutableDirectory();
    for (wchar_t& ch : expected)
        if (ch == L'\\')
            ch = L'/';
    EXPECT_EQ(std::wstring(GetModuleDirectory()), expected);
    EXPECT_EQ(std::wstring(GetClientPath()), expected + L"/tarvo_vk_launch.exe");
}

TEST(GameClientTest, ThePartialDownloadLiesBesideTheClient)
{
    EXPECT_EQ(std::wstring(GetPartialDownloadPath(L"C:/L/tarvo_vk_launch.exe")), L"C:/L/tarvo_vk_launch.exe.download");
}

struct UrlCase {
    const wchar_t* url;
    BOOL valid;
    const wchar_t* server;
    const wchar_t* object;
    INTERNET_PORT port;
};

class ParseUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(ParseUrlTest, SplitsServerObjectAndPort)
{
    const UrlCase& c = GetParam();
    DWORD service = 0;
    CString server;
    CString object;
    INTERNET_PORT port = 0;
    ASSERT_EQ(AfxParseURL(c.url, service, server, object, port), c.valid) << c.url;
    if (!c.valid)
        return;
    EXPECT_EQ(service, static_cast<DWORD>(INTERNET_SERVICE_HTTP));
    EXPECT_EQ(std::wstring(server), c.server);
    EXPECT_EQ(std::wstring(object), c.object);
    EXPECT_EQ(port, c.port);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseUrlTest,
    ::testing::Values(UrlCase{L"http://download.voskar.example/nqel/gamelaunch/tarvo_vk_launch_1.exe", TRUE,
                              L"download.voskar.example", L"/nqel/gamelaunch/tarvo_vk_launch_1.exe", 80},
                      UrlCase{L"http://127.0.0.1:8123/a/b.exe?v=2", TRUE, L"127.0.0.1", L"/a/b.exe?v=2", 8123},
                      UrlCase{L"http://host", TRUE, L"host", L"/", 80}, UrlCase{L"not a url", FALSE, L"", L"", 0},
                      UrlCase{L"", FALSE, L"", L"", 0}));

TEST(ClientDownloadTest, TheConfiguredAddressIsTheDefault)
{
    EXPECT_NE(ClientDownloadUrl().Find(L"/nqel/gamelaunch/tarvo_vk_launch_1.exe"), -1);
}

}  // namespace
