// The driving actions a race reads and the keys and controller buttons each is bound to.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace game {

// A physical input: a keyboard key by its virtual-key code (1..255), or a controller button
// numbered after every key.
inline constexpr int kPadInputBase = 256;
constexpr int KeyInput(int vk) {
  return vk;
}
constexpr int PadInput(int button) {
  return kPadInputBase + button;
}
constexpr bool IsPadInput(int input) {
  return input >= kPadInputBase;
}

// What the player does in a race, in the order the controls screen lists them.
enum class DriveAction : uint8_t {
  kAccelerate,
  kBrake,
  kLeft,
  kRight,
  kHandbrake,
  kHorn,
  kPause,
  kRaceMenu,
  kSkipToResults,
};
inline constexpr int kDriveActionCount = static_cast<int>(DriveAction::kSkipToResults) + 1;

// Each action holds two keyboard slots and two controller slots; 0 is an empty slot.
inline constexpr int kKeySlots = 2;
inline constexpr int kPadSlots = 2;
inline constexpr int kSlotsPerAction = kKeySlots + kPadSlots;
constexpr bool IsPadSlot(int slot) {
  return slot >= kKeySlots;
}

struct DriveActionInfo {
  DriveAction action;
  std::string_view token;  // its word in the settings ("accelerate")
  std::string_view name;   // what the controls screen calls it (UTF-8)
  std::string_view englishName;
  // The keys the race itself reads for the action (the first is what any other input presses).
  std::array<int, 2> raceKeys;
  std::array<int, kSlotsPerAction> defaults;
};

// The race reads exactly these keys; the defaults are the keys and buttons that always did this.
extern const std::array<DriveActionInfo, kDriveActionCount> kDriveActions;

class KeyBindings {
 public:
  static KeyBindings Defaults();

  int Slot(DriveAction action, int slot) const;
  void SetSlot(DriveAction action, int slot, int input);
  // The action and slot holding an input, if any.
  struct Place {
    DriveAction action;
    int slot;
  };
  std::optional<Place> Find(int input) const;
  // The virtual key an input presses in a race: the race's own key for its action (a key the race
  // reads for that action stays itself), 0 for a key or button bound to nothing that the race
  // would otherwise read, and any other key as itself.
  int RaceKeyFor(int input) const;

  bool operator==(const KeyBindings&) const = default;

 private:
  std::array<std::array<int, kSlotsPerAction>, kDriveActionCount> slots_{};
};

// The key an input presses in the menus: keys as themselves; the d-pad (and stick) are the arrows,
// A is Enter, B and Start are Esc, X is Space, the right trigger Up and the left trigger Down.
int MenuKeyFor(int input);

}  // namespace game
