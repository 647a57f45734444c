#include "platform/web/CharacterWindow.h"
#include <gtest/gtest.h>
#include "platform/rtl/SysUtils.h"
#include "platform/web/testing/CharacterFixture.h"

namespace {

using namespace character_testing;
using web::TCharacterCall;
using web::TCharacterWindow;

struct CharacterWindowTest : ::testing::Test {
    testing_support::TempFolder Dir;
    std::uint32_t Now = 5000;
    TCharacterWindow Character;

    void SetUp() override {
        rtl::SetTickSource([this] { return Now; });
        Character.SetCharacterFile(WriteCharacter(Dir));
    }
    void TearDown() override { rtl::SetTickSource({}); }
    // time since the first timer message, which begins the requests
    void At(std::uint32_t ms) {
        Now = 5000 + ms;
        SendMessageW(Character.Handle(), WM_TIMER, TCharacterWindow::TimerId, 0);
    }
    RECT Shown() const {
        RECT r{};
        GetWindowRect(Character.Handle(), &r);
        return r;
    }
    void MoveTo(int x, int y) { Character.Request({TCharacterCall::MoveTo, x, y}); }
    void Call(TCharacterCall call, const wchar_t* text = L"", const WideString& sound = L"") {
        Character.Request({call, 0, 0, text, sound});
    }
};

TEST_F(CharacterWindowTest, StandsOverTheScreensWithoutTakingTheirClicksFocusOrATaskBarEntry) {
    HWND active = GetActiveWindow();
    MoveTo(300, 200);
    Call(TCharacterCall::Show);
    ASSERT_NE(Character.Handle(), nullptr);
    const LONG_PTR ex = GetWindowLongPtrW(Character.Handle(), GWL_EXSTYLE);
    for (LONG_PTR style : std::initializer_list<LONG_PTR>{WS_EX_LAYERED, WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE,
                                                       WS_EX_TRANSPARENT})
        EXPECT_TRUE(ex & style) << std::hex << style;
    EXPECT_FALSE(GetWindowLongPtrW(Character.Handle(), GWL_STYLE) & WS_CAPTION);
    // nothing happens before the timer: the screen that asked is painted first
    EXPECT_FALSE(IsWindowVisible(Character.Handle()));
    At(0);
    EXPECT_TRUE(IsWindowVisible(Character.Handle()));
    At(TCharacterWindow::FadeTime);   // whole
    EXPECT_EQ(GetActiveWindow(), active);
    // a click on it goes to the window below, and a check of what lies under a point passes it by
    EXPECT_NE(WindowFromPoint({308, 208}), Character.Handle());
    EXPECT_EQ(SendMessageW(Character.Handle(), WM_NCHITTEST, 0, MAKELPARAM(308, 208)), HTTRANSPARENT);
}

TEST_F(CharacterWindowTest, CarriesOutAStoryInTurnAsTimePasses) {
    Dir.Write("hello.wav", SilentWave(1000));
    MoveTo(200, 150);
    Call(TCharacterCall::Show);
    Call(TCharacterCall::Speak, L"Hello there, learner", ToWide(Dir.File("hello.wav")));
    MoveTo(260, 150);
    Call(TCharacterCall::Play, L"Wave");
    Call(TCharacterCall::Hide);
    EXPECT_EQ(Character.Pending(), 6);

    At(0);   // moved while hidden: at once; then fading in
    EXPECT_TRUE(Character.Visible());
    EXPECT_EQ(Shown().left, 200);
    EXPECT_EQ(Shown().top, 150);
    EXPECT_EQ(Shown().right - Shown().left, 16);
    EXPECT_FALSE(Character.Speaking());

    At(300);   // shown; the words begin, with their sound, in a balloon above the head
    EXPECT_TRUE(Character.Speaking());
    EXPECT_EQ(Character.Sound(), Dir.File("hello.wav"));
    EXPECT_EQ(Character.Animation(), "Speak");
    EXPECT_EQ(Character.Balloon().Lines(), std::vector<WideString>{L"Hello there, learner"});
    EXPECT_LT(Shown().top, 150 - 20);
    EXPECT_EQ(Character.Position().x, 200);

    At(300 + 1000);   // the sound is over: the mouth rests, the balloon stays to be read
    EXPECT_EQ(Character.Animation(), "Idle");
    EXPECT_TRUE(Character.Speaking());

    At(300 + 2600);   // read: the balloon goes, the character walks on
    EXPECT_FALSE(Character.Speaking());
    EXPECT_EQ(Character.Sound(), "");
    At(2900 + 75);
    EXPECT_EQ(Character.Position().x, 230);
    At(2900 + 150);
    EXPECT_EQ(Character.Position().x, 260);
    EXPECT_EQ(Character.Animation(), "Wave");
    EXPECT_EQ(Shown().left, 260);

    At(3050 + 300 + 150);   // waved, and fading out
    EXPECT_TRUE(Character.Visible());
    At(3350 + 300);
    EXPECT_FALSE(Character.Visible());
    EXPECT_FALSE(IsWindowVisible(Character.Handle()));
    EXPECT_EQ(Character.Pending(), 0);
}

TEST_F(CharacterWindowTest, StopHidesAtOnceAndDropsWhatIsQueued) {
    Dir.Write("hello.wav", SilentWave(3000));
    MoveTo(200, 150);
    Call(TCharacterCall::Speak, L"Hello", ToWide(Dir.File("hello.wav")));
    Call(TCharacterCall::Hide);
    At(0);   // speaking shows the character at once
    ASSERT_TRUE(Character.Speaking());
    ASSERT_TRUE(IsWindowVisible(Character.Handle()));
    Character.Stop();
    EXPECT_FALSE(Character.Visible());
    EXPECT_FALSE(IsWindowVisible(Character.Handle()));
    EXPECT_FALSE(Character.Speaking());
    EXPECT_EQ(Character.Sound(), "");
    EXPECT_EQ(Character.Pending(), 0);
    At(10000);
    EXPECT_FALSE(IsWindowVisible(Character.Handle()));
}

TEST_F(CharacterWindowTest, APointBeyondTheScreenIsTakenToItsEdge) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    MoveTo(-5000, 99999);
    Call(TCharacterCall::Show);
    At(0);
    EXPECT_EQ(Character.Position().x, info.rcWork.left);
    EXPECT_EQ(Character.Position().y, info.rcWork.bottom - 16);
}

TEST_F(CharacterWindowTest, WithoutItsPicturesTheCharacterNeverShows) {
    Character.SetCharacterFile(Dir.File("missing.ini"));
    MoveTo(200, 150);
    Call(TCharacterCall::Show);
    Call(TCharacterCall::Speak, L"Hello");
    At(0);
    At(5000);
    EXPECT_FALSE(Character.Visible());
    EXPECT_FALSE(Character.Speaking());
    EXPECT_FALSE(IsWindowVisible(Character.Handle()));
    EXPECT_EQ(Character.Pending(), 0);
}

}  // namespace
