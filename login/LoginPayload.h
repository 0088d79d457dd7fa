#pragma once
// The login payload and the texts built from it.

#include "framework/AfxString.h"

struct LoginFields {
    CStringA uid;
    CStringA token;
    CStringA serverId;
    CStringA other;  // "0" when the payload has no string "other"
    CStringA sign;
};

// Parses the payload text. False when it is not JSON, its top value is not an
// object, or "uid", "token", "server_id" or "sign" is missing or not a string.
// Never throws.
bool ParseLoginPayload(const CStringA& payload, LoginFields& fields);

// token&server_id&other&sign, each value widened with the thread's ANSI code
// page.
CString BuildAuthKeyText(const LoginFields& fields);

// " ,id^" uid ",auth_key^" authKey: the credential line the client receives.
CString BuildLaunchParam(const LoginFields& fields, const CString& authKey);
