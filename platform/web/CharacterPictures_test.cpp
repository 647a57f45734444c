#include "platform/web/CharacterPictures.h"
#include <gtest/gtest.h>
#include "platform/web/testing/CharacterFixture.h"

namespace {

using namespace character_testing;

TEST(CharacterPictures, CutsTheFramesAndSpellsOutTheAnimations) {
    testing_support::TempFolder dir;
    web::TCharacterPictures pictures;
    ASSERT_TRUE(pictures.Load(WriteCharacter(dir)));
    EXPECT_EQ(pictures.Width(), 16);
    EXPECT_EQ(pictures.Height(), 16);
    EXPECT_EQ(pictures.FrameTime(), 100);
    ASSERT_EQ(pictures.FrameCount(), FrameCount);
    // top row: frame 0 is clear on its left half; each frame carries its own colour
    EXPECT_EQ(pictures.Frame(0)[0], 0u);
    EXPECT_EQ(pictures.Frame(0)[15], 0xFF003000u);
    EXPECT_EQ(pictures.Frame(3)[16 * 15], 0xFF00C000u);
    ASSERT_NE(pictures.Animation("idle"), nullptr);
    EXPECT_EQ(*pictures.Animation("idle"), (std::vector<int>{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(*pictures.Animation("Wave"), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(pictures.Animation("Dance"), nullptr);
}

TEST(CharacterPictures, SettingsThatDoNotDescribeThePictureLoadNothing) {
    const struct {
        const char* what;
        std::string settings;
    } cases[] = {
        {"no picture named", "[Character]\r\nWidth=16\r\nHeight=16\r\n[Animations]\r\nIdle=0\r\nSpeak=0\r\n"},
        {"missing picture", "[Character]\r\nPicture=None.bmp\r\nWidth=16\r\nHeight=16\r\n[Animations]\r\nIdle=0\r\nSpeak=0\r\n"},
        {"no frame size", "[Character]\r\nPicture=Test.bmp\r\n[Animations]\r\nIdle=0\r\nSpeak=0\r\n"},
        {"frames larger than the picture", "[Character]\r\nPicture=Test.bmp\r\nWidth=16\r\nHeight=17\r\n[Animations]\r\nIdle=0\r\nSpeak=0\r\n"},
        {"a frame beyond the last", "[Character]\r\nPicture=Test.bmp\r\nWidth=16\r\nHeight=16\r\n[Animations]\r\nIdle=0\r\nSpeak=4\r\n"},
        {"an unreadable frame number", "[Character]\r\nPicture=Test.bmp\r\nWidth=16\r\nHeight=16\r\n[Animations]\r\nIdle=0,x\r\nSpeak=1\r\n"},
        {"no Speak animation", "[Character]\r\nPicture=Test.bmp\r\nWidth=16\r\nHeight=16\r\n[Animations]\r\nIdle=0\r\n"},
    };
    for (const auto& c : cases) {
        testing_support::TempFolder dir;
        dir.Write("Test.bmp", FramesPicture());
        dir.Write("Test.ini", c.settings);
        web::TCharacterPictures pictures;
        EXPECT_FALSE(pictures.Load(dir.File("Test.ini"))) << c.what;
        EXPECT_FALSE(pictures.Loaded()) << c.what;
    }
    web::TCharacterPictures pictures;
    EXPECT_FALSE(pictures.Load("C:\\nowhere\\Test.ini"));
}

}  // namespace
