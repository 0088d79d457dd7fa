#pragma once
// Connecting an event sink to a source's connection point and back.
// With refCount false the source keeps no counted reference of the sink:
// the sink's owner, not the source, decides how long the sink lives.

#include <ocidl.h>

BOOL AfxConnectionAdvise(IUnknown* source, REFIID iid, IUnknown* sink, BOOL refCount, DWORD* cookie);
BOOL AfxConnectionUnadvise(IUnknown* source, REFIID iid, IUnknown* sink, BOOL refCount, DWORD cookie);
