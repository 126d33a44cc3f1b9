// The buttons of a game controller as the game numbers and names them.
#pragma once

#include <optional>
#include <string_view>

namespace platform {

// In the order of the usual controller layout; the left stick counts as the d-pad (pushing it up
// is pressing kUp) and each trigger as one button pressed beyond about a third of its travel.
enum class PadButton : int {
  kA,
  kB,
  kX,
  kY,
  kBack,
  kGuide,
  kStart,
  kLeftStick,
  kRightStick,
  kLeftShoulder,
  kRightShoulder,
  kUp,
  kDown,
  kLeft,
  kRight,
  kMisc,
  kPaddle1,
  kPaddle2,
  kPaddle3,
  kPaddle4,
  kTouchpad,
  kLeftTrigger,
  kRightTrigger,
};
inline constexpr int kPadButtonCount = static_cast<int>(PadButton::kRightTrigger) + 1;

// The button's word in scripts and settings ("a", "dpup", "righttrigger"); empty for no button.
std::string_view PadButtonToken(int button);
// The button named by a word, if any.
std::optional<int> PadButtonFromToken(std::string_view token);

}  // namespace platform
