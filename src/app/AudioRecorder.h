// The audio recording of a session: after every frame, one frame's worth of what the null audio
// device would play goes into a wave file, so a run can be listened to without a sound card.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/WaveData.h"
#include "platform/null/NullAudioDevice.h"

namespace app {

class AudioRecorder {
 public:
  // framesPerSecond: the game's frame rate (90).
  AudioRecorder(platform::NullAudioDevice& device, int framesPerSecond);
  bool Open(const std::string& path);
  // Mixes and writes the sound of one game frame.
  void Frame();
  bool Close();

 private:
  platform::NullAudioDevice& device_;
  int framesPerSecond_;
  int64_t frames_ = 0;   // game frames recorded
  int64_t written_ = 0;  // sample frames written
  std::vector<int16_t> block_;
  platform::WaveWriter out_;
};

}  // namespace app
