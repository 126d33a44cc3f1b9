// Deterministic sine, exponential and logarithm from plain arithmetic, and the noise generator.
#include "audio/AudioMath.h"

#include <cmath>

namespace assetgen::audio {

namespace {

constexpr double kLn2 = 0.69314718055994530942;
constexpr double kLog2E = 1.44269504088896340736;

}  // namespace

double Sin(double x) {
  // Bring x into [-pi, pi], then fold into [-pi/2, pi/2] where the Taylor series converges fast.
  const double turns = std::floor(x / kTwoPi + 0.5);
  double r = x - turns * kTwoPi;
  if (r > kPi / 2) r = kPi - r;
  if (r < -kPi / 2) r = -kPi - r;
  const double r2 = r * r;
  double term = r;
  double sum = r;
  for (int n = 1; n <= 7; ++n) {
    term *= -r2 / ((2.0 * n) * (2.0 * n + 1.0));
    sum += term;
  }
  return sum;
}

double Cos(double x) {
  return Sin(x + kPi / 2);
}

double Exp2(double x) {
  if (x < -1000.0) return 0.0;
  if (x > 1000.0) x = 1000.0;
  const double whole = std::floor(x);
  const double t = (x - whole) * kLn2;  // in [0, ln 2)
  double term = 1.0;
  double sum = 1.0;
  for (int n = 1; n <= 14; ++n) {
    term *= t / n;
    sum += term;
  }
  return std::ldexp(sum, static_cast<int>(whole));
}

double Exp(double x) {
  return Exp2(x * kLog2E);
}

double Log2(double x) {
  if (!(x > 0.0)) return -1000.0;
  int exponent = 0;
  const double m = std::frexp(x, &exponent) * 2.0;  // in [1, 2)
  // ln m = 2 atanh(s) with s = (m - 1) / (m + 1) in [0, 1/3).
  const double s = (m - 1.0) / (m + 1.0);
  const double s2 = s * s;
  double power = s;
  double sum = 0.0;
  for (int n = 1; n <= 31; n += 2) {
    sum += power / n;
    power *= s2;
  }
  return (exponent - 1) + 2.0 * sum / kLn2;
}

double NoteHz(double note) {
  return 440.0 * Exp2((note - 69.0) / 12.0);
}

double SoftClip(double x) {
  // A cubic knee that reaches +-1 at +-1.5 and stays there.
  if (x >= 1.5) return 1.0;
  if (x <= -1.5) return -1.0;
  return x - (4.0 / 27.0) * x * x * x;
}

uint32_t Rng::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

double Rng::Unit() {
  return (Next() >> 8) * (1.0 / 16777216.0);
}

double Rng::Uniform() {
  return Unit() * 2.0 - 1.0;
}

}  // namespace assetgen::audio
