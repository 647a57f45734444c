#pragma once
// The character's speech balloon: the words laid out in lines of a readable width, in the
// reading order of the interface, drawn with a tail that points at the character.
#include <windows.h>
#include <cstdint>
#include <vector>
#include "platform/rtl/String.h"

namespace web {

class TCharacterBalloon {
public:
    static constexpr int TextWidth = 320;   // widest line
    static constexpr int Padding = 10;
    static constexpr int TailLength = 14;

    // Breaks the words at blanks into lines no wider than TextWidth (a longer word stands alone).
    void SetWords(const WideString& words, bool rightToLeft);
    const std::vector<WideString>& Lines() const { return FLines; }
    bool RightToLeft() const { return FRightToLeft; }
    // The balloon without its tail.
    SIZE Size() const { return FSize; }

    // Draws the balloon with its top left at box into a top-down premultiplied BGRA buffer,
    // the tail running from the balloon's nearer edge to tip.
    void Draw(std::vector<std::uint32_t>& pixels, int width, int height, POINT box, POINT tip) const;

private:
    std::vector<WideString> FLines;
    std::vector<int> FLineWidths;
    bool FRightToLeft = false;
    int FLineHeight = 0;
    SIZE FSize{0, 0};
};

}  // namespace web
