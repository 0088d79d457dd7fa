#include "framework/Wnd.h"

#include "framework/OleControlSite.h"
#include "framework/SystemBoundary.h"

#include <algorithm>
#include <vector>

namespace {

const wchar_t kObjectProperty[] = L"LauncherWindowObject";

thread_local CWnd* t_creationTarget = nullptr;
thread_local HHOOK t_creationHook = nullptr;

LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_creationTarget) {
        CWnd* target = t_creationTarget;
        // Only the first window: its children are not ours to take.
        t_creationTarget = nullptr;
        CallGuarded(false, [&] { return target->SubclassWindow(reinterpret_cast<HWND>(wParam)); });
    }
    return CallNextHookEx(t_creationHook, code, wParam, lParam);
}

// What the system gets for a message whose handler threw: creation fails,
// a paint request is answered so it does not come back for ever, anything
// else counts as handled.
LRESULT ResultAfterException(HWND hwnd, UINT message)
{
    switch (message) {
    case WM_NCCREATE: return FALSE;
    case WM_CREATE: return -1;
    case WM_PAINT: ValidateRect(hwnd, nullptr); return 0;
    default: return 0;
    }
}

}  // namespace

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);

    const MSG previous = wnd->m_currentMsg;
    wnd->m_currentMsg = MSG{hwnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        result = ResultAfterException(hwnd, message);
    }
    wnd->m_currentMsg = previous;

    if (message == WM_NCDESTROY) {
        wnd->UnsubclassWindow();
        wnd->PostNcDestroy();
    }
    return result;
}

CWnd::~CWnd()
{
    // The window outlives a few of its objects (controls of a dialog that
    // is gone): give it back its own procedure.
    if (m_hWnd && ::IsWindow(m_hWnd))
        UnsubclassWindow();
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return false;
    m_hWnd = hwnd;
    PreSubclassWindow();
    SetPropW(hwnd, kObjectProperty, this);
    m_pfnSuper =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return true;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    if (!hwnd)
        return nullptr;
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &AfxWndProc)
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    RemovePropW(hwnd, kObjectProperty);
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    m_pCtrlSite = nullptr;
    return hwnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Owner-drawn controls draw themselves: hand the request to the
    // control's own object.
    if (message == WM_DRAWITEM && wParam != 0) {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (CWnd* child = FromHandlePermanent(item->hwndItem))
            return child->OnChildNotify(message, wParam, lParam, result);
    }
    return false;
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

BOOL CWnd::ShowWindow(int command)
{
    const BOOL wasVisible = ::IsWindowVisible(m_hWnd);
    if (m_pCtrlSite)
        m_pCtrlSite->ShowWindow(command);
    else
        ::ShowWindow(m_hWnd, command);
    return wasVisible;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    if (m_pCtrlSite)
        m_pCtrlSite->MoveWindow(RECT{x, y, x + width, y + height});
    else
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

HRESULT CWnd::InvokeHelper(DISPID dispid, WORD flags, VARIANT* result, std::initializer_list<VARIANTARG> args)
{
    IDispatch* control = m_pCtrlSite ? m_pCtrlSite->GetControlDispatch() : nullptr;
    if (!control)
        return E_UNEXPECTED;
    // The callee takes its arguments last first.
    std::vector<VARIANTARG> reversed(args.begin(), args.end());
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    DISPID named = DISPID_PROPERTYPUT;
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    return control->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

void CWnd::ScreenToClient(RECT* rect) const
{
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

CString CWnd::GetWindowText() const
{
    const int length = GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    const int copied = ::GetWindowTextW(m_hWnd, text.data(), length + 1);
    return CString(text.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

namespace {

BOOL ModifyWindowLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, index));
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    SetWindowLongPtrW(hwnd, index, static_cast<LONG_PTR>(changed));
    if (flags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::CenterWindow(HWND alternateOwner)
{
    HWND owner = alternateOwner ? alternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
    // A hidden or minimised owner has no place on screen to centre over.
    if (owner && (!::IsWindowVisible(owner) || ::IsIconic(owner)))
        owner = nullptr;
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    RECT area;
    if (owner) {
        ::GetWindowRect(owner, &area);
    } else {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

CreationHook::CreationHook(CWnd* target) : m_hook(t_creationHook), m_previousTarget(t_creationTarget)
{
    t_creationTarget = target;
    t_creationHook = SetWindowsHookExW(WH_CBT, CreationHookProc, nullptr, GetCurrentThreadId());
}

CreationHook::~CreationHook()
{
    if (t_creationHook)
        UnhookWindowsHookEx(t_creationHook);
    t_creationHook = m_hook;
    t_creationTarget = m_previousTarget;
}

HINSTANCE AfxGetInstanceHandle()
{
    return GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return GetModuleHandleW(nullptr);
}
