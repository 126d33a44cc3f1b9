// Checks the module writer against libopenmpt, instrument tuning, the note parser and the maths.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/AudioMath.h"
#include "audio/Composer.h"
#include "audio/Instruments.h"
#include "audio/XmWriter.h"

namespace {

using namespace assetgen::audio;

using Module = std::unique_ptr<openmpt_module, decltype(&openmpt_module_destroy)>;

Module Load(const std::vector<uint8_t>& bytes) {
  return Module(openmpt_module_create_from_memory2(bytes.data(), bytes.size(), nullptr, nullptr,
                                                   nullptr, nullptr, nullptr, nullptr, nullptr),
                &openmpt_module_destroy);
}

XmModule TwoPatternModule() {
  XmModule m;
  m.name = "test";
  m.channels = 4;
  m.bpm = 125;
  m.patterns.emplace_back(64, 4);
  m.patterns.emplace_back(32, 4);
  m.orders = {0, 1, 0};
  m.restart = 1;
  XmInstrument a = MakeKick(0.5);
  a.name = "first";
  XmInstrument b = MakeBass(0.5, {}, 0.02);
  b.name = "second";
  m.instruments = {a, b};
  Composer c(m.patterns[1], 1.0);
  c.Note(3, 2, 57, 2, 40);  // A3
  c.Effect(3, 2, 0x04, 0x37);
  c.KeyOff(5, 2);
  return m;
}

TEST(XmWriterTest, LibopenmptReadsBackTheLayoutTheNotesAndTheInstruments) {
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodeXm(TwoPatternModule(), bytes, error)) << error;
  Module mod = Load(bytes);
  ASSERT_TRUE(mod);
  openmpt_module* m = mod.get();
  EXPECT_EQ(openmpt_module_get_num_channels(m), 4);
  EXPECT_EQ(openmpt_module_get_num_patterns(m), 2);
  EXPECT_EQ(openmpt_module_get_num_orders(m), 3);
  EXPECT_EQ(openmpt_module_get_pattern_num_rows(m, 1), 32);
  ASSERT_EQ(openmpt_module_get_num_instruments(m), 2);
  const char* name = openmpt_module_get_instrument_name(m, 1);
  EXPECT_STREQ(name, "second");
  openmpt_free_string(name);
  EXPECT_EQ(openmpt_module_get_pattern_row_channel_command(m, 1, 3, 2, OPENMPT_MODULE_COMMAND_NOTE),
            57 - 11 + 12);  // the file counts from C-0 = 1; libopenmpt's numbering is an octave up
  EXPECT_EQ(
      openmpt_module_get_pattern_row_channel_command(m, 1, 3, 2, OPENMPT_MODULE_COMMAND_INSTRUMENT),
      2);
  EXPECT_EQ(
      openmpt_module_get_pattern_row_channel_command(m, 1, 3, 2, OPENMPT_MODULE_COMMAND_VOLUME),
      40);
  EXPECT_EQ(
      openmpt_module_get_pattern_row_channel_command(m, 1, 3, 2, OPENMPT_MODULE_COMMAND_PARAMETER),
      0x37);
  EXPECT_GT(openmpt_module_get_pattern_row_channel_command(m, 1, 5, 2, OPENMPT_MODULE_COMMAND_NOTE),
            120);  // key off
  EXPECT_EQ(openmpt_module_get_pattern_row_channel_command(m, 1, 4, 2, OPENMPT_MODULE_COMMAND_NOTE),
            0);
  // 64 + 32 + 64 rows at 6 ticks of 20 ms.
  EXPECT_NEAR(openmpt_module_get_duration_seconds(m), 160 * 0.12, 0.01);
}

TEST(XmWriterTest, RefusesModulesTheFormatCannotHold) {
  std::vector<uint8_t> bytes;
  std::string error;
  XmModule m = TwoPatternModule();
  m.orders.push_back(7);
  EXPECT_FALSE(EncodeXm(m, bytes, error));
  EXPECT_NE(error.find("missing pattern"), std::string::npos);
  m = TwoPatternModule();
  m.restart = 3;
  EXPECT_FALSE(EncodeXm(m, bytes, error));
  m = TwoPatternModule();
  m.instruments[1].sample.loopLength = static_cast<int>(m.instruments[1].sample.data.size()) + 1;
  EXPECT_FALSE(EncodeXm(m, bytes, error));
}

// The strongest period of a stretch of mono samples, by autocorrelation, as a frequency.
double PitchOf(const std::vector<int16_t>& stereo, int rate, double lowHz, double highHz) {
  std::vector<double> mono;
  for (size_t i = 0; i + 1 < stereo.size(); i += 2) mono.push_back(stereo[i] + stereo[i + 1]);
  const size_t from = mono.size() / 4;
  const size_t count = mono.size() / 2;
  double best = -1e300;
  int bestLag = 0;
  for (int lag = static_cast<int>(rate / highHz); lag <= static_cast<int>(rate / lowHz); ++lag) {
    double sum = 0;
    for (size_t i = from; i < from + count; ++i)
      sum += mono[i] * mono[i + static_cast<size_t>(lag)];
    if (sum > best) {
      best = sum;
      bestLag = lag;
    }
  }
  return static_cast<double>(rate) / bestLag;
}

