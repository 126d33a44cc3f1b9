// Builds the seamless engine loops from whole-cycle partials and periodic combustion noise.
#include "audio/EngineLoops.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen::audio {

Signal EngineLoop(const EngineSound& engine) {
  constexpr int kLength = kEffectRate;  // one second
  Signal s(kLength, 0.0);
  Rng rng(engine.seed);

  // The exhaust note: harmonics of half the firing rate (cylinders never fire quite alike), with
  // the firing orders shaped by the exhaust resonance and the half orders much weaker.
  const int half = engine.firingHz / 2;
  for (int k = 1; k * half < 3000; ++k) {
    const double hz = static_cast<double>(k * half);
    const double d = (hz - engine.formantHz) / (engine.formantHz * 0.8);
    double amp = 1.0 / (1.0 + d * d) + 0.3 / k;
    if (k % 2 == 1) amp *= 0.3;
    const double phase = rng.Unit() * kTwoPi;
    for (int i = 0; i < kLength; ++i) {
      // Whole cycles per loop; the product is reduced exactly before it becomes an angle.
      const int64_t cycles = (static_cast<int64_t>(k) * half * i) % kLength;
      s[static_cast<size_t>(i)] +=
          amp * Sin(kTwoPi * static_cast<double>(cycles) / kLength + phase);
    }
  }

  // Combustion roar: noise struck by every power stroke, coloured by the exhaust.
  Signal roar(kLength);
  for (int i = 0; i < kLength; ++i) {
    const int64_t stroke = (static_cast<int64_t>(engine.firingHz) * i) % kLength;
    const double inStroke = static_cast<double>(stroke) / kLength;  // 0..1 within a stroke
    roar[static_cast<size_t>(i)] = rng.Uniform() * Exp2(-6.0 * inStroke);
  }
  Biquad colour;
  colour.Set(Biquad::Kind::kBandpass, engine.formantHz * 2.0, 0.7);
  // Three passes over the loop: the filter forgets where it started, so the last pass joins its
  // own beginning without a step.
  for (int pass = 0; pass < 3; ++pass) {
    for (int i = 0; i < kLength; ++i) {
      const double y = colour.Process(roar[static_cast<size_t>(i)]);
      if (pass == 2) s[static_cast<size_t>(i)] += engine.noise * 6.0 * y;
    }
  }

  // A slow sway in loudness, three times a loop, so the repetition is not too mechanical.
  for (int i = 0; i < kLength; ++i) {
    s[static_cast<size_t>(i)] *= 1.0 + 0.06 * Sin(kTwoPi * 3.0 * i / kLength);
  }
  return s;
}

}  // namespace assetgen::audio
