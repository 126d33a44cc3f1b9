// An audio device without sound that records its calls.
#include "platform/null/NullAudioDevice.h"

#include "platform/Files.h"

#include <algorithm>
#include <fstream>

namespace platform {

NullAudioDevice::NullAudioDevice(Clock* clock, int sampleRate)
    : clock_(clock != nullptr ? clock : &steady_), sampleRate_(sampleRate) {}

uint64_t NullAudioDevice::NowMicros() {
  uint64_t ticks = clock_->Ticks();
  uint64_t frequency = std::max<uint64_t>(clock_->Frequency(), 1);
  return ticks / frequency * 1000000 + ticks % frequency * 1000000 / frequency;
}

WaveId NullAudioDevice::LoadWave(const std::string& path) {
  loads.push_back(path);
  // Only files that are there and start like a wave load, so missing sounds show up here too.
  if (!IsRegularFile(path)) return 0;
  std::ifstream in(path, std::ios::binary);
  char magic[4] = {};
  if (!in.read(magic, 4) || std::string(magic, 4) != "RIFF") return 0;
  waves_.push_back(path);
  return static_cast<WaveId>(waves_.size());
}

void NullAudioDevice::FreeWave(WaveId wave) {
  if (wave == 0 || wave > waves_.size() || waves_[wave - 1].empty()) return;
  Stop(wave);
  waves_[wave - 1].clear();
  freed.push_back(wave);
}

int NullAudioDevice::CreateChannelGroup(int channels) {
  if (channels <= 0) return -1;
  groups.push_back(channels);
  return static_cast<int>(groups.size()) - 1;
}

bool NullAudioDevice::Play(WaveId wave, int group, float gain, int loops) {
  if (wave == 0 || wave > waves_.size() || waves_[wave - 1].empty()) return false;
  if (group < 0 || group >= static_cast<int>(groups.size())) return false;
  plays.push_back(PlayCall{wave, group, gain, loops, NowMicros(), false});
  return true;
}

bool NullAudioDevice::IsPlaying(WaveId wave) {
  uint64_t now = NowMicros();
  return std::any_of(plays.begin(), plays.end(), [&](const PlayCall& call) {
    return call.wave == wave && !call.stopped &&
           (call.loops < 0 || now - call.startMicros < playMilliseconds * 1000 * (call.loops + 1));
  });
}

void NullAudioDevice::Stop(WaveId wave) {
  for (PlayCall& call : plays) {
    if (call.wave == wave) call.stopped = true;
  }
}

void NullAudioDevice::SetMusicSource(MusicSource source) {
  std::lock_guard<std::mutex> lock(mutex_);
  source_ = std::move(source);
}

size_t NullAudioDevice::RenderMusic(int16_t* stereoFrames, size_t frameCount) {
  std::lock_guard<std::mutex> lock(mutex_);
  size_t written = source_ ? std::min(source_(stereoFrames, frameCount), frameCount) : 0;
  std::fill(stereoFrames + written * 2, stereoFrames + frameCount * 2, int16_t{0});
  return written;
}

bool NullAudioDevice::HasMusicSource() {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<bool>(source_);
}

}  // namespace platform
