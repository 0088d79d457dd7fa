// The dialogs' texts fit their pixel layout at any display scaling: every
// static text, measured with the font its control really uses, lies inside
// its control, and no two texts overlap. Run at several DPIs by
// dpi_test.sh, which sets the prefix's scaling and LAUNCHER_TEST_DPI.

#include "login/ClientDownload.h"
#include "res/resource.h"
#include "support/ModalProbe.h"
#include "windows/ConfirmDlg.h"
#include "windows/DownloadProgressDlg.h"

#include <gtest/gtest.h>
#include <gdiplus.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct TextBox {
    int id;
    RECT control;  // in the dialog's client area
    RECT text;  // where the text is drawn, same coordinates
};

// Where control draws its text: a static lays it out with DrawText from its
// top, centred or from the left, wrapped at words within its width.
TextBox MeasureText(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    TextBox box{id, {}, {}};
    GetWindowRect(control, &box.control);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box.control), 2);
    const int width = box.control.right - box.control.left;

    wchar_t text[256] = {};
    const int length = GetWindowTextW(control, text, 256);
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const bool centred = (GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER;
    RECT extent{0, 0, width, 0};
    DrawTextW(dc, text, length, &extent, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | (centred ? DT_CENTER : DT_LEFT));
    SelectObject(dc, previous);
    ReleaseDC(control, dc);

    const int textWidth = extent.right - extent.left;
    const int left = box.control.left + (centred ? (width - textWidth) / 2 : 0);
    box.text = RECT{left, box.control.top, left + textWidth, box.control.top + (extent.bottom - extent.top)};
    return box;
}

void ExpectTextsFit(HWND dialog, const std::vector<int>& ids)
{
    std::vector<TextBox> boxes;
    for (int id : ids)
        boxes.push_back(MeasureText(dialog, id));
    for (const TextBox& box : boxes) {
        EXPECT_GE(box.text.left, box.control.left) << "control " << box.id;
        EXPECT_LE(box.text.right, box.control.right) << "control " << box.id;
        EXPECT_LE(box.text.bottom, box.control.bottom)
            << "control " << box.id << ": text " << box.text.bottom - box.text.top << " px high in "
            << box.control.bottom - box.control.top;
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &boxes[i].text, &boxes[j].text))
                << "texts of " << boxes[i].id << " and " << boxes[j].id << " overlap";
        }
    }
}

class DialogTextFitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The scaling the run was started with, when the caller set one.
        char expected[8] = {};
        if (GetEnvironmentVariableA("LAUNCHER_TEST_DPI", expected, sizeof(expected))) {
            ASSERT_EQ(AfxScreenPixelsPerInch(), atoi(expected));
        }
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_gdiplus, &input, nullptr);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_gdiplus); }

    ULONG_PTR m_gdiplus = 0;
};

TEST_F(DialogTextFitTest, TheConfirmationInBothModes)
{
    for (int mode : {0, 1}) {
        CConfirmDlg confirm;
        confirm.m_nMode = mode;
        ModalProbe probe([&] {
            ExpectTextsFit(confirm.m_hWnd, {IDC_STATIC_TITLE, IDC_STATIC_TEXT});
            confirm.SendMessage(WM_COMMAND, IDCANCEL);
        });
        EXPECT_EQ(confirm.DoModal(), IDCANCEL) << "mode " << mode;
    }
}

TEST_F(DialogTextFitTest, TheDownloadDialogWithItsLongestFigures)
{
    ClientDownload download(L"http://127.0.0.1:9/client.exe", L"C:/Games/tarvo_vk_launch.exe");
    CDownloadProgressDlg dialog(download);
    ASSERT_TRUE(dialog.Create(IDD_DOWNLOAD_DIALOG, nullptr));
    ExpectTextsFit(dialog.m_hWnd, {IDC_DOWNLOAD_TITLE, IDC_DOWNLOAD_FILE, IDC_DOWNLOAD_DETAIL});
    // What it shows in the middle of a large download.
    SetDlgItemTextW(dialog.m_hWnd, IDC_DOWNLOAD_DETAIL, L"已下载 123.4 MB / 456.7 MB  12.3 MB/s");
    ExpectTextsFit(dialog.m_hWnd, {IDC_DOWNLOAD_TITLE, IDC_DOWNLOAD_FILE, IDC_DOWNLOAD_DETAIL});
    dialog.DestroyWindow();
}

}  // namespace
