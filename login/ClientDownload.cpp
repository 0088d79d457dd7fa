#include "login/ClientDownload.h"

#include "framework/AfxFile.h"
#include "framework/AfxInet.h"
#include "framework/SystemError.h"
#include "login/ClientExecutable.h"
#include "login/Endpoints.h"

#include <windows.h>

#include <new>
#include <vector>

namespace {

// Fixed read size: the first "available" figure WinINet reports can be tiny
// or 0, which would make the loop crawl or never start.
const UINT kChunkSize = 256 * 1024;

const wchar_t kDownloadFailedCaption[] = L"【下载失败】";
const wchar_t kDownloadFailedLead[] = L"下载游戏客户端失败：";
const wchar_t kDownloadFailedAdvice[] = L"\n请检查网络后重新登录。";

const DWORD kDefaultTimeoutMs = 30 * 1000;

// A partial file untouched for this long belongs to no running download.
const ULONGLONG kStalePartialAge100ns = 10ULL * 60 * 1000 * 1000 * 10;

std::atomic<unsigned> g_downloadSequence{0};

CString& DownloadUrlSetting()
{
    static CString url = LAUNCHER_DOWNLOAD_URL;
    return url;
}

std::atomic<DWORD>& TimeoutSetting()
{
    static std::atomic<DWORD> timeout{kDefaultTimeoutMs};
    return timeout;
}

DownloadResult Failure(const CString& what)
{
    return DownloadResult{false, what};
}

CString Number(ULONGLONG value)
{
    return CString(std::to_wstring(value));
}

CString WithSystemText(CString what, const CString& systemText, DWORD code)
{
    what += L"（";
    what += systemText.IsEmpty() ? CString(L"错误 " + Number(code)) : systemText;
    what += L"）";
    return what;
}

// Deletes the partial file when the download does not complete.
class PartialFile {
public:
    explicit PartialFile(CString path) : m_path(std::move(path)) {}
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;
    ~PartialFile()
    {
        if (m_created)
            DeleteFileW(m_path.c_str());
    }
    void Created() { m_created = true; }
    void Kept() { m_created = false; }
    const CString& Path() const { return m_path; }

private:
    CString m_path;
    bool m_created = false;
};

}  // namespace

const CString& ClientDownloadUrl()
{
    return DownloadUrlSetting();
}

void SetClientDownloadUrl(const CString& url)
{
    DownloadUrlSetting() = url;
}

DWORD ClientDownloadTimeoutMs()
{
    return TimeoutSetting();
}

void SetClientDownloadTimeoutMs(DWORD milliseconds)
{
    TimeoutSetting() = milliseconds;
}

CString GetPartialDownloadPath(const CString& clientPath, DWORD processId, unsigned sequence)
{
    return clientPath + L"." + Number(processId) + L"-" + Number(sequence) + L".download";
}

