#pragma once
// What a control could leak: the system's GDI and USER object counts (Wine answers 0 for both),
// the GDI objects the layer made, and the windows of this thread, counted where Wine counts too.
#include <windows.h>
#include <gtest/gtest.h>
#include "platform/graphics/GdiObject.h"

struct ResourceCounts {
    DWORD Gdi = 0;
    DWORD User = 0;
    long LayerGdi = 0;
    int Windows = 0;

    static ResourceCounts Take() {
        ResourceCounts c;
        c.Gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        c.User = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
        c.LayerGdi = gdi::LiveHandles();
        EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM p) -> BOOL {
            auto* n = reinterpret_cast<int*>(p);
            ++*n;
            EnumChildWindows(w, [](HWND, LPARAM q) -> BOOL { ++*reinterpret_cast<int*>(q); return TRUE; }, p);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&c.Windows));
        return c;
    }
};

// Create-and-free cycles of a leak test. The layer's handle count and the window count are exact,
// so a few cycles show a leak there; the system's counts, read with slack for its caches, need many
// to tell a leak from noise, and only Windows answers them (Wine says 0).
constexpr int kExactCountCycles = 10;
constexpr int kSystemCountCycles = 1000;
inline int LeakCycles() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) ? kSystemCountCycles : kExactCountCycles;
}

// No growth beyond a small slack after many create-and-free cycles.
inline void ExpectNoResourceGrowth(const ResourceCounts& before, const ResourceCounts& after) {
    EXPECT_LE(after.Gdi, before.Gdi + 5);
    EXPECT_LE(after.User, before.User + 5);
    EXPECT_EQ(after.LayerGdi, before.LayerGdi);
    EXPECT_EQ(after.Windows, before.Windows);
}
