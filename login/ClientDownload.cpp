#include "login/ClientDownload.h"

#include "framework/AfxFile.h"
#include "framework/AfxInet.h"
#include "login/Endpoints.h"

#include <windows.h>

#include <vector>

namespace {

// Fixed read size: the first "available" figure WinINet reports can be tiny
// or 0, which would make the loop crawl or never start.
const UINT kChunkSize = 256 * 1024;

const wchar_t kDownloadFailedCaption[] = L"【下载失败】";
const wchar_t kDownloadFailedLead[] = L"下载游戏客户端失败：";
const wchar_t kDownloadFailedAdvice[] = L"\n请检查网络后重新登录。";

CString& DownloadUrlSetting()
{
    static CString url = LAUNCHER_DOWNLOAD_URL;
    return url;
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

CString GetPartialDownloadPath(const CString& clientPath)
{
    return clientPath + L".download";
}

DownloadResult DownloadGameClient(const CString& url, const CString& clientPath)
{
    DWORD service = 0;
    CString server;
    CString object;
    INTERNET_PORT port = 0;
    if (!AfxParseURL(url.c_str(), service, server, object, port) || service != INTERNET_SERVICE_HTTP)
        return Failure(L"下载地址无效（" + url + L"）");

    // Declared before the file so that the file is closed before it is
    // deleted on the way out.
    PartialFile partial(GetPartialDownloadPath(clientPath));
    try {
        CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_PRECONFIG);
        std::unique_ptr<CHttpConnection> connection = session.GetHttpConnection(server.c_str(), port);
        // Always from the server, and a client of hundreds of megabytes does
        // not belong in the browser cache.
        std::unique_ptr<CHttpFile> request = connection->OpenRequest(
            CHttpConnection::HTTP_VERB_GET, object.c_str(), nullptr, 1, nullptr, nullptr,
            INTERNET_FLAG_EXISTING_CONNECT | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE);
        request->SendRequest();
        DWORD status = 0;
        if (!request->QueryInfoStatusCode(status))
            throw CInternetException(GetLastError());
        if (status != 200)
            return Failure(L"服务器返回 HTTP 状态 " + Number(status));
        const std::optional<ULONGLONG> expected = request->QueryContentLength();

        CFile file(partial.Path(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        partial.Created();
        std::vector<char> buffer(kChunkSize);
        ULONGLONG received = 0;
        while (const UINT count = request->Read(buffer.data(), kChunkSize)) {
            file.Write(buffer.data(), count);
            received += count;
        }
        file.Close();

        if (received == 0)
            return Failure(L"服务器返回的文件是空的");
        if (expected && received != *expected)
            return Failure(L"文件不完整（收到 " + Number(received) + L" 字节，应为 " + Number(*expected) + L" 字节）");
        if (!MoveFileExW(partial.Path().c_str(), clientPath.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throw CFileException(GetLastError(), clientPath);
        partial.Kept();
        return DownloadResult{true, CString()};
    } catch (const CInternetException& e) {
        return Failure(WithSystemText(L"网络错误 " + Number(e.m_dwError), e.GetErrorMessage(), e.m_dwError));
    } catch (const CFileException& e) {
        return Failure(WithSystemText(L"无法保存文件 " + e.m_strFileName, e.GetErrorMessage(), e.m_lOsError));
    }
}

void ReportDownloadFailure(const DownloadResult& result)
{
    const CString text = kDownloadFailedLead + result.failure + kDownloadFailedAdvice;
    MessageBoxW(nullptr, text.c_str(), kDownloadFailedCaption, MB_OK | MB_ICONERROR);
}
