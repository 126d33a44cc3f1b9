// The recipes of the twenty sound effects: what each one is made of and how it moves.
#include "audio/Sounds.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "audio/EngineLoops.h"
#include "audio/Synth.h"
#include "audio/Wav.h"

namespace assetgen {

namespace {

using audio::Adsr;
using audio::Biquad;
using audio::Decay;
using audio::Glide;
using audio::kTwoPi;
using audio::NoteHz;
using audio::OnePole;
using audio::Oscillator;
using audio::Ramp;
using audio::Rng;
using audio::SampleCount;
using audio::Shape;
using audio::Signal;
using audio::Sin;

constexpr double kRate = audio::kEffectRate;
// Every effect is equally loud over its loudest 50 ms and never peaks above -3 dBFS.
constexpr double kLoudnessDb = -10.0;
constexpr double kPeakDb = -3.0;

Signal Blank(double seconds) {
  return Signal(static_cast<size_t>(SampleCount(seconds)), 0.0);
}
double TimeOf(size_t i) {
  return static_cast<double>(i) / kRate;
}

// A struck tone with a few harmonics: the building block of beeps, chimes and jingles.
Signal Tone(double hz, double seconds, Shape shape, double halfLife, double cutoff) {
  Signal s = Blank(seconds);
  Oscillator osc(shape);
  Biquad filter;
  filter.Set(Biquad::Kind::kLowpass, cutoff, 0.7);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    s[i] = filter.Process(osc.Next(hz)) * Ramp(t, 0.0, 0.002, 0.0, 1.0) * Decay(t, halfLife);
  }
  audio::FadeEdges(s, 0.0, std::min(0.012, seconds / 4));
  return s;
}

// A bell: a sine with two inharmonic overtones that die away faster.
Signal Bell(double hz, double seconds, double halfLife) {
  Signal s = Blank(seconds);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    const double w = kTwoPi * hz * t;
    s[i] = (Sin(w) * Decay(t, halfLife) + 0.4 * Sin(2.76 * w) * Decay(t, halfLife * 0.4) +
            0.2 * Sin(5.4 * w) * Decay(t, halfLife * 0.2)) *
           Ramp(t, 0.0, 0.001, 0.0, 1.0);
  }
  audio::FadeEdges(s, 0.0, 0.04);
  return s;
}

// "check": the click of a menu button, a short bright blip that drops a little in pitch.
Signal ButtonClick() {
  Signal s = Blank(0.09);
  Oscillator sine(Shape::kSine);
  Oscillator square(Shape::kSquare);
  OnePole soft;
  soft.SetCutoff(3500);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    const double hz = Glide(t, 0.0, 0.03, 1500.0, 1100.0);
    const double v = 0.7 * sine.Next(hz) + 0.3 * soft.Lowpass(square.Next(hz));
    s[i] = v * Ramp(t, 0.0, 0.001, 0.0, 1.0) * Decay(t, 0.014);
  }
  return s;
}

// "check2": the confirmation of a key, two quick falling notes.
Signal KeyConfirm() {
  Signal s;
  audio::MixInto(s, Tone(NoteHz(86), 0.07, Shape::kTriangle, 0.025, 4000));
  audio::MixInto(s, Tone(NoteHz(79), 0.09, Shape::kTriangle, 0.03, 4000), SampleCount(0.055));
  return s;
}

