// Reading and writing the screen and sound settings of vornakel.ini.
#include "frontend/ScreenSettings.h"

#include <charconv>
#include <string>

#include "frontend/GameIni.h"

namespace frontend {
namespace {

constexpr const char* kSection = "general";
constexpr const char* kScalingKey = "scaling";
constexpr const char* kVSyncKey = "vsync";
constexpr const char* kMusicVolumeKey = "music_volume";

}  // namespace

game::ScreenSoundSettings ScreenSoundIn(const IniDocument& ini) {
  game::ScreenSoundSettings settings;
  if (const auto word = ini.Get(kSection, kScalingKey))
    game::ParseScalingToken(*word, settings.Scaling);
  if (const auto word = ini.Get(kSection, kVSyncKey)) game::ParseSwitchToken(*word, settings.VSync);
  if (const auto number = ini.Get(kSection, kMusicVolumeKey)) {
    int32_t volume = 0;
    const char* end = number->data() + number->size();
    const auto result = std::from_chars(number->data(), end, volume);
    if (result.ec == std::errc() && result.ptr == end && volume >= 0 &&
        volume <= game::kMaxMusicVolume) {
      settings.MusicVolume = volume;
    }
  }
  return settings;
}

void SetScreenSound(IniDocument& ini, const game::ScreenSoundSettings& settings) {
  ini.Set(kSection, kScalingKey, game::ScalingToken(settings.Scaling));
  ini.Set(kSection, kVSyncKey, game::SwitchToken(settings.VSync));
  ini.Set(kSection, kMusicVolumeKey, std::to_string(settings.MusicVolume));
}

void ReadScreenSound(game::TForm1& form) {
  form.ScreenSound = ScreenSoundIn(ReadGameIni());
}

bool WriteScreenSound(game::TForm1& form) {
  return UpdateGameIni(form, [&form](IniDocument& ini) { SetScreenSound(ini, form.ScreenSound); });
}

}  // namespace frontend
