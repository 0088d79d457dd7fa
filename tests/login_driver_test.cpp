// The login hand-over end to end through login_driver.exe: the trace file in
// the working directory, the command line a real client receives, the quit
// request and the messages a user would see.

#include "framework/AfxString.h"
#include "support/DriverFixture.h"
#include "support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kPayload[] = LR"({"uid":"10086","token":"T","server_id":"12","sign":"S"})";
const char kPayloadLaunch[] = " ,id^10086,auth_key^T&12&0&S";
const char kStartFailed[] = "messagebox 【启动失败】 | 启动游戏失败，请重新启动！\n";

using LoginDriverTest = DriverFixture;

TEST_F(LoginDriverTest, ScriptPayloadStartsTheClientAndQuits)
{
    InstallClient();
    EXPECT_EQ(RunDriver({L"payload", kPayload}), "quit 16\n");
    EXPECT_EQ(ClientCommandLine(), "\"" + ExpectedClientPath() + "\"" + kPayloadLaunch);
    EXPECT_EQ(Trace(), ToUtf8(kPayload) + "\r\nT&12&0&S\r\n");
    // The trace belongs to the working directory, not the launcher's.
    EXPECT_FALSE(FileExists(m_launcher.File(L"log.txt")));

    // A second login appends to the trace and launches again.
    DeleteFileW(m_launcher.File(L"client-commandline.txt").c_str());
    EXPECT_EQ(RunDriver({L"payload", LR"({"uid":"2","token":"a","server_id":"b","sign":"c","other":"d"})"}),
              "quit 16\n");
    EXPECT_EQ(ClientCommandLine(), "\"" + ExpectedClientPath() + "\" ,id^2,auth_key^a&b&d&c");
    EXPECT_EQ(Trace(), ToUtf8(kPayload) + "\r\nT&12&0&S\r\n" +
                           R"({"uid":"2","token":"a","server_id":"b","sign":"c","other":"d"})" + "\r\na&b&d&c\r\n");
}

TEST_F(LoginDriverTest, RejectedPayloadIsTracedAndNothingElse)
{
    InstallClient();
    for (const wchar_t* payload : {L"not json", L"", L"[1]", LR"({"uid":7,"token":"T","server_id":"1","sign":"S"})"})
        EXPECT_EQ(RunDriver({L"payload", payload}), "no quit\n") << ToUtf8(payload);
    EXPECT_EQ(Trace(), "not json\r\n\r\n[1]\r\n{\"uid\":7,\"token\":\"T\",\"server_id\":\"1\",\"sign\":\"S\"}\r\n");
    EXPECT_EQ(ClientCommandLine(500), "");
}

TEST_F(LoginDriverTest, RedirectStartsTheClientWithTheQueryValues)
{
    InstallClient();
    const std::wstring url =
        L"https://login.voskar.example/openapi/ly/dy/login?isAdult=1&pid=P&server_id=S&qid=Q&time=T&sign=G";
    EXPECT_EQ(RunDriver({L"redirect", url}), "quit 16\n");
    EXPECT_EQ(ClientCommandLine(), "\"" + ExpectedClientPath() + "\" ,id^Q,auth_key^qzT4k29w&S&0&G");
    EXPECT_EQ(Trace(), "{\"pid\":\"P\",\"server_id\":\"S\",\"uid\":\"Q\",\"sign\":\"G\",\"token\":\"qzT4k29w\"}\r\n"
                       "qzT4k29w&S&0&G\r\n");
}

TEST_F(LoginDriverTest, PageScriptStartsTheClientThroughWindowExternal)
{
    InstallClient();
    const std::wstring script = L"var login = {uid: '7', token: 'T', server_id: '3', sign: 'S', other: 'o'};"
                                L"window.external.AppLogin(JSON.stringify(login));";
    EXPECT_EQ(RunDriver({L"script", script}), "quit 16\n");
    EXPECT_EQ(ClientCommandLine(), "\"" + ExpectedClientPath() + "\" ,id^7,auth_key^T&3&o&S");
    EXPECT_EQ(Trace(),
              "{\"uid\":\"7\",\"token\":\"T\",\"server_id\":\"3\",\"sign\":\"S\",\"other\":\"o\"}\r\nT&3&o&S\r\n");
}

