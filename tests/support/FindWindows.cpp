#include "support/FindWindows.h"

namespace {

struct Search {
    const WindowMatch& match;
    HWND found;
    int count;
    bool all;
};

BOOL CALLBACK VisitWindow(HWND hwnd, LPARAM data)
{
    Search* search = reinterpret_cast<Search*>(data);
    if (!search->match(hwnd))
        return TRUE;
    if (!search->found)
        search->found = hwnd;
    ++search->count;
    return search->all ? TRUE : FALSE;
}

}  // namespace

HWND FindThreadWindow(const WindowMatch& match)
{
    Search search{match, nullptr, 0, false};
    EnumThreadWindows(GetCurrentThreadId(), VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevelWindow(const WindowMatch& match)
{
    Search search{match, nullptr, 0, false};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindVisibleDialogWith(int id)
{
    return FindThreadWindow([id](HWND hwnd) { return GetDlgItem(hwnd, id) && IsWindowVisible(hwnd); });
}

int CountThreadWindows(const WindowMatch& match)
{
    Search search{match, nullptr, 0, true};
    EnumThreadWindows(GetCurrentThreadId(), VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.count;
}
