#pragma once
// What the game's form carries inside the program (data/embedded/words, compiled in by the
// build): the background, the rocket under the flying word, and the two word lists, one word a
// line in code page 1256.
#include <string_view>

namespace embedded {
extern const std::string_view MainImage;
extern const std::string_view Image1;
extern const std::string_view ListWordsEn;
extern const std::string_view ListWordsAr;
}  // namespace embedded
