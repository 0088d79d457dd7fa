#include "skin/PngButton.h"

#include "framework/Wnd.h"

CPngButton::~CPngButton()
{
    delete m_pImage;
    m_pImage = nullptr;
    ReleaseGraphics();
}

void CPngButton::ReleaseGraphics()
{
    delete m_pGraphics;
    m_pGraphics = nullptr;
    // The whole-window DC goes back to the system with the graphics.
    if (m_hGraphicsDC)
        ReleaseDC(m_hGraphicsWnd, m_hGraphicsDC);
    m_hGraphicsDC = nullptr;
    m_hGraphicsWnd = nullptr;
}

void CPngButton::PostNcDestroy()
{
    ReleaseGraphics();
}

void CPngButton::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW);
}

void CPngButton::InitGdiPlus()
{
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) != Gdiplus::Ok)
        MessageBoxW(nullptr, L"Initialize GDI+ library failed", L"Error", MB_ICONERROR);
}

void CPngButton::LoadPng(UINT id)
{
    delete m_pImage;
    ReleaseGraphics();
    m_pImage = LoadPngFromResource(AfxGetResourceHandle(), id);
    m_nImageWidth = m_pImage ? static_cast<INT>(m_pImage->GetWidth()) : 0;
    m_nImageHeight = m_pImage ? static_cast<INT>(m_pImage->GetHeight()) : 0;

    RECT rect;
    GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    SetWindowPos(HWND_TOP, rect.left, rect.top, m_nImageWidth, m_nImageHeight, SWP_NOMOVE);

    m_hGraphicsWnd = m_hWnd;
    m_hGraphicsDC = GetWindowDC(m_hWnd);
    if (m_hGraphicsDC)
        m_pGraphics = new Gdiplus::Graphics(m_hGraphicsDC);
}

void CPngButton::DrawItem(const DRAWITEMSTRUCT*)
{
    if (!m_pGraphics || !m_pImage)
        return;
    const Gdiplus::Rect area(0, 0, m_nImageWidth, m_nImageHeight);
    m_pGraphics->DrawImage(m_pImage, area, 0, 0, m_nImageWidth, m_nImageHeight, Gdiplus::UnitPixel);
}

LRESULT CPngButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Two quick clicks are two presses, not a press and a double click.
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

bool CPngButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    static const MessageMap<CPngButton> map = {
        OnMessage(WM_MOUSEMOVE, &CPngButton::OnMouseMove),     OnMessage(WM_MOUSEHOVER, &CPngButton::OnMouseHover),
        OnMessage(WM_MOUSELEAVE, &CPngButton::OnMouseLeave),   OnMessage(WM_LBUTTONDOWN, &CPngButton::OnLButtonDownUp),
        OnMessage(WM_LBUTTONUP, &CPngButton::OnLButtonDownUp), OnMessage(WM_SETCURSOR, &CPngButton::OnSetCursor),
        OnMessage(WM_ERASEBKGND, &CPngButton::OnEraseBkgnd),
    };
    return map.Dispatch(this, message, wParam, lParam, result) || CButton::OnWndMsg(message, wParam, lParam, result);
}

LRESULT CPngButton::OnMouseMove(WPARAM, LPARAM)
{
    if (!m_bTracking) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_bTracking = TrackMouseEvent(&track);
    }
    return Default();
}

LRESULT CPngButton::OnMouseHover(WPARAM, LPARAM)
{
    Invalidate(TRUE);
    return 0;
}

LRESULT CPngButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bTracking = FALSE;
    Invalidate(TRUE);
    return 0;
}

LRESULT CPngButton::OnLButtonDownUp(WPARAM, LPARAM)
{
    Invalidate(TRUE);
    return Default();
}

LRESULT CPngButton::OnSetCursor(WPARAM, LPARAM)
{
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

LRESULT CPngButton::OnEraseBkgnd(WPARAM, LPARAM)
{
    return TRUE;
}
