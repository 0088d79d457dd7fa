#include "windows/DownloadProgressDlg.h"

#include "framework/MessagePump.h"
#include "framework/ModalOwnership.h"
#include "res/resource.h"
#include "windows/PixelLayout.h"

#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <thread>
#include <utility>

namespace {

const COLORREF kPanel = RGB(0x2A, 0x1F, 0x17);
const COLORREF kGold = RGB(0xC9, 0xA4, 0x5C);
const COLORREF kText = RGB(0xFF, 0xFF, 0xFF);
const int kWidth = 360;
const int kHeight = 132;
const int kMargin = 20;
// The cancel picture's top frame.
const int kCancelWidth = 74;
const int kCancelHeight = 26;
const UINT_PTR kProgressTimer = 1;
const UINT kProgressIntervalMs = 200;

CString Megabytes(ULONGLONG bytes)
{
    wchar_t text[32];
    swprintf(text, 32, L"%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

void FrameRect(HDC dc, RECT rect, COLORREF color)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
}

}  // namespace

CDownloadProgressDlg::CDownloadProgressDlg(ClientDownload& download)
    : CDialogEx(IDD_DOWNLOAD_DIALOG), m_download(download)
{
}

void CDownloadProgressDlg::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_BTN_CANCEL, m_btnCancel);
    DDX_Control(dx, IDC_DOWNLOAD_TITLE, m_staticTitle);
    DDX_Control(dx, IDC_DOWNLOAD_FILE, m_staticFile);
    DDX_Control(dx, IDC_DOWNLOAD_DETAIL, m_staticDetail);
}

BOOL CDownloadProgressDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    UseDialogFontForDpi(kLayoutPixelsPerInch);
    m_brPanel.CreateSolidBrush(kPanel);
    m_btnCancel.InitGdiPlus();
    m_btnCancel.LoadPng(IDB_PNG_CANCEL);

    SetWindowPos(HWND_TOP, 0, 0, kWidth, kHeight, SWP_NOMOVE);
    CenterWindow();
    m_fontTitle.CreatePointFontForDpi(110, L"Arial", kLayoutPixelsPerInch);
    m_staticTitle.SetFont(m_fontTitle, TRUE);
    m_staticTitle.MoveWindow(20, 14, 320, 20);
    const int slash = m_download.ClientPath().ReverseFind(L'/');
    m_staticFile.SetWindowText(m_download.ClientPath().Mid(slash + 1).c_str());
    m_staticFile.MoveWindow(20, 38, 320, 16);
    ::MoveWindow(GetDlgItem(IDC_DOWNLOAD_PROGRESS), 20, 60, 320, 14, TRUE);
    ::SendMessageW(GetDlgItem(IDC_DOWNLOAD_PROGRESS), PBM_SETRANGE32, 0, 1000);
    // As wide as the room left of the cancel button: the figures of a large
    // download ("已下载 123.4 MB / 456.7 MB  12.3 MB/s") take one line.
    const int cancelLeft = kWidth - kMargin - kCancelWidth;
    m_staticDetail.MoveWindow(kMargin, 90, cancelLeft - kMargin - kMargin, 18);
    // Only the picture's top frame shows.
    m_btnCancel.MoveWindow(cancelLeft, kHeight - 14 - kCancelHeight, kCancelWidth, kCancelHeight);

    m_lastTick = GetTickCount64();
    ShowProgress();
    SetTimer(m_hWnd, kProgressTimer, kProgressIntervalMs, nullptr);
    return TRUE;
}

bool CDownloadProgressDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    static const MessageMap<CDownloadProgressDlg> map = {
        OnCommand(IDC_BTN_CANCEL, BN_CLICKED, &CDownloadProgressDlg::OnBnClickedCancel),
        OnMessage(WM_PAINT, &CDownloadProgressDlg::OnPaint),
        OnMessage(WM_CTLCOLORSTATIC, &CDownloadProgressDlg::OnCtlColor),
        OnMessage(WM_CTLCOLORDLG, &CDownloadProgressDlg::OnCtlColor),
        OnMessage(WM_TIMER, &CDownloadProgressDlg::OnTimer),
        OnMessage(WM_DOWNLOAD_FINISHED, &CDownloadProgressDlg::OnFinished),
    };
    return map.Dispatch(this, message, wParam, lParam, result) || CDialogEx::OnWndMsg(message, wParam, lParam, result);
}

void CDownloadProgressDlg::OnBnClickedCancel()
{
    m_download.Cancel();
    m_staticDetail.SetWindowText(L"正在取消……");
}

