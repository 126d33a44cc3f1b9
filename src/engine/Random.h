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

// Lends the thread's generator to a second game in the same thread (a replay watched, a ghost)
// for one scope: its own seed is put in, and on leaving the seed it reached is kept in ownSeed
// and the first game's seed is put back, so neither sees the other's numbers.
class LentGenerator {
 public:
  explicit LentGenerator(uint32_t& ownSeed) : ownSeed_(ownSeed), heldSeed_(RandSeed()) {
    SetRandSeed(ownSeed_);
  }
  ~LentGenerator() {
    ownSeed_ = RandSeed();
    SetRandSeed(heldSeed_);
  }
  LentGenerator(const LentGenerator&) = delete;
  LentGenerator& operator=(const LentGenerator&) = delete;

 private:
  uint32_t& ownSeed_;
  uint32_t heldSeed_;
};

}  // namespace engine
