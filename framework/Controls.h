#pragma once
// Controls of the dialog templates. Owner-drawn buttons draw themselves
// through DrawItem, reached from the parent's WM_DRAWITEM.

#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    virtual void DrawItem(const DRAWITEMSTRUCT*) {}

protected:
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_DRAWITEM) {
            DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        }
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
};

class CStatic : public CWnd {};
