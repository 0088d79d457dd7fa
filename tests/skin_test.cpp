// PNG pictures from resources, the layered painter and the picture button.

#include "framework/Wnd.h"
#include "res/resource.h"
#include "skin/GdiPlusPng.h"
#include "skin/LayeredPngSkin.h"
#include "skin/PngButton.h"
#include "support/ModalProbe.h"
#include "support/ProcessCounters.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

const UINT kUndecodablePng = 901;
const UINT kMissingPng = 9999;

class SkinTest : public ::testing::Test {
protected:
    SkinTest()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    ~SkinTest() override { Gdiplus::GdiplusShutdown(m_token); }

    HMODULE Module() const { return GetModuleHandleW(nullptr); }

    ULONG_PTR m_token = 0;
};

TEST_F(SkinTest, HolderLoadsOrIsLeftEmpty)
{
    CGdiPlusPngResource png;
    ASSERT_TRUE(png.Load(IDB_PNG_FRAME, Module()));
    EXPECT_EQ(png.m_pImage->GetWidth(), 1040u);
    EXPECT_EQ(png.m_pImage->GetHeight(), 667u);
    EXPECT_NE(png.m_hBuffer, nullptr);

    // A failed load releases what the holder had.
    EXPECT_FALSE(png.Load(kMissingPng, Module()));
    EXPECT_EQ(png.m_pImage, nullptr);
    EXPECT_EQ(png.m_hBuffer, nullptr);

    ASSERT_TRUE(png.Load(IDB_PNG_CLOSE, Module()));
    EXPECT_FALSE(png.Load(kUndecodablePng, Module()));
    EXPECT_EQ(png.m_pImage, nullptr);
    EXPECT_EQ(png.m_hBuffer, nullptr);
}

TEST_F(SkinTest, LoadPngFromResourceHandsOverAnImage)
{
    EXPECT_EQ(LoadPngFromResource(Module(), kMissingPng), nullptr);

    std::unique_ptr<Gdiplus::Image> broken(LoadPngFromResource(Module(), kUndecodablePng));
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(broken->GetWidth(), 0u);
    EXPECT_EQ(broken->GetHeight(), 0u);

    std::unique_ptr<Gdiplus::Image> ok(LoadPngFromResource(Module(), IDB_PNG_OK));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetWidth(), 74u);
    EXPECT_EQ(ok->GetHeight(), 104u);
}

HWND MakePopup(DWORD exStyle)
{
    return CreateWindowExW(exStyle, L"STATIC", L"", WS_POPUP, 50, 60, 100, 100, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(SkinTest, PaintMakesTheWindowLayeredAtThePicturesSize)
{
    HWND window = MakePopup(WS_EX_TOOLWINDOW);
    CLayeredPngSkin skin;
    skin.m_hTargetWnd = window;
    ASSERT_TRUE(skin.m_png.Load(IDB_PNG_FRAME, Module()));
    skin.Paint();
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.top, 60);
    EXPECT_EQ(rect.right - rect.left, 1040);
    EXPECT_EQ(rect.bottom - rect.top, 667);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    DestroyWindow(window);
}

TEST_F(SkinTest, PaintWithoutPictureOrWindowChangesNothing)
{
    HWND window = MakePopup(0);
    CLayeredPngSkin skin;
    skin.m_hTargetWnd = window;
    skin.Paint();
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);

    ASSERT_TRUE(skin.m_png.Load(IDB_PNG_FRAME, Module()));
    DestroyWindow(window);
    skin.Paint();
    skin.m_hTargetWnd = nullptr;
    skin.Paint();
}

TEST_F(SkinTest, LayeredFunctionsAreBoundOnce)
{
    UpdateLayeredTool* tool = UpdateLayeredTool::GetInstance();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(UpdateLayeredTool::GetInstance(), tool);
    EXPECT_NE(tool->m_pfnUpdateLayeredWindow, nullptr);
    EXPECT_NE(tool->m_pfnSetLayeredWindowAttributes, nullptr);
}

