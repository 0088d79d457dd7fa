#include "windows/ConfirmDlg.h"

#include "res/resource.h"
#include "windows/PixelLayout.h"

namespace {

struct ConfirmTexts {
    const wchar_t* title;
    const wchar_t* question;
};

const ConfirmTexts kTextsByMode[] = {
    {L"关闭游戏", L"确定要退出游戏吗?"},
    {L"选服", L"是否退出当前游戏，重新选择新服务器?"},
};

}  // namespace

CConfirmDlg::CConfirmDlg(CWnd* parent) : CDialogEx(IDD_CONFIRM_DIALOG, parent)
{
}

void CConfirmDlg::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_BTN_OK, m_btnOK);
    DDX_Control(dx, IDC_BTN_CANCEL, m_btnCancel);
    DDX_Control(dx, IDC_STATIC_TITLE, m_staticTitle);
    DDX_Control(dx, IDC_STATIC_TEXT, m_staticText);
}

BOOL CConfirmDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    UseDialogFontForDpi(kLayoutPixelsPerInch);
    m_bmpBack.LoadBitmap(IDB_CONFIRM_BACK);
    m_btnOK.InitGdiPlus();
    m_btnOK.LoadPng(IDB_PNG_OK);
    m_btnCancel.InitGdiPlus();
    m_btnCancel.LoadPng(IDB_PNG_CANCEL);

    SetWindowPos(nullptr, 0, 0, 256, 110, SWP_NOZORDER);
    CenterWindow();
    // The button windows reach far right of their pictures; Cancel, loaded
    // last, lies above OK where they overlap.
    m_btnOK.MoveWindow(40, 72, 256, 26);
    m_btnCancel.MoveWindow(140, 72, 256, 26);

    m_fontTitle.CreatePointFontForDpi(120, L"Arial", kLayoutPixelsPerInch);
    m_staticTitle.SetFont(m_fontTitle, TRUE);
    const ConfirmTexts& texts = kTextsByMode[m_nMode == 1 ? 1 : 0];
    m_staticTitle.SetWindowText(texts.title);
    m_staticText.SetWindowText(texts.question);
    m_staticTitle.MoveWindow(79, 10, 100, 30);
    m_staticText.MoveWindow(28, 34, 200, 66);
    return TRUE;
}

bool CConfirmDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    static const MessageMap<CConfirmDlg> map = {
        OnCommand(IDC_BTN_OK, BN_CLICKED, &CConfirmDlg::OnBnClickedOK),
        OnCommand(IDC_BTN_CANCEL, BN_CLICKED, &CConfirmDlg::OnBnClickedCancel),
        OnMessage(WM_PAINT, &CConfirmDlg::OnPaint),
        OnMessage(WM_CLOSE, &CConfirmDlg::OnClose),
        OnMessage(WM_CTLCOLORSTATIC, &CConfirmDlg::OnCtlColor),
        OnMessage(WM_CTLCOLORBTN, &CConfirmDlg::OnCtlColor),
        OnMessage(WM_CTLCOLORDLG, &CConfirmDlg::OnCtlColor),
    };
    return map.Dispatch(this, message, wParam, lParam, result) || CDialogEx::OnWndMsg(message, wParam, lParam, result);
}

LRESULT CConfirmDlg::OnPaint(WPARAM, LPARAM)
{
    CPaintDC paint(m_hWnd);
    ScopedMemoryDC memory(paint.Get());
    HGDIOBJ previous = SelectObject(memory.Get(), m_bmpBack.GetSafeHandle());
    const BITMAP size = m_bmpBack.GetBitmap();
    RECT client;
    GetClientRect(&client);
    StretchBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, size.bmWidth, size.bmHeight,
               SRCCOPY);
    SelectObject(memory.Get(), previous);
    return 0;
}

LRESULT CConfirmDlg::OnCtlColor(WPARAM wParam, LPARAM lParam)
{
    const LRESULT brush = Default();
    HDC controlDC = reinterpret_cast<HDC>(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    const int id = ::GetDlgCtrlID(control);
    if (id != IDC_STATIC_TITLE && id != IDC_STATIC_TEXT)
        return brush;

    // White text straight over the panel the dialog painted beneath.
    SetBkMode(controlDC, TRANSPARENT);
    SetTextColor(controlDC, RGB(255, 255, 255));
    RECT rect;
    ::GetWindowRect(control, &rect);
    ScreenToClient(&rect);
    {
        ScopedWindowDC dialogDC(m_hWnd);
        BitBlt(controlDC, 0, 0, rect.right - rect.left, rect.bottom - rect.top, dialogDC.Get(), rect.left, rect.top,
               SRCCOPY);
    }
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}
