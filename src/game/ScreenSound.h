// The screen and sound settings of ours: how the picture fills the window, vertical sync, and the
// music's own volume.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/RenderDevice.h"

namespace game {

inline constexpr int32_t kMaxMusicVolume = 5;

struct ScreenSoundSettings {
  platform::Scaling Scaling = platform::Scaling::kLetterbox;
  bool VSync = false;
  // 0..5; 5 plays the songs as loud as they always were, each step below is 6 dB quieter and 0 is
  // silent.
  int32_t MusicVolume = kMaxMusicVolume;
  // The display driver would not turn vertical sync on (the page says so).
  bool VSyncRefused = false;
};

// The words vornakel.ini and the command line use: "letterbox" / "integer", "on" / "off".
inline const char* ScalingToken(platform::Scaling scaling) {
  return scaling == platform::Scaling::kInteger ? "integer" : "letterbox";
}
inline bool ParseScalingToken(std::string_view token, platform::Scaling& out) {
  if (token != "letterbox" && token != "integer") return false;
  out = token == "integer" ? platform::Scaling::kInteger : platform::Scaling::kLetterbox;
  return true;
}
inline const char* SwitchToken(bool on) {
  return on ? "on" : "off";
}
inline bool ParseSwitchToken(std::string_view token, bool& out) {
  if (token != "on" && token != "off") return false;
  out = token == "on";
  return true;
}

}  // namespace game
