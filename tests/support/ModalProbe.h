#pragma once
// Runs checks inside a modal run: a thread timer fires in the dialog's own
// message loop, runs the probe once, and the probe ends the run (usually by
// closing the window) when it is done. With a readiness test, the probe
// waits (re-arming its timer) until the test holds: a nested message loop
// during start-up may fire the timer before the windows are up.

#include <windows.h>

#include <functional>

class ModalProbe {
public:
    // The probe runs delayMs after the timer is armed (the next modal loop).
    explicit ModalProbe(std::function<void()> probe, UINT delayMs = 50, std::function<bool()> ready = {});
    ModalProbe(const ModalProbe&) = delete;
    ModalProbe& operator=(const ModalProbe&) = delete;
    ~ModalProbe();

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);

    UINT_PTR m_timer;
    UINT m_delayMs;
    std::function<void()> m_probe;
    std::function<bool()> m_ready;
    int m_waits = 0;
};

// Takes the pending quit request of this thread, if there is one.
bool TakeQuit(int& code);

// Lets the current thread handle what is queued, for about ms milliseconds.
void PumpMessages(DWORD ms = 50);
