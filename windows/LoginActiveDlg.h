#pragma once
// The login page dialog: a borderless popup laid exactly over the main
// window, its own surface a key colour that is invisible and lets the mouse
// through. It carries the browser and the two round buttons, receives the
// login result and keeps the table of link click connections.

#include "browser/WebBrowser2.h"
#include "framework/AfxString.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "login/ElementEvents.h"
#include "skin/PngButton.h"

#include <oaidl.h>

class CLoginDlg;

class CLoginActiveDlg : public CDialogEx {
public:
    explicit CLoginActiveDlg(CLoginDlg* mainDlg = nullptr);
    ~CLoginActiveDlg() override;

    // The one receiver of a login, by script call or by redirect.
    void HandleAppLogin(CString json);
    // Ends every link click connection and empties the table.
    void DisconnectElementEvents();

    // Browser events (their sink map routes them here).
    // NavigateComplete2: shows the browser; a login redirect is handed over.
    void OnNavigateComplete2(IDispatch* frame, VARIANT* url);
    // DocumentComplete: connects to the click events of the page's links.
    void OnDocumentComplete(IDispatch* frame, VARIANT* url);
    // BeforeNavigate2: no navigation is cancelled.
    void OnBeforeNavigate2(IDispatch* frame, VARIANT* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                           VARIANT* headers, VARIANT_BOOL* cancel);
    // A click on a connected link: it goes on to its default action.
    void OnLinkClick(IDispatch* eventObject);

    bool OnEvent(UINT controlId, DISPID dispid, DISPPARAMS* params) override;

    CBrush m_brKey;
    const COLORREF m_clrKey = RGB(255, 255, 0);
    CLoginDlg* m_pMainDlg;
    CString m_strLoginUrl;
    CWebBrowser2 m_browser;
    CPngButton m_btnMin;
    CPngButton m_btnClose;
    ElementEventMap m_mapElementEvents;
    // Set while a hand-over downloads the client: the download's message
    // loop lets page scripts and browser events run, and none of them may
    // start a second download meanwhile.
    bool m_bDownloading = false;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Enter and Esc do not close the page (it would vanish from the frame).
    void OnOK() override {}
    void OnCancel() override {}
    // The dispatch map (the link click) and the interface map.
    HRESULT GetDispatchIDs(const wchar_t* name, DISPID& dispid) override;
    HRESULT InvokeDispatch(DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result) override;
    bool AnswersWithDispatch(REFIID iid) const override;

private:
    LRESULT OnMove(WPARAM, LPARAM);
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnCtlColor(WPARAM, LPARAM);
    // Alt+F4 or the system close command: asks, like the close button.
    LRESULT OnClose(WPARAM, LPARAM);
    void OnBnClickedMin();
    void OnBnClickedClose();
};
