// The whole road of a login through the launcher's real start-up and
// windows (login_driver --windows), from the page's hand-over to the
// client running and the run ended with the application's clean-up.
// Runs with the null display driver and again on a private Xvfb.

#include "framework/AfxString.h"
#include "support/DriverFixture.h"
#include "support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

namespace {

const char kQuitAndCleanUp[] =
    // The failure box of a run ended by a quit request closes at once.
    "messagebox 【启动失败】 | 启动游戏失败，请重新启动！\nquit 16\nmodal -1\n";
const wchar_t kPayload[] = LR"({"uid":"10086","token":"T","server_id":"12","sign":"S"})";

using WindowsEndToEndTest = DriverFixture;

TEST_F(WindowsEndToEndTest, RedirectLoginStartsTheClientAndEndsTheLauncher)
{
    InstallClient();
    EXPECT_EQ(RunDriver({L"--windows", L"redirect",
                         L"https://login.voskar.example/openapi/ly/dy/login?isAdult=1&pid=P&server_id=S&qid=Q&sign=G"}),
              kQuitAndCleanUp);
    EXPECT_EQ(ClientCommandLine(), "\"" + ExpectedClientPath() + "\" ,id^Q,auth_key^qzT4k29w&S&0&G");
    EXPECT_EQ(Trace(), "{\"pid\":\"P\",\"server_id\":\"S\",\"uid\":\"Q\",\"sign\":\"G\",\"token\":\"qzT4k29w\"}\r\n"
                       "qzT4k29w&S&0&G\r\n");
}

TEST_F(WindowsEndToEndTest, ScriptLoginStartsTheClientAndEndsTheLauncher)
{
    InstallClient();
    EXPECT_EQ(RunDriver({L"--windows", L"script",
                         L"window.external.AppLogin(JSON.stringify({uid: '9', token: 't', server_id: '2', "
                         L"sign: 's', other: 'o'}));"}),
              kQuitAndCleanUp);
    EXPECT_EQ(ClientCommandLine(), "\"" + ExpectedClientPath() + "\" ,id^9,auth_key^t&2&o&s");
    EXPECT_EQ(Trace(),
              "{\"uid\":\"9\",\"token\":\"t\",\"server_id\":\"2\",\"sign\":\"s\",\"other\":\"o\"}\r\nt&2&o&s\r\n");
}

TEST_F(WindowsEndToEndTest, AMissingClientIsDownloadedFirst)
{
    LoopbackHttpServer server;
    server.Route("/nqel/gamelaunch/tarvo_vk_launch_1.exe", HttpReply{200, FakeClientBytes()});
    EXPECT_EQ(RunDriver({L"--download-url", server.Url("/nqel/gamelaunch/tarvo_vk_launch_1.exe"), L"--windows",
                         L"payload", kPayload}),
              std::string("progress\n") + kQuitAndCleanUp);
    EXPECT_EQ(server.RequestCount(), 1);
    EXPECT_EQ(ClientCommandLine(), "\"" + ExpectedClientPath() + "\" ,id^10086,auth_key^T&12&0&S");
}

TEST_F(WindowsEndToEndTest, AFailedDownloadLeavesTheWindowsRunning)
{
    LoopbackHttpServer server;
    EXPECT_EQ(
        RunDriver({L"--download-url", server.Url("/gone.exe"), L"--windows", L"payload", kPayload}),
        "progress\nmessagebox 【下载失败】 | 下载游戏客户端失败：服务器返回 HTTP 状态 404\\n请检查网络后重新登录。\n"
        "no quit\nmodal 1\n");
    EXPECT_EQ(ListDirectory(m_launcher.Path()), L"login_driver.exe");
}

}  // namespace
