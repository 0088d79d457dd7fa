#pragma once
// Catches every message box the calling thread opens: reports its caption
// and text, then presses its default button so nothing waits for a user.

#include <functional>
#include <string>

class MessageBoxCatcher {
public:
    using Report = std::function<void(const std::wstring& caption, const std::wstring& text)>;

    explicit MessageBoxCatcher(Report report);
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;
    ~MessageBoxCatcher();
};
