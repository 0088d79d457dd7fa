#include "support/ModalProbe.h"

#include <map>

namespace {
std::map<UINT_PTR, ModalProbe*>& Probes()
{
    static std::map<UINT_PTR, ModalProbe*> probes;
    return probes;
}
}  // namespace

ModalProbe::ModalProbe(std::function<void()> probe, UINT delayMs, std::function<bool()> ready)
    : m_timer(SetTimer(nullptr, 0, delayMs, &ModalProbe::OnTimer)), m_delayMs(delayMs), m_probe(std::move(probe)),
      m_ready(std::move(ready))
{
    Probes()[m_timer] = this;
}

ModalProbe::~ModalProbe()
{
    KillTimer(nullptr, m_timer);
    Probes().erase(m_timer);
}

void CALLBACK ModalProbe::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    const auto found = Probes().find(id);
    if (found == Probes().end() || !found->second->m_probe)
        return;
    ModalProbe* self = found->second;
    const int kMostWaits = 400;
    if (self->m_ready && !self->m_ready() && self->m_waits++ < kMostWaits) {
        Probes().erase(found);
        self->m_timer = SetTimer(nullptr, 0, self->m_delayMs, &ModalProbe::OnTimer);
        Probes()[self->m_timer] = self;
        return;
    }
    // Runs once, even if the probe itself pumps messages.
    std::function<void()> probe = std::move(self->m_probe);
    self->m_probe = nullptr;
    probe();
}

bool TakeQuit(int& code)
{
    MSG message;
    if (!PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    code = static_cast<int>(message.wParam);
    return true;
}

void PumpMessages(DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Not ours to take: put it back for the loop that owns it.
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount64() < end);
}
