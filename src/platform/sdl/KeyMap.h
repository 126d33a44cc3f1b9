// Translation of SDL key events into the Windows virtual-key codes the game's key arrays use.
#pragma once

#include <SDL_keycode.h>
#include <SDL_scancode.h>

namespace platform {

// The virtual-key code of a key, or 0 when the game has no code for it. The layout's key code
// decides where it names a Latin letter, digit or punctuation key; otherwise (a Cyrillic layout,
// say) the key's position does, as Windows reports the same codes whatever letters a layout prints
// on the keys.
int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode);

}  // namespace platform
