#pragma once
// The login page dialog: carries the browser, receives the login result and
// keeps the table of link click connections.

#include "framework/AfxString.h"
#include "framework/CmdTarget.h"
#include "login/ElementEvents.h"

#include <oaidl.h>

class CLoginDlg;

class CLoginActiveDlg : public CCmdTarget {
public:
    explicit CLoginActiveDlg(CLoginDlg* mainDlg = nullptr);

    // The one receiver of a login, by script call or by redirect.
    void HandleAppLogin(CString json);
    // Ends every link click connection and empties the table.
    void DisconnectElementEvents();

    // NavigateComplete2 of the browser: a login redirect is handed over.
    void OnNavigateComplete2(IDispatch* frame, VARIANT* url);

    CLoginDlg* m_pMainDlg;
    ElementEventMap m_mapElementEvents;
};
