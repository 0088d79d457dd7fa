#pragma once
// Whether the launcher's start-up has its login windows on screen: the main
// window and the login page dialog over it.

#include "app/LoginApp.h"
#include "windows/LoginActiveDlg.h"
#include "windows/LoginDlg.h"

inline bool LoginWindowsUp()
{
    const CLoginDlg* main = static_cast<const CLoginDlg*>(theApp.m_pMainWnd);
    return main && main->m_hWnd && main->IsWindowVisible() && main->m_pLoginActiveDlg &&
           main->m_pLoginActiveDlg->m_hWnd && main->m_pLoginActiveDlg->IsWindowVisible();
}
