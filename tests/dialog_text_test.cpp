// The dialogs' Chinese texts as a player's Windows shows them: drawn with
// real glyphs, not as the boxes a font without them leaves.

#include "login/ClientDownload.h"
#include "res/resource.h"
#include "support/ModalProbe.h"
#include "windows/ConfirmDlg.h"
#include "windows/DownloadProgressDlg.h"

#include <gtest/gtest.h>
#include <gdiplus.h>

#include <string>
#include <vector>

namespace {

// Which pixels of a width x height picture are ink: the dialogs draw their
// texts in white over dark panels.
using InkMask = std::vector<bool>;

// A 32-bit top-down picture to draw into or copy to.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pixels), nullptr, 0);
        m_previous = SelectObject(m_dc, m_bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    InkMask Ink() const
    {
        GdiFlush();
        InkMask ink(static_cast<size_t>(m_width) * m_height);
        for (size_t i = 0; i < ink.size(); ++i) {
            const DWORD pixel = m_pixels[i];
            ink[i] = (pixel & 0xFF) > 200 && ((pixel >> 8) & 0xFF) > 200 && ((pixel >> 16) & 0xFF) > 200;
        }
        return ink;
    }

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
    DWORD* m_pixels = nullptr;
};

SIZE ControlSize(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// What the screen shows where control lies.
InkMask InkOnScreen(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    const SIZE size = ControlSize(control);
    Canvas canvas(size.cx, size.cy);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.Dc(), 0, 0, size.cx, size.cy, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.Ink();
}

// The control's text as it would look if its font had none of its glyphs:
// as many characters that no font has, laid out the way the static lays
// out its text, in the control's own font.
InkMask InkOfMissingGlyphs(HWND control)
{
    const SIZE size = ControlSize(control);
    Canvas canvas(size.cx, size.cy);
    RECT rect{0, 0, size.cx, size.cy};
    FillRect(canvas.Dc(), &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    wchar_t text[128] = {};
    const int length = GetWindowTextW(control, text, 128);
    const std::wstring missing(static_cast<size_t>(length), L'\xFFFF');
    HGDIOBJ previous = SelectObject(canvas.Dc(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SetBkMode(canvas.Dc(), TRANSPARENT);
    SetTextColor(canvas.Dc(), RGB(255, 255, 255));
    const UINT align = (GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER ? DT_CENTER : DT_LEFT;
    DrawTextW(canvas.Dc(), missing.c_str(), length, &rect, align | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(canvas.Dc(), previous);
    return canvas.Ink();
}

// Real glyphs: enough ink, and a good share of it where missing-glyph boxes
// would have none (or the other way round).
void ExpectRealGlyphs(HWND control, const char* what)
{
    ASSERT_NE(control, nullptr) << what;
    const InkMask shown = InkOnScreen(control);
    const InkMask boxes = InkOfMissingGlyphs(control);
    size_t ink = 0;
    size_t differing = 0;
    size_t either = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        ink += shown[i];
        differing += shown[i] != boxes[i];
        either += shown[i] || boxes[i];
    }
    EXPECT_GE(ink, 40u) << what << ": hardly any text on screen";
    EXPECT_GT(differing * 10, either * 3) << what << ": drawn like missing-glyph boxes";
}

class DialogTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!GetEnvironmentVariableW(L"DISPLAY", nullptr, 0))
            GTEST_SKIP() << "needs an X display (run under with_xvfb.sh)";
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_gdiplus, &input, nullptr);
    }
    void TearDown() override
    {
        if (m_gdiplus)
            Gdiplus::GdiplusShutdown(m_gdiplus);
    }

    ULONG_PTR m_gdiplus = 0;
};

TEST_F(DialogTextTest, OnScreenTheConfirmationsChineseTextHasRealGlyphs)
{
    CConfirmDlg confirm;
    confirm.m_nMode = 0;
    ModalProbe probe([&] {
        PumpMessages(400);
        ExpectRealGlyphs(confirm.GetDlgItem(IDC_STATIC_TITLE), "title");
        ExpectRealGlyphs(confirm.GetDlgItem(IDC_STATIC_TEXT), "question");
        confirm.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(confirm.DoModal(), IDCANCEL);
}

TEST_F(DialogTextTest, OnScreenTheProgressDialogsChineseTextHasRealGlyphs)
{
    ClientDownload download(L"http://127.0.0.1:9/client.exe", L"C:/Games/tarvo_vk_launch.exe");
    CDownloadProgressDlg dialog(download);
    ASSERT_TRUE(dialog.Create(IDD_DOWNLOAD_DIALOG, nullptr));
    dialog.ShowWindow(SW_SHOW);
    PumpMessages(400);
    ExpectRealGlyphs(dialog.GetDlgItem(IDC_DOWNLOAD_TITLE), "title");
    ExpectRealGlyphs(dialog.GetDlgItem(IDC_DOWNLOAD_DETAIL), "progress figures");
    dialog.DestroyWindow();
}

}  // namespace
