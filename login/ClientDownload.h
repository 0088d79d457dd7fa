#pragma once
// Downloading a missing game client. The body is written to a temporary
// file beside the client and moved into place only when it is complete, so
// a failed download never leaves a broken client behind.

#include "framework/AfxString.h"

#include <windows.h>

#include <atomic>
#include <mutex>

struct DownloadResult {
    bool succeeded = false;
    // What failed, in the user's words (Chinese); empty on success and when
    // the user cancelled.
    CString failure;
    bool cancelled = false;
};

// The address the client is downloaded from: the configured one unless a
// test tool has set another for this process.
const CString& ClientDownloadUrl();
void SetClientDownloadUrl(const CString& url);

// How long connecting, sending or receiving may wait without progress
// before the download fails: 30 s unless a test tool has set another.
DWORD ClientDownloadTimeoutMs();
void SetClientDownloadTimeoutMs(DWORD milliseconds);

// One download, which may run on a worker thread while another thread
// watches its progress and may cancel it.
class ClientDownload {
public:
    ClientDownload(CString url, CString clientPath);
    ClientDownload(const ClientDownload&) = delete;
    ClientDownload& operator=(const ClientDownload&) = delete;

    // The whole download; returns when it completed, failed or was
    // cancelled.
    DownloadResult Run() noexcept;
    // From any thread: ends a running download as soon as possible (a
    // network wait is interrupted).
    void Cancel();

    ULONGLONG Received() const { return m_received; }
    // The Content-Length, or -1 while it is not known or was not sent.
    LONGLONG Total() const { return m_total; }
    const CString& ClientPath() const { return m_clientPath; }

private:
    DownloadResult Transfer();

    CString m_url;
    CString m_clientPath;
    std::atomic<ULONGLONG> m_received{0};
    std::atomic<LONGLONG> m_total{-1};
    std::atomic<bool> m_cancelled{false};

    std::mutex m_requestLock;
    class CHttpFile* m_pRequest = nullptr;  // while a request is open
};

// Where a download keeps the body until it is complete: beside the client,
// named after the process and the download's sequence number in it.
CString GetPartialDownloadPath(const CString& clientPath, DWORD processId, unsigned sequence);
// Deletes partial files that no running download holds (left by a launcher
// that ended in mid-download).
void RemoveStalePartialDownloads(const CString& clientPath);

// A download run to its end on the calling thread.
DownloadResult DownloadGameClient(const CString& url, const CString& clientPath);

// Tells the user why the download failed (a message box, no owner window).
void ReportDownloadFailure(const DownloadResult& result);
