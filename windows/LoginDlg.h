#pragma once
// The main login window: borderless, its whole look the PNG frame shown
// with per-pixel alpha. It owns the login page dialog lying exactly over it;
// the two move, show and hide together.

#include "framework/Dialog.h"
#include "skin/LayeredPngSkin.h"

class CLoginActiveDlg;

class CLoginDlg : public CDialogEx {
public:
    explicit CLoginDlg(CWnd* parent = nullptr);
    ~CLoginDlg() override;

    HICON m_hIcon;
    // TRUE once this window was hit-tested last: its moves drag the page
    // dialog along. The page dialog clears it when it leads.
    BOOL m_bLeadsMove = FALSE;
    // Created here, deleted by the application after the modal run.
    CLoginActiveDlg* m_pLoginActiveDlg = nullptr;
    CLayeredPngSkin m_skin;

protected:
    BOOL OnInitDialog() override;
    // Enter and Esc do not close the launcher.
    void OnOK() override {}
    void OnCancel() override {}
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM) { return 0; }
    LRESULT OnMove(WPARAM, LPARAM);
    LRESULT OnShowWindow(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnRaisePage(WPARAM, LPARAM);
};
