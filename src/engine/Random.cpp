// The classic Pascal random generator.
#include "engine/Random.h"

#include <chrono>

namespace engine {
namespace {

// Pascal's RandSeed: the game relies on one shared sequence. Each thread has its own, so the score
// server can replay two games at once; the game itself draws on one thread only.
thread_local uint32_t gSeed = 0;

void Step() {
  gSeed = gSeed * 134775813u + 1u;
}

}  // namespace

uint32_t RandSeed() {
  return gSeed;
}
void SetRandSeed(uint32_t seed) {
  gSeed = seed;
}

void Randomize() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  gSeed = static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

int32_t Random(int32_t n) {
  Step();
  if (n <= 0) return 0;
  return static_cast<int32_t>((static_cast<uint64_t>(gSeed) * static_cast<uint32_t>(n)) >> 32);
}

double RandomFloat() {
  Step();
  return static_cast<double>(gSeed) / 4294967296.0;
}

}  // namespace engine
