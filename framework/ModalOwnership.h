#pragma once
// Which window owns a modal window and which windows it disables, as the
// platform decides for a modal dialog: the owner is the given parent or,
// without one, the last active popup of the application's main window; the
// owner and the top-level window above it take no input until the modal
// window ends, then get it back, with the activation on the owner.

#include <windows.h>

class ModalOwnership {
public:
    // parent may be null.
    explicit ModalOwnership(HWND parent);
    ModalOwnership(const ModalOwnership&) = delete;
    ModalOwnership& operator=(const ModalOwnership&) = delete;
    // Enables what was disabled; the activation goes back to the owner if
    // modal (still existing) has it.
    ~ModalOwnership();

    HWND Owner() const { return m_owner; }
    // The modal window, once it exists: it hands the activation back.
    void SetModalWindow(HWND modal) { m_modal = modal; }

private:
    HWND m_owner = nullptr;
    HWND m_modal = nullptr;
    bool m_bOwnerDisabled = false;
    HWND m_topDisabled = nullptr;
};

// The owner a modal window gets for parent (see above).
HWND AfxGetSafeOwner(HWND parent, HWND* topLevel);
