// Deterministic maths for the synthesisers: sine, powers of two, logarithms, a seeded generator.
#pragma once

#include <cstdint>

namespace assetgen::audio {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;

// These use only additions and multiplications on doubles, so every machine produces the same bytes
// whatever maths library it links against. Accuracy is far beyond what 16-bit samples can show.
double Sin(double x);
double Cos(double x);
double Exp2(double x);
double Exp(double x);
double Log2(double x);  // x > 0

// Twelve-tone equal temperament, A4 (number 69) = 440 Hz; 60 is middle C.
double NoteHz(double note);

// Smoothly limits a signal to (-1, 1), close to linear near zero.
double SoftClip(double x);

// A fixed-seed xorshift generator, so noise is the same on every build.
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
  uint32_t Next();
  double Unit();     // [0, 1)
  double Uniform();  // [-1, 1)

 private:
  uint32_t state_;
};

}  // namespace assetgen::audio
