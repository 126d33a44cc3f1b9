// A software mixer of voices: waves played at a gain and a playback rate, once, a few times or
// looping, added into 16-bit stereo with a linear resampler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/WaveData.h"

namespace platform {

// Not thread-safe: whoever shares it with an audio thread locks around every call.
class VoiceMixer {
 public:
  using Samples = std::shared_ptr<const WaveSamples>;

  explicit VoiceMixer(int outputRate) : outputRate_(outputRate) {}

  // Starts a voice; loops is how many times it plays again after the first (-1: for ever); rate 1
  // is the wave's own pitch. Returns the voice's number (never 0), or 0 for an empty wave.
  uint32_t Start(Samples wave, float gain, float rate, int loops);
  // A new gain glides in over the next mixed block, so fades do not click.
  void Set(uint32_t voice, float gain, float rate);
  void Stop(uint32_t voice);
  // Stops every voice of the wave (before its samples go).
  void StopWave(const WaveSamples* wave);
  bool Playing(uint32_t voice) const;
  size_t Count() const { return voices_.size(); }
  // Adds every voice into the frames, saturating; voices that have ended are dropped.
  void MixInto(int16_t* stereoFrames, size_t frameCount);

 private:
  struct Voice {
    uint32_t id = 0;
    Samples wave;
    double position = 0;  // in frames of the wave
    float gain = 0;       // where the last block ended
    float targetGain = 0;
    float rate = 1;
    int loopsLeft = 0;
  };

  // Adds one voice into sum_; false once it has played out.
  bool MixVoice(Voice& voice, size_t frameCount);

  int outputRate_;
  uint32_t nextId_ = 1;
  std::vector<Voice> voices_;
  std::vector<float> sum_;
};

}  // namespace platform