void RemoveStalePartialDownloads(const CString& clientPath)
{
    const int slash = clientPath.ReverseFind(L'/');
    const CString directory = slash < 0 ? CString() : clientPath.Left(slash + 1);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((clientPath + L".*download").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG nowTicks = (ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const ULONGLONG written =
            (ULONGLONG(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime;
        // A download that is running keeps its file open (and deletion
        // fails); one that has just ended is moving its file into place.
        if (nowTicks > written && nowTicks - written > kStalePartialAge100ns)
            DeleteFileW((directory + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

ClientDownload::ClientDownload(CString url, CString clientPath)
    : m_url(std::move(url)), m_clientPath(std::move(clientPath))
{
}

void ClientDownload::Cancel()
{
    m_cancelled = true;
    std::lock_guard<std::mutex> lock(m_requestLock);
    if (m_pRequest)
        m_pRequest->Abort();
}

DownloadResult ClientDownload::Run() noexcept
{
    // Runs as a thread's start: whatever goes wrong ends as a failed
    // download the user is told about.
    DownloadResult result;
    try {
        result = Transfer();
    } catch (const std::bad_alloc&) {
        result = Failure(L"内存不足");
    } catch (...) {
        result = Failure(L"意外错误");
    }
    if (m_cancelled && !result.succeeded)
        return DownloadResult{false, CString(), true};
    return result;
}

DownloadResult ClientDownload::Transfer()
{
    DWORD service = 0;
    CString server;
    CString object;
    INTERNET_PORT port = 0;
    if (!AfxParseURL(m_url.c_str(), service, server, object, port) ||
        (service != AFX_INET_SERVICE_HTTP && service != AFX_INET_SERVICE_HTTPS))
        return Failure(L"下载地址无效（" + m_url + L"）");

    // Each download writes a file of its own beside the client (so the
    // move into place is a rename on one volume), and two launchers in one
    // folder never share one. Declared before the file so that the file is
    // closed before it is deleted on the way out.
    RemoveStalePartialDownloads(m_clientPath);
    PartialFile partial(GetPartialDownloadPath(m_clientPath, GetCurrentProcessId(), ++g_downloadSequence));
    try {
        CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_PRECONFIG);
        // No wait on the network may last for ever.
        const DWORD timeout = ClientDownloadTimeoutMs();
        session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, timeout);
        session.SetOption(INTERNET_OPTION_SEND_TIMEOUT, timeout);
        session.SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, timeout);
        std::unique_ptr<CHttpConnection> connection = session.GetHttpConnection(server.c_str(), port);
        // Always from the server, and a client of hundreds of megabytes does
        // not belong in the browser cache. Over https the certificate is
        // checked and any error in it fails the download.
        DWORD flags = INTERNET_FLAG_EXISTING_CONNECT | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
        if (service == AFX_INET_SERVICE_HTTPS)
            flags |= INTERNET_FLAG_SECURE;
        std::unique_ptr<CHttpFile> request = connection->OpenRequest(CHttpConnection::HTTP_VERB_GET, object.c_str(),
                                                                     nullptr, 1, nullptr, nullptr, flags);
        // Visible to Cancel while it is open; forgotten before it goes.
        struct RequestRegistration {
            ClientDownload& download;
            RequestRegistration(ClientDownload& owner, CHttpFile* file) : download(owner)
            {
                std::lock_guard<std::mutex> lock(download.m_requestLock);
                download.m_pRequest = file;
                if (download.m_cancelled)
                    file->Abort();
            }
            ~RequestRegistration()
            {
                std::lock_guard<std::mutex> lock(download.m_requestLock);
                download.m_pRequest = nullptr;
            }
        } registration(*this, request.get());
        // Cancelled before the request existed: it is closed already.
        if (m_cancelled)
            return Failure(CString());

        // Set on the request too: not every WinINet passes them down from the
        // session.
        request->SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, timeout);
        request->SetOption(INTERNET_OPTION_SEND_TIMEOUT, timeout);
        request->SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, timeout);
        request->SendRequest();
        DWORD status = 0;
        if (!request->QueryInfoStatusCode(status))
            throw CInternetException(GetLastError());
        if (status != 200)
            return Failure(L"服务器返回 HTTP 状态 " + Number(status));
        const std::optional<ULONGLONG> expected = request->QueryContentLength();
        if (expected)
            m_total = static_cast<LONGLONG>(*expected);

        CFile file(partial.Path(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        partial.Created();
        std::vector<char> buffer(kChunkSize);
        ULONGLONG received = 0;
        while (const UINT count = request->Read(buffer.data(), kChunkSize)) {
            file.Write(buffer.data(), count);
            received += count;
            m_received = received;
            if (m_cancelled)
                return Failure(CString());
        }
        file.Close();

        if (received == 0)
            return Failure(L"服务器返回的文件是空的");
        if (expected && received != *expected)
            return Failure(L"文件不完整（收到 " + Number(received) + L" 字节，应为 " + Number(*expected) + L" 字节）");
        // Only a complete program is ever put in place: anything else would
        // fail to start now and at every later login.
        const ExecutableCheck check = CheckExecutableFile(partial.Path());
        if (!check.complete)
            return Failure(check.problem);
        if (!MoveFileExW(partial.Path().c_str(), m_clientPath.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            const DWORD error = GetLastError();
            // Another launcher in this folder has just moved its client into
            // place (whole, so complete) and started it: start that one.
            if (CheckExecutableFile(m_clientPath).complete)
                return DownloadResult{true, CString()};
            throw CFileException(error, m_clientPath);
        }
        partial.Kept();
        return DownloadResult{true, CString()};
    } catch (const CInternetException& e) {
        // A wait that timed out is reported as WinINet's timeout, whichever
        // layer noticed it.
        const DWORD error = e.m_dwError == WSAETIMEDOUT ? ERROR_INTERNET_TIMEOUT : e.m_dwError;
        return Failure(WithSystemText(L"网络错误 " + Number(error), SystemErrorText(error), error));
    } catch (const CFileException& e) {
        return Failure(WithSystemText(L"无法保存文件 " + e.m_strFileName, e.GetErrorMessage(), e.m_lOsError));
    }
}

DownloadResult DownloadGameClient(const CString& url, const CString& clientPath)
{
    return ClientDownload(url, clientPath).Run();
}

void ReportDownloadFailure(const DownloadResult& result)
{
    const CString text = kDownloadFailedLead + result.failure + kDownloadFailedAdvice;
    MessageBoxW(nullptr, text.c_str(), kDownloadFailedCaption, MB_OK | MB_ICONERROR);
}
