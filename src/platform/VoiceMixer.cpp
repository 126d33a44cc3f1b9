// The software voice mixer.
#include "platform/VoiceMixer.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

// Four octaves up is far beyond any engine; a faster rate is held there.
constexpr float kMaxRate = 16.0f;

// Not a number counts as nothing.
float RateWithin(float rate) {
  return rate > 0 ? std::min(rate, kMaxRate) : 0.0f;
}
float GainWithin(float gain) {
  return gain > 0 ? gain : 0.0f;
}

}  // namespace

uint32_t VoiceMixer::Start(Samples wave, float gain, float rate, int loops) {
  if (wave == nullptr || wave->Frames() == 0 || wave->rate <= 0) return 0;
  Voice voice;
  voice.id = nextId_++;
  if (nextId_ == 0) nextId_ = 1;
  voice.wave = std::move(wave);
  voice.gain = voice.targetGain = GainWithin(gain);
  voice.rate = RateWithin(rate);
  voice.loopsLeft = loops;
  voices_.push_back(std::move(voice));
  return voices_.back().id;
}

void VoiceMixer::Set(uint32_t id, float gain, float rate) {
  for (Voice& voice : voices_) {
    if (voice.id != id) continue;
    voice.targetGain = GainWithin(gain);
    voice.rate = RateWithin(rate);
  }
}

void VoiceMixer::Stop(uint32_t id) {
  voices_.erase(std::remove_if(voices_.begin(), voices_.end(),
                               [id](const Voice& voice) { return voice.id == id; }),
                voices_.end());
}

void VoiceMixer::StopWave(const WaveSamples* wave) {
  voices_.erase(std::remove_if(voices_.begin(), voices_.end(),
                               [wave](const Voice& voice) { return voice.wave.get() == wave; }),
                voices_.end());
}

bool VoiceMixer::Playing(uint32_t id) const {
  return std::any_of(voices_.begin(), voices_.end(),
                     [id](const Voice& voice) { return voice.id == id; });
}

bool VoiceMixer::MixVoice(Voice& voice, size_t frameCount) {
  const WaveSamples& wave = *voice.wave;
  const size_t length = wave.Frames();
  const double step = static_cast<double>(voice.rate) * wave.rate / outputRate_;
  const float from = voice.gain;
  const float to = voice.targetGain;
  voice.gain = to;
  if (from == 0 && to == 0 && voice.loopsLeft < 0) {
    // A silent loop only keeps its place.
    voice.position = std::fmod(voice.position + step * static_cast<double>(frameCount),
                               static_cast<double>(length));
    return true;
  }
  const bool stereo = wave.channels == 2;
  const int16_t* s = wave.samples.data();
  for (size_t i = 0; i < frameCount; ++i) {
    if (voice.position >= static_cast<double>(length)) {
      if (voice.loopsLeft == 0) return false;
      if (voice.loopsLeft > 0) --voice.loopsLeft;
      // A step longer than the whole wave (a very short wave played fast) still lands inside it.
      voice.position = std::fmod(voice.position, static_cast<double>(length));
    }
    const auto index = static_cast<size_t>(voice.position);
    const auto frac = static_cast<float>(voice.position - static_cast<double>(index));
    // The frame after the last is the first again for a loop, silence for a last pass.
    size_t next = index + 1;
    const bool wraps = next >= length;
    if (wraps) next = 0;
    const float keepNext = wraps && voice.loopsLeft == 0 ? 0.0f : 1.0f;
    const float g = from + (to - from) * static_cast<float>(i + 1) / static_cast<float>(frameCount);
    for (size_t c = 0; c < 2; ++c) {
      const size_t channel = stereo ? c : 0;
      const float a = s[index * wave.channels + channel];
      const float b = s[next * wave.channels + channel] * keepNext;
      sum_[2 * i + c] += g * (a + (b - a) * frac);
    }
    voice.position += step;
  }
  return true;
}

void VoiceMixer::MixInto(int16_t* stereoFrames, size_t frameCount) {
  if (voices_.empty() || frameCount == 0) return;
  sum_.assign(stereoFrames, stereoFrames + frameCount * 2);
  voices_.erase(std::remove_if(voices_.begin(), voices_.end(),
                               [&](Voice& voice) { return !MixVoice(voice, frameCount); }),
                voices_.end());
  for (size_t i = 0; i < frameCount * 2; ++i) {
    stereoFrames[i] = static_cast<int16_t>(std::clamp(std::lround(sum_[i]), -32768L, 32767L));
  }
}

}  // namespace platform
