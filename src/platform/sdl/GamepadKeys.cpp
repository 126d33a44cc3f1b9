// Game-controller buttons, stick and triggers turned into controller-button presses.
#include "platform/sdl/GamepadKeys.h"

namespace platform {
namespace {

constexpr int kUp = static_cast<int>(PadButton::kUp);
constexpr int kDown = static_cast<int>(PadButton::kDown);
constexpr int kLeft = static_cast<int>(PadButton::kLeft);
constexpr int kRight = static_cast<int>(PadButton::kRight);
constexpr int kLeftTrigger = static_cast<int>(PadButton::kLeftTrigger);
constexpr int kRightTrigger = static_cast<int>(PadButton::kRightTrigger);

// A stick presses a direction beyond about half its travel and lets go below about a third, so a
// stick resting near the threshold does not chatter.
constexpr int kStickPress = 16000;
constexpr int kStickRelease = 11000;
// Triggers rest at 0 and travel to 32767.
constexpr int kTriggerPress = 12000;
constexpr int kTriggerRelease = 8000;

// Axis sources are numbered after every button.
constexpr int kAxisSourceBase = SDL_CONTROLLER_BUTTON_MAX;

// Our numbering follows SDL's for the buttons both know.
static_assert(static_cast<int>(PadButton::kA) == SDL_CONTROLLER_BUTTON_A);
static_assert(static_cast<int>(PadButton::kStart) == SDL_CONTROLLER_BUTTON_START);
static_assert(kUp == SDL_CONTROLLER_BUTTON_DPAD_UP && kRight == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(static_cast<int>(PadButton::kTouchpad) == SDL_CONTROLLER_BUTTON_TOUCHPAD);

}  // namespace

int GamepadKeys::PadButtonFor(SDL_GameControllerButton button) {
  const int number = static_cast<int>(button);
  return number >= 0 && number <= static_cast<int>(PadButton::kTouchpad) ? number : -1;
}

void GamepadKeys::Button(SDL_JoystickID pad, SDL_GameControllerButton button, bool down,
                         std::vector<InputEvent>& out) {
  const int padButton = PadButtonFor(button);
  if (padButton >= 0) Set({pad, static_cast<int>(button)}, padButton, down, out);
}

void GamepadKeys::Axis(SDL_JoystickID pad, SDL_GameControllerAxis axis, int16_t value,
                       std::vector<InputEvent>& out) {
  auto source = [&](int part) { return Source{pad, kAxisSourceBase + axis * 2 + part}; };
  // Applies hysteresis to one direction of an axis (magnitude already made positive).
  auto direction = [&](int part, int padButton, int magnitude, int press, int release) {
    bool isDown = held_.count(source(part)) != 0;
    if (!isDown && magnitude > press) Set(source(part), padButton, true, out);
    if (isDown && magnitude < release) Set(source(part), padButton, false, out);
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
      direction(0, kRightTrigger, v, kTriggerPress, kTriggerRelease);
      break;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
      direction(0, kLeftTrigger, v, kTriggerPress, kTriggerRelease);
      break;
    default:
      break;
  }
}

void GamepadKeys::Removed(SDL_JoystickID pad, std::vector<InputEvent>& out) {
  std::vector<Source> sources;
  for (const auto& entry : held_) {
    if (entry.first.first == pad) sources.push_back(entry.first);
  }
  for (const Source& source : sources) Set(source, held_[source], false, out);
}

void GamepadKeys::Set(Source source, int button, bool down, std::vector<InputEvent>& out) {
  auto it = held_.find(source);
  if (down == (it != held_.end())) return;
  InputEvent event;
  event.key = button;
  if (down) {
    held_[source] = button;
    if (holders_[button]++ == 0) {
      event.type = InputEvent::Type::kPadDown;
      out.push_back(event);
    }
  } else {
    held_.erase(it);
    if (--holders_[button] == 0) {
      holders_.erase(button);
      event.type = InputEvent::Type::kPadUp;
      out.push_back(event);
    }
  }
}

}  // namespace platform
