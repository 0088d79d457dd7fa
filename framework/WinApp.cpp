#include "framework/WinApp.h"

#include "framework/MessagePump.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::Run()
{
    const PumpEnd end = RunMessagePump([] { return false; });
    // The loop's own quit request: nothing outside it is waiting for it.
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    m_nExitCode = end.exitCode;
    return m_nExitCode;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

int AfxWinMain(CWinApp& app)
{
    if (app.InitInstance())
        app.Run();
    return app.ExitInstance();
}
