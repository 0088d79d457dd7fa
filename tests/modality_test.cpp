// The login windows as a Windows player meets them: modal windows own and
// disable both login windows, keys reach the page's control through its
// active object in every message loop, and the closing paths (Esc, Enter,
// Alt+F4 on the page, closing the launcher during a download).

#include "app/LoginApp.h"
#include "browser/CustomOccManager.h"
#include "login/ClientDownload.h"
#include "res/resource.h"
#include "support/FindWindows.h"
#include "support/HandOverScope.h"
#include "support/LoopbackHttpServer.h"
#include "support/ModalProbe.h"
#include "support/TempDir.h"
#include "windows/LoginActiveDlg.h"
#include "windows/LoginDlg.h"

#include <gtest/gtest.h>
#include <gdiplus.h>
#include <ocidl.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// The page's control, as far as keys go: records what it is offered and
// takes it.
class RecordingActiveObject : public IOleInPlaceActiveObject {
public:
    std::vector<WPARAM> keys;
    ULONG refs = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown && iid != IID_IOleWindow && iid != IID_IOleInPlaceActiveObject) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IOleInPlaceActiveObject*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override
    {
        if (msg->message != WM_KEYDOWN)
            return S_FALSE;
        keys.push_back(msg->wParam);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
};

const std::vector<WPARAM> kPageKeys = {VK_TAB, VK_RETURN, 'V'};

// Gives the page's control the focus with double as its active object,
// and presses Tab, Enter and Ctrl+V there (the messages go through the
// loop that runs, like a player's keys).
void PressKeysInThePage(CLoginActiveDlg& page, RecordingActiveObject& double_)
{
    COleControlSite* site = page.m_browser.m_pCtrlSite;
    ASSERT_NE(site, nullptr);
    site->SetActiveObject(&double_, nullptr);
    page.m_browser.ShowWindow(SW_SHOW);
    SetActiveWindow(page.m_hWnd);
    SetFocus(site->m_hWnd);
    HWND focus = GetFocus();
    ASSERT_TRUE(focus == site->m_hWnd || IsChild(site->m_hWnd, focus));
    for (WPARAM key : kPageKeys)
        PostMessageW(focus, WM_KEYDOWN, key, 0);
}

// Whether upper lies above lower in the z-order.
bool IsAbove(HWND upper, HWND lower)
{
    for (HWND below = GetWindow(upper, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT))
        if (below == lower)
            return true;
    return false;
}

class ModalityTest : public ::testing::Test {
protected:
    ModalityTest()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_gdiplus, &input, nullptr);
        OleInitialize(nullptr);
        AfxEnableControlContainer(&m_manager);
    }
    ~ModalityTest() override
    {
        AfxEnableControlContainer(nullptr);
        theApp.m_pMainWnd = nullptr;
        OleUninitialize();
        Gdiplus::GdiplusShutdown(m_gdiplus);
    }

    // The main window's modal run, as the application runs it, with probe
    // inside it once the windows are up.
    INT_PTR Run(std::function<void(CLoginDlg&, CLoginActiveDlg&)> probe)
    {
        CLoginDlg dlg;
        theApp.m_pMainWnd = &dlg;
        ModalProbe start([&] { probe(dlg, *dlg.m_pLoginActiveDlg); }, 50,
                         [&] { return dlg.m_pLoginActiveDlg && dlg.m_pLoginActiveDlg->IsWindowVisible(); });
        const INT_PTR result = dlg.DoModal();
        delete dlg.m_pLoginActiveDlg;
        theApp.m_pMainWnd = nullptr;
        return result;
    }

    ULONG_PTR m_gdiplus = 0;
    CCustomOccManager m_manager;
};

