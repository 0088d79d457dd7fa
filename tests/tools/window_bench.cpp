// Start-up and resource figures of the launcher's windows:
//
//   window_bench.exe startup EXE TITLE [ROUNDS]
//       milliseconds from process start until a visible top-level window
//       titled TITLE is on screen (for a layered window: once its picture
//       was pushed), median of ROUNDS starts
//   window_bench.exe handover [ROUNDS]
//       milliseconds from a login's hand-over (client present beside this
//       program) until the client's process is started, against a bare
//       CreateProcess of the same client, medians of ROUNDS
//   window_bench.exe resources [REPAINTS]
//       GDI objects, kernel handles and private memory of the launcher's
//       windows (run in this process) after start-up, and after REPAINTS
//       hover/press repaints of a button

#include "app/LoginApp.h"
#include "support/LoginWindowsUp.h"
#include "support/ModalProbe.h"
#include "support/ProcessCounters.h"
#include "windows/LoginActiveDlg.h"
#include "windows/LoginDlg.h"
#include "login/GameClient.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double milliseconds = 0;
};

struct WindowSearch {
    DWORD processId;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND hwnd, LPARAM data)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    if (owner != search->processId || !IsWindowVisible(hwnd) || wcscmp(title, search->title) != 0)
        return TRUE;
    // A layered window shows nothing until its picture is pushed, which is
    // the last step of the launcher's start-up.
    const bool layered = GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED;
    RECT rect;
    GetWindowRect(hwnd, &rect);
    if (layered || std::wstring(search->title) != L"Voskar") {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

Started Start(const std::wstring& exe, const wchar_t* title)
{
    Started started;
    LARGE_INTEGER frequency, begin, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exe + L"\"";
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started.process))
        return started;
    WindowSearch search{started.process.dwProcessId, title, nullptr};
    for (int i = 0; i < 20000 && !search.found; ++i) {
        EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1);
    }
    QueryPerformanceCounter(&now);
    started.window = search.found;
    started.milliseconds = 1000.0 * double(now.QuadPart - begin.QuadPart) / double(frequency.QuadPart);
    return started;
}

void Stop(Started& started)
{
    if (started.window)
        PostMessageW(started.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.process.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(started.process.hProcess, 1);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
}

int Startup(const std::wstring& exe, const wchar_t* title, int rounds)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        Started started = Start(exe, title);
        if (!started.window) {
            fprintf(stderr, "no window titled %ls appeared\n", title);
            Stop(started);
            return 1;
        }
        times.push_back(started.milliseconds);
        Stop(started);
    }
    std::sort(times.begin(), times.end());
    printf("startup_ms %.1f\n", times[times.size() / 2]);
    return 0;
}

void PrintResources(const char* when)
{
    printf("%s gdi %d handles %d private_kb %zu\n", when, GdiObjectCount(), KernelHandleCount(),
           PrivateCommittedBytes() / 1024);
    fflush(stdout);
}

// The launcher's own start-up and modal run, in this process, so that its
// objects can be counted.
int Resources(int repaints)
{
    ModalProbe probe(
        [repaints] {
            CLoginDlg* main = static_cast<CLoginDlg*>(theApp.m_pMainWnd);
            CPngButton& button = main->m_pLoginActiveDlg->m_btnClose;
            PumpMessages(300);
            auto repaint = [&button](int times) {
                for (int i = 0; i < times; ++i) {
                    // Hover, press, release outside (no click), leave: each
                    // repaints.
                    button.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
                    UpdateWindow(button.m_hWnd);
                    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                    UpdateWindow(button.m_hWnd);
                    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-40, -40));
                    UpdateWindow(button.m_hWnd);
                    button.SendMessage(WM_MOUSELEAVE, 0, 0);
                    UpdateWindow(button.m_hWnd);
                }
                PumpMessages(100);
            };
            PrintResources("after_startup");
            // The system sets up a few objects of its own at the first hover
            // and press; growth is counted after them.
            repaint(10);
            PrintResources("after_warmup");
            repaint(repaints);
            PrintResources("after_repaints");
            main->SendMessage(WM_CLOSE);
        },
        100, LoginWindowsUp);
    theApp.InitInstance();
    return theApp.ExitInstance();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

int Handover(int rounds)
{
    const CString payload = LR"({"uid":"10086","token":"T","server_id":"12","sign":"S"})";
    const CString client = GetClientPath();
    std::vector<double> handovers;
    std::vector<double> bare;
    std::vector<double> waited;
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER start, end;
        {
            CLoginActiveDlg dialog;
            QueryPerformanceCounter(&start);
            dialog.HandleAppLogin(payload);
            QueryPerformanceCounter(&end);
        }
        handovers.push_back(Milliseconds(start, end));
        MSG quit;
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);

        std::wstring commandLine = L"\"" + client + L"\" ,id^10086,auth_key^T&12&0&S";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        QueryPerformanceCounter(&start);
        const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                            &startup, &process);
        QueryPerformanceCounter(&end);
        if (!started) {
            fputs("the client did not start\n", stderr);
            return 1;
        }
        bare.push_back(Milliseconds(start, end));
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);

        // What WinExec itself does: start, then wait until the new process
        // is idle for input (or gone).
        QueryPerformanceCounter(&start);
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process)) {
            WaitForInputIdle(process.hProcess, 30000);
            QueryPerformanceCounter(&end);
            waited.push_back(Milliseconds(start, end));
            WaitForSingleObject(process.hProcess, 10000);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        Sleep(50);
    }
    printf("handover_ms %.2f\ncreateprocess_ms %.2f\ncreateprocess_idle_ms %.2f\n", Median(handovers), Median(bare),
           Median(waited));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 4 && std::wstring(argv[1]) == L"startup")
        return Startup(argv[2], argv[3], argc > 4 ? _wtoi(argv[4]) : 5);
    if (argc >= 2 && std::wstring(argv[1]) == L"handover")
        return Handover(argc > 2 ? _wtoi(argv[2]) : 15);
    if (argc >= 2 && std::wstring(argv[1]) == L"resources")
        return Resources(argc > 2 ? _wtoi(argv[2]) : 1000);
    fputs("usage: window_bench startup EXE TITLE [ROUNDS] | handover [ROUNDS] | resources [REPAINTS]\n", stderr);
    return 2;
}
