// Downloading a missing client from a real HTTP server on 127.0.0.1, through
// login_driver.exe: a complete body becomes the client and is started; any
// failure leaves nothing behind, tells the user and keeps the windows.

#include "support/DriverFixture.h"
#include "support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kPayload[] = LR"({"uid":"10086","token":"T","server_id":"12","sign":"S"})";
const char kClientPath[] = "/nqel/gamelaunch/tarvo_vk_launch_1.exe";
// Every download shows its progress dialog first.
const char kFailureLead[] = "progress\nmessagebox 【下载失败】 | 下载游戏客户端失败：";
const char kFailureAdvice[] = "\\n请检查网络后重新登录。\nno quit\n";

class ClientDownloadTest : public DriverFixture {
protected:
    std::string Login(const std::wstring& url) { return RunDriver({L"--download-url", url, L"payload", kPayload}); }

    // Only the driver is left in the launcher directory: no client, no
    // partial file.
    void ExpectNothingLeftBehind()
    {
        EXPECT_EQ(ListDirectory(m_launcher.Path()), L"login_driver.exe");
        EXPECT_EQ(ClientCommandLine(300), "");
    }

    void ExpectClientDownloadedAndStarted(const std::string& output)
    {
        EXPECT_EQ(output, "progress\nquit 16\n");
        EXPECT_EQ(ReadWholeFile(m_launcher.File(L"tarvo_vk_launch.exe")), FakeClientBytes());
        EXPECT_FALSE(FileExists(m_launcher.File(L"tarvo_vk_launch.exe.download")));
        EXPECT_EQ(ClientCommandLine(), "\"" + ExpectedClientPath() + "\" ,id^10086,auth_key^T&12&0&S");
    }

    LoopbackHttpServer m_server;
};

TEST_F(ClientDownloadTest, CompleteBodyBecomesTheClient)
{
    m_server.Route(kClientPath, HttpReply{200, FakeClientBytes()});
    ExpectClientDownloadedAndStarted(Login(m_server.Url(kClientPath)));
    EXPECT_EQ(m_server.RequestCount(), 1);

    // The next login finds it and does not download again.
    DeleteFileW(m_launcher.File(L"client-commandline.txt").c_str());
    EXPECT_EQ(Login(m_server.Url(kClientPath)), "quit 16\n");
    EXPECT_EQ(m_server.RequestCount(), 1);
}

TEST_F(ClientDownloadTest, BodyWithoutLengthIsReadToItsEnd)
{
    HttpReply reply{200, FakeClientBytes()};
    reply.sendContentLength = false;
    m_server.Route(kClientPath, reply);
    ExpectClientDownloadedAndStarted(Login(m_server.Url(kClientPath)));
}

TEST_F(ClientDownloadTest, APartialFileLeftByAnEarlierRunIsReplaced)
{
    WriteWholeFile(m_launcher.File(L"tarvo_vk_launch.exe.download"), std::string(1 << 20, 'x'));
    m_server.Route(kClientPath, HttpReply{200, FakeClientBytes()});
    ExpectClientDownloadedAndStarted(Login(m_server.Url(kClientPath)));
}

struct FailureCase {
    const char* name;
    HttpReply reply;
    std::string detail;  // what the message says after its lead
};

class DownloadFailureTest : public ClientDownloadTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DownloadFailureTest, LeavesNothingAndTellsTheUser)
{
    m_server.Route(kClientPath, GetParam().reply);
    EXPECT_EQ(Login(m_server.Url(kClientPath)), kFailureLead + GetParam().detail + kFailureAdvice);
    ExpectNothingLeftBehind();
}

const std::string kBody(300000, 'z');

