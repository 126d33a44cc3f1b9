// TOmegaSound3D: named sound effects on audio paths and streamed tracker modules.
#include "engine/OmegaSound3D.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "engine/Messages.h"
#include "platform/Paths.h"

namespace engine {
namespace {

// A sound counts as playing this long after its start, whatever the device says: a wave that has
// just been handed to the mixer may not have been heard yet.
constexpr int64_t kStartGraceMs = 250;
constexpr const char* kCaption = "Vornakel";

}  // namespace

int32_t VolumeToAttenuation(int32_t volume) {
  return std::clamp(volume, 0, 100) * 100 - 10000;
}

float AttenuationToGain(int32_t hundredthsDb) {
  return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

// ---- audio paths ----

bool TAudioPathListItem::Create() {
  if (group_ >= 0) return true;
  platform::AudioDevice* device = owner_.Device();
  if (device == nullptr) return false;
  group_ = device->CreateChannelGroup(Channels);
  if (group_ < 0 && !reported_) {
    reported_ = true;
    ShowMessage("Failed to create standard audio path. DirectX 8 may not be installed", kCaption);
  }
  return group_ >= 0;
}

// ---- sounds ----

bool TSoundListItem::Load() {
  if (wave_ != 0) return true;
  platform::AudioDevice* device = owner_.Device();
  if (failed_ || device == nullptr) return false;
  wave_ = device->LoadWave(platform::NativePath(FileName));
  if (wave_ == 0) {
    // Said once; the game plays on without this sound.
    failed_ = true;
    ShowMessage("Error loading sound: " + FileName, kCaption);
    return false;
  }
  return true;
}

TAudioPathListItem* TSoundListItem::ChoosePath() {
  TAudioPathList& paths = owner_.AudioPathList;
  if (AudioPathPool == appUseIndex) return paths.Items(AudioPathIndex);

  TAudioPathType type = AudioPathPool == app3D     ? apt3D
                        : AudioPathPool == appMono ? aptMono
                                                   : aptStereo;
  std::vector<TAudioPathListItem*> members;
  for (int32_t i = 0; i < paths.Count(); ++i) {
    if (paths[i].Pool && paths[i].AudioPathType == type) members.push_back(&paths[i]);
  }
  // An empty pool leaves the sound on its indexed path.
  if (members.empty()) return paths.Items(AudioPathIndex);

  // Round-robin from the member after the last one taken: the first idle one is taken; when all
  // are busy the last one looked at plays it anyway.
  int32_t& cursor = owner_.poolCursor_[type];
  const auto count = static_cast<int32_t>(members.size());
  int32_t seen = 0;
  for (int32_t k = 0; k < count; ++k) {
    seen = (cursor + 1 + k) % count;
    TSoundListItem* current = members[static_cast<size_t>(seen)]->CurrentSound;
    if (current == nullptr || !current->IsPlaying()) {
      cursor = seen;
      return members[static_cast<size_t>(seen)];
    }
  }
  return members[static_cast<size_t>(seen)];
}

TAudioPathListItem* TSoundListItem::Play(float gainScale) {
  if (owner_.held_) {
    owner_.heldSounds_.emplace_back(this, gainScale);
    return nullptr;
  }
  if (!Load()) return nullptr;
  TAudioPathListItem* path = ChoosePath();
  if (path == nullptr || !path->Create()) return nullptr;
  path->Attenuation = VolumeToAttenuation(Volume);
  int loops = Loop ? -1 : std::max(RepeatCount, 0);
  const float gain = AttenuationToGain(path->Attenuation) * std::clamp(gainScale, 0.0f, 1.0f);
  if (!owner_.Device()->Play(wave_, path->group_, gain, loops)) return nullptr;
  path->CurrentSound = this;
  path->StartTime = owner_.NowMilliseconds();
  path_ = path;
  return path;
}

platform::VoiceId TSoundListItem::StartVoice() {
  if (!Load()) return 0;
  return owner_.Device()->StartVoice(wave_);
}

void TSoundListItem::SetVoice(platform::VoiceId voice, float gain, float rate) {
  if (voice == 0 || wave_ == 0) return;
  const float volume = AttenuationToGain(VolumeToAttenuation(Volume));
  owner_.Device()->SetVoice(voice, std::clamp(gain, 0.0f, 1.0f) * volume, rate);
}

void TSoundListItem::StopVoice(platform::VoiceId voice) {
  if (voice != 0 && wave_ != 0) owner_.Device()->StopVoice(voice);
}

void TSoundListItem::Stop() {
  if (wave_ == 0) return;
  owner_.Device()->Stop(wave_);
  for (int32_t i = 0; i < owner_.AudioPathList.Count(); ++i) {
    TAudioPathListItem& path = owner_.AudioPathList[i];
    if (path.CurrentSound == this) path.CurrentSound = nullptr;
  }
}

bool TSoundListItem::IsPlaying() {
  if (wave_ == 0 || path_ == nullptr || path_->CurrentSound != this) return false;
  if (owner_.NowMilliseconds() - path_->StartTime < kStartGraceMs) return true;
  return owner_.Device()->IsPlaying(wave_);
}

void TSoundListItem::Unload() {
  Stop();
  if (wave_ != 0) owner_.Device()->FreeWave(wave_);
  wave_ = 0;
  failed_ = false;
  path_ = nullptr;
}

// ---- modules ----

void TModListItem::Play() {
  platform::AudioDevice* device = owner_.Device();
  if (device == nullptr) return;
  if (owner_.held_) {
    auto& held = owner_.heldModules_;
    if (std::find(held.begin(), held.end(), this) == held.end()) held.push_back(this);
    return;
  }
  if (player_ == nullptr) {
    if (failed_) return;
    auto player = std::make_unique<ModulePlayer>();
    if (!player->LoadFile(platform::NativePath(FileName))) {
      failed_ = true;
      ShowMessage("Error loading module: " + FileName, kCaption);
      return;
    }
    player_ = std::move(player);
  }
  // Not rewound: a module played again goes on from where it stopped.
  platform::AudioLock lock(*device);
  player_->SetRepeatCount(Loop ? -1 : std::max(RepeatCount, 0));
  player_->SetAttenuation(VolumeToAttenuation(Volume));
  if (!playing_) {
    playing_ = true;
    owner_.playingModules_.push_back(this);
  }
}

void TModListItem::SetVolume(int32_t volume) {
  if (volume == Volume) return;
  Volume = volume;
  if (player_ == nullptr) return;
  platform::AudioLock lock(*owner_.Device());
  player_->SetAttenuation(VolumeToAttenuation(Volume));
}

void TModListItem::Stop() {
  auto& held = owner_.heldModules_;
  held.erase(std::remove(held.begin(), held.end(), this), held.end());
  if (player_ == nullptr) return;
  platform::AudioLock lock(*owner_.Device());
  owner_.StopModule(*this);
}

void TModListItem::Unload() {
  Stop();
  // Stopped, so the audio thread no longer looks at the player.
  player_.reset();
  failed_ = false;
}

bool TModListItem::IsPlaying() {
  if (player_ == nullptr) return false;
  platform::AudioLock lock(*owner_.Device());
  return playing_;
}

double TModListItem::PositionSeconds() {
  if (player_ == nullptr) return 0.0;
  platform::AudioLock lock(*owner_.Device());
  return player_->PositionSeconds();
}

// ---- the component ----

TOmegaSound3D::TOmegaSound3D(platform::AudioDevice* device, platform::Clock* clock)
    : AudioPathList(*this), SoundList(*this), ModList(*this), device_(device), clock_(clock) {
  if (device_ != nullptr) {
    device_->SetMusicSource(
        [this](int16_t* frames, size_t count) { return MixModules(frames, count); });
  }
}

TOmegaSound3D::~TOmegaSound3D() {
  if (device_ == nullptr) return;
  // The audio thread lets go of us first; then every wave and module goes.
  device_->SetMusicSource({});
  for (int32_t i = 0; i < ModList.Count(); ++i) ModList[i].Unload();
  for (int32_t i = 0; i < SoundList.Count(); ++i) SoundList[i].Unload();
}

void TOmegaSound3D::Release() {
  if (!held_) return;
  held_ = false;
  for (const auto& [sound, gainScale] : std::exchange(heldSounds_, {})) sound->Play(gainScale);
  for (TModListItem* module : std::exchange(heldModules_, {})) module->Play();
}

void TOmegaSound3D::CreateAudioPaths() {
  for (int32_t i = 0; i < AudioPathList.Count(); ++i) AudioPathList[i].Create();
}

int64_t TOmegaSound3D::NowMilliseconds() {
  if (clock_ == nullptr) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  uint64_t ticks = clock_->Ticks();
  uint64_t frequency = std::max<uint64_t>(clock_->Frequency(), 1);
  return static_cast<int64_t>(ticks / frequency * 1000 + ticks % frequency * 1000 / frequency);
}

void TOmegaSound3D::StopModule(TModListItem& module) {
  if (!module.playing_) return;
  module.playing_ = false;
  playingModules_.erase(std::remove(playingModules_.begin(), playingModules_.end(), &module),
                        playingModules_.end());
}

size_t TOmegaSound3D::MixModules(int16_t* stereoFrames, size_t frameCount) {
  const int32_t rate = device_->SampleRate();
  size_t written = 0;
  for (size_t index = 0; index < playingModules_.size();) {
    TModListItem* module = playingModules_[index];
    size_t got;
    if (written == 0) {
      got = module->player_->Render(rate, stereoFrames, frameCount);
    } else {
      // The game plays one module at a time; should two play, they are mixed.
      if (scratch_.size() < frameCount * 2) scratch_.resize(frameCount * 2);
      got = module->player_->Render(rate, scratch_.data(), frameCount);
      std::fill(stereoFrames + written * 2, stereoFrames + std::max(written, got) * 2, int16_t{0});
      for (size_t i = 0; i < got * 2; ++i) {
        stereoFrames[i] =
            static_cast<int16_t>(std::clamp(stereoFrames[i] + scratch_[i], -32768, 32767));
      }
    }
    written = std::max(written, got);
    // The player renders nothing more once a module that does not loop has ended; it leaves the
    // list, and the next module moves into this index.
    if (got < frameCount) {
      StopModule(*module);
    } else {
      ++index;
    }
  }
  return written;
}

}  // namespace engine
