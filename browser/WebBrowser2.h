#pragma once
// The window through which the login page dialog drives the browser
// control: navigation and the loaded document go through the control's
// dispatch interface; move, show and hide through its site.

#include "framework/AfxString.h"
#include "framework/ComPtr.h"
#include "framework/Wnd.h"

class CWebBrowser2 : public CWnd {
public:
    enum : DISPID { DISPID_NAVIGATE = 104, DISPID_DOCUMENT = 203 };

    // Navigate(URL, Flags, TargetFrameName, PostData, Headers).
    HRESULT Navigate(const CString& url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData, VARIANT* headers);
    // The current document's dispatch interface; null when there is none.
    ComPtr<IDispatch> GetDocument();
};
