// Synthesises every instrument sample of the modules with our own oscillators, noise and filters.
#include "audio/Instruments.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "audio/Synth.h"
#include "audio/Wav.h"

namespace assetgen::audio {

namespace {

constexpr double kDrumRate = 44100.0;
constexpr double kMiddleC = 261.6255653;

// One partial of a looped tone: an exact number of cycles per loop keeps the loop seamless.
struct Partial {
  int cycles;
  double attackAmp;
  double loopAmp;
  double phase;
};

// Renders the partials: an attack of attackLength samples whose amplitudes glide from attackAmp to
// loopAmp, then one loop of loopLength samples. Every partial's phase depends on the sample index
// only, so the loop's end joins its start exactly.
std::vector<int16_t> RenderPartials(const std::vector<Partial>& partials, int attackLength,
                                    int loopLength) {
  Signal s(static_cast<size_t>(attackLength + loopLength), 0.0);
  for (const Partial& p : partials) {
    const double step = kTwoPi * p.cycles / loopLength;
    for (size_t n = 0; n < s.size(); ++n) {
      double amp = p.loopAmp;
      if (static_cast<int>(n) < attackLength) {
        const double x = static_cast<double>(n) / attackLength;
        const double fade = (1.0 - x) * (1.0 - x);
        amp = p.loopAmp + (p.attackAmp - p.loopAmp) * fade;
      }
      if (amp != 0.0) s[n] += amp * Sin(step * static_cast<double>(n % loopLength) + p.phase);
    }
  }
  NormalizePeak(s, -1.0);
  return ToPcm16(s);
}

// Saw-like harmonic amplitudes softened above the harmonic `corner`; hollow removes even ones.
double Harmonic(int h, double corner, double hollow) {
  double a = 1.0 / h;
  if (h % 2 == 0) a *= 1.0 - hollow;
  const double r = h / corner;
  return a / (1.0 + r * r * r * r);
}

XmInstrument Looped(const char* name, std::vector<int16_t> data, int attackLength, int loopLength,
                    int period) {
  XmInstrument ins;
  ins.name = name;
  ins.sample.name = name;
  ins.sample.data = std::move(data);
  ins.sample.loopStart = attackLength;
  ins.sample.loopLength = loopLength;
  ins.sample.TuneTo(kMiddleC * period);
  return ins;
}

XmInstrument OneShot(const char* name, const Signal& s, double rate) {
  XmInstrument ins;
  ins.name = name;
  ins.sample.name = name;
  ins.sample.data = ToPcm16(s);
  ins.sample.TuneTo(rate);
  return ins;
}

}  // namespace

XmEnvelope MakeEnvelope(const EnvelopeShape& shape, double tickSeconds) {
  auto ticks = [tickSeconds](double seconds) {
    return static_cast<int>(std::lround(seconds / tickSeconds));
  };
  XmEnvelope e;
  const int a = ticks(shape.attack);
  const int d = a + std::max(ticks(shape.decay), 1);
  const int r = d + std::max(ticks(shape.release), 1);
  e.points.emplace_back(0, a > 0 ? 0 : 64);
  if (a > 0) e.points.emplace_back(a, 64);
  e.points.emplace_back(d, shape.sustain);
  e.sustain = static_cast<int>(e.points.size()) - 1;
  e.points.emplace_back(r, 0);
  return e;
}

XmInstrument MakeKick(double weight) {
  const double length = 0.35 + 0.25 * weight;
  Signal s(static_cast<size_t>(SampleCount(length, kDrumRate)));
  Rng rng(0x4B1C4u);
  OnePole click;
  click.SetCutoff(3000, kDrumRate);
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = i / kDrumRate;
    const double hz = 45.0 + 120.0 * Exp2(-t / (0.025 + 0.015 * weight));
    phase += hz / kDrumRate;
    const double body = Sin(kTwoPi * phase) * Decay(t, 0.09 + 0.08 * weight);
    const double noise = click.Lowpass(rng.Uniform()) * Decay(t, 0.004);
    s[i] = SoftClip(1.3 * body + 0.8 * noise);
  }
  FadeEdges(s, 0.0, 0.02, kDrumRate);
  NormalizePeak(s, -1.0);
  return OneShot("kick", s, kDrumRate);
}

