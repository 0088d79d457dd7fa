#include "windows/LoginActiveDlg.h"

#include "app/LoginApp.h"
#include "framework/AfxConnection.h"
#include "framework/EventSink.h"
#include "framework/VariantString.h"
#include "login/Endpoints.h"
#include "login/LoginHandoff.h"
#include "login/RedirectCapture.h"
#include "res/resource.h"
#include "skin/LayeredPngSkin.h"
#include "windows/ConfirmDlg.h"
#include "windows/DownloadProgressDlg.h"
#include "windows/LoginDlg.h"

namespace {

const int kQuitExitCode = 16;

const DISPID kDispidBeforeNavigate2 = 250;
const DISPID kDispidNavigateComplete2 = 252;
const DISPID kDispidDocumentComplete = 259;
const DISPID kDispidHtmlElementClick = -600;

// {3050F60F-98B5-11CF-BB82-00AA00BDCE0B}: the link click events, answered
// with this dialog's dispatch interface.
const IID kDiidHTMLElementEvents = {0x3050F60F, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

const EventSinkMap<CLoginActiveDlg>& BrowserEvents()
{
    static const EventSinkMap<CLoginActiveDlg> map = {
        OnControlEvent(IDC_BROWSER, kDispidDocumentComplete, &CLoginActiveDlg::OnDocumentComplete),
        OnControlEvent(IDC_BROWSER, kDispidNavigateComplete2, &CLoginActiveDlg::OnNavigateComplete2),
        OnControlEvent(IDC_BROWSER, kDispidBeforeNavigate2, &CLoginActiveDlg::OnBeforeNavigate2),
    };
    return map;
}

const DispatchMap<CLoginActiveDlg>& LinkEvents()
{
    static const DispatchMap<CLoginActiveDlg> map = {
        DispatchMethod(L"HTMLELEMENTEVENTS2_ONCLICK", kDispidHtmlElementClick, &CLoginActiveDlg::OnLinkClick),
    };
    return map;
}

// The address of a navigation event; empty when it holds none.
CString VariantText(const VARIANT* value)
{
    CString text;
    VariantString(value, text);
    return text;
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
    DDX_Control(dx, IDC_BROWSER, m_browser);
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

    m_browser.MoveWindow(334, 168, 630, 400, TRUE);
    EnableAutomation();
    m_strLoginUrl = LAUNCHER_LOGIN_URL;
    VARIANT flags, targetFrameName, postData, headers;
    for (VARIANT* empty : {&flags, &targetFrameName, &postData, &headers})
        VariantInit(empty);
    m_browser.Navigate(m_strLoginUrl, &flags, &targetFrameName, &postData, &headers);
    // Shown when the first navigation completes.
    m_browser.ShowWindow(SW_HIDE);

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
        OnMessage(WM_CLOSE, &CLoginActiveDlg::OnClose),
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

LRESULT CLoginActiveDlg::OnClose(WPARAM, LPARAM)
{
    OnBnClickedClose();
    return 0;
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
    // A missing client is downloaded with its progress shown over the
    // login windows. Every hand-over is handled in full, but while one
    // downloads, another does not download again: it leaves the client to
    // the running download (which starts it with the latest launch
    // parameter).
    const DownloadRunner withProgress = [this](const CString& url, const CString& clientPath) {
        if (m_bDownloading)
            return DownloadResult{false, CString(), true};
        struct Downloading {
            bool& flag;
            explicit Downloading(bool& running) : flag(running) { flag = true; }
            ~Downloading() { flag = false; }
        } downloading(m_bDownloading);
        return RunDownloadWithProgress(url, clientPath);
    };
    if (!HandleLoginPayload(json, theApp.m_strLaunchParam, withProgress))
        return;
    DisconnectElementEvents();
}

void CLoginActiveDlg::DisconnectElementEvents()
{
    DisconnectElementEventMap(m_mapElementEvents, GetIDispatch(false));
}

bool CLoginActiveDlg::OnEvent(UINT controlId, DISPID dispid, DISPPARAMS* params)
{
    return BrowserEvents().Dispatch(this, controlId, dispid, params) || CDialogEx::OnEvent(controlId, dispid, params);
}

HRESULT CLoginActiveDlg::GetDispatchIDs(const wchar_t* name, DISPID& dispid)
{
    if (LinkEvents().FindName(name, dispid))
        return S_OK;
    return CDialogEx::GetDispatchIDs(name, dispid);
}

HRESULT CLoginActiveDlg::InvokeDispatch(DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result)
{
    if (LinkEvents().Invoke(this, dispid, flags, params))
        return S_OK;
    return CDialogEx::InvokeDispatch(dispid, flags, params, result);
}

bool CLoginActiveDlg::AnswersWithDispatch(REFIID iid) const
{
    return iid == kDiidHTMLElementEvents || CDialogEx::AnswersWithDispatch(iid);
}

void CLoginActiveDlg::OnBeforeNavigate2(IDispatch*, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT_BOOL*)
{
}

void CLoginActiveDlg::OnLinkClick(IDispatch*)
{
}

void CLoginActiveDlg::OnDocumentComplete(IDispatch* /*frame*/, VARIANT* url)
{
    if (VariantText(url).Find(L"about:blank") >= 0)
        return;
    ComPtr<IDispatch> document = m_browser.GetDocument();
    ComPtr<IHTMLDocument2> html = document.As<IHTMLDocument2>(IID_IHTMLDocument2);
    if (!html)
        return;
    ComPtr<IHTMLElementCollection> all;
    if (FAILED(html->get_all(all.ReleaseAndGetAddressOf())) || !all)
        return;
    long length = 0;
    if (FAILED(all->get_length(&length)))
        return;
    IDispatch* sink = GetIDispatch(false);
    for (long i = 0; i < length; ++i) {
        VARIANT index;
        VariantInit(&index);
        V_VT(&index) = VT_I4;
        V_I4(&index) = i;
        VARIANT unused;
        VariantInit(&unused);
        ComPtr<IDispatch> item;
        if (FAILED(all->item(index, unused, item.ReleaseAndGetAddressOf())) || !item)
            continue;
        ComPtr<IHTMLAnchorElement> anchor = item.As<IHTMLAnchorElement>(IID_IHTMLAnchorElement);
        if (!anchor)
            continue;
        BSTR hrefText = nullptr;
        if (FAILED(anchor->get_href(&hrefText)))
            continue;
        const CString href(hrefText ? hrefText : L"", hrefText ? SysStringLen(hrefText) : 0);
        SysFreeString(hrefText);
        if (m_mapElementEvents.count(href))
            continue;
        DWORD cookie = 0;
        if (!AfxConnectionAdvise(anchor.Get(), kDiidHTMLElementEvents2, sink, FALSE, &cookie))
            continue;
        m_mapElementEvents.emplace(href, ElementEventConnection{anchor, kDiidHTMLElementEvents2, cookie, href});
    }
}

void CLoginActiveDlg::OnNavigateComplete2(IDispatch* /*frame: a frame's navigation counts like the page's*/,
                                          VARIANT* url)
{
    if (m_browser.m_hWnd && !m_browser.IsWindowVisible())
        m_browser.ShowWindow(SW_SHOW);
    CStringA json;
    if (!BuildLoginJsonFromUrl(VariantText(url), json))
        return;
    HandleAppLogin(CString(json));
}
