// TOmegaSound3D: the game's named sound effects (waves on audio paths) and its three tracker
// modules, played through the platform's audio device.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/ModulePlayer.h"
#include "platform/AudioDevice.h"
#include "platform/Clock.h"

namespace engine {

// Attenuation in hundredths of a decibel for a volume of 0..100 (clamped): 100 → 0, 0 → −10000.
int32_t VolumeToAttenuation(int32_t volume);
// The linear gain of an attenuation in hundredths of a decibel.
float AttenuationToGain(int32_t hundredthsDb);

enum TAudioPathType { apt3D, aptMono, aptStereo };
enum TAudioPathPool { appUseIndex, app3D, appMono, appStereo };

class TOmegaSound3D;
class TSoundListItem;

// Named items owned by a TOmegaSound3D; items keep their address for the owner's lifetime.
template <typename Item>
class TOmegaCollection {
 public:
  explicit TOmegaCollection(TOmegaSound3D& owner) : owner_(owner) {}

  Item& Add() {
    items_.push_back(std::make_unique<Item>(owner_));
    return *items_.back();
  }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  Item& operator[](int32_t index) { return *items_[static_cast<size_t>(index)]; }
  // The item at index, or null when there is none.
  Item* Items(int32_t index) {
    return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].get() : nullptr;
  }
  // The first item whose Name equals name exactly, or null.
  Item* Find(const std::string& name) {
    for (auto& item : items_) {
      if (item->Name == name) return item.get();
    }
    return nullptr;
  }

 private:
  TOmegaSound3D& owner_;
  std::vector<std::unique_ptr<Item>> items_;
};

class TAudioPathListItem {
 public:
  explicit TAudioPathListItem(TOmegaSound3D& owner) : owner_(owner) {}

  std::string Name;
  TAudioPathType AudioPathType = apt3D;
  bool Pool = false;  // member of the shared pool of its type
  int32_t Channels = 16;
  int32_t Frequency = 22050;

  // The sound last started on this path, and when (milliseconds of the owner's clock).
  TSoundListItem* CurrentSound = nullptr;
  int64_t StartTime = 0;
  // Attenuation of the last sound started here, hundredths of a decibel.
  int32_t Attenuation = 0;

 private:
  friend class TOmegaSound3D;
  friend class TSoundListItem;

  // Sets aside the path's mixer channels; false when the device has none to give.
  bool Create();

  TOmegaSound3D& owner_;
  int group_ = -1;
  bool reported_ = false;
};

class TSoundListItem {
 public:
  explicit TSoundListItem(TOmegaSound3D& owner) : owner_(owner) {}

  std::string Name;
  std::string FileName;  // as the game writes it, "Sounds\\coin.wav"
  bool Loop = false;
  int32_t RepeatCount = 0;
  int32_t Volume = 100;  // 0..100, applied at each Play
  // Kept for the game's lists; the mixer plays every wave at its own rate, centred, unplaced.
  int32_t Frequency = 0;
  int32_t Pan = 0;
  float SoundPositionX = 0;
  float SoundPositionY = 0;
  float SoundPositionZ = 0;
  int32_t AudioPathIndex = 0;
  TAudioPathPool AudioPathPool = appUseIndex;

  bool Loaded() const { return wave_ != 0; }
  // Loads the wave on first use and starts a copy that mixes with whatever plays. Returns the
  // audio path used, or null when the sound stays silent (its file could not be read, ...).
  TAudioPathListItem* Play() { return Play(1.0f); }
  // The same, with the gain scaled by gainScale (0..1): a knock as loud as it was hard.
  TAudioPathListItem* Play(float gainScale);
  // Starts the sound looping on a voice of its own, silent until SetVoice; 0 when it cannot sound.
  platform::VoiceId StartVoice();
  // gain 0..1 is scaled by the sound's Volume; rate 1 is the sound's own pitch.
  void SetVoice(platform::VoiceId voice, float gain, float rate);
  void StopVoice(platform::VoiceId voice);
  // Stops every copy and clears the sound from every path's CurrentSound.
  void Stop();
  // True when this is still its path's CurrentSound and it started less than 250 ms ago or the
  // device still hears it.
  bool IsPlaying();
  void Unload();

 private:
  bool Load();
  TAudioPathListItem* ChoosePath();

  TOmegaSound3D& owner_;
  platform::WaveId wave_ = 0;
  bool failed_ = false;  // the file could not be read: said once, silent from then on
  TAudioPathListItem* path_ = nullptr;
};

class TModListItem {
 public:
  explicit TModListItem(TOmegaSound3D& owner) : owner_(owner) {}

  std::string Name;
  std::string FileName;
  bool Loop = false;  // a looping module starts again at its end; otherwise it stops there
  int32_t RepeatCount = 0;
  int32_t Volume = 100;

  bool Loaded() const { return player_ != nullptr; }
  // Changes the volume (0..100), at once when the module is streaming.
  void SetVolume(int32_t volume);
  // Loads the module on first use and streams it from where it last stopped.
  void Play();
  void Stop();
  // Stops and forgets the module; the next Play starts it from the beginning.
  void Unload();
  // Streaming now (false once a module that does not loop has reached its end).
  bool IsPlaying();
  // Seconds of the module played since it was loaded (a looping module keeps counting; 0 when not
  // loaded).
  double PositionSeconds();

 private:
  friend class TOmegaSound3D;

  TOmegaSound3D& owner_;
  std::unique_ptr<ModulePlayer> player_;
  bool playing_ = false;  // touched under the audio lock only
  bool failed_ = false;
};

using TAudioPathList = TOmegaCollection<TAudioPathListItem>;
using TSoundListCollection = TOmegaCollection<TSoundListItem>;
using TModListCollection = TOmegaCollection<TModListItem>;

class TOmegaSound3D {
 public:
  // Without a device everything stays silent; without a clock the machine's steady clock counts.
  TOmegaSound3D(platform::AudioDevice* device, platform::Clock* clock);
  ~TOmegaSound3D();
  TOmegaSound3D(const TOmegaSound3D&) = delete;
  TOmegaSound3D& operator=(const TOmegaSound3D&) = delete;

  TAudioPathList AudioPathList;
  TSoundListCollection SoundList;
  TModListCollection ModList;
  // The 3D listener; kept, but the stereo mixer does not place sounds.
  float ListenerPositionX = 0;
  float ListenerPositionY = 0;
  float ListenerPositionZ = 0;

  // Sets aside the mixer channels of every audio path (a path not yet made is made at its first
  // use).
  void CreateAudioPaths();
  // While held, a sound or module played is only noted (and a module stopped is forgotten): the
  // files are read once Release starts what was asked for, after the first frame is shown.
  void Hold() { held_ = true; }
  void Release();
  int64_t NowMilliseconds();
  platform::AudioDevice* Device() { return device_; }

 private:
  friend class TSoundListItem;
  friend class TModListItem;

  // The music stream: every playing module, mixed. Audio thread, audio lock held.
  size_t MixModules(int16_t* stereoFrames, size_t frameCount);
  void StopModule(TModListItem& module);

  platform::AudioDevice* device_;
  platform::Clock* clock_;
  std::vector<TModListItem*> playingModules_;  // under the audio lock
  std::vector<int16_t> scratch_;               // audio thread only
  int32_t poolCursor_[3] = {-1, -1, -1};       // last pool member used, per path type
  bool held_ = false;
  std::vector<std::pair<TSoundListItem*, float>> heldSounds_;  // in the order played
  std::vector<TModListItem*> heldModules_;
};

}  // namespace engine
