// Config.cfg (options, players, high scores) and Configdat.cfg (saved progress): one encoded value
// a line, read at start-up and rewritten whole, atomically.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/MainForm.h"

namespace frontend {

inline constexpr const char* kConfigFileName = "Config.cfg";
inline constexpr const char* kProgressFileName = "Configdat.cfg";

// Reads one of the settings files in the working folder: a missing one gives false quietly; one
// that cannot be read or is far too large is said once on the console and gives false.
bool ReadSettingsFile(const char* name, std::string& content);
// Writes one whole, atomically; a failure is shown to the player once per run.
bool WriteSettingsFile(game::TForm1& form, const char* name, const std::string& content);

// Highest counts the catalogues can unlock, and the last unlock step.
inline constexpr int32_t kTrackCount = 12;
inline constexpr int32_t kMaxUnlockLevel = 9;

// The text of Config.cfg for the current values. Writing pads OptionText and PlayerName with "%"
// and strips every trailing "%" from them again, so a value ending in "%" loses those characters.
std::string FormatConfig(game::TForm1& form);
// Takes the values of a Config.cfg text over the defaults already in place. A line that is
// missing, does not decode to what it should hold or holds a number out of range leaves its
// default (numbers out of range are brought into range); every other line is still read.
// Returns true when line 1 asked for full screen.
bool ParseConfig(std::string_view content, game::TForm1& form);

// The text of Configdat.cfg: score, unlocks and the best time of each of the 25 track records.
std::string FormatProgress(const game::TForm1& form);
// Takes the values of a Configdat.cfg text over the defaults, as ParseConfig does. A best time is
// taken only whole and sane (no negative part, seconds below 60, hundredths below 100).
void ParseProgress(std::string_view content, game::TForm1& form);

// Start-up: the defaults, then the file when it exists (and the high-score rows' difficulties
// from theirs); full screen is switched on when asked.
void ReadConfigFile(game::TForm1& form);
// Start-up: the file when it exists, over the progress defaults already set.
void ReadProgressFile(game::TForm1& form);
// Rewrite the whole file. A failure is reported once per run and the game goes on with the values
// in memory; false when the file could not be written. Config.cfg takes the high-score rows'
// difficulties file along.
bool WriteConfigFile(game::TForm1& form);
bool WriteProgressFile(game::TForm1& form);

}  // namespace frontend
