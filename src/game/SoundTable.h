// The game's audio path, its twenty sound effects and its three music modules.
#pragma once

#include <cstdint>

#include "engine/OmegaSound3D.h"

namespace game {

// Fills an empty TOmegaSound3D with the game's lists: the stereo path "path" of 32 channels, the
// named effects (all on that path) and the looping modules "menumusic", "gamemusic", "losemusic".
void AddGameSounds(engine::TOmegaSound3D& sound);

// Volume of every sound effect for a volume step 0..5: 75, 80, ... 100.
int32_t EffectVolume(int32_t step);

// Volume of the music modules for a music step 0..5: 100 at 5 (the songs as written), 6 dB less a
// step (94, 88, 82, 76), and 0 (silent) at step 0.
int32_t MusicModuleVolume(int32_t step);

}  // namespace game
