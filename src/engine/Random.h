// The classic Pascal random generator (linear congruential, 32-bit seed); race layouts depend on
// its sequence.
#pragma once

#include <cstdint>

namespace engine {

// The generator's seed, as Pascal's RandSeed (one per thread).
uint32_t RandSeed();
void SetRandSeed(uint32_t seed);
// Seeds from the clock.
void Randomize();
// A value in 0..n-1 (0 when n <= 0).
int32_t Random(int32_t n);
// A value in [0, 1).
double RandomFloat();

}  // namespace engine
