// Game-controller buttons, stick and triggers turned into key presses.
#include "platform/sdl/GamepadKeys.h"

namespace platform {
namespace {

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr int kEnter = 13, kEscape = 27, kSpace = 32;

// A stick presses a direction beyond about half its travel and lets go below about a third, so a
// stick resting near the threshold does not chatter.
constexpr int kStickPress = 16000;
constexpr int kStickRelease = 11000;
// Triggers rest at 0 and travel to 32767.
constexpr int kTriggerPress = 12000;
constexpr int kTriggerRelease = 8000;

// Axis sources are numbered after every button.
constexpr int kAxisSourceBase = SDL_CONTROLLER_BUTTON_MAX;

}  // namespace

int GamepadKeys::KeyForButton(SDL_GameControllerButton button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return kUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return kDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return kLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return kRight;
    case SDL_CONTROLLER_BUTTON_A:
      return kEnter;
    case SDL_CONTROLLER_BUTTON_B:
      return kEscape;
    case SDL_CONTROLLER_BUTTON_X:
      return kSpace;
    case SDL_CONTROLLER_BUTTON_START:
      return kEscape;
    default:
      return 0;
  }
}

void GamepadKeys::Button(SDL_JoystickID pad, SDL_GameControllerButton button, bool down,
                         std::vector<InputEvent>& out) {
  int vk = KeyForButton(button);
  if (vk != 0) Set({pad, static_cast<int>(button)}, vk, down, out);
}

void GamepadKeys::Axis(SDL_JoystickID pad, SDL_GameControllerAxis axis, int16_t value,
                       std::vector<InputEvent>& out) {
  auto source = [&](int part) { return Source{pad, kAxisSourceBase + axis * 2 + part}; };
  // Applies hysteresis to one direction of an axis (magnitude already made positive).
  auto direction = [&](int part, int vk, int magnitude, int press, int release) {
    bool isDown = held_.count(source(part)) != 0;
    if (!isDown && magnitude > press) Set(source(part), vk, true, out);
    if (isDown && magnitude < release) Set(source(part), vk, false, out);
  };
  int v = value;
  switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
      direction(0, kLeft, -v, kStickPress, kStickRelease);
      direction(1, kRight, v, kStickPress, kStickRelease);
      break;
    case SDL_CONTROLLER_AXIS_LEFTY:
      direction(0, kUp, -v, kStickPress, kStickRelease);
      direction(1, kDown, v, kStickPress, kStickRelease);
      break;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
      direction(0, kUp, v, kTriggerPress, kTriggerRelease);
      break;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
      direction(0, kDown, v, kTriggerPress, kTriggerRelease);
      break;
    default:
      break;
  }
}

void GamepadKeys::Removed(SDL_JoystickID pad, std::vector<InputEvent>& out) {
  std::vector<Source> sources;
  for (const auto& [source, vk] : held_) {
    if (source.first == pad) sources.push_back(source);
  }
  for (const Source& source : sources) Set(source, held_[source], false, out);
}

void GamepadKeys::Set(Source source, int vk, bool down, std::vector<InputEvent>& out) {
  auto it = held_.find(source);
  if (down == (it != held_.end())) return;
  InputEvent event;
  event.key = vk;
  if (down) {
    held_[source] = vk;
    if (holders_[vk]++ == 0) {
      event.type = InputEvent::Type::kKeyDown;
      out.push_back(event);
    }
  } else {
    held_.erase(it);
    if (--holders_[vk] == 0) {
      holders_.erase(vk);
      event.type = InputEvent::Type::kKeyUp;
      out.push_back(event);
    }
  }
}

}  // namespace platform
