#pragma once
// Runs checks inside a modal run: a thread timer fires in the dialog's own
// message loop, runs the probe once, and the probe ends the run (usually by
// closing the window) when it is done.

#include <windows.h>

#include <functional>

class ModalProbe {
public:
    // The probe runs delayMs after the timer is armed (the next modal loop).
    explicit ModalProbe(std::function<void()> probe, UINT delayMs = 50);
    ModalProbe(const ModalProbe&) = delete;
    ModalProbe& operator=(const ModalProbe&) = delete;
    ~ModalProbe();

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);

    UINT_PTR m_timer;
    std::function<void()> m_probe;
};

// Lets the current thread handle what is queued, for about ms milliseconds.
void PumpMessages(DWORD ms = 50);
