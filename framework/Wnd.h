#pragma once
// A window object: owns nothing of the window's life unless it created it,
// stores itself with the window, and routes every message through its
// class's message map before the window's original procedure.

#include "framework/CmdTarget.h"
#include "framework/AfxString.h"

#include <oaidl.h>
#include <windows.h>

#include <initializer_list>
#include <vector>

class CWnd;
class COleControlSite;

// A message map: the messages and control notifications one class handles,
// as pointers to its member functions. Classes chain to their base class by
// calling the base's OnWndMsg when their own map has no entry.
template <class T>
class MessageMap {
public:
    using MessageHandler = LRESULT (T::*)(WPARAM, LPARAM);
    using CommandHandler = void (T::*)();

    struct Entry {
        UINT message;
        UINT id;  // WM_COMMAND: control id
        UINT code;  // WM_COMMAND: notification code
        MessageHandler onMessage;
        CommandHandler onCommand;
    };

    MessageMap(std::initializer_list<Entry> entries) : m_entries(entries) {}

    bool Dispatch(T* target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const
    {
        for (const Entry& entry : m_entries) {
            if (entry.onCommand) {
                if (message == WM_COMMAND && LOWORD(wParam) == entry.id && HIWORD(wParam) == entry.code) {
                    (target->*entry.onCommand)();
                    result = 0;
                    return true;
                }
            } else if (entry.message == message) {
                result = (target->*entry.onMessage)(wParam, lParam);
                return true;
            }
        }
        return false;
    }

private:
    std::vector<Entry> m_entries;
};

template <class T>
typename MessageMap<T>::Entry OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM))
{
    return {message, 0, 0, handler, nullptr};
}

template <class T>
typename MessageMap<T>::Entry OnCommand(UINT id, UINT code, void (T::*handler)())
{
    return {WM_COMMAND, id, code, nullptr, handler};
}

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Routes hwnd's messages through this object from now on.
    bool SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();
    // The object that routes hwnd's messages, if any.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Operations the windows use.
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    // For a hosted control, through its site.
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    // For a hosted control, through its site (the control learns its new
    // rectangle).
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE)
    {
        MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void ScreenToClient(RECT* rect) const;
    void SetWindowText(const wchar_t* text) { ::SetWindowTextW(m_hWnd, text); }
    CString GetWindowText() const;
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    // Removes, then adds style bits; writes the style only when it changes.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void SetFont(HFONT font, BOOL redraw = TRUE) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    HICON SetIcon(HICON icon, BOOL big)
    {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    // Centres over the owner, or in the work area of the window's monitor
    // when there is none or it is hidden or minimised.
    void CenterWindow(HWND alternateOwner = nullptr);
    BOOL DestroyWindow();

    // Calls the hosted control's dispatch interface: args in call order,
    // the result (if any) into result. Needs the control's site.
    HRESULT InvokeHelper(DISPID dispid, WORD flags, VARIANT* result, std::initializer_list<VARIANTARG> args);

    // A message of this window or of a window inside it, before it is
    // translated and dispatched; true when this object took it.
    virtual BOOL PreTranslateMessage(MSG*) { return FALSE; }

    HWND m_hWnd = nullptr;
    // The site of a hosted control this object stands for; null otherwise.
    COleControlSite* m_pCtrlSite = nullptr;

protected:
    // Every message of the window comes here first.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The class's message map; true when it handled the message.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // What the window does without us: its original procedure.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled.
    LRESULT Default();
    // Called after the window's last message; the object stays.
    virtual void PostNcDestroy() {}
    // Notification messages reflected from the parent (WM_DRAWITEM...).
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual void PreSubclassWindow() {}

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class CDialog;

private:
    WNDPROC m_pfnSuper = nullptr;
    MSG m_currentMsg{};
};

// Creates hwnd's object link at the very start of its life: windows created
// on this thread while the scope lives are subclassed by target on their
// first message (HCBT_CREATEWND).
class CreationHook {
public:
    explicit CreationHook(CWnd* target);
    CreationHook(const CreationHook&) = delete;
    CreationHook& operator=(const CreationHook&) = delete;
    ~CreationHook();

private:
    HHOOK m_hook;
    CWnd* m_previousTarget;
};

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
