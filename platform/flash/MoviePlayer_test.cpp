#include "MoviePlayer.h"
#include <gtest/gtest.h>
#include <optional>
#include <utility>
#include "platform/flash/testing/BmpFile.h"
#include "platform/flash/testing/MoviePixels.h"
#include "platform/testing/TestSupport.h"

namespace {

using Commands = std::vector<std::pair<WideString, WideString>>;

const char* const TwoButtons =
    "movie 200 100\n"
    "background color #000080\n"
    "button 20 20 40 20 command=Train args=one fill=#FF0000 hover-fill=#00FF00 down-fill=#0000FF\n"
    "button 100 20 40 20 command=Exit fill=#FF0000\n";

struct Recorder {
    Commands commands;
    void Attach(MoviePlayer& p) {
        p.OnFSCommand = [this](const WideString& c, const WideString& a) { commands.emplace_back(c, a); };
    }
};

// The two-button movie at its stage size, its commands recorded.
class TwoButtonMovie : public testing::Test {
protected:
    void SetUp() override {
        r.Attach(p);
        p.LoadFromText(TwoButtons, L"two.swf");
        p.SetViewSize(200, 100);
    }
    MoviePlayer p;
    Recorder r;
};

TEST_F(TwoButtonMovie, ClickOnAButtonSendsItsCommandOnReleaseInside) {
    p.MouseDown(40, 30);
    p.MouseUp(40, 30);
    ASSERT_EQ(r.commands.size(), 2u);
    EXPECT_EQ(r.commands[0].first, L"RollOver");
    EXPECT_EQ(r.commands[1], (std::pair<WideString, WideString>{L"Train", L"one"}));

    r.commands.clear();
    p.MouseDown(40, 30);
    p.MouseMove(80, 30);                // dragged off: no click
    p.MouseUp(80, 30);
    EXPECT_TRUE(r.commands.empty());

    p.MouseDown(80, 30);                // pressed on the background, released on a button
    p.MouseMove(120, 30);
    p.MouseUp(120, 30);
    ASSERT_EQ(r.commands.size(), 1u);
    EXPECT_EQ(r.commands[0].first, L"RollOver");
}

TEST_F(TwoButtonMovie, RollOverOnceOnEnteringEachButton) {
    p.MouseMove(5, 5);
    p.MouseMove(25, 25);
    p.MouseMove(30, 28);
    p.MouseMove(50, 35);
    ASSERT_EQ(r.commands.size(), 1u);
    EXPECT_EQ(r.commands[0], (std::pair<WideString, WideString>{L"RollOver", L"Train"}));
    p.MouseMove(120, 30);               // straight to the next button
    p.MouseLeave();
    p.MouseMove(125, 30);               // and in again after leaving the window
    ASSERT_EQ(r.commands.size(), 3u);
    EXPECT_EQ(r.commands[1].second, L"Exit");
    EXPECT_EQ(r.commands[2].second, L"Exit");
}

TEST_F(TwoButtonMovie, ButtonLooksFollowThePointer) {
    EXPECT_EQ(movie_testing::Render(p).At(40, 30), RGB(255, 0, 0));
    p.MouseMove(40, 30);
    EXPECT_EQ(movie_testing::Render(p).At(40, 30), RGB(0, 255, 0));
    p.MouseDown(40, 30);
    EXPECT_EQ(movie_testing::Render(p).At(40, 30), RGB(0, 0, 255));
    p.MouseMove(5, 5);                  // held, but outside: the normal look
    EXPECT_EQ(movie_testing::Render(p).At(40, 30), RGB(255, 0, 0));
    p.CancelPress();
    EXPECT_EQ(p.PressedButton(), nullptr);
}

TEST(MoviePlayer, BothScaleModesMapAButtonToWhereItIsDrawn) {
    // stage 200 x 100 in a 400 x 400 window: mode 2 stretches (2, 4); mode 0 scales by 2 and
    // centres the stage with bars of 100 above and below
    struct Case {
        int mode, x, y;
    };
    for (Case c : {Case{2, 80, 120}, Case{0, 80, 160}}) {
        MoviePlayer p;
        Recorder r;
        r.Attach(p);
        p.LoadFromText(TwoButtons, L"two.swf");
        p.SetScaleMode(c.mode);
        p.SetViewSize(400, 400);
        movie_testing::Pixels px = movie_testing::Render(p);
        EXPECT_EQ(px.At(c.x, c.y), RGB(255, 0, 0)) << c.mode;
        p.MouseDown(c.x, c.y);
        p.MouseUp(c.x, c.y);
        ASSERT_EQ(r.commands.size(), 2u) << c.mode;
        EXPECT_EQ(r.commands[1].first, L"Train");
    }
    MoviePlayer p;
    p.LoadFromText(TwoButtons, L"two.swf");
    p.SetViewSize(400, 400);
    EXPECT_EQ(p.ButtonAt(80, 120), nullptr);          // mode 0: that point lies above the button
    EXPECT_EQ(movie_testing::Render(p).At(200, 50), RGB(0, 0, 128));   // bar in the background colour
}

TEST(MoviePlayer, GotoFrameShowsThatFrameAndItsButtons) {
    MoviePlayer p;
    Recorder r;
    r.Attach(p);
    p.LoadFromText("movie 100 100\nclip Pages\nframe 1\nrect 0 0 100 100 fill=#FF0000 border=none\n"
                   "frame 9\nrect 0 0 100 100 fill=#00FF00 border=none\nbutton 10 10 20 20 command=OK\nend\n",
                   L"pages.swf");
    p.SetViewSize(100, 100);
    EXPECT_EQ(p.CurrentFrame(L"Pages"), 1);
    EXPECT_EQ(movie_testing::Render(p).At(60, 60), RGB(255, 0, 0));
    EXPECT_EQ(p.ButtonAt(20, 20), nullptr);
    EXPECT_TRUE(p.GotoFrame(L"Pages", 9));
    EXPECT_EQ(movie_testing::Render(p).At(60, 60), RGB(0, 255, 0));
    p.MouseDown(20, 20);
    p.MouseUp(20, 20);
    ASSERT_EQ(r.commands.size(), 2u);
    EXPECT_EQ(r.commands[1].first, L"OK");
    EXPECT_FALSE(p.GotoFrame(L"Pages", 4));           // no such frame: stays
    EXPECT_FALSE(p.GotoFrame(L"Other", 1));
    EXPECT_EQ(p.CurrentFrame(L"Pages"), 9);
    EXPECT_EQ(p.CurrentFrame(L"Other"), -1);
}

// A clip's change asks for a repaint of its own area only, and a repaint of that area alone
// gives the picture a whole repaint gives: what lies under and over the clip is drawn again.
TEST(MoviePlayer, AFrameChangeAsksForItsClipsAreaAndARepaintThereMatchesAWholeOne) {
    MoviePlayer p;
    p.LoadFromText("movie 200 100\nbackground vgradient #102030 #405060\nrect 0 40 200 20 fill=#FFFFFF border=none\n"
                   "clip k\nframe 0\nroundrect 20 30 40 40 radius=6 fill=#F4FAFF border=#7FB6D6 pen=1\n"
                   "text 22 32 36 36 \"K\" size=24 color=#0F3D63 align=center\n"
                   "frame 1\nroundrect 22 32 40 40 radius=6 fill=#FFD84A border=#F29A1F pen=3\nend\n"
                   "text 10 35 80 30 \"over\" size=16 color=#000000\n"
                   "clip far\nframe 0\nrect 150 10 30 30 fill=#00FF00\nframe 1\nrect 150 10 30 30 fill=#FF0000\nend\n",
                   L"keys.swf");
    p.SetScaleMode(2);
    p.SetViewSize(300, 130);
    std::vector<std::optional<MovieRect>> asked;
    p.OnInvalidate = [&](const MovieRect* area) { asked.push_back(area ? std::optional(*area) : std::nullopt); };
    const movie_testing::Pixels before = movie_testing::Render(p);
    ASSERT_TRUE(p.GotoFrame(L"k", 1));
    ASSERT_EQ(asked.size(), 1u);
    ASSERT_TRUE(asked[0]);
    const MovieRect& a = *asked[0];
    EXPECT_TRUE(a.x <= 18 && a.y <= 28 && a.x + a.width >= 64 && a.y + a.height >= 74);
    EXPECT_LT(a.x + a.width, 150);                     // the other clip is left alone
    const RECT area = RepaintArea(p, a);
    const movie_testing::Pixels whole = movie_testing::Render(p);
    EXPECT_NE(whole.data, before.data);
    EXPECT_EQ(movie_testing::Render(p, &before, &area).data, whole.data);
}

TEST(MoviePlayer, FilesThatAreNoMovieShowTheEmptyStage) {
    testing_support::TempFolder dir;
    dir.Write("flash.swf", std::string("FWS\x0A\x20\x00\x00\x00", 8));
    dir.Write("bad.swf", "movie 50 40\nrect 0 0 50 40 fill=#00FF00 border=none\nrect 0 0 1\n"
                         "rect 0 0 50 40 fill=#FF0000 border=none\n");
    int errors = 0;
    WideString lastError;
    MoviePlayer p;
    p.OnError = [&](const WideString& m) { ++errors; lastError = m; };
    p.SetViewSize(50, 40);

    p.SetMovie(ToWide(dir.File("missing.swf")));
    EXPECT_EQ(p.File().width, 0);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(movie_testing::Render(p).At(25, 20), RGB(255, 255, 255));

    p.SetMovie(ToWide(dir.File("flash.swf")));
    EXPECT_EQ(p.File().width, 0);
    EXPECT_EQ(errors, 0);
    EXPECT_TRUE(p.LastError().empty());

    WideString bad = ToWide(dir.File("bad.swf"));
    p.SetMovie(bad);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(lastError, p.LastError());
    EXPECT_EQ(lastError.rfind(bad + L"(3): ", 0), 0u) << std::string(lastError.begin(), lastError.end());
    EXPECT_EQ(movie_testing::Render(p).At(25, 20), RGB(0, 255, 0));   // what came before the error
    EXPECT_EQ(p.Movie(), bad);

    p.SetMovie(ToWide(dir.File("missing.swf")));      // the next load starts clean
    EXPECT_TRUE(p.LastError().empty());
}

TEST_F(TwoButtonMovie, ACommandHandlerMayLoadAnotherMovie) {
    int clicks = 0;
    p.OnFSCommand = [&](const WideString& c, const WideString&) {
        if (c == L"Train") {
            ++clicks;
            p.LoadFromText("movie 10 10\n", L"other.swf");
        }
    };
    p.MouseDown(40, 30);
    p.MouseUp(40, 30);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(p.HoverButton(), nullptr);
    EXPECT_EQ(p.File().width, 10);
}

}  // namespace

