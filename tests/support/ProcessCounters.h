#pragma once
// What this process holds, counted in ways that also work under Wine (whose
// GetGuiResources, GetProcessHandleCount and private-bytes figures read 0).

#include <cstddef>

// GDI objects alive, from the process's GDI handle table; -1 where they
// cannot be counted (a 32-bit process under Wine publishes no table, and
// its GetGuiResources reads 0).
int GdiObjectCount();
// Kernel handles open (probed).
int KernelHandleCount();
// Committed private memory, in bytes.
size_t PrivateCommittedBytes();
