#include "app/LoginApp.h"

#include "browser/CustomOccManager.h"
#include "browser/ImpIDispatch.h"
#include "framework/ShellServices.h"
#include "windows/LoginActiveDlg.h"
#include "windows/LoginDlg.h"

#include <commctrl.h>
#include <ole2.h>
#include <gdiplus.h>

CLoginApp theApp;

namespace {

const wchar_t kStartFailedText[] = L"启动游戏失败，请重新启动！";
const wchar_t kStartFailedCaption[] = L"【启动失败】";
const wchar_t kRegistryKey[] = L"应用程序向导生成的本地应用程序";

}  // namespace

CLoginApp::CLoginApp()
{
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
}

CLoginApp::~CLoginApp() = default;

BOOL CLoginApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();

    // Every hosted control gets our site; the manager lives as long as the
    // process.
    CCustomOccManager* manager = new CCustomOccManager;
    m_pDispatch = new CImpIDispatch;
    AfxEnableControlContainer(manager);
    // The browser control needs COM and OLE on this thread before the main
    // window exists.
    m_bOleInitialized = SUCCEEDED(OleInitialize(nullptr));

    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr);

    CShellManager* shellManager = new CShellManager;
    CMFCVisualManager::SetDefaultManager<CMFCVisualManagerWindows>();
    SetRegistryKey(kRegistryKey);

    {
        CLoginDlg dlg;
        m_pMainWnd = &dlg;
        const INT_PTR response = dlg.DoModal();
        m_nModalResult = response;
        if (response == -1) {
            // After a quit request the pending quit closes this at once; it
            // stays only when the window could not be created at all.
            MessageBoxW(nullptr, kStartFailedText, kStartFailedCaption, 0);
        }
        // The script object hands nothing to the page dialog once it goes.
        m_pDispatch->m_pLoginActiveDlg = nullptr;
        if (dlg.m_pLoginActiveDlg) {
            delete dlg.m_pLoginActiveDlg;
            dlg.m_pLoginActiveDlg = nullptr;
        }
        delete shellManager;
        CImpIDispatch::Discard(m_pDispatch);
        m_pDispatch = nullptr;
        m_pMainWnd = nullptr;
    }
    // No message loop of our own: the process ends here.
    return FALSE;
}

IDispatch* CLoginApp::GetScriptExternal()
{
    return m_pDispatch;
}

int CLoginApp::ExitInstance()
{
    const int result = CWinApp::ExitInstance();
    if (m_bOleInitialized)
        OleUninitialize();
    m_bOleInitialized = false;
    return result;
}
