// The audio device on SDL2_mixer.
#include "platform/sdl/SdlAudioDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/Files.h"

namespace platform {
namespace {

// About 23 ms at 44100 Hz: short enough that an effect follows its event at once.
constexpr int kChunkFrames = 1024;

}  // namespace

SdlAudioDevice::SdlAudioDevice(int sampleRate) : sampleRate_(sampleRate), voices_(sampleRate) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "vornakel: no sound (%s)\n", SDL_GetError());
    return;
  }
  subsystem_ = true;
  // No changes allowed: SDL converts to whatever the card wants, so the music hook always gets
  // 16-bit stereo at our rate.
  if (Mix_OpenAudioDevice(sampleRate_, AUDIO_S16SYS, 2, kChunkFrames, nullptr, 0) != 0) {
    std::fprintf(stderr, "vornakel: no sound (%s)\n", Mix_GetError());
    return;
  }
  open_ = true;
  Mix_AllocateChannels(0);
  Mix_HookMusic(&SdlAudioDevice::MusicHook, this);
}

SdlAudioDevice::~SdlAudioDevice() {
  if (open_) {
    Mix_HookMusic(nullptr, nullptr);
    Mix_HaltChannel(-1);
    for (Wave& wave : waves_) {
      if (wave.chunk != nullptr) Mix_FreeChunk(wave.chunk);
    }
    Mix_CloseAudio();
  }
  if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

SdlAudioDevice::Wave* SdlAudioDevice::Find(WaveId wave) {
  if (wave == 0 || wave > waves_.size() || !waves_[wave - 1].used) return nullptr;
  return &waves_[wave - 1];
}

WaveId SdlAudioDevice::LoadWave(const std::string& path) {
  // A folder, FIFO or device in a sound's place is no sound (and must not block the game).
  if (!IsRegularFile(path)) return 0;
  Wave wave;
  wave.used = true;
  if (open_) {
    wave.chunk = Mix_LoadWAV(path.c_str());
    if (wave.chunk == nullptr) return 0;
  } else {
    // Nothing can sound, but a missing file is still a missing file.
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    if (!in.read(magic, 4) || std::memcmp(magic, "RIFF", 4) != 0) return 0;
  }
  waves_.push_back(wave);
  return static_cast<WaveId>(waves_.size());
}

void SdlAudioDevice::FreeWave(WaveId id) {
  Wave* wave = Find(id);
  if (wave == nullptr) return;
  if (wave->samples != nullptr) {
    std::lock_guard<std::mutex> lock(voiceMutex_);
    voices_.StopWave(wave->samples.get());
  }
  // Freeing a chunk halts every channel that plays it.
  if (wave->chunk != nullptr) Mix_FreeChunk(wave->chunk);
  *wave = Wave{};
}

int SdlAudioDevice::CreateChannelGroup(int channels) {
  if (channels <= 0) return -1;
  if (!open_) return groups_++;
  int first = channels_;
  if (Mix_AllocateChannels(first + channels) != first + channels) return -1;
  channels_ = first + channels;
  Mix_GroupChannels(first, channels_ - 1, groups_);
  return groups_++;
}

bool SdlAudioDevice::Play(WaveId id, int group, float gain, int loops) {
  Wave* wave = Find(id);
  if (wave == nullptr || wave->chunk == nullptr || group < 0 || group >= groups_) return false;
  int channel = Mix_GroupAvailable(group);
  // All busy: the sound that has played longest makes room.
  if (channel < 0) channel = Mix_GroupOldest(group);
  if (channel < 0) return false;
  Mix_HaltChannel(channel);
  Mix_Volume(channel, static_cast<int>(std::lround(std::clamp(gain, 0.0f, 1.0f) * MIX_MAX_VOLUME)));
  return Mix_PlayChannel(channel, wave->chunk, loops) == channel;
}

bool SdlAudioDevice::IsPlaying(WaveId id) {
  Wave* wave = Find(id);
  if (wave == nullptr || wave->chunk == nullptr) return false;
  for (int channel = 0; channel < channels_; ++channel) {
    if (Mix_Playing(channel) != 0 && Mix_GetChunk(channel) == wave->chunk) return true;
  }
  return false;
}

void SdlAudioDevice::Stop(WaveId id) {
  Wave* wave = Find(id);
  if (wave == nullptr || wave->chunk == nullptr) return;
  for (int channel = 0; channel < channels_; ++channel) {
    if (Mix_GetChunk(channel) == wave->chunk) Mix_HaltChannel(channel);
  }
}

VoiceId SdlAudioDevice::StartVoice(WaveId id) {
  Wave* wave = Find(id);
  if (wave == nullptr || wave->chunk == nullptr) return 0;
  if (wave->samples == nullptr) {
    // The mixer loaded the chunk in the card's format: 16-bit stereo at our rate.
    auto samples = std::make_shared<WaveSamples>();
    samples->rate = sampleRate_;
    samples->channels = 2;
    const auto* data = reinterpret_cast<const int16_t*>(wave->chunk->abuf);
    samples->samples.assign(data, data + wave->chunk->alen / 4 * 2);
    wave->samples = std::move(samples);
  }
  std::lock_guard<std::mutex> lock(voiceMutex_);
  return voices_.Start(wave->samples, 0.0f, 1.0f, -1);
}

void SdlAudioDevice::SetVoice(VoiceId voice, float gain, float rate) {
  std::lock_guard<std::mutex> lock(voiceMutex_);
  voices_.Set(voice, std::clamp(gain, 0.0f, 1.0f), rate);
}

void SdlAudioDevice::StopVoice(VoiceId voice) {
  std::lock_guard<std::mutex> lock(voiceMutex_);
  voices_.Stop(voice);
}

void SdlAudioDevice::SetMusicSource(MusicSource source) {
  std::lock_guard<std::mutex> lock(musicMutex_);
  source_ = std::move(source);
}

void SdlAudioDevice::MusicHook(void* self, unsigned char* stream, int length) {
  auto* device = static_cast<SdlAudioDevice*>(self);
  auto* frames = reinterpret_cast<int16_t*>(stream);
  size_t count = static_cast<size_t>(length) / 4;
  size_t written = 0;
  {
    std::lock_guard<std::mutex> lock(device->musicMutex_);
    if (device->source_) written = std::min(device->source_(frames, count), count);
  }
  std::memset(stream + written * 4, 0, static_cast<size_t>(length) - written * 4);
  std::lock_guard<std::mutex> lock(device->voiceMutex_);
  device->voices_.MixInto(frames, count);
}

}  // namespace platform
