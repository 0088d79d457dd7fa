#pragma once
// Downloading a missing game client. The body is written to a temporary
// file beside the client and moved into place only when it is complete, so
// a failed download never leaves a broken client behind.

#include "framework/AfxString.h"

struct DownloadResult {
    bool succeeded = false;
    // What failed, in the user's words (Chinese); empty on success.
    CString failure;
};

// The address the client is downloaded from: the configured one unless a
// test tool has set another for this process.
const CString& ClientDownloadUrl();
void SetClientDownloadUrl(const CString& url);

// Where the body is kept until it is complete.
CString GetPartialDownloadPath(const CString& clientPath);

DownloadResult DownloadGameClient(const CString& url, const CString& clientPath);

// Tells the user why the download failed (a message box, no owner window).
void ReportDownloadFailure(const DownloadResult& result);
