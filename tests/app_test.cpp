// The application's modal run and its clean-up.

#include "app/LoginApp.h"
#include "res/resource.h"
#include "support/FindWindows.h"
#include "support/LoginWindowsUp.h"
#include "support/ModalProbe.h"
#include "windows/LoginActiveDlg.h"
#include "windows/LoginDlg.h"

#include <gtest/gtest.h>

namespace {

CLoginDlg* MainWindow()
{
    return static_cast<CLoginDlg*>(theApp.m_pMainWnd);
}

int VisibleThreadWindows()
{
    return CountThreadWindows([](HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; });
}

TEST(LoginAppTest, StartsEmptyAndClosingEndsTheRunWithItsCleanUp)
{
    EXPECT_TRUE(theApp.m_strLaunchParam.IsEmpty());
    EXPECT_EQ(theApp.m_dwRestartManagerSupportFlags, AFX_RESTART_MANAGER_SUPPORT_RESTART);
    bool sawWindows = false;
    ModalProbe probe(
        [&] {
            CLoginDlg* main = MainWindow();
            ASSERT_NE(main, nullptr);
            sawWindows =
                main->IsWindowVisible() && main->m_pLoginActiveDlg && main->m_pLoginActiveDlg->IsWindowVisible();
            main->SendMessage(WM_CLOSE);
        },
        50, LoginWindowsUp);
    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_TRUE(sawWindows);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(VisibleThreadWindows(), 0);
    EXPECT_EQ(theApp.m_strRegistryKey, L"应用程序向导生成的本地应用程序");
    EXPECT_EQ(theApp.ExitInstance(), 0);
}

TEST(LoginAppTest, AConfirmedExitQuitsWithCode16AndNoBoxStays)
{
    ModalProbe probe(
        [&] {
            CLoginActiveDlg* page = MainWindow()->m_pLoginActiveDlg;
            ModalProbe answer([] {
                HWND confirm = GetActiveWindow();
                SendMessageW(confirm, WM_COMMAND, MAKEWPARAM(IDC_BTN_OK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(confirm, IDC_BTN_OK)));
            });
            page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_CLOSE, BN_CLICKED),
                              reinterpret_cast<LPARAM>(page->m_btnClose.m_hWnd));
        },
        50, LoginWindowsUp);
    const ULONGLONG start = GetTickCount64();
    // The failure box of a run ended by a quit request closes at once.
    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_LT(GetTickCount64() - start, 20000u);
    EXPECT_EQ(VisibleThreadWindows(), 0);
    EXPECT_EQ(theApp.ExitInstance(), 16);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 16u);
}

}  // namespace
