// The scenery themes: the look each track's races wear and the pictures every theme archive holds.
#pragma once

#include <cstdint>

namespace game {

// One theme: its name and the archive beside Data\data2.oil that holds its pictures.
struct SceneryTheme {
  const char* Name;
  const char* Archive;
};

// By track index: the first three tracks open with the familiar places, the far ones are strange.
inline constexpr SceneryTheme kSceneryThemes[12] = {
    {"meadow", "Data\\theme_meadow.oil"}, {"autumn", "Data\\theme_autumn.oil"},
    {"desert", "Data\\theme_desert.oil"}, {"snow", "Data\\theme_snow.oil"},
    {"night", "Data\\theme_night.oil"},   {"rain", "Data\\theme_rain.oil"},
    {"coast", "Data\\theme_coast.oil"},   {"city", "Data\\theme_city.oil"},
    {"steppe", "Data\\theme_steppe.oil"}, {"mountain", "Data\\theme_mountain.oil"},
    {"swamp", "Data\\theme_swamp.oil"},   {"industry", "Data\\theme_industry.oil"},
};
inline constexpr int32_t kSceneryThemeCount = 12;
// The theme a race falls back to when its own archive cannot be read.
inline constexpr int32_t kDefaultTheme = 0;

// A picture every theme draws in its own way. Its tile size is the size of the sprites that show
// it (and so of the walls' and road pieces' collision shapes): every theme keeps it.
struct ThemedPicture {
  const char* Name;
  int32_t Width;
  int32_t Height;
  int32_t TileWidth;
  int32_t TileHeight;
};

inline constexpr ThemedPicture kThemedPictures[] = {
    {"r_str", 284, 300, 284, 300},      {"r_left", 705, 300, 705, 300},
    {"r_right", 705, 300, 705, 300},    {"r_str_right", 476, 300, 476, 300},
    {"r_str_left", 482, 300, 482, 300}, {"r_right_str", 482, 300, 482, 300},
    {"r_left_str", 476, 300, 476, 300}, {"back1", 800, 300, 800, 300},
    {"back2", 800, 300, 800, 300},      {"back3", 800, 300, 800, 300},
    {"back4", 800, 300, 800, 300},      {"wall1", 36, 160, 36, 160},
    {"wall2", 36, 216, 36, 216},        {"trees", 384, 256, 128, 128},
    {"desert", 384, 256, 128, 128},     {"houses", 384, 256, 128, 128},
};

// The theme of a track index (out-of-range indexes wear the default).
constexpr int32_t ThemeOfTrack(int32_t track) {
  return track >= 0 && track < kSceneryThemeCount ? track : kDefaultTheme;
}

}  // namespace game
