// Times the launcher's client download (on this thread, and on its worker
// with the progress dialog shown) against a plain WinINet loop with 256 KiB
// reads, all saving to a file in DIR:
//
//   download_bench.exe URL DIR [ROUNDS]
//
// Prints one line per method with the best of ROUNDS: "NAME BYTES SECONDS".

#include "framework/AfxString.h"
#include "login/ClientDownload.h"
#include "windows/DownloadProgressDlg.h"

#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

ULONGLONG FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The reference: the simplest loop WinINet allows.
ULONGLONG PlainWinInetDownload(const std::wstring& url, const std::wstring& target)
{
    HINTERNET session = InternetOpenW(L"bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET request =
        InternetOpenUrlW(session, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::vector<char> buffer(256 * 1024);
    ULONGLONG total = 0;
    DWORD read = 0;
    while (request && InternetReadFile(request, buffer.data(), static_cast<DWORD>(buffer.size()), &read) && read) {
        DWORD written = 0;
        WriteFile(file, buffer.data(), read, &written, nullptr);
        total += read;
    }
    CloseHandle(file);
    if (request)
        InternetCloseHandle(request);
    InternetCloseHandle(session);
    return total;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fputs("usage: download_bench URL DIR [ROUNDS]\n", stderr);
        return 2;
    }
    const std::wstring url = argv[1];
    const std::wstring dir = argv[2];
    const int rounds = argc > 3 ? _wtoi(argv[3]) : 3;
    const std::wstring ours = dir + L"\\tarvo_vk_launch.exe";
    const std::wstring plain = dir + L"\\plain.bin";

    double bestOurs = 1e9;
    double bestPlain = 1e9;
    double bestProgress = 1e9;
    ULONGLONG bytesProgress = 0;
    ULONGLONG bytesOurs = 0;
    ULONGLONG bytesPlain = 0;
    // Interleaved, and alternating which of a pair goes first, so neither
    // always follows the other's writes.
    for (int round = 0; round < rounds * 2; ++round) {
        LARGE_INTEGER start, end;
        const bool oursNow = (round % 2 == 0) != ((round / 2) % 2 == 1);
        if (oursNow) {
            DeleteFileW(ours.c_str());
            QueryPerformanceCounter(&start);
            const DownloadResult result = DownloadGameClient(url, ours);
            QueryPerformanceCounter(&end);
            if (!result.succeeded) {
                fprintf(stderr, "download failed: %s\n", ToUtf8(result.failure).c_str());
                return 1;
            }
            bytesOurs = FileSize(ours);
            bestOurs = std::min(bestOurs, Seconds(start, end));
        } else {
            QueryPerformanceCounter(&start);
            bytesPlain = PlainWinInetDownload(url, plain);
            QueryPerformanceCounter(&end);
            bestPlain = std::min(bestPlain, Seconds(start, end));
        }
    }
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start, end;
        DeleteFileW(ours.c_str());
        QueryPerformanceCounter(&start);
        const DownloadResult result = RunDownloadWithProgress(url, ours);
        QueryPerformanceCounter(&end);
        if (!result.succeeded) {
            fprintf(stderr, "download with progress failed: %s\n", ToUtf8(result.failure).c_str());
            return 1;
        }
        bytesProgress = FileSize(ours);
        bestProgress = std::min(bestProgress, Seconds(start, end));
    }
    DeleteFileW(ours.c_str());
    DeleteFileW(plain.c_str());
    printf("launcher %llu %.3f\n", bytesOurs, bestOurs);
    printf("wininet %llu %.3f\n", bytesPlain, bestPlain);
    printf("progress %llu %.3f\n", bytesProgress, bestProgress);
    return 0;
}