// "begin": a diesel engine cranks three times, catches, revs once and settles.
Signal EngineStart() {
  Signal s = Blank(1.9);
  Rng rng(0x57A27u);
  Oscillator starter(Shape::kSaw);
  Oscillator firing(Shape::kSquare, 0.0, 0.18);
  Biquad body;
  Biquad rumble;
  rumble.Set(Biquad::Kind::kLowpass, 350, 0.9);
  Biquad starterTone;
  starterTone.Set(Biquad::Kind::kLowpass, 1100, 0.8);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    // The starter motor whirrs while it turns the engine over in three heavy strokes.
    const double crank = t < 0.62 ? 0.5 - 0.5 * audio::Cos(kTwoPi * 5.2 * t) : 0.0;
    const double whirr = starterTone.Process(starter.Next(260.0 + 60.0 * crank)) *
                         Ramp(t, 0.0, 0.03, 0.0, 1.0) * Ramp(t, 0.55, 0.68, 1.0, 0.0);
    const double chug = rumble.Process(rng.Uniform()) * crank * crank * 2.0;
    // Then the engine fires: the pulse rate is the engine speed.
    double rpm = 0.0;
    if (t >= 0.6) {
      rpm = t < 1.0 ? Glide(t, 0.6, 1.0, 22.0, 68.0) : Glide(t, 1.0, 1.55, 68.0, 34.0);
    }
    double engine = 0.0;
    if (rpm > 0.0) {
      if (i % 32 == 0) body.Set(Biquad::Kind::kLowpass, rpm * 11.0, 1.2);
      const double pulse = firing.Next(rpm);
      engine = body.Process(pulse + 0.4 * rng.Uniform() * (pulse > 0 ? 1.0 : 0.2));
      engine *= Ramp(t, 0.6, 0.66, 0.0, 1.0) * Ramp(t, 1.5, 1.9, 1.0, 0.0);
    }
    s[i] = 0.25 * whirr + 0.5 * chug + 2.2 * engine;
  }
  return s;
}

// "finish": a brass fanfare climbing a C major arpeggio to a held, shimmering top note.
Signal Fanfare() {
  Signal s = Blank(1.7);
  struct Step {
    double start;
    int note;
    double end;
  };
  constexpr Step kSteps[] = {{0.0, 67, 0.14},  {0.12, 72, 0.26}, {0.24, 76, 0.38},
                             {0.36, 79, 1.65}, {0.36, 72, 1.65}, {0.36, 76, 1.65}};
  for (const Step& step : kSteps) {
    Oscillator a(Shape::kSaw, 0.1);
    Oscillator b(Shape::kSaw, 0.6);
    Biquad brass;
    const int from = SampleCount(step.start);
    const int to = SampleCount(step.end);
    const double gain = step.end > 1.0 && step.note != 79 ? 0.5 : 1.0;
    for (int i = from; i < to && i < static_cast<int>(s.size()); ++i) {
      const double t = (i - from) / kRate;
      const double len = step.end - step.start;
      const double vibrato = 1.0 + 0.006 * Sin(kTwoPi * 5.5 * t) * Ramp(t, 0.2, 0.5, 0.0, 1.0);
      const double hz = NoteHz(step.note) * vibrato;
      if ((i - from) % 16 == 0) {
        brass.Set(Biquad::Kind::kLowpass, hz * (1.5 + 5.0 * Ramp(t, 0.0, 0.06, 0.0, 1.0)), 0.8);
      }
      const double env = Ramp(t, 0.0, 0.015, 0.0, 1.0) * Ramp(t, len - 0.06, len, 1.0, 0.0) *
                         (len > 1.0 ? Decay(t, 0.9) : 1.0);
      s[static_cast<size_t>(i)] +=
          gain * env * brass.Process(a.Next(hz) + 0.8 * b.Next(hz * 1.004));
    }
  }
  return s;
}

// "svet1" and "svet2": the start lights. Red and yellow give a short low beep, green a long high
// one.
Signal StartBeep(double hz, double seconds) {
  Signal s = Blank(seconds);
  Oscillator osc(Shape::kSquare);
  Biquad filter;
  filter.Set(Biquad::Kind::kLowpass, hz * 3.0, 0.7);
  const Adsr env{0.004, 0.08, 0.8, 0.04};
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    s[i] = filter.Process(osc.Next(hz)) * env.At(t, seconds - 0.045);
  }
  return s;
}

