#pragma once
// Catches every message box the calling thread opens: reports its caption
// and text, then presses its default button so nothing waits for a user.
// Other dialogs are reported as they open.

#include <windows.h>

#include <functional>
#include <string>

class MessageBoxCatcher {
public:
    using Report = std::function<void(const std::wstring& caption, const std::wstring& text)>;
    using DialogReport = std::function<void(HWND dialog)>;

    explicit MessageBoxCatcher(Report report, DialogReport otherDialogs = DialogReport());
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;
    ~MessageBoxCatcher();
};
