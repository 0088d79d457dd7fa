#pragma once
// The skinned push button: owner-drawn, its face one PNG picture drawn with
// its alpha, the hand cursor, no background erasing, and a double click
// taken as a second press.

#include "framework/Controls.h"
#include "skin/GdiPlusPng.h"

class CPngButton : public CButton {
public:
    CPngButton() = default;
    ~CPngButton() override;

    // Starts GDI+ for this button; tells the user when it cannot.
    void InitGdiPlus();
    // Loads PNG resource id and fits the window to the picture.
    void LoadPng(UINT id);
    void DrawItem(const DRAWITEMSTRUCT* item) override;

    ULONG_PTR m_gdiplusToken = 0;
    Gdiplus::Image* m_pImage = nullptr;
    Gdiplus::Graphics* m_pGraphics = nullptr;
    BOOL m_bTracking = FALSE;
    INT m_nImageWidth = 0;
    INT m_nImageHeight = 0;

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PostNcDestroy() override;

private:
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnMouseHover(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnLButtonDownUp(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);

    void ReleaseGraphics();
    HDC m_hGraphicsDC = nullptr;
    HWND m_hGraphicsWnd = nullptr;
};