TEST_F(LoginDriverTest, PageScriptErrorsAreReported)
{
    EXPECT_EQ(RunDriver({L"script", L"window.external.appLogin('x');"}).rfind("scripterror ", 0), 0u);
    EXPECT_FALSE(FileExists(m_work.File(L"log.txt")));
}

TEST_F(LoginDriverTest, OtherAddressesHandNothingOver)
{
    InstallClient();
    for (const wchar_t* url : {L"https://login.voskar.example/vosk/index.php", L"about:blank",
                               L"https://h/openapi/ly/dy/login?isAdult=1&needCode=1&qid=Q"})
        EXPECT_EQ(RunDriver({L"redirect", url}), "no quit\n");
    EXPECT_FALSE(FileExists(m_work.File(L"log.txt")));
    EXPECT_EQ(ClientCommandLine(500), "");
}

TEST_F(LoginDriverTest, AClientThatCannotStartIsReportedAndStillQuits)
{
    WriteWholeFile(m_launcher.File(L"tarvo_vk_launch.exe"), "not a program");
    EXPECT_EQ(RunDriver({L"payload", kPayload}), std::string(kStartFailed) + "quit 16\n");
    // The bad file stays: it is the user's, not a download of ours.
    EXPECT_EQ(ReadWholeFile(m_launcher.File(L"tarvo_vk_launch.exe")), "not a program");
}

TEST_F(LoginDriverTest, ADirectoryInTheClientsPlaceCountsAsPresent)
{
    LoopbackHttpServer server;
    ASSERT_TRUE(CreateDirectoryW(m_launcher.File(L"tarvo_vk_launch.exe").c_str(), nullptr));
    EXPECT_EQ(RunDriver({L"--download-url", server.Url("/client.exe"), L"payload", kPayload}),
              std::string(kStartFailed) + "quit 16\n");
    EXPECT_EQ(server.RequestCount(), 0);
}

TEST_F(LoginDriverTest, ALauncherPathTheCodePageCannotHoldFailsToStart)
{
    if (GetACP() == 936)
        GTEST_SKIP() << "needs a code page without Chinese characters";
    const std::wstring dir = m_launcher.File(L"启动器");
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
    CopyFileOrThrow(m_launcher.File(L"login_driver.exe"), dir + L"\\login_driver.exe");
    CopyFileOrThrow(ExecutableDirectory() + L"\\fake_client.exe", dir + L"\\tarvo_vk_launch.exe");
    const ChildResult result = RunChild(dir + L"\\login_driver.exe", {L"payload", kPayload}, m_work.Path());
    EXPECT_EQ(result.output, std::string(kStartFailed) + "quit 16\n");
    EXPECT_FALSE(FileExists(dir + L"\\client-commandline.txt"));
}

TEST_F(LoginDriverTest, ChineseValuesReachTheClientThroughTheAnsiCodePage)
{
    // The process's ANSI code page comes from the locale Wine was started
    // in: ctest runs this test a second time with LC_ALL=zh_CN.UTF-8.
    if (GetACP() != 936)
        GTEST_SKIP() << "needs ANSI code page 936";
    InstallClient();
    EXPECT_EQ(RunDriver({L"payload", LR"({"uid":"玩家","token":"令牌","server_id":"12","sign":"S"})"}), "quit 16\n");
    EXPECT_EQ(ClientCommandLine(), "\"" + ExpectedClientPath() + "\" ,id^玩家,auth_key^令牌&12&0&S");
    EXPECT_EQ(Trace().substr(Trace().size() - 13), "\xC1\xEE\xC5\xC6&12&0&S\r\n");
}

}  // namespace
