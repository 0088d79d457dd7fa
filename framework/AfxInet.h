#pragma once
// HTTP over WinINet: a session, a connection to one server, and a request
// read like a file. Failures raise CInternetException with the WinINet or
// Win32 error code.

#include "framework/AfxString.h"
#include "framework/ScopedHandle.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <memory>
#include <optional>

class CInternetException {
public:
    explicit CInternetException(DWORD error) : m_dwError(error) {}

    DWORD m_dwError;
};

// The service types AfxParseURL reports, as the platform numbers them.
const DWORD AFX_INET_SERVICE_FTP = INTERNET_SERVICE_FTP;
const DWORD AFX_INET_SERVICE_HTTP = INTERNET_SERVICE_HTTP;
const DWORD AFX_INET_SERVICE_HTTPS = 0x100B;

// Splits an absolute URL into service, server, object path (with the query)
// and port (the scheme's default when none is given). Returns FALSE for
// anything that is not an absolute http, https or ftp URL.
BOOL AfxParseURL(const wchar_t* url, DWORD& serviceType, CString& server, CString& object, INTERNET_PORT& port);

class CHttpFile;

class CHttpConnection {
public:
    enum { HTTP_VERB_POST = 0, HTTP_VERB_GET = 1 };

    CHttpConnection(const CHttpConnection&) = delete;
    CHttpConnection& operator=(const CHttpConnection&) = delete;

    std::unique_ptr<CHttpFile> OpenRequest(int verb, const wchar_t* objectName, const wchar_t* referer = nullptr,
                                           DWORD_PTR context = 1, const wchar_t** acceptTypes = nullptr,
                                           const wchar_t* version = nullptr,
                                           DWORD flags = INTERNET_FLAG_EXISTING_CONNECT);

private:
    friend class CInternetSession;
    explicit CHttpConnection(HINTERNET connection) : m_hConnection(connection) {}

    ScopedInternetHandle m_hConnection;
};

class CHttpFile {
public:
    CHttpFile(const CHttpFile&) = delete;
    CHttpFile& operator=(const CHttpFile&) = delete;
    ~CHttpFile() { Abort(); }

    // Closes the request; from another thread this ends a send or read
    // that is waiting on the network (it then fails). Safe to call twice.
    void Abort();

    // Options of this request (timeouts and the like).
    void SetOption(DWORD option, DWORD value);
    void SendRequest();
    BOOL QueryInfoStatusCode(DWORD& statusCode) const;
    // The Content-Length the server sent, if it sent one.
    std::optional<ULONGLONG> QueryContentLength() const;
    // Reads up to count bytes; 0 at the end of the response.
    UINT Read(void* buffer, UINT count);

private:
    friend class CHttpConnection;
    explicit CHttpFile(HINTERNET request) : m_hRequest(request) {}

    // The open request; a closed one fails every call (WinINet would take a
    // null handle's options for the whole process).
    HINTERNET Handle() const;

    // Closed by whichever of the owner and an aborting thread comes first.
    std::atomic<HINTERNET> m_hRequest;
};

class CInternetSession {
public:
    // A null agent is the program's own name.
    explicit CInternetSession(const wchar_t* agent = nullptr, DWORD_PTR context = 1,
                              DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG, const wchar_t* proxyName = nullptr,
                              const wchar_t* proxyBypass = nullptr, DWORD flags = 0);
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;
    ~CInternetSession() { Close(); }

    // Timeouts and the like, in WinINet's terms (INTERNET_OPTION_*).
    void SetOption(DWORD option, DWORD value);
    std::unique_ptr<CHttpConnection> GetHttpConnection(const wchar_t* server, INTERNET_PORT port,
                                                       const wchar_t* userName = nullptr,
                                                       const wchar_t* password = nullptr);
    void Close() { m_hSession.Reset(); }

private:
    ScopedInternetHandle m_hSession;
    DWORD_PTR m_dwContext;
};
