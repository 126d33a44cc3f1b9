// Game-controller buttons, stick and triggers turned into controller-button presses.
#pragma once

#include <SDL_gamecontroller.h>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/Input.h"
#include "platform/PadButtons.h"

namespace platform {

// Every button reaches the game as itself; the left stick presses the d-pad's buttons and each
// trigger is a button of its own. Two controls can press the same button (d-pad up and the stick
// pushed up): it goes down with the first of them and up with the last, so letting go of one while
// the other is still held does not release it.
class GamepadKeys {
 public:
  // The game's number of an SDL button, or -1.
  static int PadButtonFor(SDL_GameControllerButton button);

  void Button(SDL_JoystickID pad, SDL_GameControllerButton button, bool down,
              std::vector<InputEvent>& out);
  void Axis(SDL_JoystickID pad, SDL_GameControllerAxis axis, int16_t value,
            std::vector<InputEvent>& out);
  // Releases everything a controller held when it is unplugged.
  void Removed(SDL_JoystickID pad, std::vector<InputEvent>& out);

 private:
  // One control of one pad: a button, or one direction of an axis.
  using Source = std::pair<SDL_JoystickID, int>;

  void Set(Source source, int button, bool down, std::vector<InputEvent>& out);

  std::map<Source, int> held_;  // control -> the button it holds down
  std::map<int, int> holders_;  // button -> how many controls hold it
};

}  // namespace platform
