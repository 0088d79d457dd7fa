#include "login/LoginHandoff.h"
#include "login/LoginPayload.h"
#include "login/LoginTrace.h"
#include "support/TempDir.h"
#include "support/ThreadCodePage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct PayloadCase {
    std::string payload;
    std::wstring authKey;  // empty with launchParam empty: rejected
    std::wstring launchParam;
};

class LoginPayloadTest : public ::testing::TestWithParam<PayloadCase> {};

TEST_P(LoginPayloadTest, BuildsAuthKeyAndLaunchParam)
{
    const PayloadCase& c = GetParam();
    LoginFields fields;
    const bool parsed = ParseLoginPayload(c.payload, fields);
    ASSERT_EQ(parsed, !c.launchParam.empty()) << c.payload;
    if (!parsed)
        return;
    const CString authKey = BuildAuthKeyText(fields);
    EXPECT_EQ(std::wstring(authKey), c.authKey);
    EXPECT_EQ(std::wstring(BuildLaunchParam(fields, authKey)), c.launchParam);
}

const std::string kBase = R"("uid":"10086","token":"T","server_id":"12","sign":"S")";

INSTANTIATE_TEST_SUITE_P(
    Accepted, LoginPayloadTest,
    ::testing::Values(
        PayloadCase{"{" + kBase + "}", L"T&12&0&S", L" ,id^10086,auth_key^T&12&0&S"},
        PayloadCase{R"({"sign":"S","other":"O","server_id":"12","token":"T","uid":"10086","extra":[1]})", L"T&12&O&S",
                    L" ,id^10086,auth_key^T&12&O&S"},
        PayloadCase{R"({"uid":"","token":"","server_id":"","other":"","sign":""})", L"&&&", L" ,id^,auth_key^&&&"},
        PayloadCase{"{" + kBase + R"(,"other":7})", L"T&12&0&S", L" ,id^10086,auth_key^T&12&0&S"},
        PayloadCase{"{" + kBase + R"(,"other":null})", L"T&12&0&S", L" ,id^10086,auth_key^T&12&0&S"},
        PayloadCase{"{" + kBase + R"(,"other":{"a":"b"}})", L"T&12&0&S", L" ,id^10086,auth_key^T&12&0&S"},
        PayloadCase{"{" + kBase + R"(,"other":""})", L"T&12&&S", L" ,id^10086,auth_key^T&12&&S"},
        PayloadCase{"{ // login\n" + kBase + " /* done */ }", L"T&12&0&S", L" ,id^10086,auth_key^T&12&0&S"},
        PayloadCase{R"({"uid":"a b,c^","token":"t&u","server_id":"1 2","sign":"s\u0041"})", L"t&u&1 2&0&sA",
                    L" ,id^a b,c^,auth_key^t&u&1 2&0&sA"}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, LoginPayloadTest,
    ::testing::Values(PayloadCase{"", L"", L""}, PayloadCase{"not json", L"", L""},
                      PayloadCase{R"(["uid","token"])", L"", L""}, PayloadCase{R"("text")", L"", L""},
                      PayloadCase{R"({"token":"T","server_id":"12","sign":"S"})", L"", L""},
                      PayloadCase{R"({"uid":10086,"token":"T","server_id":"12","sign":"S"})", L"", L""},
                      PayloadCase{R"({"uid":"1","token":"T","server_id":"12","sign":null})", L"", L""},
                      PayloadCase{R"({"uid":"1","token":["T"],"server_id":"12","sign":"S"})", L"", L""},
                      PayloadCase{"{" + kBase, L"", L""}, PayloadCase{std::string(100000, '['), L"", L""}));

TEST(LoginPayloadTest, ChineseValuesUseTheThreadCodePage)
{
    ThreadLocaleScope chinese(kChineseSimplified);
    // What a script hands over is wide; conversions go through code page 936.
    const CString payload = LR"({"uid":"玩家","token":"T","server_id":"12","sign":"S","other":"中文"})";
    LoginFields fields;
    ASSERT_TRUE(ParseLoginPayload(CStringA(payload), fields));
    EXPECT_EQ(std::string(fields.uid), "\xCD\xE6\xBC\xD2");
    const CString authKey = BuildAuthKeyText(fields);
    EXPECT_EQ(std::wstring(authKey), L"T&12&中文&S");

    CStringA stored = "previous";
    SetLaunchParam(stored, BuildLaunchParam(fields, authKey));
    EXPECT_EQ(std::string(stored), " ,id^\xCD\xE6\xBC\xD2,auth_key^T&12&\xD6\xD0\xCE\xC4&S");
}

// The trace file lies in the working directory: each test runs in its own.
class TraceFileTest : public ::testing::Test {
protected:
    std::string Trace() const { return ReadWholeFile(m_dir.File(L"log.txt")); }

    TempDir m_dir;
    WorkingDirectory m_workingDirectory{m_dir.Path()};
};

TEST_F(TraceFileTest, AppendsLinesInTextMode)
{
    AppendTraceLine("first");
    AppendTraceLine("");
    AppendTraceLine(CStringA(std::string("with\0nul", 8)));
    EXPECT_EQ(Trace(), std::string("first\r\n\r\nwith\0nul\r\n", 19));
}

TEST_F(TraceFileTest, RejectedPayloadWritesOnlyItself)
{
    CStringA stored = "kept";
    EXPECT_FALSE(HandleLoginPayload(L"not json", stored));
    EXPECT_FALSE(HandleLoginPayload(L"", stored));
    EXPECT_FALSE(HandleLoginPayload(L"[\"array\"]", stored));
    EXPECT_EQ(Trace(), "not json\r\n\r\n[\"array\"]\r\n");
    EXPECT_EQ(std::string(stored), "kept");
}

TEST_F(TraceFileTest, UnwritableTraceIsSkipped)
{
    // A directory in the file's place cannot be opened as the trace.
    ASSERT_TRUE(CreateDirectoryW(m_dir.File(L"log.txt").c_str(), nullptr));
    CStringA stored;
    EXPECT_FALSE(HandleLoginPayload(L"still handled", stored));
    EXPECT_TRUE(DirectoryExists(m_dir.File(L"log.txt")));
}

TEST_F(TraceFileTest, WritesTheThreadCodePage)
{
    ThreadLocaleScope chinese(kChineseSimplified);
    CStringA stored;
    HandleLoginPayload(L"中文", stored);
    EXPECT_EQ(Trace(), "\xD6\xD0\xCE\xC4\r\n");
}

}  // namespace
