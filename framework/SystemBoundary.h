#pragma once
// Code the system calls (window and dialog procedures, hooks, COM methods,
// thread starts) must never let a C++ exception out. On x86 GCC unwinds with
// DWARF tables, which cannot pass through the system's own frames: an
// exception that reaches them ends the process. Each such entry runs its
// body through one of these and answers the system with a failure instead.

#include <windows.h>

#include <new>

// The body's result, or failure when it threw.
template <class Result, class Body>
Result CallGuarded(Result failure, Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

// A COM method: the body's HRESULT, E_OUTOFMEMORY when memory ran out and
// E_UNEXPECTED for anything else it threw.
template <class Body>
HRESULT CallComGuarded(Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
