// The login windows under Wine: geometry, hit testing, moving together,
// minimising, the confirmation dialog and the end of the modal run.

#include "res/resource.h"
#include "app/LoginApp.h"
#include "login/ClientDownload.h"
#include "support/FindWindows.h"
#include "support/HandOverScope.h"
#include "support/LoopbackHttpServer.h"
#include "support/ModalProbe.h"
#include "support/TempDir.h"
#include "windows/ConfirmDlg.h"
#include "windows/DownloadProgressDlg.h"
#include "windows/LoginActiveDlg.h"
#include "windows/LoginDlg.h"

#include <gtest/gtest.h>
#include <gdiplus.h>

#include <functional>
#include <string>
#include <thread>

namespace {

class GdiPlusSession {
public:
    GdiPlusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    ~GdiPlusSession() { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

RECT WindowRect(HWND hwnd)
{
    RECT rect;
    GetWindowRect(hwnd, &rect);
    return rect;
}

RECT ClientRectIn(HWND child, HWND parent)
{
    RECT rect = WindowRect(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

::testing::AssertionResult SameRect(const RECT& a, const RECT& b)
{
    if (EqualRect(&a, &b))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.left << "," << a.top << ")-(" << a.right << "," << a.bottom
                                         << ") vs (" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom
                                         << ")";
}

class LoginWindowsTest : public ::testing::Test {
protected:
    GdiPlusSession m_gdiplus;
};

TEST_F(LoginWindowsTest, FrameAndPageDialogLieCentredOnTheSameRectangle)
{
    CLoginDlg dlg;
    INT_PTR result = 0;
    ModalProbe probe([&] {
        ASSERT_NE(dlg.m_pLoginActiveDlg, nullptr);
        const RECT frame = WindowRect(dlg.m_hWnd);
        EXPECT_EQ(frame.right - frame.left, 1040);
        EXPECT_EQ(frame.bottom - frame.top, 667);
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_LE(std::abs((frame.left + frame.right) - (work.left + work.right)), 1);
        EXPECT_LE(std::abs((frame.top + frame.bottom) - (work.top + work.bottom)), 1);
        EXPECT_TRUE(SameRect(WindowRect(dlg.m_pLoginActiveDlg->m_hWnd), frame));
        EXPECT_TRUE(dlg.GetExStyle() & WS_EX_LAYERED);
        EXPECT_FALSE(dlg.GetStyle() & WS_CAPTION);
        EXPECT_TRUE(dlg.m_pLoginActiveDlg->GetExStyle() & WS_EX_LAYERED);
        EXPECT_EQ(dlg.GetWindowText(), L"Voskar");
        // The page dialog is owned by the frame, and carries the buttons.
        EXPECT_EQ(GetWindow(dlg.m_pLoginActiveDlg->m_hWnd, GW_OWNER), dlg.m_hWnd);
        const RECT close = ClientRectIn(dlg.m_pLoginActiveDlg->m_btnClose.m_hWnd, dlg.m_pLoginActiveDlg->m_hWnd);
        EXPECT_TRUE(SameRect(close, RECT{960, 53, 988, 81}));
        const RECT minimise = ClientRectIn(dlg.m_pLoginActiveDlg->m_btnMin.m_hWnd, dlg.m_pLoginActiveDlg->m_hWnd);
        EXPECT_TRUE(SameRect(minimise, RECT{915, 55, 939, 79}));
        EXPECT_EQ(dlg.m_pLoginActiveDlg->m_btnClose.m_nImageWidth, 28);
        EXPECT_EQ(dlg.m_pLoginActiveDlg->m_btnMin.m_nImageHeight, 24);
        EXPECT_TRUE(dlg.m_pLoginActiveDlg->m_btnClose.GetStyle() & BS_OWNERDRAW);
        // The browser control is not in the dialog yet: it was taken out of
        // the template before the dialog was created.
        ASSERT_EQ(dlg.m_pLoginActiveDlg->TemplateActiveXControls().size(), 1u);
        EXPECT_EQ(dlg.m_pLoginActiveDlg->TemplateActiveXControls()[0].id, static_cast<DWORD>(IDC_BROWSER));
        dlg.SendMessage(WM_CLOSE);
    });
    result = dlg.DoModal();
    EXPECT_EQ(result, IDOK);
    delete dlg.m_pLoginActiveDlg;
}

// Runs the main window modally with probe running inside its loop; the
// page dialog object is deleted afterwards as the application does.
INT_PTR RunLoginWindows(CLoginDlg& dlg, std::function<void()> probe)
{
    ModalProbe modalProbe(std::move(probe));
    const INT_PTR result = dlg.DoModal();
    delete dlg.m_pLoginActiveDlg;
    dlg.m_pLoginActiveDlg = nullptr;
    return result;
}

POINT TopLeft(HWND hwnd)
{
    const RECT rect = WindowRect(hwnd);
    return POINT{rect.left, rect.top};
}

SIZE Size(HWND hwnd)
{
    const RECT rect = WindowRect(hwnd);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

TEST_F(LoginWindowsTest, HitTestsMakeTheirWindowLeadAndDragLikeACaption)
{
    CLoginDlg dlg;
    RunLoginWindows(dlg, [&] {
        CLoginActiveDlg& page = *dlg.m_pLoginActiveDlg;
        const RECT frame = WindowRect(dlg.m_hWnd);
        const LPARAM inside = MAKELPARAM(frame.left + 200, frame.top + 30);
        EXPECT_FALSE(dlg.m_bLeadsMove);
        EXPECT_EQ(dlg.SendMessage(WM_NCHITTEST, 0, inside), HTCAPTION);
        EXPECT_TRUE(dlg.m_bLeadsMove);
        EXPECT_EQ(page.SendMessage(WM_NCHITTEST, 0, inside), HTCAPTION);
        EXPECT_FALSE(dlg.m_bLeadsMove);
        // Outside the page dialog's client area nothing is hit.
        EXPECT_EQ(page.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(frame.left - 50, frame.top - 50)), HTNOWHERE);
        dlg.SendMessage(WM_CLOSE);
    });
}

TEST_F(LoginWindowsTest, TheLeadingWindowDragsTheOtherWithoutEcho)
{
    CLoginDlg dlg;
    RunLoginWindows(dlg, [&] {
        CLoginActiveDlg& page = *dlg.m_pLoginActiveDlg;
        const SIZE frameSize = Size(dlg.m_hWnd);
        // Make the page dialog smaller than the frame: sizes must survive.
        page.SetWindowPos(nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        const SIZE pageSize = Size(page.m_hWnd);

        dlg.SendMessage(WM_NCHITTEST, 0, 0);
        dlg.SetWindowPos(nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(TopLeft(dlg.m_hWnd).x, 37);
        EXPECT_EQ(TopLeft(page.m_hWnd).x, 37);
        EXPECT_EQ(TopLeft(page.m_hWnd).y, 41);
        EXPECT_EQ(Size(page.m_hWnd).cx, pageSize.cx);
        EXPECT_EQ(Size(page.m_hWnd).cy, pageSize.cy);
        // While the main window leads, the page dialog's own moves drag
        // nothing: no move comes back.
        page.SetWindowPos(nullptr, 200, 210, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(TopLeft(dlg.m_hWnd).x, 37);
        EXPECT_EQ(TopLeft(dlg.m_hWnd).y, 41);

        page.SendMessage(WM_NCHITTEST, 0, 0);
        page.SetWindowPos(nullptr, 105, 66, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(TopLeft(dlg.m_hWnd).x, 105);
        EXPECT_EQ(TopLeft(dlg.m_hWnd).y, 66);
        EXPECT_EQ(Size(dlg.m_hWnd).cx, frameSize.cx);
        EXPECT_EQ(Size(dlg.m_hWnd).cy, frameSize.cy);
        EXPECT_EQ(TopLeft(page.m_hWnd).x, 105);
        dlg.SetWindowPos(nullptr, 300, 310, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(TopLeft(page.m_hWnd).x, 105);
        EXPECT_EQ(TopLeft(page.m_hWnd).y, 66);
        dlg.SendMessage(WM_CLOSE);
    });
}

TEST_F(LoginWindowsTest, HidingAndMinimisingTakeThePageDialogAlong)
{
    CLoginDlg dlg;
    RunLoginWindows(dlg, [&] {
        CLoginActiveDlg& page = *dlg.m_pLoginActiveDlg;
        dlg.ShowWindow(SW_HIDE);
        EXPECT_FALSE(page.IsWindowVisible());
        dlg.ShowWindow(SW_SHOW);
        PumpMessages();
        EXPECT_TRUE(page.IsWindowVisible());

        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_MIN, BN_CLICKED),
                         reinterpret_cast<LPARAM>(page.m_btnMin.m_hWnd));
        EXPECT_TRUE(dlg.IsIconic());
        dlg.ShowWindow(SW_RESTORE);
        EXPECT_FALSE(dlg.IsIconic());
        dlg.SendMessage(WM_CLOSE);
    });
}

TEST_F(LoginWindowsTest, EnterAndEscDoNotCloseTheFrame)
{
    CLoginDlg dlg;
    bool stillOpen = false;
    const INT_PTR result = RunLoginWindows(dlg, [&] {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        PumpMessages();
        stillOpen = dlg.IsWindow() && dlg.IsWindowVisible();
        dlg.SendMessage(WM_CLOSE);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, IDOK);
}

// Real mouse input through the system's move loop: needs an X screen.
TEST_F(LoginWindowsTest, OnScreenDraggingTheFrameMovesBoth)
{
    if (!GetEnvironmentVariableW(L"DISPLAY", nullptr, 0))
        GTEST_SKIP() << "needs an X display (run under with_xvfb.sh)";
    CLoginDlg dlg;
    POINT before{}, after{}, pageAfter{};
    SIZE pageSizeBefore{}, pageSizeAfter{};
    std::thread mouse;
    ModalProbe press(
        [&] {
            before = TopLeft(dlg.m_hWnd);
            pageSizeBefore = Size(dlg.m_pLoginActiveDlg->m_hWnd);
            // The title bar, away from the buttons: opaque frame pixels.
            const POINT start{before.x + 600, before.y + 40};
            mouse = std::thread([start] {
                auto send = [](DWORD flags, POINT at) {
                    INPUT input{};
                    input.type = INPUT_MOUSE;
                    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
                    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
                    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
                    SendInput(1, &input, sizeof(input));
                    Sleep(30);
                };
                send(MOUSEEVENTF_MOVE, start);
                send(MOUSEEVENTF_LEFTDOWN, start);
                for (int step = 1; step <= 10; ++step)
                    send(MOUSEEVENTF_MOVE, POINT{start.x - 6 * step, start.y + 4 * step});
                send(MOUSEEVENTF_LEFTUP, POINT{start.x - 60, start.y + 40});
            });
        },
        1500);
    ModalProbe check(
        [&] {
            mouse.join();
            PumpMessages(200);
            after = TopLeft(dlg.m_hWnd);
            pageAfter = TopLeft(dlg.m_pLoginActiveDlg->m_hWnd);
            pageSizeAfter = Size(dlg.m_pLoginActiveDlg->m_hWnd);
            dlg.SendMessage(WM_CLOSE);
        },
        4000);
    dlg.DoModal();
    delete dlg.m_pLoginActiveDlg;
    EXPECT_EQ(after.x - before.x, -60);
    EXPECT_EQ(after.y - before.y, 40);
    EXPECT_EQ(pageAfter.x, after.x);
    EXPECT_EQ(pageAfter.y, after.y);
    EXPECT_EQ(pageSizeAfter.cx, pageSizeBefore.cx);
    EXPECT_EQ(pageSizeAfter.cy, pageSizeBefore.cy);
}

struct LauncherWindows {
    DWORD processId;
    HWND frame = nullptr;
    HWND page = nullptr;
};

// launcher.exe itself: it starts, its frame is centred on screen, the
// browser control exists and is hidden, and a close message to the frame
// ends the process.
TEST(LauncherProcessTest, OnScreenStartsCentredAndEndsOnClose)
{
    if (!GetEnvironmentVariableW(L"DISPLAY", nullptr, 0))
        GTEST_SKIP() << "needs an X display (run under with_xvfb.sh)";
    const std::wstring launcher = ExecutableDirectory() + L"\\launcher.exe";
    std::wstring commandLine = L"\"" + launcher + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(launcher.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    LauncherWindows found{process.dwProcessId};
    for (int i = 0; i < 300 && !(found.frame && found.page); ++i) {
        Sleep(50);
        FindTopLevelWindow([&found](HWND hwnd) {
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != found.processId || !IsWindowVisible(hwnd))
                return false;
            wchar_t title[32] = {};
            GetWindowTextW(hwnd, title, 32);
            if (wcscmp(title, L"Voskar") == 0 && (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED))
                found.frame = hwnd;
            if (GetDlgItem(hwnd, IDC_BTN_CLOSE))
                found.page = hwnd;
            return false;
        });
    }
    ASSERT_NE(found.frame, nullptr);
    ASSERT_NE(found.page, nullptr);
    const RECT frame = WindowRect(found.frame);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(frame.right - frame.left, 1040);
    EXPECT_LE(std::abs((frame.left + frame.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (work.top + work.bottom)), 1);
    HWND browser = GetDlgItem(found.page, IDC_BROWSER);
    EXPECT_NE(browser, nullptr);
    EXPECT_FALSE(IsWindowVisible(browser));

    PostMessageW(found.frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 15000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// A hand-over that is downloading the client runs a message loop: a second
// hand-over meanwhile is handled in full (traced, its launch parameter
// kept) but starts no second download.
TEST(HandOverTest, ASecondHandOverWhileOneDownloadsIsHandledButDownloadsNothing)
{
    const std::wstring client = ExecutableDirectory() + L"\\tarvo_vk_launch.exe";
    ASSERT_FALSE(FileExists(client));
    HandOverScope handOver(HttpReply{200, std::string(8 << 20, 'c'), true, HttpReply::Fault::Trickle});
    CLoginActiveDlg dialog;
    int progressDialogs = 0;
    CStringA secondParam;
    ModalProbe probe(
        [&] {
            dialog.HandleAppLogin(LR"({"uid":"3","token":"U","server_id":"4","sign":"V"})");
            secondParam = theApp.m_strLaunchParam;
            progressDialogs = CountThreadWindows([](HWND hwnd) { return GetDlgItem(hwnd, IDC_DOWNLOAD_PROGRESS); });
            HWND progress = FindVisibleDialogWith(IDC_DOWNLOAD_PROGRESS);
            SendMessageW(progress, WM_COMMAND, MAKEWPARAM(IDC_BTN_CANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(progress, IDC_BTN_CANCEL)));
        },
        500);
    dialog.HandleAppLogin(LR"({"uid":"1","token":"T","server_id":"2","sign":"S"})");
    EXPECT_EQ(progressDialogs, 1);
    EXPECT_EQ(handOver.Trace(), "{\"uid\":\"1\",\"token\":\"T\",\"server_id\":\"2\",\"sign\":\"S\"}\r\nT&2&0&S\r\n"
                                "{\"uid\":\"3\",\"token\":\"U\",\"server_id\":\"4\",\"sign\":\"V\"}\r\nU&4&0&V\r\n");
    EXPECT_EQ(secondParam, CStringA(" ,id^3,auth_key^U&4&0&V"));
    EXPECT_FALSE(FileExists(client));
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// A download that failed shows its box in a loop of its own: a hand-over
// meanwhile is handled.
TEST(HandOverTest, AHandOverWhileAFailureBoxIsOpenIsHandled)
{
    HandOverScope handOver(HttpReply{404, "gone"});
    CLoginActiveDlg dialog;
    const auto failureBox = [] {
        return FindThreadWindow([](HWND hwnd) {
            wchar_t caption[16] = {};
            GetWindowTextW(hwnd, caption, 16);
            return IsWindowVisible(hwnd) && wcscmp(caption, L"【下载失败】") == 0;
        });
    };
    ModalProbe probe(
        [&] {
            dialog.HandleAppLogin(L"while the box is open");
            PostMessageW(failureBox(), WM_CLOSE, 0, 0);
        },
        50, [&] { return failureBox() != nullptr; });
    dialog.HandleAppLogin(LR"({"uid":"1","token":"T","server_id":"2","sign":"S"})");
    EXPECT_EQ(handOver.Trace(), "{\"uid\":\"1\",\"token\":\"T\",\"server_id\":\"2\",\"sign\":\"S\"}\r\nT&2&0&S\r\n"
                                "while the box is open\r\n");
}

// The confirmation dialog that the close button opens, once it is up.
HWND FindConfirmation()
{
    return FindThreadWindow([](HWND hwnd) {
        return GetDlgItem(hwnd, IDC_BTN_OK) && GetDlgItem(hwnd, IDC_STATIC_TEXT) && IsWindowVisible(hwnd);
    });
}

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

TEST_F(LoginWindowsTest, CloseAsksAndOkQuitsWithCode16)
{
    CLoginDlg dlg;
    std::wstring question;
    const INT_PTR result = RunLoginWindows(dlg, [&] {
        CLoginActiveDlg& page = *dlg.m_pLoginActiveDlg;
        // Answered from inside the confirmation's own modal loop.
        ModalProbe answer([&] {
            HWND confirm = FindConfirmation();
            ASSERT_NE(confirm, nullptr);
            question = ItemText(confirm, IDC_STATIC_TEXT);
            SendMessageW(confirm, WM_COMMAND, MAKEWPARAM(IDC_BTN_OK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(confirm, IDC_BTN_OK)));
        });
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_CLOSE, BN_CLICKED),
                         reinterpret_cast<LPARAM>(page.m_btnClose.m_hWnd));
    });
    EXPECT_EQ(question, L"确定要退出游戏吗?");
    // The quit request ended the run and is still pending for the loops
    // outside it.
    EXPECT_EQ(result, -1);
    int code = 0;
    EXPECT_TRUE(TakeQuit(code));
    EXPECT_EQ(code, 16);
}

TEST_F(LoginWindowsTest, CloseThenCancelChangesNothing)
{
    CLoginDlg dlg;
    bool stillOpen = false;
    const INT_PTR result = RunLoginWindows(dlg, [&] {
        CLoginActiveDlg& page = *dlg.m_pLoginActiveDlg;
        ModalProbe answer([&] {
            HWND confirm = FindConfirmation();
            ASSERT_NE(confirm, nullptr);
            SendMessageW(confirm, WM_COMMAND, MAKEWPARAM(IDC_BTN_CANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(confirm, IDC_BTN_CANCEL)));
        });
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_CLOSE, BN_CLICKED),
                         reinterpret_cast<LPARAM>(page.m_btnClose.m_hWnd));
        PumpMessages();
        stillOpen = dlg.IsWindowVisible() && page.IsWindowVisible() && IsWindowEnabled(dlg.m_hWnd);
        dlg.SendMessage(WM_CLOSE);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, IDOK);
    int code = 0;
    EXPECT_FALSE(TakeQuit(code));
}

struct ConfirmCase {
    const char* name;
    int mode;
    std::function<void(HWND)> answer;
    INT_PTR result;
};

class ConfirmDialogTest : public LoginWindowsTest, public ::testing::WithParamInterface<ConfirmCase> {};

void Press(HWND confirm, int id)
{
    SendMessageW(confirm, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(confirm, id)));
}

void Key(HWND, UINT key)
{
    // Through the dialog manager, as a user's key press would go.
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 0);
}

TEST_P(ConfirmDialogTest, AnswersAndLooks)
{
    const ConfirmCase& c = GetParam();
    CConfirmDlg confirm;
    confirm.m_nMode = c.mode;
    std::wstring title, question, titleFont;
    RECT window{}, okRect{}, cancelRect{}, titleRect{}, textRect{};
    ModalProbe probe([&] {
        HWND hwnd = confirm.m_hWnd;
        title = ItemText(hwnd, IDC_STATIC_TITLE);
        question = ItemText(hwnd, IDC_STATIC_TEXT);
        window = WindowRect(hwnd);
        okRect = ClientRectIn(GetDlgItem(hwnd, IDC_BTN_OK), hwnd);
        cancelRect = ClientRectIn(GetDlgItem(hwnd, IDC_BTN_CANCEL), hwnd);
        titleRect = ClientRectIn(GetDlgItem(hwnd, IDC_STATIC_TITLE), hwnd);
        textRect = ClientRectIn(GetDlgItem(hwnd, IDC_STATIC_TEXT), hwnd);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(hwnd, IDC_STATIC_TITLE, WM_GETFONT, 0, 0)), sizeof(font),
                   &font);
        titleFont = font.lfFaceName;
        c.answer(hwnd);
    });
    EXPECT_EQ(confirm.DoModal(), c.result);
    EXPECT_EQ(title, c.mode == 0 ? L"关闭游戏" : L"选服");
    EXPECT_EQ(question, c.mode == 0 ? L"确定要退出游戏吗?" : L"是否退出当前游戏，重新选择新服务器?");
    EXPECT_EQ(titleFont, L"Arial");
    EXPECT_EQ(window.right - window.left, 256);
    EXPECT_EQ(window.bottom - window.top, 110);
    EXPECT_TRUE(SameRect(okRect, RECT{40, 72, 296, 98}));
    EXPECT_TRUE(SameRect(cancelRect, RECT{140, 72, 396, 98}));
    EXPECT_TRUE(SameRect(titleRect, RECT{79, 10, 179, 40}));
    EXPECT_TRUE(SameRect(textRect, RECT{28, 34, 228, 100}));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ConfirmDialogTest,
    ::testing::Values(ConfirmCase{"OkButton", 0, [](HWND h) { Press(h, IDC_BTN_OK); }, IDOK},
                      ConfirmCase{"CancelButton", 0, [](HWND h) { Press(h, IDC_BTN_CANCEL); }, IDCANCEL},
                      ConfirmCase{"EnterKey", 1, [](HWND h) { Key(h, VK_RETURN); }, IDOK},
                      ConfirmCase{"EscKey", 0, [](HWND h) { Key(h, VK_ESCAPE); }, IDCANCEL},
                      ConfirmCase{"SystemClose", 1, [](HWND h) { PostMessageW(h, WM_CLOSE, 0, 0); }, IDCANCEL}),
    [](const ::testing::TestParamInfo<ConfirmCase>& info) { return std::string(info.param.name); });

}  // namespace
