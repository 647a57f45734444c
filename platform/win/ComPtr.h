#pragma once
// An owning COM interface pointer: copies AddRef, destruction releases.
#include <unknwn.h>
#include <utility>

template <class T>
class TComPtr {
public:
    TComPtr() = default;
    TComPtr(std::nullptr_t) {}
    // Takes over a reference the caller already holds (the result of a Get... or QueryInterface).
    static TComPtr Attach(T* p) { TComPtr r; r.FPtr = p; return r; }
    // Adds a reference of its own to a borrowed pointer.
    static TComPtr Borrow(T* p) { TComPtr r; r.FPtr = p; if (p) p->AddRef(); return r; }
    TComPtr(const TComPtr& o) : FPtr(o.FPtr) { if (FPtr) FPtr->AddRef(); }
    TComPtr(TComPtr&& o) noexcept : FPtr(std::exchange(o.FPtr, nullptr)) {}
    TComPtr& operator=(TComPtr o) noexcept { std::swap(FPtr, o.FPtr); return *this; }
    ~TComPtr() { if (FPtr) FPtr->Release(); }

    T* Get() const { return FPtr; }
    T* operator->() const { return FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    // For out-parameters: releases what is held first.
    T** Out() { Reset(); return &FPtr; }
    void Reset() { if (FPtr) std::exchange(FPtr, nullptr)->Release(); }

    template <class U>
    TComPtr<U> As(REFIID iid) const {
        TComPtr<U> r;
        if (FPtr) FPtr->QueryInterface(iid, reinterpret_cast<void**>(r.Out()));
        return r;
    }

private:
    T* FPtr = nullptr;
};
