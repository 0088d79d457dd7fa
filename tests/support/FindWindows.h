#pragma once
// Finding windows by a test's own condition. The enumeration callbacks are
// the system's (stdcall on x86), so tests pass a plain function object here
// instead of a lambda of their own.

#include <windows.h>

#include <functional>

using WindowMatch = std::function<bool(HWND)>;

// The first top-level window of this thread for which match holds.
HWND FindThreadWindow(const WindowMatch& match);
// The first top-level window of the desktop for which match holds.
HWND FindTopLevelWindow(const WindowMatch& match);
// The visible dialog of this thread that holds control id.
HWND FindVisibleDialogWith(int id);
// How many top-level windows of this thread match.
int CountThreadWindows(const WindowMatch& match);
