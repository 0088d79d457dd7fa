#include "windows/LoginActiveDlg.h"

#include "app/LoginApp.h"
#include "login/LoginHandoff.h"
#include "login/RedirectCapture.h"
#include "res/resource.h"
#include "skin/LayeredPngSkin.h"
#include "windows/ConfirmDlg.h"
#include "windows/LoginDlg.h"

namespace {

const int kQuitExitCode = 16;

// The address of a navigation event: a string, possibly behind a reference.
CString VariantText(const VARIANT* value)
{
    while (value && V_VT(value) == (VT_BYREF | VT_VARIANT))
        value = V_VARIANTREF(value);
    if (!value)
        return CString();
    if (V_VT(value) == VT_BSTR && V_BSTR(value))
        return CString(V_BSTR(value), SysStringLen(V_BSTR(value)));
    if (V_VT(value) == (VT_BYREF | VT_BSTR) && V_BSTRREF(value) && *V_BSTRREF(value))
        return CString(*V_BSTRREF(value), SysStringLen(*V_BSTRREF(value)));
    return CString();
}

}  // namespace

CLoginActiveDlg::CLoginActiveDlg(CLoginDlg* mainDlg) : m_pMainDlg(mainDlg)
{
    // The dispatch interface is the sink of the link click connections; it
    // is there from the start so a login handed over early can end them.
    EnableAutomation();
}

CLoginActiveDlg::~CLoginActiveDlg()
{
    m_brKey.DeleteObject();
}

void CLoginActiveDlg::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_BTN_MIN, m_btnMin);
    DDX_Control(dx, IDC_BTN_CLOSE, m_btnClose);
}

BOOL CLoginActiveDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_brKey.CreateSolidBrush(m_clrKey);

    // Every key-coloured pixel is invisible and lets the mouse through.
    ModifyStyleEx(0, WS_EX_LAYERED);
    UpdateLayeredTool* tool = UpdateLayeredTool::GetInstance();
    if (tool && tool->m_pfnSetLayeredWindowAttributes)
        tool->m_pfnSetLayeredWindowAttributes(m_hWnd, m_clrKey, 255, LWA_COLORKEY | LWA_ALPHA);

    m_btnMin.InitGdiPlus();
    m_btnClose.InitGdiPlus();
    m_btnMin.LoadPng(IDB_PNG_MIN);
    m_btnClose.LoadPng(IDB_PNG_CLOSE);
    m_btnClose.MoveWindow(960, 53, 28, 28, TRUE);
    m_btnMin.MoveWindow(915, 55, 24, 24, TRUE);
    return TRUE;
}

bool CLoginActiveDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    static const MessageMap<CLoginActiveDlg> map = {
        OnMessage(WM_MOVE, &CLoginActiveDlg::OnMove),
        OnMessage(WM_NCHITTEST, &CLoginActiveDlg::OnNcHitTest),
        OnMessage(WM_CTLCOLORDLG, &CLoginActiveDlg::OnCtlColor),
        OnMessage(WM_CTLCOLORBTN, &CLoginActiveDlg::OnCtlColor),
        OnMessage(WM_CTLCOLORSTATIC, &CLoginActiveDlg::OnCtlColor),
        OnMessage(WM_CTLCOLOREDIT, &CLoginActiveDlg::OnCtlColor),
        OnMessage(WM_CTLCOLORLISTBOX, &CLoginActiveDlg::OnCtlColor),
        OnMessage(WM_CTLCOLORSCROLLBAR, &CLoginActiveDlg::OnCtlColor),
        OnMessage(WM_CTLCOLORMSGBOX, &CLoginActiveDlg::OnCtlColor),
        OnCommand(IDC_BTN_MIN, BN_CLICKED, &CLoginActiveDlg::OnBnClickedMin),
        OnCommand(IDC_BTN_CLOSE, BN_CLICKED, &CLoginActiveDlg::OnBnClickedClose),
    };
    return map.Dispatch(this, message, wParam, lParam, result) || CDialogEx::OnWndMsg(message, wParam, lParam, result);
}

LRESULT CLoginActiveDlg::OnMove(WPARAM, LPARAM)
{
    if (!IsWindow() || !m_pMainDlg || !m_pMainDlg->IsWindow())
        return 0;
    // The main window leads and moves this dialog itself: never echo.
    if (m_pMainDlg->m_bLeadsMove)
        return 0;
    RECT page;
    GetWindowRect(&page);
    RECT frame;
    m_pMainDlg->GetWindowRect(&frame);
    m_pMainDlg->MoveWindow(page.left, page.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    return 0;
}

LRESULT CLoginActiveDlg::OnNcHitTest(WPARAM, LPARAM)
{
    if (m_pMainDlg)
        m_pMainDlg->m_bLeadsMove = FALSE;
    return Default() == HTCLIENT ? HTCAPTION : HTNOWHERE;
}

LRESULT CLoginActiveDlg::OnCtlColor(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_brKey.GetSafeHandle());
}

void CLoginActiveDlg::OnBnClickedMin()
{
    if (m_pMainDlg)
        m_pMainDlg->ShowWindow(SW_MINIMIZE);
}

void CLoginActiveDlg::OnBnClickedClose()
{
    CConfirmDlg confirm;
    confirm.m_nMode = 0;
    if (confirm.DoModal() == IDOK)
        PostQuitMessage(kQuitExitCode);
}

void CLoginActiveDlg::HandleAppLogin(CString json)
{
    if (!HandleLoginPayload(json, theApp.m_strLaunchParam))
        return;
    DisconnectElementEvents();
}

void CLoginActiveDlg::DisconnectElementEvents()
{
    DisconnectElementEventMap(m_mapElementEvents, GetIDispatch(false));
}

void CLoginActiveDlg::OnNavigateComplete2(IDispatch* /*frame: a frame's navigation counts like the page's*/,
                                          VARIANT* url)
{
    CStringA json;
    if (!BuildLoginJsonFromUrl(VariantText(url), json))
        return;
    HandleAppLogin(CString(json));
}
