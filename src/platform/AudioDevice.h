// The sound card as the engine sees it: wave effects on groups of mixer channels, looping voices
// whose gain and pitch the game steers, and one music stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// A loaded wave; 0 is "none".
using WaveId = uint32_t;
// A looping voice; 0 is "none".
using VoiceId = uint32_t;

class AudioDevice {
 public:
  // Fills up to frameCount frames of 16-bit interleaved stereo at SampleRate() and returns how many
  // it wrote (the rest is silence). Runs on the audio thread with the audio lock held.
  using MusicSource = std::function<size_t(int16_t* stereoFrames, size_t frameCount)>;

  virtual ~AudioDevice() = default;

  // Frames per second of the music stream.
  virtual int SampleRate() const = 0;
  // Reads a .wav file (native path). Returns 0 when the file is missing or not a wave.
  virtual WaveId LoadWave(const std::string& path) = 0;
  // Stops every copy of the wave and forgets it.
  virtual void FreeWave(WaveId wave) = 0;
  // Sets aside this many mixer channels for one group of sounds; returns the group, or -1.
  virtual int CreateChannelGroup(int channels) = 0;
  // Starts a copy of the wave on a free channel of the group (the group's oldest sound makes room
  // when all are busy), mixed with whatever plays. gain is linear 0..1; loops is how many times it
  // plays again after the first (-1: for ever). Returns false when nothing was started.
  virtual bool Play(WaveId wave, int group, float gain, int loops) = 0;
  // True while any copy of the wave is still sounding.
  virtual bool IsPlaying(WaveId wave) = 0;
  // Stops every copy of the wave.
  virtual void Stop(WaveId wave) = 0;

  // Starts the wave looping on a voice of its own, outside the channel groups, silent until
  // SetVoice gives it a gain. Returns 0 when nothing can sound.
  virtual VoiceId StartVoice(WaveId wave) = 0;
  // gain is linear 0..1 (a change glides in over a few milliseconds); rate 1 plays the wave at its
  // own pitch, 2 an octave up.
  virtual void SetVoice(VoiceId voice, float gain, float rate) = 0;
  virtual void StopVoice(VoiceId voice) = 0;

  // Installs the music stream's source (an empty function for silence).
  virtual void SetMusicSource(MusicSource source) = 0;
  // The lock the music source runs under: held while the main thread touches the stream's state.
  // Call no other device function while holding it.
  virtual void LockAudio() = 0;
  virtual void UnlockAudio() = 0;
};

// Holds the audio lock for a scope.
class AudioLock {
 public:
  explicit AudioLock(AudioDevice& device) : device_(device) { device_.LockAudio(); }
  ~AudioLock() { device_.UnlockAudio(); }
  AudioLock(const AudioLock&) = delete;
  AudioLock& operator=(const AudioLock&) = delete;

 private:
  AudioDevice& device_;
};

}  // namespace platform
