#include "framework/AfxInet.h"

#include "framework/ModuleFileName.h"

#include <cwchar>

namespace {

[[noreturn]] void ThrowLastInternetError()
{
    const DWORD error = GetLastError();
    throw CInternetException(error ? error : ERROR_INTERNET_INTERNAL_ERROR);
}

CString ProgramName()
{
    CString name = AfxGetModuleFileName();
    if (name.IsEmpty())
        return L"launcher";
    const int slash = static_cast<int>(name.find_last_of(L"\\/"));
    if (slash >= 0)
        name = name.Mid(slash + 1);
    const int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

}  // namespace

BOOL AfxParseURL(const wchar_t* url, DWORD& serviceType, CString& server, CString& object, INTERNET_PORT& port)
{
    serviceType = 0;
    server.clear();
    object.clear();
    port = 0;
    if (!url || !*url)
        return FALSE;

    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwSchemeLength = 1;
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(url, 0, 0, &parts) || parts.dwHostNameLength == 0)
        return FALSE;

    switch (parts.nScheme) {
    case INTERNET_SCHEME_HTTP: serviceType = AFX_INET_SERVICE_HTTP; break;
    case INTERNET_SCHEME_HTTPS: serviceType = AFX_INET_SERVICE_HTTPS; break;
    case INTERNET_SCHEME_FTP: serviceType = AFX_INET_SERVICE_FTP; break;
    default: serviceType = 0; break;
    }
    server.assign(parts.lpszHostName, parts.dwHostNameLength);
    if (parts.lpszUrlPath)
        object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo)
        object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (object.empty())
        object = L"/";
    port = parts.nPort;
    return serviceType != 0;
}

CInternetSession::CInternetSession(const wchar_t* agent, DWORD_PTR context, DWORD accessType, const wchar_t* proxyName,
                                   const wchar_t* proxyBypass, DWORD flags)
    : m_dwContext(context)
{
    const CString defaultAgent = agent ? CString() : ProgramName();
    m_hSession.Reset(InternetOpenW(agent ? agent : defaultAgent.c_str(), accessType, proxyName, proxyBypass, flags));
    if (!m_hSession)
        ThrowLastInternetError();
}

void CInternetSession::SetOption(DWORD option, DWORD value)
{
    if (!InternetSetOptionW(m_hSession.Get(), option, &value, sizeof(value)))
        ThrowLastInternetError();
}

std::unique_ptr<CHttpConnection> CInternetSession::GetHttpConnection(const wchar_t* server, INTERNET_PORT port,
                                                                     const wchar_t* userName, const wchar_t* password)
{
    HINTERNET connection =
        InternetConnectW(m_hSession.Get(), server, port, userName, password, INTERNET_SERVICE_HTTP, 0, m_dwContext);
    if (!connection)
        ThrowLastInternetError();
    return std::unique_ptr<CHttpConnection>(new CHttpConnection(connection));
}

std::unique_ptr<CHttpFile> CHttpConnection::OpenRequest(int verb, const wchar_t* objectName, const wchar_t* referer,
                                                        DWORD_PTR context, const wchar_t** acceptTypes,
                                                        const wchar_t* version, DWORD flags)
{
    HINTERNET request = HttpOpenRequestW(m_hConnection.Get(), verb == HTTP_VERB_POST ? L"POST" : L"GET", objectName,
                                         version, referer, acceptTypes, flags, context);
    if (!request)
        ThrowLastInternetError();
    return std::unique_ptr<CHttpFile>(new CHttpFile(request));
}

void CHttpFile::Abort()
{
    if (HINTERNET request = m_hRequest.exchange(nullptr))
        InternetCloseHandle(request);
}

HINTERNET CHttpFile::Handle() const
{
    HINTERNET request = m_hRequest.load();
    if (!request)
        throw CInternetException(ERROR_INTERNET_OPERATION_CANCELLED);
    return request;
}

void CHttpFile::SetOption(DWORD option, DWORD value)
{
    if (!InternetSetOptionW(Handle(), option, &value, sizeof(value)))
        ThrowLastInternetError();
}

void CHttpFile::SendRequest()
{
    if (!HttpSendRequestW(Handle(), nullptr, 0, nullptr, 0))
        ThrowLastInternetError();
}

BOOL CHttpFile::QueryInfoStatusCode(DWORD& statusCode) const
{
    DWORD size = sizeof(statusCode);
    return HttpQueryInfoW(m_hRequest.load(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &statusCode, &size,
                          nullptr);
}

std::optional<ULONGLONG> CHttpFile::QueryContentLength() const
{
    wchar_t text[32] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    if (!HttpQueryInfoW(m_hRequest.load(), HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return std::nullopt;
    wchar_t* end = nullptr;
    const ULONGLONG value = std::wcstoull(text, &end, 10);
    if (end == text || *end != L'\0')
        return std::nullopt;
    return value;
}

UINT CHttpFile::Read(void* buffer, UINT count)
{
    DWORD read = 0;
    if (!InternetReadFile(Handle(), buffer, count, &read))
        ThrowLastInternetError();
    return read;
}