LRESULT CDownloadProgressDlg::OnPaint(WPARAM, LPARAM)
{
    CPaintDC paint(m_hWnd);
    RECT client;
    GetClientRect(&client);
    FillRect(paint.Get(), &client, m_brPanel);
    FrameRect(paint.Get(), client, RGB(0x12, 0x0D, 0x09));
    RECT inner{client.left + 3, client.top + 3, client.right - 3, client.bottom - 3};
    FrameRect(paint.Get(), inner, kGold);
    return 0;
}

LRESULT CDownloadProgressDlg::OnCtlColor(WPARAM wParam, LPARAM)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, kText);
    SetBkColor(dc, kPanel);
    return reinterpret_cast<LRESULT>(m_brPanel.GetSafeHandle());
}

LRESULT CDownloadProgressDlg::OnTimer(WPARAM wParam, LPARAM)
{
    if (wParam == kProgressTimer)
        ShowProgress();
    return 0;
}

LRESULT CDownloadProgressDlg::OnFinished(WPARAM, LPARAM)
{
    m_bFinished = true;
    KillTimer(m_hWnd, kProgressTimer);
    return 0;
}

void CDownloadProgressDlg::ShowProgress()
{
    const ULONGLONG received = m_download.Received();
    const LONGLONG total = m_download.Total();
    const ULONGLONG now = GetTickCount64();
    if (now > m_lastTick) {
        // A little smoothing keeps the speed readable.
        const double current = double(received - m_lastReceived) * 1000.0 / double(now - m_lastTick);
        m_bytesPerSecond = m_bytesPerSecond == 0 ? current : 0.7 * m_bytesPerSecond + 0.3 * current;
        m_lastReceived = received;
        m_lastTick = now;
    }

    HWND bar = GetDlgItem(IDC_DOWNLOAD_PROGRESS);
    CString detail = L"已下载 " + Megabytes(received);
    if (total > 0) {
        if (m_bMarquee) {
            ::SetWindowLongPtrW(bar, GWL_STYLE, ::GetWindowLongPtrW(bar, GWL_STYLE) & ~PBS_MARQUEE);
            m_bMarquee = false;
        }
        ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(received * 1000 / static_cast<ULONGLONG>(total)), 0);
        detail += L" / " + Megabytes(static_cast<ULONGLONG>(total));
    } else if (!m_bMarquee) {
        // No length from the server: an indeterminate bar.
        ::SetWindowLongPtrW(bar, GWL_STYLE, ::GetWindowLongPtrW(bar, GWL_STYLE) | PBS_MARQUEE);
        ::SendMessageW(bar, PBM_SETMARQUEE, TRUE, 30);
        m_bMarquee = true;
    }
    detail += L"  " + Megabytes(static_cast<ULONGLONG>(m_bytesPerSecond)) + L"/s";
    m_staticDetail.SetWindowText(detail.c_str());
}

namespace {
// The download whose progress is on screen, if any.
CDownloadProgressDlg* g_pRunningDialog = nullptr;
}  // namespace

void CancelDownloadInProgress()
{
    if (g_pRunningDialog)
        g_pRunningDialog->Cancel();
}

void CDownloadProgressDlg::Cancel()
{
    OnBnClickedCancel();
}

DownloadResult RunDownloadWithProgress(const CString& url, const CString& clientPath)
{
    ClientDownload download(url, clientPath);
    CDownloadProgressDlg dialog(download);
    // Modal to the login windows: they take no input while it runs, and it
    // stays above the page it belongs to.
    std::optional<ModalOwnership> ownership(std::in_place, nullptr);
    if (!dialog.CreateOwned(IDD_DOWNLOAD_DIALOG, ownership->Owner()))
        return download.Run();
    ownership->SetModalWindow(dialog.m_hWnd);
    dialog.ShowWindow(SW_SHOW);

    DownloadResult result;
    HWND dialogWindow = dialog.m_hWnd;
    std::thread worker([&download, &result, dialogWindow] {
        result = download.Run();
        PostMessageW(dialogWindow, WM_DOWNLOAD_FINISHED, 0, 0);
    });

    CDownloadProgressDlg* outer = std::exchange(g_pRunningDialog, &dialog);
    // The windows keep painting while the worker downloads; a quit request
    // gives the download up and stays pending.
    if (RunMessagePump([&dialog] { return dialog.m_bFinished; }).quit)
        download.Cancel();
    worker.join();
    g_pRunningDialog = outer;
    ownership.reset();
    dialog.DestroyWindow();
    return result;
}
