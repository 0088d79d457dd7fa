#pragma once
// The progress of a client download: a small skinned dialog (the
// confirmation's dark panel, gold border and white text) showing what is
// downloaded, how far, how fast, and a cancel button. The transfer runs on a
// worker thread; this thread keeps the windows painting. Like a modal
// dialog, it is owned by the page dialog and the login windows take no input
// while it runs.

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "login/ClientDownload.h"
#include "skin/PngButton.h"

class CDownloadProgressDlg : public CDialogEx {
public:
    explicit CDownloadProgressDlg(ClientDownload& download);

    CPngButton m_btnCancel;
    CStatic m_staticTitle;
    CStatic m_staticFile;
    CStatic m_staticDetail;
    CBrush m_brPanel;
    CFont m_fontTitle;
    // Set when the worker reports the end of the download.
    bool m_bFinished = false;

    // As the cancel button does.
    void Cancel();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Esc and Enter do not end the dialog: only the download's end does.
    void OnOK() override {}
    void OnCancel() override { OnBnClickedCancel(); }
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnBnClickedCancel();
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnCtlColor(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnFinished(WPARAM, LPARAM);
    void ShowProgress();

    ClientDownload& m_download;
    ULONGLONG m_lastReceived = 0;
    ULONGLONG m_lastTick = 0;
    double m_bytesPerSecond = 0;
    bool m_bMarquee = false;
};

// Message the worker posts to the dialog when the download has ended.
const UINT WM_DOWNLOAD_FINISHED = WM_APP + 20;

// Downloads with the progress dialog shown modally over the login windows;
// returns when the download completed, failed or was cancelled.
DownloadResult RunDownloadWithProgress(const CString& url, const CString& clientPath);

// Cancels the download whose progress is on screen (closing the launcher
// meanwhile); nothing when none runs.
void CancelDownloadInProgress();
