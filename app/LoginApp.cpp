#include "app/LoginApp.h"

CLoginApp theApp;

CLoginApp::CLoginApp() = default;