// "timesup": a sad trombone, three falling notes and a long sagging last one.
Signal TimesUp() {
  Signal s = Blank(1.55);
  struct Step {
    double start;
    double length;
    int note;
  };
  constexpr Step kSteps[] = {{0.0, 0.3, 67}, {0.33, 0.3, 66}, {0.66, 0.85, 65}};
  for (const Step& step : kSteps) {
    Oscillator osc(Shape::kSaw);
    Biquad wah;
    const int from = SampleCount(step.start);
    const int count = SampleCount(step.length);
    for (int k = 0; k < count && from + k < static_cast<int>(s.size()); ++k) {
      const double t = k / kRate;
      double hz = NoteHz(step.note - 12);
      if (step.length > 0.5) {
        hz *= (1.0 + 0.02 * Sin(kTwoPi * 4.5 * t) * Ramp(t, 0.1, 0.3, 0.0, 1.0)) *
              Glide(t, 0.35, step.length, 1.0, 0.89);
      }
      // The player's mute opens and closes: the "wah" of each note.
      if (k % 16 == 0) {
        const double open =
            step.length > 0.5 ? Ramp(t, 0.0, 0.15, 0.0, 1.0) * Ramp(t, 0.3, step.length, 1.0, 0.25)
                              : Sin(audio::kPi * std::min(1.0, t / step.length));
        wah.Set(Biquad::Kind::kLowpass, 300.0 + 1600.0 * open, 2.0);
      }
      const double env =
          Ramp(t, 0.0, 0.02, 0.0, 1.0) * Ramp(t, step.length - 0.05, step.length, 1.0, 0.0);
      s[static_cast<size_t>(from + k)] += env * wah.Process(osc.Next(hz));
    }
  }
  return s;
}

// "sweep": spikes puncture the tyres: a falling whistle over escaping air.
Signal Puncture() {
  Signal s = Blank(0.65);
  Oscillator whistle(Shape::kTriangle);
  Rng rng(0x5EE9u);
  Biquad air;
  air.Set(Biquad::Kind::kHighpass, 2500, 0.7);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    const double tone = whistle.Next(Glide(t, 0.0, 0.5, 1500.0, 170.0)) * Decay(t, 0.25);
    const double hiss = air.Process(rng.Uniform()) * Ramp(t, 0.0, 0.02, 0.0, 1.0) * Decay(t, 0.18);
    s[i] = 0.8 * tone + 0.6 * hiss;
  }
  return s;
}

// "time": the warning tick of the last ten seconds, short and sharp.
Signal ClockBeep() {
  Signal s = Blank(0.12);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    const double w = kTwoPi * 1000.0 * t;
    s[i] = (Sin(w) + 0.25 * Sin(3.0 * w)) * Ramp(t, 0.0, 0.002, 0.0, 1.0) * Decay(t, 0.03);
  }
  return s;
}

// "exp": a bomb goes off: a deep thump, a roar that darkens as it fades, and crackling debris.
Signal Explosion() {
  Signal s = Blank(1.7);
  Rng rng(0xB00Au);
  Biquad roar;
  Biquad crackle;
  crackle.Set(Biquad::Kind::kHighpass, 1800, 0.7);
  Oscillator thump(Shape::kSine);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    if (i % 16 == 0) roar.Set(Biquad::Kind::kLowpass, Glide(t, 0.0, 1.3, 5000.0, 140.0), 0.9);
    const double boom = thump.Next(Glide(t, 0.0, 0.4, 85.0, 32.0)) * Decay(t, 0.22);
    const double noise =
        roar.Process(rng.Uniform()) * Ramp(t, 0.0, 0.004, 0.0, 1.0) * Decay(t, 0.32);
    // Debris: sparse clicks that thin out over the first second.
    const double chance = 0.02 * Decay(t, 0.25);
    const double spark = rng.Unit() < chance ? rng.Uniform() * 3.0 : 0.0;
    s[i] = audio::SoftClip(1.2 * boom + 1.6 * noise + 0.5 * crackle.Process(spark));
  }
  return s;
}

// "coin": the classic two-note pickup chime.
Signal Coin() {
  Signal s;
  audio::MixInto(s, Tone(NoteHz(83), 0.085, Shape::kSquare, 0.2, 5000));
  audio::MixInto(s, Tone(NoteHz(88), 0.42, Shape::kSquare, 0.09, 5000), SampleCount(0.075));
  return s;
}

