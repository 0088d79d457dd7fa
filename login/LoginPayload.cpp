#include "login/LoginPayload.h"

#include <json/reader.h>
#include <json/value.h>

#include <exception>

namespace {

bool ReadRequiredString(const Json::Value& root, const char* key, CStringA& out)
{
    if (!root.isMember(key) || root[key].type() != Json::stringValue)
        return false;
    out = root[key].asCString();
    return true;
}

}  // namespace

bool ParseLoginPayload(const CStringA& payload, LoginFields& fields)
{
    try {
        Json::Reader reader;
        Json::Value root;
        if (!reader.parse(payload, root) || root.type() != Json::objectValue)
            return false;

        LoginFields parsed;
        if (!ReadRequiredString(root, "uid", parsed.uid) || !ReadRequiredString(root, "token", parsed.token) ||
            !ReadRequiredString(root, "server_id", parsed.serverId) || !ReadRequiredString(root, "sign", parsed.sign))
            return false;
        if (!ReadRequiredString(root, "other", parsed.other))
            parsed.other = "0";
        fields = std::move(parsed);
        return true;
    } catch (const std::exception&) {
        // The reader gives up on absurdly deep nesting by throwing.
        return false;
    }
}

CString BuildAuthKeyText(const LoginFields& fields)
{
    CString text = CString(fields.token);
    text += L"&";
    text += CString(fields.serverId);
    text += L"&";
    text += CString(fields.other);
    text += L"&";
    text += CString(fields.sign);
    return text;
}

CString BuildLaunchParam(const LoginFields& fields, const CString& authKey)
{
    CString param = L" ,id^";
    param += CString(fields.uid);
    param += L",auth_key^";
    param += authKey;
    return param;
}
