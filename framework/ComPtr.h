#pragma once
// An owning COM interface pointer: one reference, released when it goes.

#include <unknwn.h>

#include <utility>

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference of its own.
    explicit ComPtr(T* p) : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Adopts a reference that the caller already owns.
    static ComPtr Attach(T* p)
    {
        ComPtr result;
        result.m_p = p;
        return result;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T* Detach() { return std::exchange(m_p, nullptr); }
    void Reset()
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    // For out parameters: releases what is held first.
    T** ReleaseAndGetAddressOf()
    {
        Reset();
        return &m_p;
    }

    template <typename U>
    ComPtr<U> As(REFIID iid) const
    {
        ComPtr<U> result;
        if (m_p)
            m_p->QueryInterface(iid, reinterpret_cast<void**>(result.ReleaseAndGetAddressOf()));
        return result;
    }

private:
    T* m_p = nullptr;
};
