#pragma once
// The assistant character's look: its frames, cut from one picture, and its animations, named
// lists of frames, read from a settings file beside the picture:
//     [Character]
//     Picture=Zarek.bmp      a 32-bit picture with alpha, the frames side by side
//     Width=128              one frame's size
//     Height=128
//     FrameTime=120          milliseconds a frame stays
//     [Animations]
//     Idle=0:30,1            frame numbers, "n:k" shows frame n for k frame times
//     Speak=2,3,2,0
// Idle (while nothing else plays) and Speak (while the balloon talks) are needed; the others are
// what pages may Play.
#include <cstdint>
#include <map>
#include <vector>
#include "platform/rtl/String.h"

namespace web {

class TCharacterPictures {
public:
    // False, with nothing loaded, when either file is missing or does not describe the frames.
    bool Load(const String& settingsFile);
    bool Loaded() const { return !FFrames.empty(); }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int FrameTime() const { return FFrameTime; }
    int FrameCount() const { return int(FFrames.size()); }
    // Premultiplied BGRA, top row first, Width x Height.
    const std::vector<std::uint32_t>& Frame(int index) const { return FFrames[index]; }
    // The frames of an animation (its name without regard to case), or nullptr.
    const std::vector<int>* Animation(const String& name) const;

private:
    bool ReadAnimations(const String& settingsFile);
    bool CutFrames(const String& pictureFile);

    int FWidth = 0, FHeight = 0, FFrameTime = 120;
    std::vector<std::vector<std::uint32_t>> FFrames;
    std::map<String, std::vector<int>> FAnimations;   // by upper-case name
};

}  // namespace web