TEST_F(ModalityTest, TheConfirmationOwnsAndDisablesBothLoginWindowsAndAltF4OnThePageAsksIt)
{
    bool asked = false;
    bool pageStays = false;
    const INT_PTR result = Run([&](CLoginDlg& frame, CLoginActiveDlg& page) {
        // Esc and Enter in the page, through the loop as a player's keys.
        SetActiveWindow(page.m_hWnd);
        SetFocus(page.m_btnClose.m_hWnd);
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
        page.SendMessage(WM_COMMAND, IDOK);
        page.SendMessage(WM_COMMAND, IDCANCEL);
        PumpMessages();
        pageStays = page.IsWindowVisible() && frame.IsWindowVisible();

        ModalProbe answer(
            [&] {
                HWND confirm = FindVisibleDialogWith(IDC_STATIC_TEXT);
                ASSERT_NE(confirm, nullptr);
                asked = true;
                EXPECT_FALSE(IsWindowEnabled(frame.m_hWnd));
                EXPECT_FALSE(IsWindowEnabled(page.m_hWnd));
                EXPECT_EQ(GetWindow(confirm, GW_OWNER), page.m_hWnd);
                // Raising the page (a click on it) cannot bury the question.
                BringWindowToTop(page.m_hWnd);
                SetWindowPos(page.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
                EXPECT_TRUE(IsAbove(confirm, page.m_hWnd));
                PostMessageW(confirm, WM_COMMAND, IDCANCEL, 0);
            },
            50, [] { return FindVisibleDialogWith(IDC_STATIC_TEXT) != nullptr; });
        // Alt+F4 while the page is active closes it: it asks, like the close
        // button.
        page.SendMessage(WM_CLOSE);

        EXPECT_TRUE(IsWindowEnabled(frame.m_hWnd));
        EXPECT_TRUE(IsWindowEnabled(page.m_hWnd));
        EXPECT_TRUE(page.IsWindowVisible());
        EXPECT_EQ(GetActiveWindow(), page.m_hWnd);
        frame.SendMessage(WM_CLOSE);
    });
    EXPECT_TRUE(pageStays);
    EXPECT_TRUE(asked);
    EXPECT_EQ(result, IDOK);
    int code = 0;
    EXPECT_FALSE(TakeQuit(code));
}

TEST_F(ModalityTest, KeysInThePageReachItsControlsActiveObjectFirst)
{
    RecordingActiveObject control;
    std::unique_ptr<ModalProbe> check;
    Run([&](CLoginDlg& frame, CLoginActiveDlg& page) {
        PressKeysInThePage(page, control);
        EXPECT_EQ(control.refs, 1u);
        check = std::make_unique<ModalProbe>([&] { frame.SendMessage(WM_CLOSE); }, 100);
    });
    EXPECT_EQ(control.keys, kPageKeys);
    // Kept until the site went with the page.
    EXPECT_EQ(control.refs, 0u);
}

// While the client downloads: the progress dialog is modal like the
// confirmation, keys in the page still reach its control, and closing the
// launcher (the taskbar's "Close window") gives the download up and ends the
// run like any close.
TEST_F(ModalityTest, TheProgressDialogIsModalAndClosingTheLauncherCancelsTheDownload)
{
    const std::wstring client = ExecutableDirectory() + L"\\tarvo_vk_launch.exe";
    ASSERT_FALSE(FileExists(client));
    HandOverScope handOver(HttpReply{200, std::string(8 << 20, 'c'), true, HttpReply::Fault::Trickle});
    RecordingActiveObject control;
    std::unique_ptr<ModalProbe> close;
    bool sawProgress = false;
    const INT_PTR result = Run([&](CLoginDlg& frame, CLoginActiveDlg& page) {
        SetActiveWindow(page.m_hWnd);
        ModalProbe duringDownload(
            [&] {
                HWND progress = FindVisibleDialogWith(IDC_DOWNLOAD_PROGRESS);
                sawProgress = true;
                EXPECT_FALSE(IsWindowEnabled(frame.m_hWnd));
                EXPECT_FALSE(IsWindowEnabled(page.m_hWnd));
                EXPECT_EQ(GetWindow(progress, GW_OWNER), page.m_hWnd);
                SetWindowPos(page.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                EXPECT_TRUE(IsAbove(progress, page.m_hWnd));
                // The download's loop offers keys like the modal run does.
                EnableWindow(page.m_hWnd, TRUE);
                PressKeysInThePage(page, control);
                close = std::make_unique<ModalProbe>(
                    [&] {
                        EnableWindow(page.m_hWnd, FALSE);
                        frame.SendMessage(WM_CLOSE);
                    },
                    100);
            },
            50, [] { return FindVisibleDialogWith(IDC_DOWNLOAD_PROGRESS) != nullptr; });
        page.HandleAppLogin(LR"({"uid":"1","token":"T","server_id":"2","sign":"S"})");
    });
    EXPECT_TRUE(sawProgress);
    EXPECT_EQ(control.keys, kPageKeys);
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(FileExists(client));
    EXPECT_EQ(CountThreadWindows([](HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }), 0);
    int code = 0;
    EXPECT_FALSE(TakeQuit(code));
    // Nothing of the download is left beside the client.
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((ExecutableDirectory() + L"\\tarvo_vk_launch.exe*").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

}  // namespace

namespace {

// A redirect login can arrive while the launcher is minimised: the progress
// dialog then opens in the middle of the work area, not over where the
// hidden or minimised owner would be.
TEST(CentreTest, AWindowWhoseOwnerIsHiddenOrMinimisedIsCentredOnTheWorkArea)
{
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (int ownerShow : {SW_HIDE, SW_MINIMIZE, SW_SHOWNORMAL}) {
        HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, work.left + 10, work.top + 10, 300, 200, nullptr,
                                     nullptr, nullptr, nullptr);
        ShowWindow(owner, ownerShow);
        CWnd popup;
        popup.SubclassWindow(
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 50, owner, nullptr, nullptr, nullptr));
        popup.CenterWindow();
        RECT placed;
        popup.GetWindowRect(&placed);
        RECT area = work;
        if (ownerShow == SW_SHOWNORMAL)
            GetWindowRect(owner, &area);
        EXPECT_LE(std::abs((placed.left + placed.right) - (area.left + area.right)), 1) << ownerShow;
        EXPECT_LE(std::abs((placed.top + placed.bottom) - (area.top + area.bottom)), 1) << ownerShow;
        popup.DestroyWindow();
        DestroyWindow(owner);
    }
}

}  // namespace