XmInstrument MakeSnare(double body, double brush) {
  Signal s(static_cast<size_t>(SampleCount(0.32, kDrumRate)));
  Rng rng(0x5A4E3u);
  Biquad band;
  band.Set(Biquad::Kind::kBandpass, 4200 - 1800 * brush, 0.6, kDrumRate);
  OnePole air;
  air.SetCutoff(900, kDrumRate);
  double p1 = 0.0, p2 = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = i / kDrumRate;
    p1 += (175.0 + 40.0 * Decay(t, 0.01)) / kDrumRate;
    p2 += 330.0 / kDrumRate;
    const double tone = (Sin(kTwoPi * p1) + 0.5 * Sin(kTwoPi * p2)) * Decay(t, 0.03);
    const double n = rng.Uniform();
    const double hiss =
        (band.Process(n) * 1.6 + air.Highpass(n) * 0.4) * Decay(t, 0.045 + 0.05 * brush);
    s[i] = body * tone + hiss;
  }
  FadeEdges(s, 0.0, 0.03, kDrumRate);
  NormalizePeak(s, -1.0);
  return OneShot("snare", s, kDrumRate);
}

XmInstrument MakeHat(bool open) {
  const double length = open ? 0.45 : 0.09;
  Signal s(static_cast<size_t>(SampleCount(length, kDrumRate)));
  Rng rng(open ? 0x0BE7u : 0xC105Eu);
  // A cluster of inharmonic square waves under the noise gives the metallic ring of cymbals.
  constexpr double kRing[] = {2051.0, 3043.0, 3697.0, 5227.0, 5401.0, 8003.0};
  std::vector<Oscillator> ring;
  for (double hz : kRing) ring.emplace_back(Shape::kSquare, hz / 9973.0);
  Biquad high;
  high.Set(Biquad::Kind::kHighpass, 6500, 0.7, kDrumRate);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = i / kDrumRate;
    double metal = 0.0;
    for (size_t k = 0; k < ring.size(); ++k) metal += ring[k].Next(kRing[k], kDrumRate);
    const double x = 0.12 * metal + rng.Uniform();
    s[i] = high.Process(x) * Decay(t, open ? 0.11 : 0.018);
  }
  FadeEdges(s, 0.0, open ? 0.05 : 0.01, kDrumRate);
  NormalizePeak(s, -1.0);
  return OneShot(open ? "open hat" : "closed hat", s, kDrumRate);
}

XmInstrument MakeCrash() {
  const double rate = 32000.0;
  Signal s(static_cast<size_t>(SampleCount(1.6, rate)));
  Rng rng(0xC7A54u);
  constexpr double kRing[] = {1407.0, 2210.0, 3331.0, 4127.0, 5873.0, 7411.0};
  std::vector<Oscillator> ring;
  for (double hz : kRing) ring.emplace_back(Shape::kSquare, hz / 7919.0);
  Biquad high;
  high.Set(Biquad::Kind::kHighpass, 3500, 0.6, rate);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = i / rate;
    double metal = 0.0;
    for (size_t k = 0; k < ring.size(); ++k) metal += ring[k].Next(kRing[k], rate);
    const double x = 0.15 * metal + rng.Uniform();
    s[i] = high.Process(x) * Decay(t, 0.38) * Ramp(t, 0.0, 0.003, 0.0, 1.0);
  }
  FadeEdges(s, 0.0, 0.2, rate);
  NormalizePeak(s, -1.0);
  return OneShot("crash", s, rate);
}

XmInstrument MakeBass(double brightness, const EnvelopeShape& env, double tickSeconds) {
  constexpr int kPeriod = 128;
  constexpr int kLoop = kPeriod * 32;
  const int cyclesPerLoop = kLoop / kPeriod;
  std::vector<Partial> partials;
  const double corner = 2.0 + 6.0 * brightness;
  for (int h = 1; h <= 40; ++h) {
    const double steady = Harmonic(h, corner, 0.3);
    const double attack = Harmonic(h, corner * 2.5, 0.1);
    // A little extra fundamental keeps the note round on small speakers.
    const double boost = h == 1 ? 1.4 : 1.0;
    partials.push_back({h * cyclesPerLoop, attack * boost, steady * boost, 0.0});
  }
  XmInstrument ins = Looped("bass", RenderPartials(partials, kLoop, kLoop), kLoop, kLoop, kPeriod);
  ins.volumeEnvelope = MakeEnvelope(env, tickSeconds);
  ins.fadeout = 1024;
  return ins;
}

