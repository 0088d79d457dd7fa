#pragma once

#include "framework/AfxString.h"

#include <windows.h>

// The system's own description of a Win32 or WinINet error code, without the
// trailing line break; empty when the system has none.
CString SystemErrorText(DWORD code);
