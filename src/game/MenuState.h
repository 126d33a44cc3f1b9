// The state of the menus: profiles, high scores, options and the current screen's sprites and
// buttons.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/OmegaGUI.h"
#include "engine/OmegaSprite.h"
#include "game/Difficulty.h"

namespace game {

struct MenuState {
  // --- menus ---
  // The mouse pointer (a TCursor, Z 90000), alive for the whole program; the race hides it.
  engine::TSprite* Cursor = nullptr;
  // The two blinking lights of the menus (TLight kinds 0 and 1); null while they do not exist.
  std::array<engine::TSprite*, 2> MenuLights{};
  // Title picture over the race of the overlays (states 0, 13, 24, 25, 26), from GameImageList.
  engine::TSprite* OverlayScreen = nullptr;
  // Title sprite of the clear-high-scores question.
  engine::TSprite* ClearTitle = nullptr;
  // The current screen's buttons: the GUI list "GUI2" that owns them and a reference per slot.
  engine::TOmegaGUIList* ButtonList = nullptr;
  std::array<engine::TOmegaButton*, 8> Buttons{};
  // The edit box of the current screen, if it has one.
  engine::TOmegaEdit* NameEdit = nullptr;
  // Frame counter of the edit boxes' caret blink, shared by every screen with an edit box.
  int32_t CaretBlink = 0;
  // Help page shown, 1..4.
  int32_t HelpPage = 1;
  // Track and truck selection: the picture sprites and the four value bars.
  engine::TSprite* TrackImage = nullptr;
  engine::TSprite* TruckImage = nullptr;
  engine::TSprite* SpeedBar = nullptr;
  engine::TSprite* AccelBar = nullptr;
  engine::TSprite* SteerBar = nullptr;
  engine::TSprite* GripBar = nullptr;
  // The truck screen's difficulty switch, and the choice it shows: the player's whose name
  // DifficultyOwner holds (read from vornakel.ini once per player and run), or, without a
  // profile, a choice for this run only.
  engine::TOmegaButton* DifficultySwitch = nullptr;
  Difficulty ChosenDifficulty = Difficulty::Classic;
  std::optional<std::string> DifficultyOwner;
  // The player whose driving keys TForm1::Bindings holds (read from vornakel.ini once per player
  // and run); none yet, or no profile.
  std::optional<std::string> BindingsOwner;

  // --- profiles, high scores, options ---
  // One saved player.
  struct TProfile {
    std::string Name;
    int32_t ProfileTag = 0;
  };
  // One row of the high-score table, all three as text; the ranks never move. The difficulty its
  // game was played on moves with the name and score.
  struct THiScoreRow {
    std::string Rank;
    std::string Name;
    std::string Score;
    Difficulty GameDifficulty = Difficulty::Classic;
  };
  static constexpr int32_t kMaxProfiles = 10;
  static constexpr int32_t kHiScoreRows = 10;
  std::array<TProfile, kMaxProfiles> Profiles{};
  int32_t ProfileCount = 0;    // 0..10
  int32_t CurrentProfile = 0;  // the profile in use
  int32_t ProfileCursor = 0;   // the row highlighted on the profile list
  std::array<THiScoreRow, kHiScoreRows> HiScores{};
  engine::TSprite* ChooseLine = nullptr;  // the pulsing bar of the profile list
  // The player's free text on the options screen (at most 12 characters); the score client sends
  // it with every score.
  std::string OptionText;
  // Whether the display really is in full screen; differs from FullScreen only between toggling
  // the option and applying it.
  bool ScreenIsFull = false;
  // The settings as they were when the options screen opened (or after the last apply).
  bool SavedFullScreen = false;
  bool SavedMusicOn = true;
  int32_t SavedVolume = 0;
  std::string SavedOptionText;
  bool EditActive = false;  // the options edit box was clicked
  // The options screen was left for the screen page or the controls screen: its changes stay
  // pending and the copies for Cancel stay as they were until it returns.
  bool OptionsPending = false;
  engine::TOmegaScrollBar* VolumeBar = nullptr;
  engine::TOmegaButton* FullScreenSwitch = nullptr;
  engine::TOmegaButton* MusicSwitch = nullptr;
  // A settings file could not be written: said once, then the game goes on with what it holds.
  bool SettingsWriteReported = false;
};

}  // namespace game
