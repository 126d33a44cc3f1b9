// The audio device on SDL2_mixer: wave effects on mixer channels, and the music stream with the
// pitched looping voices (which SDL_mixer cannot play) mixed by us in the mixer's music hook;
// without a usable sound card it stays silent and the game plays on.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/AudioDevice.h"
#include "platform/VoiceMixer.h"

struct Mix_Chunk;

namespace platform {

class SdlAudioDevice final : public AudioDevice {
 public:
  // Starts SDL's audio and opens the mixer at this rate, 16-bit stereo. Set SDL_AUDIODRIVER (or the
  // hint) to "dummy" first for a run without sound output.
  explicit SdlAudioDevice(int sampleRate = 44100);
  ~SdlAudioDevice() override;
  SdlAudioDevice(const SdlAudioDevice&) = delete;
  SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

  // True when no device could be opened: waves "load" when their file is there and nothing sounds.
  bool Silent() const { return !open_; }

  int SampleRate() const override { return sampleRate_; }
  WaveId LoadWave(const std::string& path) override;
  void FreeWave(WaveId wave) override;
  int CreateChannelGroup(int channels) override;
  bool Play(WaveId wave, int group, float gain, int loops) override;
  bool IsPlaying(WaveId wave) override;
  void Stop(WaveId wave) override;
  VoiceId StartVoice(WaveId wave) override;
  void SetVoice(VoiceId voice, float gain, float rate) override;
  void StopVoice(VoiceId voice) override;
  void SetMusicSource(MusicSource source) override;
  void LockAudio() override { musicMutex_.lock(); }
  void UnlockAudio() override { musicMutex_.unlock(); }

 private:
  struct Wave {
    Mix_Chunk* chunk = nullptr;  // null for a wave of the silent device
    bool used = false;
    VoiceMixer::Samples samples;  // the chunk's frames for voices, copied at the first one
  };

  static void MusicHook(void* self, unsigned char* stream, int length);
  Wave* Find(WaveId wave);

  bool subsystem_ = false;  // SDL's audio subsystem was started here
  bool open_ = false;
  int sampleRate_;
  int channels_ = 0;  // mixer channels set aside so far
  int groups_ = 0;
  std::vector<Wave> waves_;  // by id − 1
  std::mutex musicMutex_;
  MusicSource source_;
  std::mutex voiceMutex_;  // around voices_, which the audio thread mixes
  VoiceMixer voices_;
};

}  // namespace platform
