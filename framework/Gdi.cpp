#include "framework/Gdi.h"

#include "framework/Wnd.h"

int AfxScreenPixelsPerInch()
{
    HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return pixelsPerInch;
}

BOOL CFont::CreatePointFontForDpi(int pointSizeTenths, const wchar_t* faceName, int pixelsPerInch)
{
    LOGFONTW font{};
    // Tenths of a point to device pixels.
    font.lfHeight = -MulDiv(pointSizeTenths, pixelsPerInch, 720);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, faceName, LF_FACESIZE);
    return Attach(::CreateFontIndirectW(&font));
}

BOOL CFont::CreateForDpi(HFONT source, int pixelsPerInch)
{
    LOGFONTW font{};
    if (!source || !::GetObjectW(source, sizeof(font), &font))
        return FALSE;
    // Fonts of dialog templates come in whole points.
    const int points = MulDiv(font.lfHeight < 0 ? -font.lfHeight : font.lfHeight, 72, AfxScreenPixelsPerInch());
    font.lfHeight = -MulDiv(points, pixelsPerInch, 72);
    font.lfWidth = 0;
    return Attach(::CreateFontIndirectW(&font));
}

BOOL CBitmap::LoadBitmap(UINT id)
{
    return Attach(static_cast<HBITMAP>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

BITMAP CBitmap::GetBitmap() const
{
    BITMAP info{};
    if (m_hObject)
        ::GetObjectW(m_hObject, sizeof(info), &info);
    return info;
}
