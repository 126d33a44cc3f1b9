// The driving actions, their default keys and buttons, and what an input presses in a race or a
// menu.
#include "game/KeyBindings.h"

#include "platform/Input.h"
#include "platform/PadButtons.h"

namespace game {

namespace {

using platform::PadButton;

constexpr int Pad(PadButton button) {
  return PadInput(static_cast<int>(button));
}

using platform::kVkControl, platform::kVkDown, platform::kVkEscape, platform::kVkF1, platform::kVkH,
    platform::kVkLeft, platform::kVkNumpad8, platform::kVkP, platform::kVkReturn,
    platform::kVkRight, platform::kVkSpace, platform::kVkUp;

}  // namespace

// The controller's defaults are what its buttons meant before they could be bound: the triggers
// and the d-pad drive, X is Space, B and Start Esc, A Enter.
const std::array<DriveActionInfo, kDriveActionCount> kDriveActions = {{
    {DriveAction::kAccelerate,
     "accelerate",
     "Газ",
     "Accelerate",
     {kVkUp, 0},
     {kVkUp, 0, Pad(PadButton::kRightTrigger), Pad(PadButton::kUp)}},
    {DriveAction::kBrake,
     "brake",
     "Тормоз, назад",
     "Brake, reverse",
     {kVkDown, 0},
     {kVkDown, 0, Pad(PadButton::kLeftTrigger), Pad(PadButton::kDown)}},
    {DriveAction::kLeft,
     "left",
     "Влево",
     "Steer left",
     {kVkLeft, 0},
     {kVkLeft, 0, Pad(PadButton::kLeft), 0}},
    {DriveAction::kRight,
     "right",
     "Вправо",
     "Steer right",
     {kVkRight, 0},
     {kVkRight, 0, Pad(PadButton::kRight), 0}},
    {DriveAction::kHandbrake,
     "handbrake",
     "Ручной тормоз",
     "Handbrake",
     {kVkSpace, kVkControl},
     {kVkSpace, kVkControl, Pad(PadButton::kX), 0}},
    {DriveAction::kHorn, "horn", "Сигнал", "Horn", {kVkH, kVkNumpad8}, {kVkH, kVkNumpad8, 0, 0}},
    {DriveAction::kPause, "pause", "Пауза", "Pause", {kVkP, kVkF1}, {kVkP, kVkF1, 0, 0}},
    {DriveAction::kRaceMenu,
     "menu",
     "Выход из гонки",
     "Leave the race",
     {kVkEscape, 0},
     {kVkEscape, 0, Pad(PadButton::kB), Pad(PadButton::kStart)}},
    {DriveAction::kSkipToResults,
     "results",
     "К итогам",
     "To the results",
     {kVkReturn, 0},
     {kVkReturn, 0, Pad(PadButton::kA), 0}},
}};

KeyBindings KeyBindings::Defaults() {
  KeyBindings bindings;
  for (const DriveActionInfo& info : kDriveActions)
    bindings.slots_[static_cast<size_t>(info.action)] = info.defaults;
  return bindings;
}

int KeyBindings::Slot(DriveAction action, int slot) const {
  if (slot < 0 || slot >= kSlotsPerAction) return 0;
  return slots_[static_cast<size_t>(action)][static_cast<size_t>(slot)];
}

void KeyBindings::SetSlot(DriveAction action, int slot, int input) {
  if (slot < 0 || slot >= kSlotsPerAction) return;
  slots_[static_cast<size_t>(action)][static_cast<size_t>(slot)] = input;
}

std::optional<KeyBindings::Place> KeyBindings::Find(int input) const {
  if (input == 0) return std::nullopt;
  for (int a = 0; a < kDriveActionCount; ++a) {
    for (int slot = 0; slot < kSlotsPerAction; ++slot) {
      if (slots_[static_cast<size_t>(a)][static_cast<size_t>(slot)] == input)
        return Place{static_cast<DriveAction>(a), slot};
    }
  }
  return std::nullopt;
}

int KeyBindings::RaceKeyFor(int input) const {
  if (const auto place = Find(input)) {
    const DriveActionInfo& info = kDriveActions[static_cast<size_t>(place->action)];
    for (int key : info.raceKeys) {
      if (key != 0 && key == input) return key;
    }
    return info.raceKeys[0];
  }
  if (IsPadInput(input)) return 0;
  // A key the race reads that the player moved elsewhere does nothing any more.
  for (const DriveActionInfo& info : kDriveActions) {
    for (int key : info.raceKeys) {
      if (key != 0 && key == input) return 0;
    }
  }
  return input;
}

int MenuKeyFor(int input) {
  if (!IsPadInput(input)) return input;
  switch (static_cast<PadButton>(input - kPadInputBase)) {
    case PadButton::kUp:
    case PadButton::kRightTrigger:
      return kVkUp;
    case PadButton::kDown:
    case PadButton::kLeftTrigger:
      return kVkDown;
    case PadButton::kLeft:
      return kVkLeft;
    case PadButton::kRight:
      return kVkRight;
    case PadButton::kA:
      return kVkReturn;
    case PadButton::kB:
    case PadButton::kStart:
      return kVkEscape;
    case PadButton::kX:
      return kVkSpace;
    default:
      return 0;
  }
}

}  // namespace game
