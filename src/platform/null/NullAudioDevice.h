// An audio device without sound: it records what it was asked to do, lets a started wave "play"
// for a set time (for the tests and for runs on machines without a sound card), and can mix all it
// was asked to play as a sound card would, for a recording.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/VoiceMixer.h"
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
  struct VoiceCall {
    WaveId wave = 0;
    float gain = 0;  // as last set
    float rate = 1;
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
  VoiceId StartVoice(WaveId wave) override;
  void SetVoice(VoiceId voice, float gain, float rate) override;
  void StopVoice(VoiceId voice) override;
  void SetMusicSource(MusicSource source) override;
  void LockAudio() override { mutex_.lock(); }
  void UnlockAudio() override { mutex_.unlock(); }

  // Pulls frames from the music source the way the audio thread would (lock held); the unwritten
  // rest is zeroed. Returns what the source wrote.
  size_t RenderMusic(int16_t* stereoFrames, size_t frameCount);
  bool HasMusicSource();
  // What a sound card would play next: the music with every effect and voice mixed over it, at
  // their gains and rates (effects for their real length, whatever playMilliseconds says).
  void Mix(int16_t* stereoFrames, size_t frameCount);

  // A started wave that does not loop reports playing for this long.
  uint64_t playMilliseconds = 1000;

  // What happened, in order.
  std::vector<std::string> loads;  // every path asked for, read or not
  std::vector<PlayCall> plays;
  std::vector<VoiceCall> voices;  // by voice id − 1
  std::vector<WaveId> freed;
  std::vector<int> groups;  // channel count of each group made

 private:
  uint64_t NowMicros();

  Clock* clock_;
  SteadyClock steady_;
  int sampleRate_;
  struct Wave {
    std::string path;             // empty once freed
    VoiceMixer::Samples samples;  // null when the file holds no PCM the mixer knows
  };
  Wave* Find(WaveId wave);

  std::vector<Wave> waves_;  // by id − 1
  VoiceMixer mixer_;
  struct Sounding {
    uint32_t voice;  // the mixer's
    WaveId wave;
  };
  std::vector<std::vector<Sounding>> groupVoices_;  // what sounds in each group, oldest first
  std::vector<uint32_t> voiceMix_;                  // the mixer's voice of each voice id − 1
  std::mutex mutex_;
  MusicSource source_;
};

}  // namespace platform
