// An audio device without sound that records its calls.
#include "platform/null/NullAudioDevice.h"

#include "platform/Files.h"

#include <memory>

#include <algorithm>

namespace platform {

NullAudioDevice::NullAudioDevice(Clock* clock, int sampleRate)
    : clock_(clock != nullptr ? clock : &steady_), sampleRate_(sampleRate), mixer_(sampleRate) {}

NullAudioDevice::Wave* NullAudioDevice::Find(WaveId wave) {
  if (wave == 0 || wave > waves_.size() || waves_[wave - 1].path.empty()) return nullptr;
  return &waves_[wave - 1];
}

uint64_t NullAudioDevice::NowMicros() {
  uint64_t ticks = clock_->Ticks();
  uint64_t frequency = std::max<uint64_t>(clock_->Frequency(), 1);
  return ticks / frequency * 1000000 + ticks % frequency * 1000000 / frequency;
}

WaveId NullAudioDevice::LoadWave(const std::string& path) {
  loads.push_back(path);
  // Only files that are there and start like a wave load, so missing sounds show up here too.
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, kMaxModuleFileBytes, bytes, error)) return 0;
  if (bytes.size() < 4 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF") return 0;
  Wave wave{path, nullptr};
  auto samples = std::make_shared<WaveSamples>();
  if (DecodeWave(bytes, *samples)) wave.samples = std::move(samples);
  waves_.push_back(std::move(wave));
  return static_cast<WaveId>(waves_.size());
}

void NullAudioDevice::FreeWave(WaveId id) {
  Wave* wave = Find(id);
  if (wave == nullptr) return;
  Stop(id);
  for (size_t i = 0; i < voices.size(); ++i) {
    if (voices[i].wave == id) StopVoice(static_cast<VoiceId>(i + 1));
  }
  *wave = Wave{};
  freed.push_back(id);
}

int NullAudioDevice::CreateChannelGroup(int channels) {
  if (channels <= 0) return -1;
  groups.push_back(channels);
  groupVoices_.emplace_back();
  return static_cast<int>(groups.size()) - 1;
}

bool NullAudioDevice::Play(WaveId id, int group, float gain, int loops) {
  Wave* wave = Find(id);
  if (wave == nullptr || group < 0 || group >= static_cast<int>(groups.size())) return false;
  plays.push_back(PlayCall{id, group, gain, loops, NowMicros(), false});
  // The group's channels, as a card has them: when all sound, the oldest makes room.
  std::vector<Sounding>& busy = groupVoices_[static_cast<size_t>(group)];
  busy.erase(std::remove_if(busy.begin(), busy.end(),
                            [this](const Sounding& s) { return !mixer_.Playing(s.voice); }),
             busy.end());
  if (busy.size() >= static_cast<size_t>(groups[static_cast<size_t>(group)])) {
    mixer_.Stop(busy.front().voice);
    busy.erase(busy.begin());
  }
  if (uint32_t voice = mixer_.Start(wave->samples, std::clamp(gain, 0.0f, 1.0f), 1.0f, loops)) {
    busy.push_back(Sounding{voice, id});
  }
  return true;
}

bool NullAudioDevice::IsPlaying(WaveId wave) {
  uint64_t now = NowMicros();
  return std::any_of(plays.begin(), plays.end(), [&](const PlayCall& call) {
    return call.wave == wave && !call.stopped &&
           (call.loops < 0 || now - call.startMicros < playMilliseconds * 1000 * (call.loops + 1));
  });
}

void NullAudioDevice::Stop(WaveId id) {
  for (PlayCall& call : plays) {
    if (call.wave == id) call.stopped = true;
  }
  // Voices of the wave are the game's own to stop.
  Wave* wave = Find(id);
  if (wave == nullptr || wave->samples == nullptr) return;
  for (std::vector<Sounding>& busy : groupVoices_) {
    for (const Sounding& sounding : busy) {
      if (sounding.wave == id) mixer_.Stop(sounding.voice);
    }
  }
}

VoiceId NullAudioDevice::StartVoice(WaveId id) {
  Wave* wave = Find(id);
  if (wave == nullptr) return 0;
  voices.push_back(VoiceCall{id, 0.0f, 1.0f, false});
  voiceMix_.push_back(mixer_.Start(wave->samples, 0.0f, 1.0f, -1));
  return static_cast<VoiceId>(voices.size());
}

void NullAudioDevice::SetVoice(VoiceId voice, float gain, float rate) {
  if (voice == 0 || voice > voices.size() || voices[voice - 1].stopped) return;
  voices[voice - 1].gain = std::clamp(gain, 0.0f, 1.0f);
  voices[voice - 1].rate = std::max(rate, 0.0f);
  mixer_.Set(voiceMix_[voice - 1], voices[voice - 1].gain, voices[voice - 1].rate);
}

void NullAudioDevice::StopVoice(VoiceId voice) {
  if (voice == 0 || voice > voices.size()) return;
  voices[voice - 1].stopped = true;
  mixer_.Stop(voiceMix_[voice - 1]);
}

void NullAudioDevice::Mix(int16_t* stereoFrames, size_t frameCount) {
  RenderMusic(stereoFrames, frameCount);
  mixer_.MixInto(stereoFrames, frameCount);
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
