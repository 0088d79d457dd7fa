#include "framework/AfxInet.h"
#include "login/ClientDownload.h"
#include "login/GameClient.h"
#include "support/LoopbackHttpServer.h"
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

TEST(GameClientTest, EachDownloadsPartialFileLiesBesideTheClientUnderItsOwnName)
{
    EXPECT_EQ(std::wstring(GetPartialDownloadPath(L"C:/L/tarvo_vk_launch.exe", 4242, 1)),
              L"C:/L/tarvo_vk_launch.exe.4242-1.download");
    EXPECT_EQ(std::wstring(GetPartialDownloadPath(L"C:/L/tarvo_vk_launch.exe", 4242, 2)),
              L"C:/L/tarvo_vk_launch.exe.4242-2.download");
}

struct UrlCase {
    const wchar_t* url;
    BOOL valid;
    const wchar_t* server;
    const wchar_t* object;
    INTERNET_PORT port;
    DWORD service = AFX_INET_SERVICE_HTTP;
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
    EXPECT_EQ(service, c.service);
    EXPECT_EQ(std::wstring(server), c.server);
    EXPECT_EQ(std::wstring(object), c.object);
    EXPECT_EQ(port, c.port);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseUrlTest,
    ::testing::Values(UrlCase{L"http://download.voskar.example/nqel/gamelaunch/tarvo_vk_launch_1.exe", TRUE,
                              L"download.voskar.example", L"/nqel/gamelaunch/tarvo_vk_launch_1.exe", 80},
                      UrlCase{L"http://127.0.0.1:8123/a/b.exe?v=2", TRUE, L"127.0.0.1", L"/a/b.exe?v=2", 8123},
                      UrlCase{L"http://host", TRUE, L"host", L"/", 80},
                      UrlCase{L"https://download.voskar.example/c.exe", TRUE, L"download.voskar.example", L"/c.exe",
                              443, AFX_INET_SERVICE_HTTPS},
                      UrlCase{L"https://127.0.0.1:8443/c.exe", TRUE, L"127.0.0.1", L"/c.exe", 8443,
                              AFX_INET_SERVICE_HTTPS},
                      UrlCase{L"ftp://127.0.0.1/c.exe", TRUE, L"127.0.0.1", L"/c.exe", 21, AFX_INET_SERVICE_FTP},
                      UrlCase{L"not a url", FALSE, L"", L"", 0}, UrlCase{L"", FALSE, L"", L"", 0}));

TEST(ClientDownloadTest, TheConfiguredAddressIsTheDefault)
{
    EXPECT_NE(ClientDownloadUrl().Find(L"/nqel/gamelaunch/tarvo_vk_launch_1.exe"), -1);
}

}  // namespace

namespace {

DWORD ProcessWideReceiveTimeout()
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    InternetQueryOptionW(nullptr, INTERNET_OPTION_RECEIVE_TIMEOUT, &value, &size);
    return value;
}

// A cancel that comes before the request is open ends the download as
// cancelled, asks nothing of the server, and never sets the download's
// timeouts on a null handle (WinINet would apply them to the whole process,
// the browser control included).
TEST(ClientDownloadTest, CancelledBeforeItsRequestItEndsCancelledAndTouchesNothingElse)
{
    LoopbackHttpServer server;
    server.Route("/client.exe", HttpReply{200, "MZ"});
    TempDir dir;
    const DWORD processWide = ProcessWideReceiveTimeout();
    const DWORD configured = ClientDownloadTimeoutMs();
    SetClientDownloadTimeoutMs(4321);
    ClientDownload download(CString(server.Url("/client.exe")), CString(dir.File(L"tarvo_vk_launch.exe")));
    download.Cancel();
    const DownloadResult result = download.Run();
    SetClientDownloadTimeoutMs(configured);
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(server.RequestCount(), 0);
    EXPECT_EQ(ProcessWideReceiveTimeout(), processWide);
    EXPECT_EQ(ListDirectory(dir.Path()), L"");
}

}  // namespace
