#pragma once
// What a login hand-over does, apart from ending the page's link
// connections (which belong to the page dialog).

#include "framework/AfxString.h"
#include "login/GameClient.h"

// Stores the launch parameter, converted with the thread's ANSI code page.
void SetLaunchParam(CStringA& launchParamStore, const CString& launchParam);

// Traces the payload, parses it, traces the auth key text, stores the launch
// parameter in launchParamStore and launches the client (a missing client
// is downloaded through runDownload). Returns false when
// the payload was rejected (only the first trace line was written). Never
// throws.
bool HandleLoginPayload(const CString& payload, CStringA& launchParamStore,
                        const DownloadRunner& runDownload = DownloadRunner());