// The parent of the test button: counts its clicks.
class ClickCounter : public CWnd {
public:
    int clicks = 0;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
            ++clicks;
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

class CountingPngButton : public CPngButton {
public:
    int draws = 0;
    void DrawItem(const DRAWITEMSTRUCT* item) override
    {
        ++draws;
        CPngButton::DrawItem(item);
    }
};

class PngButtonTest : public SkinTest {
protected:
    PngButtonTest()
    {
        m_parent.SubclassWindow(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 10, 10, 300, 200,
                                                nullptr, nullptr, nullptr, nullptr));
        HWND button = CreateWindowExW(0, L"BUTTON", L"Button1", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 5,
                                      5, 50, 14, m_parent.m_hWnd, reinterpret_cast<HMENU>(1005), nullptr, nullptr);
        m_button.SubclassWindow(button);
        m_button.LoadPng(IDB_PNG_CLOSE);
    }
    ~PngButtonTest() override { ::DestroyWindow(m_parent.UnsubclassWindow()); }

    LRESULT Mouse(UINT message, int x = 5, int y = 5) { return m_button.SendMessage(message, 0, MAKELPARAM(x, y)); }

    ClickCounter m_parent;
    CountingPngButton m_button;
};

TEST_F(PngButtonTest, IsOwnerDrawnAtThePicturesSize)
{
    const DWORD style = m_button.GetStyle();
    EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_TRUE(style & WS_TABSTOP);
    RECT rect;
    m_button.GetClientRect(&rect);
    EXPECT_EQ(rect.right, 28);
    EXPECT_EQ(rect.bottom, 28);
}

TEST_F(PngButtonTest, DoubleClickGivesTwoClicks)
{
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    Mouse(WM_LBUTTONDBLCLK);
    Mouse(WM_LBUTTONUP);
    EXPECT_EQ(m_parent.clicks, 2);
}

TEST_F(PngButtonTest, HoverPressAndLeaveRepaint)
{
    UpdateWindow(m_button.m_hWnd);
    const int before = m_button.draws;
    for (UINT message : {WM_MOUSEHOVER, WM_MOUSELEAVE}) {
        Mouse(message);
        UpdateWindow(m_button.m_hWnd);
    }
    // A press released outside the button repaints without clicking.
    Mouse(WM_LBUTTONDOWN);
    UpdateWindow(m_button.m_hWnd);
    Mouse(WM_LBUTTONUP, -20, -20);
    UpdateWindow(m_button.m_hWnd);
    EXPECT_GE(m_button.draws - before, 4);
    EXPECT_EQ(m_parent.clicks, 0);
    EXPECT_EQ(Mouse(WM_ERASEBKGND), TRUE);
}

TEST_F(PngButtonTest, ShowsTheHandCursor)
{
    EXPECT_EQ(m_button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_button.m_hWnd), HTCLIENT), TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(SkinTest, NothingLeaksAcrossLoadsAndPaints)
{
    HWND window = MakePopup(0);
    auto round = [&] {
        CLayeredPngSkin skin;
        skin.m_hTargetWnd = window;
        skin.m_png.Load(IDB_PNG_FRAME, Module());
        skin.Paint();
        skin.m_png.Load(kUndecodablePng, Module());
        delete LoadPngFromResource(Module(), IDB_PNG_OK);
        delete LoadPngFromResource(Module(), kUndecodablePng);
    };
    // The first rounds warm caches up.
    for (int i = 0; i < 5; ++i)
        round();
    const int gdiBefore = GdiObjectCount();
    const int handlesBefore = KernelHandleCount();
    const size_t memoryBefore = PrivateCommittedBytes();
    for (int i = 0; i < 100; ++i)
        round();
    if (gdiBefore >= 0) {
        EXPECT_EQ(GdiObjectCount(), gdiBefore);
    } else {
        std::printf("note: GDI objects cannot be counted in this process (32-bit under Wine); "
                    "handles and memory are checked\n");
    }
    EXPECT_EQ(KernelHandleCount(), handlesBefore);
    // A leaked picture would be 100 x 125 KB of file, or 100 x 2.7 MB of
    // pixels.
    EXPECT_LT(PrivateCommittedBytes(), memoryBefore + 8 * 1024 * 1024);
    DestroyWindow(window);
}

}  // namespace
