// An audio device without sound: it records what it was asked to do and lets a started wave
// "play" for a set time, for the tests and for runs on machines without a sound card.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/null/NullPlatform.h"

namespace platform {

class NullAudioDevice : public AudioDevice {
 public:
  struct PlayCall {
    WaveId wave = 0;
    int group = -1;
    float gain = 0;
    int loops = 0;
    uint64_t startMicros = 0;
    bool stopped = false;
  };

  // Without a clock, the time is the machine's steady clock.
  explicit NullAudioDevice(Clock* clock = nullptr, int sampleRate = 44100);

  int SampleRate() const override { return sampleRate_; }
  WaveId LoadWave(const std::string& path) override;
  void FreeWave(WaveId wave) override;
  int CreateChannelGroup(int channels) override;
  bool Play(WaveId wave, int group, float gain, int loops) override;
  bool IsPlaying(WaveId wave) override;
  void Stop(WaveId wave) override;
  void SetMusicSource(MusicSource source) override;
  void LockAudio() override { mutex_.lock(); }
  void UnlockAudio() override { mutex_.unlock(); }

  // Pulls frames from the music source the way the audio thread would (lock held); the unwritten
  // rest is zeroed. Returns what the source wrote.
  size_t RenderMusic(int16_t* stereoFrames, size_t frameCount);
  bool HasMusicSource();

  // A started wave that does not loop reports playing for this long.
  uint64_t playMilliseconds = 1000;

  // What happened, in order.
  std::vector<std::string> loads;  // every path asked for, read or not
  std::vector<PlayCall> plays;
  std::vector<WaveId> freed;
  std::vector<int> groups;  // channel count of each group made

 private:
  uint64_t NowMicros();

  Clock* clock_;
  SteadyClock steady_;
  int sampleRate_;
  std::vector<std::string> waves_;  // path of each wave, by id − 1; empty once freed
  std::mutex mutex_;
  MusicSource source_;
};

}  // namespace platform
