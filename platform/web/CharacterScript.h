#pragma once
// The character lines of an assistant page, one call a line, as the host reads them where no
// script engine plays the page:
//     Zarek.Show
//     Zarek.MoveTo 600, 400
//     Zarek.Play "Wave"
//     Zarek.Speak "Hello!", "hello.wav"
//     Zarek.Hide
// The name before the dot is the character's and is not checked. Blank lines are skipped. A text
// in quotes holds no quote. Any other line makes the whole block a fault: a page that cannot be
// read whole plays nothing, rather than half of its story.
#include <string>
#include <vector>
#include "platform/rtl/String.h"

namespace web {

enum class TCharacterCall { Show, Hide, MoveTo, Play, Speak };

struct TCharacterRequest {
    TCharacterCall call = TCharacterCall::Show;
    int x = 0, y = 0;   // MoveTo: the character's top left on the screen
    WideString text;    // Play: the animation's name; Speak: the words
    WideString sound;   // Speak: the sound file said with the words, empty for none

    bool operator==(const TCharacterRequest&) const = default;
};

// The calls of a block in order; on a fault none, and error tells the line and why.
bool ParseCharacterLines(const WideString& block, std::vector<TCharacterRequest>& requests, std::string& error);

}  // namespace web
