// An in-memory FastTracker 2 extended module (XM 1.04) and its encoder.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace assetgen::audio {

inline constexpr int kXmMaxChannels = 32;
inline constexpr uint8_t kXmKeyOff = 97;
// The playback rate at which a sample with no tuning sounds at its own pitch on note C-4.
inline constexpr double kXmBaseRate = 8363.0;

// Points are (tick, level 0..64); at most 12. Sustain and loop indices are -1 when unused.
struct XmEnvelope {
  std::vector<std::pair<int, int>> points;
  int sustain = -1;
  int loopStart = -1;
  int loopEnd = -1;
};

// One 16-bit mono sample. loopLength 0 means a one-shot.
struct XmSample {
  std::string name;
  std::vector<int16_t> data;
  int loopStart = 0;
  int loopLength = 0;
  int volume = 64;
  int finetune = 0;  // -128..127, 1/128 semitone
  int panning = 128;
  int relativeNote = 0;

  // Sets relativeNote and finetune so that note C-4 plays the sample at rateForC4 samples per
  // second.
  void TuneTo(double rateForC4);
};

struct XmInstrument {
  std::string name;
  XmSample sample;
  XmEnvelope volumeEnvelope;
  int fadeout = 0;
  int vibratoType = 0;  // 0 sine
  int vibratoSweep = 0;
  int vibratoDepth = 0;
  int vibratoRate = 0;
};

// Note 1..96 (1 = C-0, 49 = C-4), 97 key off; instrument 1-based; volume column byte (0x10..0x50 =
// volume 0..64); effect and parameter as FastTracker 2 numbers them.
struct XmCell {
  uint8_t note = 0;
  uint8_t instrument = 0;
  uint8_t volume = 0;
  uint8_t effect = 0;
  uint8_t param = 0;
};

class XmPattern {
 public:
  XmPattern(int rows, int channels);
  int Rows() const { return rows_; }
  int Channels() const { return channels_; }
  XmCell& At(int row, int channel) {
    return cells_[static_cast<size_t>(row * channels_ + channel)];
  }
  const XmCell& At(int row, int channel) const {
    return cells_[static_cast<size_t>(row * channels_ + channel)];
  }

 private:
  int rows_;
  int channels_;
  std::vector<XmCell> cells_;
};

struct XmModule {
  std::string name;
  int channels = 8;
  int speed = 6;  // ticks per row
  int bpm = 125;
  int restart = 0;  // order position playback returns to after the last order
  std::vector<uint8_t> orders;
  std::vector<XmPattern> patterns;
  std::vector<XmInstrument> instruments;
};

// Serialises the module; false and a message when it breaks the format's limits.
bool EncodeXm(const XmModule& module, std::vector<uint8_t>& out, std::string& error);

}  // namespace assetgen::audio
