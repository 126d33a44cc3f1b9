// The game's state machine: every state code has an entry, a per-frame and a leave handler.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace game {

// State codes.
enum GameStateCode : uint8_t {
  gsRaceMenu = 0,
  gsNameEntry = 1,
  gsLogo = 3,
  gsMainMenu = 4,
  gsHelp = 6,
  gsOptions = 7,
  gsHiScores = 8,
  gsClearHiScores = 9,
  gsExitGame = 10,
  gsRace = 12,
  gsGameOver = 13,
  gsTrackSelect = 14,
  gsTruckSelect = 15,
  gsRaceOver = 16,
  gsPause = 20,
  gsProfileAdd = 21,
  gsProfileList = 22,
  gsProfileDelete = 23,
  gsTimeUp = 24,
  gsYourScore = 25,
  gsSendScore = 26,
  gsExploded = 27,
  gsExitScreen = 28,
  gsScreenPage = 29,  // ours: screen and sound, reached from the options
  gsControls = 30,
  gsSeedRace = 31,  // ours: the seed screen, a road code raced outside the career
  gsReplays = 32,   // ours: the player's kept replays, reached from the high scores
};

struct StateHandlers {
  std::function<void()> enter;
  std::function<void()> frame;
  std::function<void()> leave;
};

// Dispatches by code; a code without a handler does nothing.
class StateMachine {
 public:
  void Register(uint8_t code, StateHandlers handlers) { table_[code] = std::move(handlers); }
  bool Has(uint8_t code) const { return static_cast<bool>(table_[code].frame); }
  void EnterState(uint8_t code) {
    if (table_[code].enter) table_[code].enter();
  }
  void RunStateFrame(uint8_t code) {
    if (table_[code].frame) table_[code].frame();
  }
  void LeaveState(uint8_t code) {
    if (table_[code].leave) table_[code].leave();
  }

 private:
  std::array<StateHandlers, 256> table_;
};

}  // namespace game
