// The audio recording of a session.
#include "app/AudioRecorder.h"

namespace app {

AudioRecorder::AudioRecorder(platform::NullAudioDevice& device, int framesPerSecond)
    : device_(device), framesPerSecond_(framesPerSecond > 0 ? framesPerSecond : 90) {}

bool AudioRecorder::Open(const std::string& path) {
  return out_.Open(path, device_.SampleRate());
}

void AudioRecorder::Frame() {
  if (!out_.IsOpen()) return;
  ++frames_;
  // Whole sample frames up to this game frame's end, so no rounding drifts over a long run.
  const int64_t due = frames_ * device_.SampleRate() / framesPerSecond_;
  const auto count = static_cast<size_t>(due - written_);
  block_.resize(count * 2);
  device_.Mix(block_.data(), count);
  out_.Append(block_.data(), count);
  written_ = due;
}

bool AudioRecorder::Close() {
  return out_.Close();
}

}  // namespace app
