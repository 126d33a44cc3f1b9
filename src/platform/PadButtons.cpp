// The words that name controller buttons in scripts and settings.
#include "platform/PadButtons.h"

#include <array>

namespace platform {
namespace {

// The words the usual controller database uses for the same buttons.
constexpr std::array<std::string_view, kPadButtonCount> kTokens = {"a",
                                                                   "b",
                                                                   "x",
                                                                   "y",
                                                                   "back",
                                                                   "guide",
                                                                   "start",
                                                                   "leftstick",
                                                                   "rightstick",
                                                                   "leftshoulder",
                                                                   "rightshoulder",
                                                                   "dpup",
                                                                   "dpdown",
                                                                   "dpleft",
                                                                   "dpright",
                                                                   "misc1",
                                                                   "paddle1",
                                                                   "paddle2",
                                                                   "paddle3",
                                                                   "paddle4",
                                                                   "touchpad",
                                                                   "lefttrigger",
                                                                   "righttrigger"};

}  // namespace

std::string_view PadButtonToken(int button) {
  if (button < 0 || button >= kPadButtonCount) return {};
  return kTokens[static_cast<size_t>(button)];
}

std::optional<int> PadButtonFromToken(std::string_view token) {
  for (int i = 0; i < kPadButtonCount; ++i) {
    if (kTokens[static_cast<size_t>(i)] == token) return i;
  }
  return std::nullopt;
}

}  // namespace platform
