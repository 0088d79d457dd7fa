#include "framework/Gdi.h"

#include "framework/Wnd.h"

BOOL CFont::CreatePointFont(int pointSizeTenths, const wchar_t* faceName)
{
    LOGFONTW font{};
    // Tenths of a point to device pixels of the screen.
    HDC screen = ::GetDC(nullptr);
    font.lfHeight = -MulDiv(pointSizeTenths, GetDeviceCaps(screen, LOGPIXELSY), 720);
    ::ReleaseDC(nullptr, screen);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, faceName, LF_FACESIZE);
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
