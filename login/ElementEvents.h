#pragma once
// The page dialog's table of link click connections: one entry per link
// address, ordered by ordinal comparison of the addresses.

#include "framework/AfxString.h"
#include "framework/ComPtr.h"

#include <mshtml.h>

#include <map>

// {3050F610-98B5-11CF-BB82-00AA00BDCE0B}
extern const IID kDiidHTMLElementEvents2;

struct ElementEventConnection {
    ComPtr<IHTMLAnchorElement> pSource;  // one reference, released with the entry
    IID iid;  // the events interface connected on
    DWORD dwCookie;
    CString strHref;
};

using ElementEventMap = std::map<CString, ElementEventConnection>;

// Ends every connection in ascending address order, whatever each unadvise
// answers, and empties the table. sink is the dispatch interface that was
// connected (the source holds no counted reference of it).
void DisconnectElementEventMap(ElementEventMap& connections, IDispatch* sink);
