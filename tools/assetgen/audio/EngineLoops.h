// The two looping engine sounds: a diesel idling and the same engine working hard.
#pragma once

#include <cstdint>

#include "audio/Synth.h"

namespace assetgen::audio {

struct EngineSound {
  int firingHz;      // power strokes a second; even, so the half-order rumble fits the loop too
  double formantHz;  // where the exhaust resonates
  double noise;      // how much combustion roar rides on each stroke
  uint32_t seed;
};

inline constexpr EngineSound kIdleEngine{30, 170.0, 0.35, 0x1D1Eu};
inline constexpr EngineSound kRevvingEngine{80, 460.0, 0.5, 0x2E2Eu};

// Exactly one second that repeats without a seam: every partial completes whole cycles in it,
// the noise repeats with it, and the filters are run until their state has settled into the loop.
Signal EngineLoop(const EngineSound& engine);

}  // namespace assetgen::audio
