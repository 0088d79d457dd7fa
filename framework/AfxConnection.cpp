#include "framework/AfxConnection.h"

#include "framework/ComPtr.h"

namespace {

ComPtr<IConnectionPoint> FindConnectionPoint(IUnknown* source, REFIID iid)
{
    ComPtr<IConnectionPoint> point;
    if (!source)
        return point;
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(source->QueryInterface(IID_IConnectionPointContainer,
                                      reinterpret_cast<void**>(container.ReleaseAndGetAddressOf()))) ||
        !container)
        return point;
    if (FAILED(container->FindConnectionPoint(iid, point.ReleaseAndGetAddressOf())))
        point.Reset();
    return point;
}

}  // namespace

BOOL AfxConnectionAdvise(IUnknown* source, REFIID iid, IUnknown* sink, BOOL refCount, DWORD* cookie)
{
    if (!sink || !cookie)
        return FALSE;
    ComPtr<IConnectionPoint> point = FindConnectionPoint(source, iid);
    if (!point)
        return FALSE;
    if (FAILED(point->Advise(sink, cookie)))
        return FALSE;
    // The source now holds a reference of the sink; give it back.
    if (!refCount)
        sink->Release();
    return TRUE;
}

BOOL AfxConnectionUnadvise(IUnknown* source, REFIID iid, IUnknown* sink, BOOL refCount, DWORD cookie)
{
    if (!sink)
        return FALSE;
    ComPtr<IConnectionPoint> point = FindConnectionPoint(source, iid);
    if (!point)
        return FALSE;
    // Unadvise releases the reference the source held; when that reference
    // was given back at advise time, lend one for the source to release.
    if (!refCount)
        sink->AddRef();
    if (SUCCEEDED(point->Unadvise(cookie)))
        return TRUE;
    if (!refCount)
        sink->Release();
    return FALSE;
}