INSTANTIATE_TEST_SUITE_P(
    Server, DownloadFailureTest,
    ::testing::Values(FailureCase{"NotFound", HttpReply{404, "missing"}, "服务器返回 HTTP 状态 404"},
                      FailureCase{"ServerError", HttpReply{500, ""}, "服务器返回 HTTP 状态 500"},
                      FailureCase{"EmptyBody", HttpReply{200, ""}, "服务器返回的文件是空的"},
                      FailureCase{"ShortBody", HttpReply{200, kBody, true, HttpReply::Fault::ShortBody},
                                  "文件不完整（收到 150000 字节，应为 300000 字节）"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(ClientDownloadTest, ConnectionResetInMidBody)
{
    m_server.Route(kClientPath, HttpReply{200, kBody, true, HttpReply::Fault::ResetMidBody});
    const std::string output = Login(m_server.Url(kClientPath));
    // Whether the reset surfaces as a failed read or as an early end depends
    // on timing; either way the user is told and nothing stays.
    EXPECT_EQ(output.rfind(kFailureLead, 0), 0u) << output;
    EXPECT_NE(output.find(kFailureAdvice), std::string::npos) << output;
    ExpectNothingLeftBehind();
}

TEST_F(ClientDownloadTest, RefusedConnection)
{
    const std::string output = Login(LoopbackHttpServer::RefusedUrl(kClientPath));
    EXPECT_EQ(output.rfind(std::string(kFailureLead) + "网络错误 12029（", 0), 0u) << output;
    EXPECT_NE(output.find(kFailureAdvice), std::string::npos) << output;
    ExpectNothingLeftBehind();
}

TEST_F(ClientDownloadTest, LargeBodiesWithAndWithoutLength)
{
    // A program with data appended still runs: the stand-in client, padded.
    const std::string large = FakeClientBytes() + std::string(24 * 1024 * 1024, 'p');
    for (bool withLength : {true, false}) {
        HttpReply reply{200, large};
        reply.sendContentLength = withLength;
        m_server.Route(kClientPath, reply);
        DeleteFileW(m_launcher.File(L"tarvo_vk_launch.exe").c_str());
        DeleteFileW(m_launcher.File(L"client-commandline.txt").c_str());
        EXPECT_EQ(Login(m_server.Url(kClientPath)), "progress\nquit 16\n") << withLength;
        EXPECT_EQ(ReadWholeFile(m_launcher.File(L"tarvo_vk_launch.exe")) == large, true) << withLength;
        EXPECT_NE(ClientCommandLine(), "") << withLength;
    }
}

TEST_F(ClientDownloadTest, CancelEndsTheDownloadWithoutAMessage)
{
    // 8 MiB at 320 KiB/s: cancelled long before it could end.
    m_server.Route(kClientPath, HttpReply{200, std::string(8 << 20, 'c'), true, HttpReply::Fault::Trickle});
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(RunDriver({L"--download-url", m_server.Url(kClientPath), L"--cancel-download", L"payload", kPayload}),
              "progress\nno quit\n");
    EXPECT_LT(GetTickCount64() - start, 20000u);
    ExpectNothingLeftBehind();
}

TEST_F(ClientDownloadTest, AStalledServerTimesOut)
{
    m_server.Route(kClientPath, HttpReply{200, std::string(1 << 20, 's'), true, HttpReply::Fault::Stall});
    const ULONGLONG start = GetTickCount64();
    const std::string output =
        RunDriver({L"--download-url", m_server.Url(kClientPath), L"--download-timeout", L"1500", L"payload", kPayload});
    EXPECT_LT(GetTickCount64() - start, 20000u);
    EXPECT_EQ(output.rfind(std::string(kFailureLead) + "网络错误 12002", 0), 0u) << output;
    EXPECT_NE(output.find(kFailureAdvice), std::string::npos) << output;
    ExpectNothingLeftBehind();
}

TEST_F(ClientDownloadTest, InvalidAddress)
{
    EXPECT_EQ(Login(L"ftp://127.0.0.1/client.exe"),
              std::string(kFailureLead) + "下载地址无效（ftp://127.0.0.1/client.exe）" + kFailureAdvice);
    ExpectNothingLeftBehind();
}

TEST_F(ClientDownloadTest, FileErrorWhileSaving)
{
    // A directory where the partial file must go cannot be written: the
    // failure is the file system's, whoever runs the test.
    const std::wstring blocker = m_launcher.File(L"tarvo_vk_launch.exe.download");
    ASSERT_TRUE(CreateDirectoryW(blocker.c_str(), nullptr));
    m_server.Route(kClientPath, HttpReply{200, FakeClientBytes()});
    const std::string output = Login(m_server.Url(kClientPath));
    const std::string expected = std::string(kFailureLead) + "无法保存文件 " + ExpectedClientPath() + ".download（";
    EXPECT_EQ(output.rfind(expected, 0), 0u) << output;
    EXPECT_NE(output.find(kFailureAdvice), std::string::npos) << output;
    EXPECT_TRUE(DirectoryExists(blocker));
    EXPECT_FALSE(FileExists(m_launcher.File(L"tarvo_vk_launch.exe")));
    EXPECT_EQ(ClientCommandLine(300), "");
}

}  // namespace