// "nitro": the turbo spools up and a burst of flame roars past.
Signal Nitro() {
  Signal s = Blank(1.0);
  Rng rng(0x7172u);
  Biquad whoosh;
  Oscillator turbo(Shape::kSaw);
  OnePole soft;
  soft.SetCutoff(1800);
  OnePole thump;
  thump.SetCutoff(250);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    if (i % 16 == 0) whoosh.Set(Biquad::Kind::kBandpass, Glide(t, 0.0, 0.7, 350.0, 3200.0), 1.4);
    const double env = Ramp(t, 0.0, 0.05, 0.0, 1.0) * Ramp(t, 0.55, 1.0, 1.0, 0.0);
    const double n = rng.Uniform();
    const double roar = whoosh.Process(n) * 2.2 * env;
    const double spool = soft.Lowpass(turbo.Next(Glide(t, 0.0, 0.8, 180.0, 900.0))) * env * 0.35;
    const double kick = thump.Lowpass(n) * Decay(t, 0.05) * 3.0;
    s[i] = roar + spool + kick;
  }
  return s;
}

// "skid": tyres squeal across a puddle: a wavering screech over road hiss.
Signal Skid() {
  Signal s = Blank(0.7);
  Rng rng(0x5C1Du);
  Oscillator squeal(Shape::kTriangle);
  Oscillator squeal2(Shape::kTriangle, 0.3);
  OnePole wobble;
  wobble.SetCutoff(6);
  OnePole wobble2;
  wobble2.SetCutoff(6);
  Biquad hiss;
  hiss.Set(Biquad::Kind::kBandpass, 2400, 2.0);
  const Adsr env{0.03, 0.2, 0.8, 0.15};
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    // Rubber sticks and slips: the pitch wanders and flutters around its centre.
    const double drift = wobble2.Lowpass(wobble.Lowpass(rng.Uniform() * 60.0));
    const double flutter = 0.015 * Sin(kTwoPi * 23.0 * t);
    const double hz = 1050.0 * (1.0 + 0.08 * drift + flutter) * Glide(t, 0.0, 0.7, 1.0, 0.88);
    const double tone = squeal.Next(hz) + 0.45 * squeal2.Next(hz * 1.5);
    s[i] = (tone + 0.8 * hiss.Process(rng.Uniform())) * env.At(t, 0.55);
  }
  return s;
}

// "repair": a ratchet spanner turns four times and a bright chime says the truck is mended.
Signal Repair() {
  Signal s = Blank(0.5);
  Rng rng(0x2E9Au);
  for (int click = 0; click < 4; ++click) {
    Biquad band;
    band.Set(Biquad::Kind::kBandpass, 3200, 2.0);
    const int from = SampleCount(0.02 + 0.08 * click);
    for (int k = 0; k < SampleCount(0.04); ++k) {
      const double t = k / kRate;
      const double ping = Sin(kTwoPi * 2650.0 * t) * Decay(t, 0.006);
      s[static_cast<size_t>(from + k)] +=
          (band.Process(rng.Uniform()) * 2.0 + 0.6 * ping) * Decay(t, 0.005);
    }
  }
  audio::MixInto(s, Bell(NoteHz(88), 0.5, 0.1), SampleCount(0.38), 0.8);
  audio::MixInto(s, Bell(NoteHz(93), 0.6, 0.12), SampleCount(0.5), 0.8);
  return s;
}

// "horn": the truck's twin air horn, a major third with a little bite.
Signal Horn() {
  Signal s = Blank(0.75);
  Oscillator low(Shape::kSaw);
  Oscillator high(Shape::kSaw, 0.4);
  Biquad tone;
  tone.Set(Biquad::Kind::kLowpass, 2200, 0.9);
  Biquad nasal;
  nasal.Set(Biquad::Kind::kBandpass, 900, 1.2);
  const Adsr env{0.025, 0.1, 0.85, 0.08};
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    const double bend = Glide(t, 0.0, 0.05, 0.95, 1.0);
    const double x = low.Next(220.0 * bend) + high.Next(277.2 * bend);
    const double y = tone.Process(x);
    s[i] = (y + 0.8 * nasal.Process(y)) * env.At(t, 0.66);
  }
  return s;
}