TEST(InstrumentTest, EveryPitchedInstrumentSoundsAtTheWrittenNote) {
  struct Case {
    const char* what;
    XmInstrument instrument;
    int note;
  };
  const EnvelopeShape env{0.0, 0.5, 64, 0.2};
  const Case cases[] = {
      {"bass", MakeBass(0.5, env, 0.02), 45},
      {"pad", MakePad(0.5, env, 0.02), 57},
      {"lead", MakeLead(0.5, 0.5, env, 0.02), 69},
      {"keys", MakeKeys(0.5, 1.0), 69},
      {"pluck", MakePluck(0.5), 57},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    XmModule m;
    m.channels = 2;
    m.patterns.emplace_back(16, 2);
    m.orders = {0};
    m.instruments = {c.instrument};
    Composer(m.patterns[0], 1.0).Note(0, 0, c.note, 1, 64);
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(EncodeXm(m, bytes, error)) << error;
    Module mod = Load(bytes);
    ASSERT_TRUE(mod);
    std::vector<int16_t> pcm(2 * 48000 / 2);
    openmpt_module_read_interleaved_stereo(mod.get(), 48000, pcm.size() / 2, pcm.data());
    const double expected = NoteHz(c.note);
    const double measured = PitchOf(pcm, 48000, expected / 1.5, expected * 1.5);
    // Within a quarter of a semitone (the lag grid itself is a few cents coarse up high).
    EXPECT_NEAR(12.0 * std::log2(measured / expected), 0.0, 0.25) << measured << " Hz";
  }
}

TEST(ComposerTest, NotesChordsAndVoicings) {
  EXPECT_EQ(ParseNote("C4"), 60);
  EXPECT_EQ(ParseNote("A4"), 69);
  EXPECT_EQ(ParseNote("F#3"), 54);
  EXPECT_EQ(ParseNote("Bb2"), 46);
  EXPECT_EQ(ParseNote("Cb4"), 59);
  EXPECT_EQ(ParseNote("B#3"), 60);
  EXPECT_EQ(ParseNote("H2"), -1);
  EXPECT_EQ(ParseNote("C"), -1);
  const Chord am7 = ParseChord("Am7");
  EXPECT_EQ(am7.root, 9);
  EXPECT_EQ(am7.intervals, (std::vector<int>{0, 3, 7, 10}));
  EXPECT_EQ(ParseChord("Bbmaj7").root, 10);
  // Three voices of a seventh chord drop the fifth; everything sits in [low, low + 12).
  EXPECT_EQ(Voicing(ParseChord("Fmaj7"), 53, 3), (std::vector<int>{53, 57, 64}));
  EXPECT_EQ(Voicing(ParseChord("C"), 53, 4), (std::vector<int>{55, 60, 64, 67}));
}

TEST(ComposerTest, LinesHoldReleaseAndEchoLater) {
  XmPattern p(16, 3);
  Composer c(p, 0.5);
  c.Line(0, 1, 60, 2, "C5 . - E5:20");
  EXPECT_EQ(p.At(0, 0).note, 72 - 11);
  EXPECT_EQ(p.At(0, 0).volume, 0x10 + 30);  // scaled by the mix level
  EXPECT_EQ(p.At(2, 0).note, 0);
  EXPECT_EQ(p.At(4, 0).note, kXmKeyOff);
  EXPECT_EQ(p.At(6, 0).volume, 0x10 + 10);
  c.Echo(0, 2, 3, 0.5);
  EXPECT_EQ(p.At(3, 2).note, 72 - 11);
  EXPECT_EQ(p.At(3, 2).volume, 0x10 + 15);
  EXPECT_EQ(p.At(7, 2).note, kXmKeyOff);
}

TEST(AudioMathTest, OwnFunctionsAgreeWithTheLibrary) {
  for (double x = -50.0; x <= 50.0; x += 0.0137) {
    ASSERT_NEAR(Sin(x), std::sin(x), 1e-9) << x;
  }
  for (double x = -30.0; x <= 30.0; x += 0.0173) {
    ASSERT_NEAR(Exp2(x) / std::exp2(x), 1.0, 1e-12) << x;
  }
  for (double x = 1e-6; x < 1e6; x *= 1.37) {
    ASSERT_NEAR(Log2(x), std::log2(x), 1e-11) << x;
  }
  Rng a(7), b(7);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(a.Next(), b.Next());
}

}  // namespace
