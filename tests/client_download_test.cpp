// Downloading a missing client from a real HTTP server on 127.0.0.1, through
// login_driver.exe: a complete body becomes the client and is started; any
// failure leaves nothing behind, tells the user and keeps the windows.

#include "support/DriverFixture.h"
#include "support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>

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
        EXPECT_EQ(PartialFiles(), L"");
        EXPECT_EQ(ClientCommandLine(), "\"" + ExpectedClientPath() + "\" ,id^10086,auth_key^T&12&0&S");
    }

    // The partial files in the launcher directory, by name.
    std::wstring PartialFiles() const
    {
        std::wstring names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(m_launcher.File(L"*.download").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
            names += std::wstring(names.empty() ? L"" : L" ") + found.cFileName;
        while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
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

TEST_F(ClientDownloadTest, ChunkedBodyIsReadToItsEnd)
{
    HttpReply reply{200, FakeClientBytes()};
    reply.chunked = true;
    m_server.Route(kClientPath, reply);
    ExpectClientDownloadedAndStarted(Login(m_server.Url(kClientPath)));
}

// Partial files that a launcher ended in mid-download left behind go; one
// written moments ago may belong to a download that is moving it into place.
TEST_F(ClientDownloadTest, StalePartialFilesOfEarlierRunsAreCleanedUp)
{
    FILETIME hourAgo;
    GetSystemTimeAsFileTime(&hourAgo);
    ULARGE_INTEGER ticks{{hourAgo.dwLowDateTime, hourAgo.dwHighDateTime}};
    ticks.QuadPart -= 36000000000ULL;
    hourAgo = FILETIME{ticks.LowPart, ticks.HighPart};
    for (const wchar_t* stale : {L"tarvo_vk_launch.exe.download", L"tarvo_vk_launch.exe.4242-1.download"}) {
        WriteWholeFile(m_launcher.File(stale), std::string(1 << 20, 'x'));
        HANDLE file =
            CreateFileW(m_launcher.File(stale).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, nullptr, nullptr, &hourAgo);
        CloseHandle(file);
    }
    WriteWholeFile(m_launcher.File(L"tarvo_vk_launch.exe.4343-1.download"), "fresh");
    m_server.Route(kClientPath, HttpReply{200, FakeClientBytes()});
    EXPECT_EQ(Login(m_server.Url(kClientPath)), "progress\nquit 16\n");
    EXPECT_EQ(PartialFiles(), L"tarvo_vk_launch.exe.4343-1.download");
}

// Two launchers in one folder, both downloading: each writes its own file,
// and both end by starting a complete client.
TEST_F(ClientDownloadTest, TwoDownloadsIntoOneFolderBothStartAClient)
{
    // Slow enough that the two downloads overlap.
    HttpReply reply{200, FakeClientBytes() + std::string(600 * 1024, 'p'), true, HttpReply::Fault::Trickle};
    m_server.Route(kClientPath, reply);
    std::string secondOutput;
    std::thread second([&] { secondOutput = Login(m_server.Url(kClientPath)); });
    const std::string firstOutput = Login(m_server.Url(kClientPath));
    second.join();
    EXPECT_EQ(firstOutput, "progress\nquit 16\n");
    EXPECT_EQ(secondOutput, "progress\nquit 16\n");
    EXPECT_EQ(m_server.RequestCount(), 2);
    EXPECT_TRUE(ReadWholeFile(m_launcher.File(L"tarvo_vk_launch.exe")) == reply.body);
    EXPECT_EQ(PartialFiles(), L"");
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
    // A directory appears where the client must go while it downloads: the
    // move into place fails, whoever runs the test.
    const std::wstring blocker = m_launcher.File(L"tarvo_vk_launch.exe");
    m_server.Route(kClientPath,
                   HttpReply{200, FakeClientBytes() + std::string(600 * 1024, 'p'), true, HttpReply::Fault::Trickle});
    std::thread block([&] {
        Sleep(500);
        CreateDirectoryW(blocker.c_str(), nullptr);
    });
    const std::string output = Login(m_server.Url(kClientPath));
    block.join();
    const std::string expected = std::string(kFailureLead) + "无法保存文件 " + ExpectedClientPath() + "（";
    EXPECT_EQ(output.rfind(expected, 0), 0u) << output;
    EXPECT_NE(output.find(kFailureAdvice), std::string::npos) << output;
    EXPECT_TRUE(DirectoryExists(blocker));
    EXPECT_EQ(PartialFiles(), L"");
    EXPECT_EQ(ClientCommandLine(300), "");
}

// What a download received must be a complete program before it is put in
// place; anything else is a failed download that leaves nothing behind.
struct IncompleteCase {
    const char* name;
    std::function<HttpReply(const std::string& client)> reply;
    std::string detail;  // how the message goes on after its lead
};

class IncompleteClientTest : public ClientDownloadTest, public ::testing::WithParamInterface<IncompleteCase> {};

TEST_P(IncompleteClientTest, IsNeverPutInPlace)
{
    m_server.Route(kClientPath, GetParam().reply(FakeClientBytes()));
    const std::string output = Login(m_server.Url(kClientPath));
    EXPECT_EQ(output.rfind(kFailureLead + GetParam().detail, 0), 0u) << output;
    EXPECT_NE(output.find(kFailureAdvice), std::string::npos) << output;
    ExpectNothingLeftBehind();
}

// Where a program's section table lies, and its fields.
struct SectionTable {
    explicit SectionTable(const std::string& program)
        : image(program), start(Dword(0x3C) + 24 + Word(Dword(0x3C) + 20)), count(Word(Dword(0x3C) + 6))
    {
    }
    size_t Word(size_t at) const
    {
        return static_cast<unsigned char>(image[at]) | static_cast<unsigned char>(image[at + 1]) << 8;
    }
    size_t Dword(size_t at) const { return Word(at) | Word(at + 2) << 16; }
    // Where the raw data of the sections ends (a program may carry more
    // after it, such as its symbols).
    size_t DataEnd() const
    {
        size_t end = 0;
        for (size_t i = 0; i < count; ++i)
            end = std::max(end, Dword(start + i * 40 + 20) + Dword(start + i * 40 + 16));
        return end;
    }

    const std::string& image;
    size_t start;
    size_t count;
};

// The client with the raw data of its first section pointing far past the
// end of the file.
std::string WithLyingSectionTable(std::string client)
{
    const size_t first = SectionTable(client).start;
    for (size_t i = 0; i < 4; ++i)
        client[first + 20 + i] = static_cast<char>(i == 0 ? 0xF0 : 0xFF);
    return client;
}

const char kNotAClient[] = "收到的文件不是完整的游戏客户端（";

INSTANTIATE_TEST_SUITE_P(
    Bodies, IncompleteClientTest,
    ::testing::Values(IncompleteCase{"NoLengthCut",
                                     [](const std::string& client) {
                                         return HttpReply{200, client, false, HttpReply::Fault::ShortBody};
                                     },
                                     std::string(kNotAClient) + "程序文件不完整：应至少 "},
                      IncompleteCase{"ChunkedCut",
                                     [](const std::string& client) {
                                         HttpReply reply{200, client, false, HttpReply::Fault::ShortBody};
                                         reply.chunked = true;
                                         return reply;
                                     },
                                     std::string(kNotAClient) + "程序文件不完整：应至少 "},
                      IncompleteCase{"CutInsideItsLastSectionButWithAMatchingLength",
                                     [](const std::string& client) {
                                         return HttpReply{200, client.substr(0, SectionTable(client).DataEnd() - 100)};
                                     },
                                     std::string(kNotAClient) + "程序文件不完整：应至少 "},
                      IncompleteCase{"LyingSectionTable",
                                     [](const std::string& client) {
                                         return HttpReply{200, WithLyingSectionTable(client)};
                                     },
                                     std::string(kNotAClient) + "程序文件不完整：应至少 "},
                      IncompleteCase{"SignInPage",
                                     [](const std::string&) {
                                         HttpReply reply{
                                             200, "<!DOCTYPE html>\n<html><head><title>Hotel Wi-Fi</title></head>"
                                                  "<body><form>Room number</form></body></html>\n"};
                                         reply.contentType = "text/html";
                                         return reply;
                                     },
                                     std::string(kNotAClient) + "是一个网页，可能是网络要求先登录）"},
                      IncompleteCase{"ShortText",
                                     [](const std::string&) {
                                         return HttpReply{200, "OK"};
                                     },
                                     std::string(kNotAClient) + "文件只有 2 字节）"}),
    [](const ::testing::TestParamInfo<IncompleteCase>& info) { return std::string(info.param.name); });

}  // namespace
