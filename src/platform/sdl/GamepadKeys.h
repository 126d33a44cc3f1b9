// Game-controller buttons, stick and triggers turned into the arrow, Enter, Escape and Space keys.
#pragma once

#include <SDL_gamecontroller.h>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/Input.h"

namespace platform {

// Several controls can press the same key (d-pad up, stick up and the right trigger all mean Up):
// the key goes down with the first of them and up with the last, so letting go of one while another
// is still held does not release it.
class GamepadKeys {
 public:
  // The virtual-key code a button stands for, or 0.
  static int KeyForButton(SDL_GameControllerButton button);

  void Button(SDL_JoystickID pad, SDL_GameControllerButton button, bool down,
              std::vector<InputEvent>& out);
  void Axis(SDL_JoystickID pad, SDL_GameControllerAxis axis, int16_t value,
            std::vector<InputEvent>& out);
  // Releases everything a controller held when it is unplugged.
  void Removed(SDL_JoystickID pad, std::vector<InputEvent>& out);

 private:
  // One control of one pad: a button, or one direction of an axis.
  using Source = std::pair<SDL_JoystickID, int>;

  void Set(Source source, int vk, bool down, std::vector<InputEvent>& out);

  std::map<Source, int> held_;  // control -> the key it holds down
  std::map<int, int> holders_;  // key -> how many controls hold it
};

}  // namespace platform
