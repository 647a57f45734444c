#include "platform/ui/WindowSubclass.h"
#include <gtest/gtest.h>

// A handler answers before the window, passes the rest on, and lets go on request or when the
// window is destroyed, leaving the window's own procedure in place.
TEST(WindowSubclassTest, TheHandlerSeesMessagesFirstUntilItLetsGoOrTheWindowGoes) {
    HWND window = CreateWindowExW(0, L"STATIC", L"text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    LONG_PTR own = GetWindowLongPtrW(window, GWLP_WNDPROC);
    const UINT ask = WM_APP + 7;
    auto subclass = std::make_unique<TWindowSubclass>();
    ASSERT_TRUE(subclass->Attach(window, [&](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
        if (msg == ask) return 42;
        return TWindowSubclass::Next(h, msg, w, l);
    }));
    EXPECT_EQ(SendMessageW(window, ask, 0, 0), 42);
    wchar_t text[8] = {};
    EXPECT_EQ(GetWindowTextW(window, text, 8), 4);
    subclass->Detach();
    EXPECT_EQ(SendMessageW(window, ask, 0, 0), 0);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), own);

    subclass->Attach(window, [](HWND h, UINT msg, WPARAM w, LPARAM l) { return TWindowSubclass::Next(h, msg, w, l); });
    EXPECT_TRUE(subclass->Attached());
    DestroyWindow(window);
    EXPECT_FALSE(subclass->Attached());
    subclass.reset();
}
