// A small synthesiser toolkit: oscillators, noise, envelopes, filters and signal helpers.
#pragma once

#include <vector>

#include "audio/AudioMath.h"

namespace assetgen::audio {

// Sound effects are mono, 22050 samples per second.
inline constexpr int kEffectRate = 22050;

using Signal = std::vector<double>;

int SampleCount(double seconds, double rate = kEffectRate);

enum class Shape { kSine, kSquare, kSaw, kTriangle };

// A free-running oscillator whose frequency may change every sample. Square and saw edges are
// smoothed (PolyBLEP) so high notes do not fold back into audible aliases.
class Oscillator {
 public:
  explicit Oscillator(Shape shape, double phase = 0.0, double pulseWidth = 0.5)
      : shape_(shape), phase_(phase), width_(pulseWidth) {}
  double Next(double hz, double rate = kEffectRate);
  void SetPulseWidth(double width) { width_ = width; }

 private:
  Shape shape_;
  double phase_;  // in cycles, [0, 1)
  double width_;
};

// Linear attack, exponential-looking decay to a sustain level, linear release after the gate.
struct Adsr {
  double attack = 0.005;
  double decay = 0.1;
  double sustain = 1.0;
  double release = 0.05;
  double At(double t, double gate) const;
};

// Exponential fall with the given half-life in seconds.
double Decay(double t, double halfLife);
// Straight line from v0 at t0 to v1 at t1, held outside.
double Ramp(double t, double t0, double t1, double v0, double v1);
// Exponential glide between two frequencies over [t0, t1].
double Glide(double t, double t0, double t1, double hz0, double hz1);

class OnePole {
 public:
  void SetCutoff(double hz, double rate = kEffectRate);
  double Lowpass(double x);
  double Highpass(double x) { return x - Lowpass(x); }

 private:
  double a_ = 1.0;
  double y_ = 0.0;
};

// The usual two-pole filters (lowpass, highpass, bandpass with constant peak gain).
class Biquad {
 public:
  enum class Kind { kLowpass, kHighpass, kBandpass };
  void Set(Kind kind, double hz, double q, double rate = kEffectRate);
  double Process(double x);

 private:
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Adds src into dst starting at sample offset, growing dst when needed.
void MixInto(Signal& dst, const Signal& src, int offset = 0, double gain = 1.0);
// Scales the signal so its largest magnitude sits at the given level in dBFS.
void NormalizePeak(Signal& s, double peakDb);
// Scales the signal so its loudest 50 ms reach rmsDb, rounding off any peak that would pass peakDb
// with a soft knee; a sustained beep and a sharp click then sound about as loud as each other.
void NormalizeLoudness(Signal& s, double rmsDb, double peakDb, double rate = kEffectRate);
double DbToGain(double db);
// Short fades at both ends so a one-shot never starts or stops with a click.
void FadeEdges(Signal& s, double fadeIn, double fadeOut, double rate = kEffectRate);
double PeakOf(const Signal& s);

}  // namespace assetgen::audio
