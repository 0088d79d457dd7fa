#include "login/LoginHandoff.h"

#include "login/GameClient.h"
#include "login/LoginPayload.h"
#include "login/LoginTrace.h"

void SetLaunchParam(CStringA& launchParamStore, const CString& launchParam)
{
    launchParamStore = CStringA(launchParam);
}

bool HandleLoginPayload(const CString& payload, CStringA& launchParamStore, const DownloadRunner& runDownload)
{
    // Called from browser events and script calls: nothing may escape.
    try {
        const CStringA payloadBytes(payload);
        AppendTraceLine(payloadBytes);

        LoginFields fields;
        if (!ParseLoginPayload(payloadBytes, fields))
            return false;

        const CString authKey = BuildAuthKeyText(fields);
        AppendTraceLine(CStringA(authKey));
        SetLaunchParam(launchParamStore, BuildLaunchParam(fields, authKey));
        LaunchGameClient(launchParamStore, runDownload);
        return true;
    } catch (...) {
        // Running out of memory on absurd input is the only known way here;
        // whatever it is, it must not reach the browser or the script.
        return false;
    }
}
