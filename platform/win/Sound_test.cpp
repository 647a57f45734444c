#include "platform/win/Sound.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <vector>
#include "platform/testing/TestSupport.h"

namespace {

// A short, silent PCM wave file: 8 kHz, 8 bits, mono.
std::string WaveFile(int samples) {
    auto u32 = [](std::uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto u16 = [](std::uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    return "RIFF" + u32(36 + samples) + "WAVE" + "fmt " + u32(16) + u16(1) + u16(1) + u32(8000) + u32(8000) +
           u16(1) + u16(8) + "data" + u32(samples) + std::string(samples, char(0x80));
}

TEST(Sound, PlaysExistingFilesInTheBackgroundAndRefusesMissingOnes) {
    testing_support::TempFolder dir;
    dir.Write("صوت.wav"_a, WaveFile(800));
    EXPECT_FALSE(PlaySoundFile(""));
    EXPECT_FALSE(PlaySoundFile(dir.File("missing.wav")));
    EXPECT_TRUE(PlaySoundFile(dir.File("صوت.wav"_a)));
    EXPECT_TRUE(PlaySoundFile(dir.File("صوت.wav"_a)));   // cuts the first one off
    StopSound();
}

TEST(Sound, WaveFileLengthReadsTheHeaderAndGivesZeroForWhatIsNoWave) {
    testing_support::TempFolder dir;
    dir.Write("tenth.wav", WaveFile(800));
    dir.Write("cut.wav", WaveFile(8000).substr(0, 30));
    dir.Write("text.wav", "RIFF----WAVEnothing");
    EXPECT_EQ(WaveFileLength(dir.File("tenth.wav")), 100);
    for (const char* name : {"cut.wav", "text.wav", "missing.wav"}) EXPECT_EQ(WaveFileLength(dir.File(name)), 0) << name;
}

TEST(Sound, ATestPlayerHearsThePathsInPlaceOfTheSystem) {
    std::vector<String> heard;
    SetSoundFilePlayer([&](const String& path) { heard.push_back(path); return true; });
    EXPECT_TRUE(PlaySoundFile("C:\\nowhere\\KeyPress.wav"));
    SetSoundFilePlayer({});
    EXPECT_FALSE(PlaySoundFile("C:\\nowhere\\KeyPress.wav"));
    EXPECT_EQ(heard, std::vector<String>{"C:\\nowhere\\KeyPress.wav"});
}

}  // namespace
