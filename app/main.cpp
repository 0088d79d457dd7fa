// The launcher's wide entry point: the application object does the rest.

#include "app/LoginApp.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return AfxWinMain(theApp);
}
