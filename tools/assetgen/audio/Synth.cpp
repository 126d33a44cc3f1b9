// Oscillators, envelopes, filters and mixing helpers shared by the effects and the instruments.
#include "audio/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace assetgen::audio {

namespace {

// The band-limited step correction for a discontinuity at phase 0, t in cycles, dt the step.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

}  // namespace

int SampleCount(double seconds, double rate) {
  return static_cast<int>(std::lround(std::max(0.0, seconds) * rate));
}

double Oscillator::Next(double hz, double rate) {
  const double dt = std::clamp(hz / rate, 0.0, 0.5);
  double out = 0.0;
  switch (shape_) {
    case Shape::kSine:
      out = Sin(kTwoPi * phase_);
      break;
    case Shape::kSaw:
      out = 2.0 * phase_ - 1.0 - PolyBlep(phase_, dt);
      break;
    case Shape::kSquare: {
      out = phase_ < width_ ? 1.0 : -1.0;
      out += PolyBlep(phase_, dt);
      double falling = phase_ - width_;
      if (falling < 0.0) falling += 1.0;
      out -= PolyBlep(falling, dt);
      break;
    }
    case Shape::kTriangle:
      out = phase_ < 0.5 ? 4.0 * phase_ - 1.0 : 3.0 - 4.0 * phase_;
      break;
  }
  phase_ += dt;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return out;
}

double Adsr::At(double t, double gate) const {
  if (t < 0.0) return 0.0;
  auto held = [this](double u) {
    if (u < attack) return u / attack;
    const double d = (u - attack) / std::max(decay, 1e-6);
    return sustain + (1.0 - sustain) * Exp2(-6.0 * d);
  };
  if (t < gate) return held(t);
  const double level = held(gate);
  const double r = (t - gate) / std::max(release, 1e-6);
  return r >= 1.0 ? 0.0 : level * (1.0 - r);
}

double Decay(double t, double halfLife) {
  return t < 0.0 ? 0.0 : Exp2(-t / halfLife);
}

double Ramp(double t, double t0, double t1, double v0, double v1) {
  if (t <= t0) return v0;
  if (t >= t1) return v1;
  return v0 + (v1 - v0) * (t - t0) / (t1 - t0);
}

double Glide(double t, double t0, double t1, double hz0, double hz1) {
  return hz0 * Exp2(Log2(hz1 / hz0) * Ramp(t, t0, t1, 0.0, 1.0));
}

void OnePole::SetCutoff(double hz, double rate) {
  a_ = 1.0 - Exp(-kTwoPi * std::clamp(hz, 1.0, rate * 0.49) / rate);
}

double OnePole::Lowpass(double x) {
  y_ += a_ * (x - y_);
  return y_;
}

void Biquad::Set(Kind kind, double hz, double q, double rate) {
  const double w = kTwoPi * std::clamp(hz, 10.0, rate * 0.45) / rate;
  const double cw = Cos(w);
  const double alpha = Sin(w) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  double b0 = 0, b1 = 0, b2 = 0;
  switch (kind) {
    case Kind::kLowpass:
      b0 = (1.0 - cw) / 2.0;
      b1 = 1.0 - cw;
      b2 = b0;
      break;
    case Kind::kHighpass:
      b0 = (1.0 + cw) / 2.0;
      b1 = -(1.0 + cw);
      b2 = b0;
      break;
    case Kind::kBandpass:
      b0 = alpha;
      b1 = 0.0;
      b2 = -alpha;
      break;
  }
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = -2.0 * cw / a0;
  a2_ = (1.0 - alpha) / a0;
}

double Biquad::Process(double x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

void MixInto(Signal& dst, const Signal& src, int offset, double gain) {
  if (offset < 0) offset = 0;
  if (dst.size() < src.size() + offset) dst.resize(src.size() + offset, 0.0);
  for (size_t i = 0; i < src.size(); ++i) dst[i + offset] += src[i] * gain;
}

double PeakOf(const Signal& s) {
  double peak = 0.0;
  for (double v : s) peak = std::max(peak, std::fabs(v));
  return peak;
}

double DbToGain(double db) {
  return Exp2(db / 20.0 * Log2(10.0));
}

void NormalizePeak(Signal& s, double peakDb) {
  const double peak = PeakOf(s);
  if (peak <= 0.0) return;
  const double gain = DbToGain(peakDb) / peak;
  for (double& v : s) v *= gain;
}

void NormalizeLoudness(Signal& s, double rmsDb, double peakDb, double rate) {
  const size_t window = std::clamp<size_t>(static_cast<size_t>(SampleCount(0.05, rate)), 1,
                                           std::max<size_t>(s.size(), 1));
  double loudest = 0.0;
  double sum = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    sum += s[i] * s[i];
    if (i >= window) sum -= s[i - window] * s[i - window];
    if (i + 1 >= window) loudest = std::max(loudest, sum / static_cast<double>(window));
  }
  const double peak = PeakOf(s);
  if (loudest <= 0.0 || peak <= 0.0) return;
  const double ceiling = DbToGain(peakDb);
  // SoftClip bends smoothly from 0 to full scale at 1.5; never push peaks past that knee.
  const double gain = std::min(DbToGain(rmsDb) / std::sqrt(loudest), 1.5 * ceiling / peak);
  for (double& v : s) v = ceiling * SoftClip(v * gain / ceiling);
}

void FadeEdges(Signal& s, double fadeIn, double fadeOut, double rate) {
  const int n = static_cast<int>(s.size());
  const int in = std::min(n, SampleCount(fadeIn, rate));
  const int out = std::min(n, SampleCount(fadeOut, rate));
  for (int i = 0; i < in; ++i) s[i] *= static_cast<double>(i) / in;
  for (int i = 0; i < out; ++i) s[n - 1 - i] *= static_cast<double>(i) / out;
}

}  // namespace assetgen::audio
