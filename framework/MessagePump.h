#pragma once
// The one message loop every run of the launcher uses (modal dialogs, the
// download's wait, the application's own loop). Each message is offered to
// the window objects from its window up to its top-level window before it
// is translated and dispatched: that is how a dialog's keys reach the
// hosted control that has the focus, and how its dialog manager sees Tab,
// Enter and Esc.

#include <windows.h>

#include <functional>

// Offers msg to the window objects from its window up to its top-level
// window, innermost first; true when one of them took it.
bool AfxPreTranslateMessage(MSG* msg);

struct PumpEnd {
    // A quit request ended the loop; it was posted again for the loops
    // outside this one.
    bool quit = false;
    int exitCode = 0;
};

// Runs this thread's messages until done() holds (asked before each wait)
// or a quit request arrives.
PumpEnd RunMessagePump(const std::function<bool()>& done);
