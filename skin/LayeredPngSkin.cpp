#include "skin/LayeredPngSkin.h"

#include "framework/Gdi.h"

namespace {

UpdateLayeredTool* g_layeredTool = nullptr;

template <typename Function>
Function ProcAddress(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

UpdateLayeredTool::~UpdateLayeredTool()
{
    if (m_hUser32)
        FreeLibrary(m_hUser32);
}

UpdateLayeredTool* UpdateLayeredTool::GetInstance()
{
    if (g_layeredTool)
        return g_layeredTool;
    UpdateLayeredTool* tool = new UpdateLayeredTool();
    tool->m_hUser32 = LoadLibraryW(L"User32.DLL");
    if (tool->m_hUser32) {
        tool->m_pfnUpdateLayeredWindow = ProcAddress<UpdateLayeredWindowFn>(tool->m_hUser32, "UpdateLayeredWindow");
        tool->m_pfnSetLayeredWindowAttributes =
            ProcAddress<SetLayeredWindowAttributesFn>(tool->m_hUser32, "SetLayeredWindowAttributes");
    }
    g_layeredTool = tool;
    return tool;
}

void CLayeredPngSkin::Paint()
{
    if (!m_png.m_pImage || !IsWindow(m_hTargetWnd))
        return;

    ScopedWindowDC windowDC(m_hTargetWnd);
    RECT window;
    GetWindowRect(m_hTargetWnd, &window);
    POINT destination{window.left, window.top};
    ScopedMemoryDC memoryDC(windowDC.Get());
    const int width = static_cast<int>(m_png.m_pImage->GetWidth());
    const int height = static_cast<int>(m_png.m_pImage->GetHeight());
    CGdiObjectT<HBITMAP> surface;
    surface.Attach(CreateCompatibleBitmap(windowDC.Get(), width, height));
    HGDIOBJ previous = SelectObject(memoryDC.Get(), surface.GetSafeHandle());
    {
        Gdiplus::Graphics graphics(memoryDC.Get());
        const Gdiplus::Point corners[3] = {{0, 0}, {width, 0}, {0, height}};
        graphics.DrawImage(m_png.m_pImage, corners, 3);
    }

    const LONG_PTR exStyle = GetWindowLongPtrW(m_hTargetWnd, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED))
        SetWindowLongPtrW(m_hTargetWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);

    UpdateLayeredTool* tool = UpdateLayeredTool::GetInstance();
    if (tool->m_pfnUpdateLayeredWindow) {
        SIZE size{width, height};
        POINT source{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        tool->m_pfnUpdateLayeredWindow(m_hTargetWnd, windowDC.Get(), &destination, &size, memoryDC.Get(), &source, 0,
                                       &blend, ULW_ALPHA);
    }
    // The bitmap leaves the memory DC before either is deleted.
    SelectObject(memoryDC.Get(), previous);
}
