// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_LOGIN_DIALOG 102
#define IDD_LOGIN_ACTIVE_DIALOG 132
#define IDD_CONFIRM_DIALOG 172
#define IDB_PNG_FRAME 155
#define IDB_PNG_CLOSE 160
#define IDB_PNG_MIN 162
#define IDB_PNG_OK 175
#define IDB_PNG_CANCEL 176
#define IDB_CONFIRM_BACK 177

#define IDC_BROWSER 1000
#define IDC_STATIC_TITLE 1002
#define IDC_STATIC_TEXT 1003
#define IDC_BTN_CLOSE 1005
#define IDC_BTN_MIN 1006
#define IDC_BTN_OK 1008
#define IDC_BTN_CANCEL 1009
