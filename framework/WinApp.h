#pragma once
// The application object: one per process, constructed before the entry
// point runs. The entry point calls InitInstance; a dialog application does
// all its work there and returns FALSE.

#include "framework/AfxString.h"
#include "framework/CmdTarget.h"

#include <oaidl.h>
#include <windows.h>

class CWnd;

// Restart manager support: restart only.
const DWORD AFX_RESTART_MANAGER_SUPPORT_RESTART = 0x01;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance()
    {
        m_nExitCode = 0;
        return TRUE;
    }
    // The message loop of applications that have one.
    virtual int Run();
    // The process's exit code.
    virtual int ExitInstance() { return m_nExitCode; }

    // What page scripts of hosted browsers see as window.external (not
    // add-ref'ed); null when the application offers nothing.
    virtual IDispatch* GetScriptExternal() { return nullptr; }

    // Names the registry root for the application's settings (none are
    // written).
    void SetRegistryKey(const wchar_t* company) { m_strRegistryKey = company; }

    CWnd* m_pMainWnd = nullptr;
    DWORD m_dwRestartManagerSupportFlags = 0;
    CString m_strRegistryKey;
    // The code of the quit request that ended the last modal run or loop.
    int m_nExitCode = 0;
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();

// What the wide entry point of an application does with its one
// application object.
int AfxWinMain(CWinApp& app);