XmInstrument MakePad(double brightness, const EnvelopeShape& env, double tickSeconds) {
  constexpr int kPeriod = 128;
  constexpr int kCycles = 192;
  constexpr int kLoop = kPeriod * kCycles;
  std::vector<Partial> partials;
  Rng rng(0x9AD5u);
  const double corner = 3.0 + 9.0 * brightness;
  // Three slightly detuned saws (one cycle more or less per loop) beat slowly against each other.
  for (int voice = -1; voice <= 1; ++voice) {
    for (int h = 1; h <= 40; ++h) {
      const double a = Harmonic(h, corner, 0.0) * (voice == 0 ? 1.0 : 0.8);
      partials.push_back({h * (kCycles + voice), a, a, rng.Unit() * kTwoPi});
    }
  }
  XmInstrument ins = Looped("pad", RenderPartials(partials, 0, kLoop), 0, kLoop, kPeriod);
  ins.volumeEnvelope = MakeEnvelope(env, tickSeconds);
  ins.fadeout = 512;
  ins.vibratoSweep = 60;
  ins.vibratoDepth = 2;
  ins.vibratoRate = 6;
  return ins;
}

XmInstrument MakeLead(double brightness, double hollow, const EnvelopeShape& env,
                      double tickSeconds) {
  constexpr int kPeriod = 64;
  constexpr int kCycles = 128;
  constexpr int kLoop = kPeriod * kCycles;
  std::vector<Partial> partials;
  Rng rng(0x1EADu);
  const double corner = 3.0 + 10.0 * brightness;
  for (int voice = 0; voice <= 1; ++voice) {
    for (int h = 1; h <= 28; ++h) {
      const double steady = Harmonic(h, corner, hollow) * (voice == 0 ? 1.0 : 0.45);
      const double attack = Harmonic(h, corner * 1.8, hollow) * (voice == 0 ? 1.0 : 0.45);
      partials.push_back({h * (kCycles + voice), attack, steady, rng.Unit() * kTwoPi});
    }
  }
  const int attackLength = kPeriod * 48;
  XmInstrument ins =
      Looped("lead", RenderPartials(partials, attackLength, kLoop), attackLength, kLoop, kPeriod);
  ins.volumeEnvelope = MakeEnvelope(env, tickSeconds);
  ins.fadeout = 1024;
  // A gentle delayed vibrato, as a singer or a violinist would add on long notes.
  ins.vibratoSweep = 40;
  ins.vibratoDepth = 5;
  ins.vibratoRate = 10;
  return ins;
}

XmInstrument MakeKeys(double bell, double sustainSeconds) {
  constexpr int kPeriod = 64;
  const double rate = kMiddleC * kPeriod;
  const double f = rate / kPeriod;
  Signal s(static_cast<size_t>(SampleCount(sustainSeconds * 1.6, rate)));
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = i / rate;
    const double w = kTwoPi * f * t;
    double v = Sin(w) * Decay(t, sustainSeconds * 0.45);
    v += 0.35 * Sin(2.0 * w) * Decay(t, sustainSeconds * 0.18);
    v += 0.12 * Sin(3.0 * w) * Decay(t, sustainSeconds * 0.08);
    // The tine: a short, slightly inharmonic ping far above the fundamental.
    v += bell * 0.5 * Sin(7.03 * w) * Decay(t, 0.03);
    v += bell * 0.2 * Sin(13.9 * w) * Decay(t, 0.012);
    s[i] = v * Ramp(t, 0.0, 0.002, 0.0, 1.0);
  }
  FadeEdges(s, 0.0, 0.1, rate);
  NormalizePeak(s, -1.0);
  return OneShot("keys", s, rate);
}

XmInstrument MakePluck(double brightness) {
  constexpr int kPeriod = 64;
  const double rate = kMiddleC * kPeriod;
  const double f = rate / kPeriod;
  Signal s(static_cast<size_t>(SampleCount(0.7, rate)));
  Oscillator a(Shape::kSaw, 0.0);
  Oscillator b(Shape::kSaw, 0.37);
  Biquad filter;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = i / rate;
    if (i % 16 == 0) {
      const double cutoff = f * (1.5 + (6.0 + 10.0 * brightness) * Decay(t, 0.06));
      filter.Set(Biquad::Kind::kLowpass, cutoff, 0.9, rate);
    }
    const double x = a.Next(f, rate) + 0.7 * b.Next(f * 1.006, rate);
    s[i] = filter.Process(x) * Decay(t, 0.16) * Ramp(t, 0.0, 0.002, 0.0, 1.0);
  }
  FadeEdges(s, 0.0, 0.05, rate);
  NormalizePeak(s, -1.0);
  return OneShot("pluck", s, rate);
}

}  // namespace assetgen::audio
