#include "MovieWindow.h"
#include <gtest/gtest.h>
#include "platform/flash/testing/MoviePixels.h"

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TEST(MovieWindow, MouseMessagesReachThePlayerAndPaintGoesThroughTheBuffer) {
    MovieWindow w;
    w.Player().LoadFromText("movie 200 100\nbackground color #102030\n"
                            "button 20 20 40 20 command=Train fill=#FF0000 hover-fill=#00FF00\n", L"w.swf");
    w.Player().SetScaleMode(2);
    ASSERT_TRUE(w.Create(nullptr, -2000, -2000, 400, 200));
    std::vector<WideString> commands;
    w.Player().OnFSCommand = [&](const WideString& c, const WideString&) { commands.push_back(c); };
    EXPECT_EQ(w.Player().ViewWidth(), 400);

    HWND h = w.Handle();
    SendMessageW(h, WM_MOUSEMOVE, 0, At(80, 60));
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(80, 60));
    EXPECT_EQ(GetCapture(), h);
    SendMessageW(h, WM_LBUTTONUP, 0, At(80, 60));
    EXPECT_NE(GetCapture(), h);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0], L"RollOver");
    EXPECT_EQ(commands[1], L"Train");

    // a lost capture drops the press: the release no longer clicks
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(80, 60));
    ReleaseCapture();
    SendMessageW(h, WM_LBUTTONUP, 0, At(80, 60));
    EXPECT_EQ(commands.size(), 2u);

    SetWindowPos(h, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    EXPECT_EQ(w.Player().ViewWidth(), 200);
    movie_testing::Pixels px = movie_testing::Render(w.Player());
    EXPECT_EQ(px.At(40, 30), RGB(0, 255, 0));         // still hovered
    EXPECT_EQ(px.At(150, 80), RGB(0x10, 0x20, 0x30));
}

}  // namespace
