#include "login/RedirectCapture.h"
#include "support/ThreadCodePage.h"

#include <gtest/gtest.h>
#include <json/reader.h>

#include <string>
#include <vector>

namespace {

struct SplitCase {
    const char* source;
    const char* delimiter;
    std::vector<std::string> pieces;
};

class SplitStringTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitStringTest, DropsEmptyPieces)
{
    const SplitCase& c = GetParam();
    std::vector<CStringA> pieces;
    SplitString(c.source, c.delimiter, pieces);
    EXPECT_EQ(std::vector<std::string>(pieces.begin(), pieces.end()), c.pieces);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitStringTest,
                         ::testing::Values(SplitCase{"a&&b&", "&", {"a", "b"}}, SplitCase{"&a", "&", {"a"}},
                                           SplitCase{"&&", "&", {}}, SplitCase{"", "&", {}},
                                           SplitCase{"abc", "&", {"abc"}}, SplitCase{"pid=1=2", "=", {"pid", "1", "2"}},
                                           SplitCase{"pid==2", "=", {"pid", "2"}}, SplitCase{"=5", "=", {"5"}},
                                           SplitCase{"pid=", "=", {"pid"}}, SplitCase{"a::b", "::", {"a", "b"}}));

TEST(SplitStringTest, AppendsToWhatTheListHolds)
{
    std::vector<CStringA> pieces{"x"};
    SplitString("a&b", "&", pieces);
    EXPECT_EQ(std::vector<std::string>(pieces.begin(), pieces.end()), (std::vector<std::string>{"x", "a", "b"}));
}

const std::wstring kRedirect = L"https://login.voskar.example/openapi/ly/dy/login?isAdult=1";
const std::string kToken = "\"token\":\"qzT4k29w\"";

struct RedirectCase {
    std::wstring url;
    bool matched;
    std::string json;
};

class BuildLoginJsonTest : public ::testing::TestWithParam<RedirectCase> {};

TEST_P(BuildLoginJsonTest, BuildsTheLoginText)
{
    const RedirectCase& c = GetParam();
    CStringA json = "untouched";
    EXPECT_EQ(BuildLoginJsonFromUrl(c.url, json), c.matched);
    if (c.matched) {
        EXPECT_EQ(std::string(json), c.json);
        Json::Value root;
        EXPECT_TRUE(Json::Reader().parse(json, root)) << json;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildLoginJsonTest,
    ::testing::Values(
        RedirectCase{kRedirect + L"&pid=P&server_id=S&qid=Q&time=T&sign=G", true,
                     "{\"pid\":\"P\",\"server_id\":\"S\",\"uid\":\"Q\",\"sign\":\"G\"," + kToken + "}"},
        RedirectCase{L"https://login.voskar.example/vosk/index.php", false, ""},
        RedirectCase{L"about:blank", false, ""},
        RedirectCase{L"https://h/openapi/ly/dy/login?isadult=1&pid=P", false, ""},
        RedirectCase{L"https://h/x?needCode=1&r=/openapi/ly/dy/login?isAdult=1&pid=P", false, ""},
        RedirectCase{kRedirect + L"&pid=P&needCode=0", false, ""}, RedirectCase{kRedirect, true, "{" + kToken + "}"},
        RedirectCase{kRedirect + L"&pid=&pid&=5", true, "{" + kToken + "}"},
        RedirectCase{kRedirect + L"&pidx=1&qid_old=9&signature=Z", true,
                     "{\"pidx\":\"1\",\"uid\":\"9\",\"signature\":\"Z\"," + kToken + "}"},
        RedirectCase{kRedirect + L"&pid=1=2", true, "{\"pid\":\"1\"," + kToken + "}"},
        RedirectCase{kRedirect + L"&pid=1&&server_id=2&", true, "{\"pid\":\"1\",\"server_id\":\"2\"," + kToken + "}"},
        RedirectCase{kRedirect + L"&sign=G&sign=H", true, "{\"sign\":\"G\",\"sign\":\"H\"," + kToken + "}"},
        RedirectCase{kRedirect + L"&pid=a%20b+c", true, "{\"pid\":\"a%20b+c\"," + kToken + "}"},
        RedirectCase{kRedirect + L"&time=1&other=2&uid=3", true, "{" + kToken + "}"},
        // Quotes, backslashes and control characters are escaped: the text
        // stays valid JSON and a value cannot add members.
        RedirectCase{kRedirect + L"&qid=x\",\"uid\":\"evil", true,
                     "{\"uid\":\"x\\\",\\\"uid\\\":\\\"evil\"," + kToken + "}"},
        RedirectCase{kRedirect + L"&sign=a\\b&pid=t\tab\x01", true,
                     "{\"sign\":\"a\\\\b\",\"pid\":\"t\\u0009ab\\u0001\"," + kToken + "}"},
        RedirectCase{kRedirect + L"&pid\"x=1", true, "{\"pid\\\"x\":\"1\"," + kToken + "}"}));

TEST(BuildLoginJsonTest, EscapedValuesParseBackExactly)
{
    CStringA json;
    ASSERT_TRUE(BuildLoginJsonFromUrl(kRedirect + L"&qid=a\"b\\c\nd&sign=\",\"token\":\"forged", json));
    Json::Value root;
    ASSERT_TRUE(Json::Reader().parse(json, root));
    EXPECT_EQ(root["uid"].asString(), "a\"b\\c\nd");
    EXPECT_EQ(root["sign"].asString(), "\",\"token\":\"forged");
    EXPECT_EQ(root["token"].asString(), "qzT4k29w");
    EXPECT_EQ(root.size(), 3u);
}

TEST(BuildLoginJsonTest, UsesTheThreadCodePage)
{
    ThreadLocaleScope chinese(kChineseSimplified);
    CStringA json;
    ASSERT_TRUE(BuildLoginJsonFromUrl(kRedirect + L"&qid=\x4E2D\x6587", json));
    EXPECT_EQ(std::string(json), "{\"uid\":\"\xD6\xD0\xCE\xC4\"," + kToken + "}");
    // The text handed on is widened with the same code page.
    EXPECT_NE(CString(json).Find(L"\x4E2D\x6587"), -1);
}

TEST(BuildLoginJsonTest, GbkTrailBackslashSurvivesTheRoundTrip)
{
    // U+4E57 is 81 5C in GBK: its second byte is a backslash, which the
    // escaping doubles and the parser turns back into one byte.
    ThreadLocaleScope chinese(kChineseSimplified);
    CStringA json;
    ASSERT_TRUE(BuildLoginJsonFromUrl(kRedirect + L"&qid=\x4E57", json));
    EXPECT_EQ(std::string(json), "{\"uid\":\"\x81\\\\\"," + kToken + "}");
    Json::Value root;
    ASSERT_TRUE(Json::Reader().parse(json, root));
    EXPECT_EQ(CString(CStringA(root["uid"].asString())), L"\x4E57");
}

}  // namespace
