#pragma once
// The small skinned dialog that asks before the launcher quits.

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "skin/PngButton.h"

class CConfirmDlg : public CDialogEx {
public:
    explicit CConfirmDlg(CWnd* parent = nullptr);

    // 0: leave the game; 1: leave and choose another server.
    int m_nMode = 0;
    CPngButton m_btnOK;
    CPngButton m_btnCancel;
    CBitmap m_bmpBack;
    CStatic m_staticTitle;
    CStatic m_staticText;
    CFont m_fontTitle;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnBnClickedOK() { OnOK(); }
    void OnBnClickedCancel() { OnCancel(); }
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM) { return Default(); }
    LRESULT OnCtlColor(WPARAM, LPARAM);
};
