#pragma once
// Switches the calling thread's ANSI code page for one scope (the process's
// stays as it is): 0x0804 gives code page 936 (GBK).

#include <windows.h>

class ThreadLocaleScope {
public:
    explicit ThreadLocaleScope(LCID locale) : m_previous(GetThreadLocale()) { SetThreadLocale(locale); }
    ThreadLocaleScope(const ThreadLocaleScope&) = delete;
    ThreadLocaleScope& operator=(const ThreadLocaleScope&) = delete;
    ~ThreadLocaleScope() { SetThreadLocale(m_previous); }

private:
    LCID m_previous;
};

const LCID kChineseSimplified = 0x0804;