namespace {

std::string SolidBmp(int w, int h, unsigned char r, unsigned char g, unsigned char b) {
    int stride = movie_testing::BmpStride(w);
    std::string rows(static_cast<std::size_t>(stride) * h, '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::size_t o = static_cast<std::size_t>(y) * stride + x * 3;
            rows[o] = static_cast<char>(b);
            rows[o + 1] = static_cast<char>(g);
            rows[o + 2] = static_cast<char>(r);
        }
    return movie_testing::BmpFile(w, h, rows.data());
}

TEST(MoviePlayer, BackgroundPictureIsFoundBesideTheMovie) {
    testing_support::TempFolder dir;
    dir.Write("back.bmp", SolidBmp(4, 4, 0x20, 0xC0, 0x40));
    dir.Write("pic.swf", "movie 40 40\nbackground picture \"back.bmp\" color=#FF00FF\n");
    dir.Write("nopic.swf", "movie 40 40\nbackground picture \"gone.bmp\" color=#FF00FF\n");
    MoviePlayer p;
    p.SetViewSize(80, 80);
    p.SetMovie(ToWide(dir.File("pic.swf")));
    ASSERT_TRUE(p.LastError().empty());
    EXPECT_EQ(movie_testing::Render(p).At(40, 40), RGB(0x20, 0xC0, 0x40));   // stretched over the stage
    p.SetMovie(ToWide(dir.File("nopic.swf")));
    EXPECT_EQ(movie_testing::Render(p).At(40, 40), RGB(0xFF, 0x00, 0xFF));   // its colour stands in
}

}  // namespace
