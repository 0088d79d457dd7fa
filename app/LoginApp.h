#pragma once
// The application object: the values several parts share, the start-up of
// the platform services, the modal run of the main login window and the
// clean-up after it.

#include "framework/AfxString.h"
#include "framework/WinApp.h"

class CImpIDispatch;

class CLoginApp : public CWinApp {
public:
    CLoginApp();
    ~CLoginApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    IDispatch* GetScriptExternal() override;

    ULONG_PTR m_gdiplusToken = 0;
    // The page's window.external; owned, deleted after the modal run.
    CImpIDispatch* m_pDispatch = nullptr;
    // The credential line for the game client; empty until the first login.
    CStringA m_strLaunchParam;
    // How the last modal run of the main window ended: IDOK after a close
    // message, -1 after a quit request or when it could not be created.
    INT_PTR m_nModalResult = 0;

private:
    bool m_bOleInitialized = false;
};

extern CLoginApp theApp;
