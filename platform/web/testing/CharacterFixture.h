#pragma once
// A small assistant character and a sound for the tests: four frames of 16 x 16 (frame k all in
// colour k + 1, frame 0 with a transparent left half), and a silent PCM wave of a given length.
#include <cstdint>
#include <string>
#include "platform/testing/TestSupport.h"

namespace character_testing {

constexpr int FrameSize = 16, FrameCount = 4;

inline std::string Le(std::uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 0xFF);
    return s;
}

// A 32-bit picture with alpha, the frames side by side, bottom row first.
inline std::string FramesPicture() {
    const int width = FrameSize * FrameCount, height = FrameSize;
    std::string pixels;
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const int frame = x / FrameSize;
            const bool clear = frame == 0 && x % FrameSize < FrameSize / 2;
            pixels += clear ? Le(0, 4) : Le(0xFF000000u | std::uint32_t(0x30 * (frame + 1)) << 8, 4);
        }
    const std::uint32_t headers = 14 + 40;
    return "BM" + Le(headers + std::uint32_t(pixels.size()), 4) + Le(0, 4) + Le(headers, 4) + Le(40, 4) +
           Le(std::uint32_t(width), 4) + Le(std::uint32_t(height), 4) + Le(1, 2) + Le(32, 2) + Le(0, 4) +
           Le(std::uint32_t(pixels.size()), 4) + Le(2835, 4) + Le(2835, 4) + Le(0, 4) + Le(0, 4) + pixels;
}

inline const char* Settings() {
    return "[Character]\r\nPicture=Test.bmp\r\nWidth=16\r\nHeight=16\r\nFrameTime=100\r\n"
           "[Animations]\r\nIdle=0:5,1\r\nSpeak=2,3\r\nWave=1,2,3\r\n";
}

// Writes the settings and Test.bmp into the folder (relative to dir) and returns the settings file.
inline String WriteCharacter(const testing_support::TempFolder& dir, const String& folder = "Character",
                             const String& settings = "Test.ini") {
    dir.Write(folder + "\\Test.bmp", FramesPicture());
    dir.Write(folder + "\\" + settings, Settings());
    return dir.File(folder + "\\" + settings);
}

// Silence at 8 kHz, 8 bits, mono: milliseconds long.
inline std::string SilentWave(int milliseconds) {
    const std::uint32_t samples = std::uint32_t(milliseconds) * 8;
    return "RIFF" + Le(36 + samples, 4) + "WAVE" + "fmt " + Le(16, 4) + Le(1, 2) + Le(1, 2) + Le(8000, 4) +
           Le(8000, 4) + Le(1, 2) + Le(8, 2) + "data" + Le(samples, 4) + std::string(samples, char(0x80));
}

}  // namespace character_testing
