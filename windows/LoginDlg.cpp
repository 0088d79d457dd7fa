#include "windows/LoginDlg.h"

#include "app/LoginApp.h"
#include "browser/ImpIDispatch.h"
#include "framework/HostSystem.h"
#include "res/resource.h"
#include "windows/DownloadProgressDlg.h"
#include "windows/LoginActiveDlg.h"

namespace {
const UINT kRaisePageMessage = WM_APP + 1;
}

CLoginDlg::CLoginDlg(CWnd* parent)
    : CDialogEx(IDD_LOGIN_DIALOG, parent), m_hIcon(LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME)))
{
}

CLoginDlg::~CLoginDlg() = default;

BOOL CLoginDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetWindowText(L"Voskar");
    m_skin.m_hTargetWnd = m_hWnd;
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_pLoginActiveDlg = new CLoginActiveDlg(this);
    m_pLoginActiveDlg->Create(IDD_LOGIN_ACTIVE_DIALOG, this);
    m_pLoginActiveDlg->ShowWindow(SW_SHOWNORMAL);
    if (theApp.m_pDispatch)
        theApp.m_pDispatch->m_pLoginActiveDlg = m_pLoginActiveDlg;

    ModifyStyle(WS_CAPTION, 0);
    if (!m_skin.m_png.Load(IDB_PNG_FRAME, AfxGetResourceHandle()))
        return TRUE;

    const int width = static_cast<int>(m_skin.m_png.m_pImage->GetWidth());
    const int height = static_cast<int>(m_skin.m_png.m_pImage->GetHeight());
    MoveWindow(0, 0, width, height, TRUE);
    CenterWindow();
    RECT frame;
    GetWindowRect(&frame);
    m_pLoginActiveDlg->MoveWindow(frame, TRUE);
    m_skin.Paint();
    return TRUE;
}

bool CLoginDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    static const MessageMap<CLoginDlg> map = {
        OnMessage(WM_PAINT, &CLoginDlg::OnPaint),
        OnMessage(WM_QUERYDRAGICON, &CLoginDlg::OnQueryDragIcon),
        OnMessage(WM_CREATE, &CLoginDlg::OnCreate),
        OnMessage(WM_NCHITTEST, &CLoginDlg::OnNcHitTest),
        OnMessage(WM_TIMER, &CLoginDlg::OnTimer),
        OnMessage(WM_MOVE, &CLoginDlg::OnMove),
        OnMessage(WM_SHOWWINDOW, &CLoginDlg::OnShowWindow),
        OnMessage(WM_CLOSE, &CLoginDlg::OnClose),
        OnMessage(kRaisePageMessage, &CLoginDlg::OnRaisePage),
    };
    return map.Dispatch(this, message, wParam, lParam, result) || CDialogEx::OnWndMsg(message, wParam, lParam, result);
}

LRESULT CLoginDlg::OnPaint(WPARAM, LPARAM)
{
    // Validates the request in every case: without its frame picture the
    // window is never layered, and an unanswered request would repeat.
    CPaintDC paint(m_hWnd);
    if (!IsIconic())
        return 0;
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(paint.Get(), x, y, m_hIcon);
    return 0;
}

LRESULT CLoginDlg::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hIcon);
}

LRESULT CLoginDlg::OnCreate(WPARAM, LPARAM)
{
    return Default() == -1 ? -1 : 0;
}

LRESULT CLoginDlg::OnNcHitTest(WPARAM, LPARAM)
{
    m_bLeadsMove = TRUE;
    const LRESULT hit = Default();
    return hit == HTCLIENT ? HTCAPTION : hit;
}

LRESULT CLoginDlg::OnMove(WPARAM, LPARAM)
{
    if (!IsWindow() || !m_bLeadsMove || !m_pLoginActiveDlg || !m_pLoginActiveDlg->IsWindow())
        return 0;
    RECT frame;
    GetWindowRect(&frame);
    RECT page;
    m_pLoginActiveDlg->GetWindowRect(&page);
    m_pLoginActiveDlg->MoveWindow(frame.left, frame.top, page.right - page.left, page.bottom - page.top, TRUE);
    return 0;
}

LRESULT CLoginDlg::OnShowWindow(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    if (m_pLoginActiveDlg && m_pLoginActiveDlg->IsWindow()) {
        m_pLoginActiveDlg->ShowWindow(wParam ? SW_SHOWNORMAL : SW_HIDE);
        // Windows keeps an owned window above its owner by itself. Wine's
        // X11 driver can stack the owner, shown after it, on top, and only a
        // fresh show of the page restacks it there (moving it to the top in
        // Wine's own order does not): done once this window is on screen,
        // and only on Wine, so players never see the page blink.
        if (wParam && AfxRunningOnWine())
            PostMessageW(m_hWnd, kRaisePageMessage, 0, 0);
    }
    return result;
}

LRESULT CLoginDlg::OnRaisePage(WPARAM, LPARAM)
{
    if (m_pLoginActiveDlg && m_pLoginActiveDlg->IsWindowVisible()) {
        m_pLoginActiveDlg->ShowWindow(SW_HIDE);
        m_pLoginActiveDlg->ShowWindow(SW_SHOWNA);
    }
    return 0;
}

LRESULT CLoginDlg::OnClose(WPARAM, LPARAM)
{
    // Closing the launcher (the taskbar's "Close window") while the client
    // downloads gives the download up: nothing is left behind or started.
    CancelDownloadInProgress();
    EndDialog(IDOK);
    return 0;
}
