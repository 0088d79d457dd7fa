#pragma once

#include "framework/AfxString.h"
#include "framework/WinApp.h"

class CImpIDispatch;

class CLoginApp : public CWinApp {
public:
    CLoginApp();

    ULONG_PTR m_gdiplusToken = 0;
    // The page's window.external; owned, deleted after the modal run.
    CImpIDispatch* m_pDispatch = nullptr;
    // The credential line for the game client; empty until the first login.
    CStringA m_strLaunchParam;
};

extern CLoginApp theApp;
