#pragma once
// The application object: one per process, constructed before the entry
// point runs.

#include "framework/CmdTarget.h"

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();
