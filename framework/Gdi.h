#pragma once
// GDI objects with one owner each: deleted when the owner goes.

#include <windows.h>

#include <utility>

template <typename Handle>
class CGdiObjectT {
public:
    CGdiObjectT() = default;
    CGdiObjectT(const CGdiObjectT&) = delete;
    CGdiObjectT& operator=(const CGdiObjectT&) = delete;
    ~CGdiObjectT() { DeleteObject(); }

    Handle GetSafeHandle() const { return m_hObject; }
    operator Handle() const { return m_hObject; }
    BOOL Attach(Handle handle)
    {
        DeleteObject();
        m_hObject = handle;
        return handle != nullptr;
    }
    Handle Detach() { return std::exchange(m_hObject, nullptr); }
    BOOL DeleteObject()
    {
        if (!m_hObject)
            return FALSE;
        return ::DeleteObject(std::exchange(m_hObject, nullptr));
    }

protected:
    Handle m_hObject = nullptr;
};

class CBrush : public CGdiObjectT<HBRUSH> {
public:
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
};

// The screen's pixels per inch (96 at 100 % scaling).
int AfxScreenPixelsPerInch();

class CFont : public CGdiObjectT<HFONT> {
public:
    // Size in tenths of a point, for a screen of pixelsPerInch whatever the
    // real one is: for layouts made in pixels.
    BOOL CreatePointFontForDpi(int pointSizeTenths, const wchar_t* faceName, int pixelsPerInch);
    // A copy of font with its point size kept and its height in pixels
    // taken for pixelsPerInch instead of the screen's.
    BOOL CreateForDpi(HFONT font, int pixelsPerInch);
};

class CBitmap : public CGdiObjectT<HBITMAP> {
public:
    BOOL LoadBitmap(UINT id);
    BITMAP GetBitmap() const;
};

// A device context released or deleted with its scope.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND hwnd, bool wholeWindow = false)
        : m_hwnd(hwnd), m_hdc(wholeWindow ? ::GetWindowDC(hwnd) : ::GetDC(hwnd))
    {
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    ~ScopedWindowDC()
    {
        if (m_hdc)
            ::ReleaseDC(m_hwnd, m_hdc);
    }
    HDC Get() const { return m_hdc; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC compatible) : m_hdc(::CreateCompatibleDC(compatible)) {}
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    ~ScopedMemoryDC()
    {
        if (m_hdc)
            ::DeleteDC(m_hdc);
    }
    HDC Get() const { return m_hdc; }

private:
    HDC m_hdc;
};

class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hwnd(hwnd) { m_hdc = ::BeginPaint(hwnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { ::EndPaint(m_hwnd, &m_ps); }
    HDC Get() const { return m_hdc; }

    PAINTSTRUCT m_ps{};

private:
    HWND m_hwnd;
    HDC m_hdc;
};
