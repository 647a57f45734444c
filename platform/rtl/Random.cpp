#include "platform/rtl/Random.h"
#include "platform/rtl/SysUtils.h"

std::uint32_t RandSeed = 0;

void Randomize() { RandSeed = rtl::GetTickCount(); }

int Random(int range) {
    RandSeed = RandSeed * 134775813u + 1u;
    if (range <= 0) return 0;
    // the high bits of the product are the best spread part of the seed
    return static_cast<int>((static_cast<std::uint64_t>(RandSeed) * static_cast<std::uint32_t>(range)) >> 32);
}