// "addtime": five more seconds: a quick rising swoop into a pair of bright chimes.
Signal AddTime() {
  Signal s = Blank(0.12);
  Oscillator swoop(Shape::kSine);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    s[i] = swoop.Next(Glide(t, 0.0, 0.12, 600.0, 1760.0)) * Ramp(t, 0.0, 0.01, 0.0, 0.6);
  }
  audio::MixInto(s, Bell(NoteHz(93), 0.45, 0.1), SampleCount(0.11));
  audio::MixInto(s, Bell(NoteHz(100), 0.4, 0.1), SampleCount(0.11), 0.6);
  return s;
}

// "up": an extra life: a chiptune arpeggio racing up two octaves.
Signal ExtraLife() {
  Signal s;
  constexpr int kNotes[] = {72, 76, 79, 84, 88, 91};
  for (int k = 0; k < 6; ++k) {
    const bool last = k == 5;
    Signal note =
        Tone(NoteHz(kNotes[k]), last ? 0.45 : 0.08, Shape::kSquare, last ? 0.12 : 0.5, 6000);
    audio::MixInto(s, note, SampleCount(0.065 * k), 0.8);
  }
  return s;
}

// "hit": a truck knocks into a wall or another truck: a dull thump, a crunch of grit and the
// short ring of bent sheet metal.
Signal Knock() {
  Signal s = Blank(0.4);
  Rng rng(0x4B0Cu);
  Oscillator thump(Shape::kSine);
  Biquad crunch;
  crunch.Set(Biquad::Kind::kBandpass, 1300, 0.9);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = TimeOf(i);
    const double body = thump.Next(Glide(t, 0.0, 0.08, 130.0, 55.0)) * Decay(t, 0.035);
    const double grit = crunch.Process(rng.Uniform()) * Decay(t, 0.018);
    const double w = kTwoPi * t;
    const double ring =
        (Sin(310 * w) + 0.7 * Sin(537 * w + 1.0) + 0.45 * Sin(812 * w + 2.0)) * Decay(t, 0.06);
    s[i] = (1.4 * body + 1.3 * grit + 0.35 * ring) * Ramp(t, 0.0, 0.002, 0.0, 1.0);
  }
  return s;
}

struct Effect {
  const char* name;
  Signal (*make)();
  bool loops;
};

constexpr Effect kEffects[] = {
    {"check1", &KeyConfirm, false},
    {"check2", &ButtonClick, false},
    {"start", &EngineStart, false},
    {"finish", &Fanfare, false},
    {"svet1", [] { return StartBeep(NoteHz(76), 0.3); }, false},
    {"svet2", [] { return StartBeep(NoteHz(88), 0.7); }, false},
    {"timesup", &TimesUp, false},
    {"sweep", &Puncture, false},
    {"time", &ClockBeep, false},
    {"exp", &Explosion, false},
    {"coin", &Coin, false},
    {"nitro", &Nitro, false},
    {"skid", &Skid, false},
    {"repair", &Repair, false},
    {"horn", &Horn, false},
    {"addtime", &AddTime, false},
    {"up", &ExtraLife, false},
    {"hit", &Knock, false},
    {"s1", [] { return audio::EngineLoop(audio::kIdleEngine); }, true},
    {"s2", [] { return audio::EngineLoop(audio::kRevvingEngine); }, true},
};

}  // namespace

bool WriteSounds(const std::string& soundsDir, std::string& error) {
  for (const Effect& effect : kEffects) {
    Signal s = effect.make();
    // A one-shot starts and ends in silence; a loop must keep its edges to join up seamlessly.
    if (!effect.loops) audio::FadeEdges(s, 0.001, 0.01);
    audio::NormalizeLoudness(s, kLoudnessDb, kPeakDb);
    const auto bytes = audio::EncodeWav(audio::ToPcm16(s), audio::kEffectRate, 1);
    if (!audio::WriteBinaryFile(soundsDir + "/" + effect.name + ".wav", bytes, error)) return false;
  }
  return true;
}

}  // namespace assetgen
