#pragma once
// Pseudo-random numbers with one seed for the program, as the class library makes them: a
// linear congruential generator whose seed a test may set to replay a sequence.
#include <cstdint>

extern std::uint32_t RandSeed;
void Randomize();          // seeds from the tick count (rtl::GetTickCount, which tests drive)
int Random(int range);     // 0 <= result < range; 0 when range <= 0
