#pragma once
// Per-pixel alpha windows: the two layered-window functions bound at run
// time, and a picture pushed to a window as its whole look.

#include "skin/GdiPlusPng.h"

#include <windows.h>

class UpdateLayeredTool {
public:
    using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
    using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    UpdateLayeredTool(const UpdateLayeredTool&) = delete;
    UpdateLayeredTool& operator=(const UpdateLayeredTool&) = delete;
    virtual ~UpdateLayeredTool();

    // The process's one instance, made on the first call; it lives until the
    // process ends.
    static UpdateLayeredTool* GetInstance();

    HMODULE m_hUser32 = nullptr;
    UpdateLayeredWindowFn m_pfnUpdateLayeredWindow = nullptr;
    SetLayeredWindowAttributesFn m_pfnSetLayeredWindowAttributes = nullptr;

private:
    UpdateLayeredTool() = default;
};

class CLayeredPngSkin {
public:
    // Pushes m_png to m_hTargetWnd as its complete layered content, at the
    // picture's size and the window's position.
    void Paint();

    CGdiPlusPngResource m_png;
    HWND m_hTargetWnd = nullptr;
};
