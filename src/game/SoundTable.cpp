// The game's audio path, sound effects and music modules.
#include "game/SoundTable.h"

#include <cmath>

#include <cstdint>

namespace game {
namespace {

struct SoundEntry {
  const char* name;
  const char* file;
  int32_t volume;
  bool loop;
};

struct ModuleEntry {
  const char* name;
  const char* file;
};

// Note that "check" plays check2.wav and "check2" plays check1.wav.
constexpr SoundEntry kSounds[] = {
    {"check", "Sounds\\check2.wav", 100, false},
    {"check2", "Sounds\\check1.wav", 100, false},
    {"begin", "Sounds\\start.wav", 95, false},
    {"finish", "Sounds\\finish.wav", 90, false},
    {"svet1", "Sounds\\svet1.wav", 100, false},
    {"svet2", "Sounds\\svet2.wav", 100, false},
    {"timesup", "Sounds\\timesup.wav", 100, false},
    {"sweep", "Sounds\\sweep.wav", 100, false},
    {"time", "Sounds\\time.wav", 100, false},
    {"exp", "Sounds\\exp.wav", 100, false},
    {"coin", "Sounds\\coin.wav", 100, false},
    {"nitro", "Sounds\\nitro.wav", 100, false},
    {"skid", "Sounds\\skid.wav", 100, false},
    {"repair", "Sounds\\repair.wav", 100, false},
    {"horn", "Sounds\\horn.wav", 100, false},
    {"addtime", "Sounds\\addtime.wav", 100, false},
    {"up", "Sounds\\up.wav", 100, false},
    // Ours: a truck knocking into a wall or another truck.
    {"hit", "Sounds\\hit.wav", 100, false},
    {"s1", "Sounds\\s1.wav", 100, true},
    {"s2", "Sounds\\s2.wav", 100, true},
};

constexpr ModuleEntry kModules[] = {
    {"menumusic", "Sounds\\1.xm"},
    {"gamemusic", "Sounds\\2.xm"},
    {"losemusic", "Sounds\\3.xm"},
};

}  // namespace

void AddGameSounds(engine::TOmegaSound3D& sound) {
  engine::TAudioPathListItem& path = sound.AudioPathList.Add();
  path.Name = "path";
  path.AudioPathType = engine::aptStereo;
  path.Pool = false;
  path.Channels = 32;

  for (const SoundEntry& entry : kSounds) {
    engine::TSoundListItem& item = sound.SoundList.Add();
    item.Name = entry.name;
    item.FileName = entry.file;
    item.Volume = entry.volume;
    item.Loop = entry.loop;
    item.RepeatCount = 0;
    item.Frequency = 0;
    item.Pan = 0;
    item.AudioPathIndex = 0;
    item.AudioPathPool = engine::appUseIndex;
  }

  // Every module loops.
  for (const ModuleEntry& entry : kModules) {
    engine::TModListItem& item = sound.ModList.Add();
    item.Name = entry.name;
    item.FileName = entry.file;
    item.Loop = true;
    item.Volume = 100;
    item.RepeatCount = 0;
  }
}

int32_t EffectVolume(int32_t step) {
  const int32_t clamped = step < 0 ? 0 : step > 5 ? 5 : step;
  return static_cast<int32_t>(std::nearbyint(clamped / 5.0 * 25.0 + 75.0));
}

int32_t MusicModuleVolume(int32_t step) {
  // A volume of 100 - 6k attenuates by 6k dB (hundredths of a decibel are volume x 100 - 10000).
  constexpr int32_t kVolumes[] = {0, 76, 82, 88, 94, 100};
  return kVolumes[step < 0 ? 0 : step > 5 ? 5 : step];
}

}  // namespace game
