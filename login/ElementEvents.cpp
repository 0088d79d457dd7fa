#include "login/ElementEvents.h"

#include "framework/AfxConnection.h"

const IID kDiidHTMLElementEvents2 = {0x3050F610, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

void DisconnectElementEventMap(ElementEventMap& connections, IDispatch* sink)
{
    if (sink) {
        for (const auto& entry : connections) {
            const ElementEventConnection& connection = entry.second;
            AfxConnectionUnadvise(connection.pSource.Get(), connection.iid, sink, FALSE, connection.dwCookie);
        }
    }
    connections.clear();
}
