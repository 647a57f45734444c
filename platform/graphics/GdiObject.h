#pragma once
// Owning and borrowed GDI handles. Every object the layer makes goes through TGdiObject (or the
// DC and icon owners below), which keep a count of live handles: the leak check of a system
// that reports no GDI counts (Wine) reads it.
#include <windows.h>
#include <utility>

namespace gdi {
long LiveHandles();               // handles made by the layer and not yet released
void Counted(int delta);
}

// Owns one HGDIOBJ of type H (HFONT, HBRUSH, HPEN, HBITMAP, HPALETTE, HRGN); move-only.
template <class H>
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(H handle) : FHandle(handle) { if (FHandle) gdi::Counted(1); }
    TGdiObject(TGdiObject&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept {
        if (this != &other) { Reset(); FHandle = std::exchange(other.FHandle, nullptr); }
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    ~TGdiObject() { Reset(); }

    H Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    void Reset(H handle = nullptr) {
        if (FHandle) { DeleteObject(FHandle); gdi::Counted(-1); }
        FHandle = handle;
        if (FHandle) gdi::Counted(1);
    }
    // Hands the handle to a new owner (who must then delete it).
    H Release() { if (FHandle) gdi::Counted(-1); return std::exchange(FHandle, nullptr); }

private:
    H FHandle = nullptr;
};

// The header of a 32-bit DIB whose first row is the top one.
inline BITMAPINFO TopDownBitmapInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return info;
}

// A memory DC owned by its creator.
class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatibleWith = nullptr) : FDC(CreateCompatibleDC(compatibleWith)) { if (FDC) gdi::Counted(1); }
    ~TMemoryDC() { if (FDC) { DeleteDC(FDC); gdi::Counted(-1); } }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC Get() const { return FDC; }
private:
    HDC FDC;
};

// A DC borrowed from a window (GetDC, or GetWindowDC with its frame), released at the end of
// the scope.
class TWindowDCBorrow {
public:
    explicit TWindowDCBorrow(HWND window, bool withFrame = false)
        : FWindow(window), FDC(withFrame ? GetWindowDC(window) : GetDC(window)) {}
    ~TWindowDCBorrow() { if (FDC) ReleaseDC(FWindow, FDC); }
    TWindowDCBorrow(const TWindowDCBorrow&) = delete;
    TWindowDCBorrow& operator=(const TWindowDCBorrow&) = delete;
    HDC Get() const { return FDC; }
private:
    HWND FWindow;
    HDC FDC;
};

// Selects an object into a DC for the scope and puts the previous one back.
class TScopedSelect {
public:
    TScopedSelect(HDC dc, HGDIOBJ object) : FDC(dc), FOld(object ? SelectObject(dc, object) : nullptr) {}
    ~TScopedSelect() { if (FOld) SelectObject(FDC, FOld); }
    TScopedSelect(const TScopedSelect&) = delete;
    TScopedSelect& operator=(const TScopedSelect&) = delete;
private:
    HDC FDC;
    HGDIOBJ FOld;
};

// SaveDC / RestoreDC for the scope.
class TScopedDCState {
public:
    explicit TScopedDCState(HDC dc) : FDC(dc), FState(SaveDC(dc)) {}
    ~TScopedDCState() { if (FState) RestoreDC(FDC, FState); }
    TScopedDCState(const TScopedDCState&) = delete;
    TScopedDCState& operator=(const TScopedDCState&) = delete;
private:
    HDC FDC;
    int FState;
};

// The height of one line of a font on the screen, as the system's controls size their lines.
int FontLineHeight(HFONT font);
