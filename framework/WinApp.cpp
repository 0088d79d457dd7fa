#include "framework/WinApp.h"

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
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    m_nExitCode = static_cast<int>(message.wParam);
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
