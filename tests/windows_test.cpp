// The login windows under Wine: geometry, hit testing, moving together,
// minimising, the confirmation dialog and the end of the modal run.

#include "res/resource.h"
#include "support/ModalProbe.h"
#include "windows/ConfirmDlg.h"
#include "windows/LoginActiveDlg.h"
#include "windows/LoginDlg.h"

#include <gtest/gtest.h>
#include <gdiplus.h>

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
                                         << ") vs (" << b.left << "," << b.top << ")-(" << b.right << ","
                                         << b.bottom << ")";
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

}  // namespace
