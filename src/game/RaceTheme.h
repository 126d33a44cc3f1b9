// Loading the scenery theme of a game: the theme list the race pictures are looked up in first.
#pragma once

#include <cstdint>

#include "engine/OmegaImageList.h"

namespace game {

class TForm1;

// Makes the theme of Track the one the race pictures come from. Only one theme is held at a time;
// a theme already held is kept. A missing or damaged theme archive is reported once and the race
// wears the default theme instead, or plain pictures of the right sizes when that is broken too.
void LoadRaceTheme(TForm1& form, int32_t track);

// True when List holds every themed picture at its tile size, and any other picture it holds has
// the size of the shared picture of that name (a theme never changes a sprite's size).
bool ThemeFits(const engine::TImageListCollection& list,
               const engine::TImageListCollection& shared);

}  // namespace game
