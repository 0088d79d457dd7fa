#include "framework/ModalOwnership.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

HWND AfxGetSafeOwner(HWND parent, HWND* topLevel)
{
    HWND hwnd = parent;
    if (!hwnd) {
        CWinApp* app = AfxGetApp();
        hwnd = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
        if (hwnd && !::IsWindow(hwnd))
            hwnd = nullptr;
    }
    // A popup cannot be owned by a child window.
    while (hwnd && (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD))
        hwnd = ::GetParent(hwnd);
    // The top of the owner chain is disabled too.
    HWND top = hwnd;
    for (HWND above = hwnd; above; above = ::GetParent(above))
        top = above;
    // Without a parent, the popup the user worked in last: with the login
    // windows that is the page dialog, so nothing can bury the modal window.
    if (!parent && hwnd)
        hwnd = ::GetLastActivePopup(hwnd);
    if (topLevel)
        *topLevel = top;
    return hwnd;
}

ModalOwnership::ModalOwnership(HWND parent)
{
    HWND top = nullptr;
    m_owner = AfxGetSafeOwner(parent, &top);
    if (top && top != m_owner && ::IsWindowEnabled(top)) {
        ::EnableWindow(top, FALSE);
        m_topDisabled = top;
    }
    if (m_owner && ::IsWindowEnabled(m_owner)) {
        ::EnableWindow(m_owner, FALSE);
        m_bOwnerDisabled = true;
    }
}

ModalOwnership::~ModalOwnership()
{
    // The owner is enabled before the modal window goes, so the system
    // hands it the activation instead of another application.
    if (m_bOwnerDisabled && ::IsWindow(m_owner))
        ::EnableWindow(m_owner, TRUE);
    if (m_owner && m_modal && ::IsWindow(m_modal) && ::GetActiveWindow() == m_modal)
        ::SetActiveWindow(m_owner);
    if (m_topDisabled && ::IsWindow(m_topDisabled))
        ::EnableWindow(m_topDisabled, TRUE);
}
