#include "login/RedirectCapture.h"

#include <cstdio>

namespace {

const wchar_t kRedirectMarker[] = L"openapi/ly/dy/login?isAdult";
const wchar_t kNeedsCodeMarker[] = L"needCode=";
const char kTokenMember[] = "\"token\":\"qzT4k29w\"";

struct KeyRule {
    const char* prefix;
    const char* memberName;  // null: the key itself is the member name
};

const KeyRule kKeyRules[] = {
    {"pid", nullptr},
    {"server_id", nullptr},
    {"qid", "uid"},
    {"sign", nullptr},
};

const KeyRule* FindKeyRule(const CStringA& key)
{
    for (const KeyRule& rule : kKeyRules) {
        if (key.compare(0, std::char_traits<char>::length(rule.prefix), rule.prefix) == 0)
            return &rule;
    }
    return nullptr;
}

// Query texts are copied as they stand (no percent decoding), but quotes,
// backslashes and control characters are escaped so that the text stays
// valid JSON and a value can never end its member early.
void AppendJsonStringContent(CStringA& json, const CStringA& text)
{
    for (const char ch : text) {
        const unsigned char byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            json += '\\';
            json += ch;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", byte);
            json += escaped;
        } else {
            json += ch;
        }
    }
}

}  // namespace

void SplitString(const CStringA& source, const CStringA& delimiter, std::vector<CStringA>& pieces)
{
    if (source.empty() || delimiter.empty())
        return;
    size_t start = source.find_first_not_of(delimiter);
    if (start == CStringA::npos)
        return;
    for (;;) {
        const size_t found = source.find(delimiter, start);
        const bool last = found == CStringA::npos;
        CStringA piece = source.substr(start, last ? CStringA::npos : found - start);
        if (!piece.empty())
            pieces.push_back(std::move(piece));
        if (last)
            return;
        start = found + delimiter.size();
    }
}

bool BuildLoginJsonFromUrl(const CString& url, CStringA& json)
{
    if (url.Find(kRedirectMarker) < 0 || url.Find(kNeedsCodeMarker) >= 0)
        return false;

    std::vector<CStringA> pairs;
    SplitString(CStringA(url), "&", pairs);

    json = "{";
    for (const CStringA& pair : pairs) {
        std::vector<CStringA> parts;
        SplitString(pair, "=", parts);
        if (parts.size() < 2)
            continue;
        const CStringA& key = parts[0];
        const CStringA& value = parts[1];
        const KeyRule* rule = FindKeyRule(key);
        if (!rule)
            continue;
        json += '"';
        AppendJsonStringContent(json, rule->memberName ? CStringA(rule->memberName) : key);
        json += "\":\"";
        AppendJsonStringContent(json, value);
        json += "\",";
    }
    json += kTokenMember;
    json += "}";
    return true;
}
