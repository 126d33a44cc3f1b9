// Player profiles and the high-score table: the rules that change them, and the table's drawing.
#pragma once

#include <cstdint>
#include <string>

#include "game/MainForm.h"
#include "game/MenuState.h"

namespace frontend {

// Longest name or options text the edit boxes take.
inline constexpr int32_t kMaxNameLength = 12;

// The name of every row of the default table.
inline constexpr const char* kDefaultHiScoreName = "Kyrrin";

// Ten rows: rank n, name "Kyrrin", score 1100 - 100n, all Classic.
void ResetHiScores(game::MenuState& menu);

// Puts a finished game into the table: the first row from the top whose score is at most Score
// (an equal score is beaten) takes the name and score, the rows below move down one place and
// the tenth drops out; the ranks stay. True when the score entered the table.
bool EnterHiScore(game::MenuState& menu, const std::string& playerName, int32_t score,
                  game::Difficulty difficulty = game::Difficulty::Classic);
// The same for the form's PlayerName, Score and GameDifficulty.
bool EnterHiScore(game::TForm1& form);

// The text without its leading and trailing spaces.
std::string TrimSpaces(const std::string& text);
// True when the text holds something other than spaces.
bool HasNonSpace(const std::string& text);

// Adds the name (trimmed) as the new last profile and makes it current. False when the table is
// full or the name is blank.
bool AddProfile(game::MenuState& menu, const std::string& name);
// Deletes the profile under ProfileCursor; the current player stays the same person where it can.
// Does nothing without profiles.
void DeleteProfile(game::MenuState& menu);
// Makes the profile under ProfileCursor current.
void SelectProfile(game::MenuState& menu);
// The name of the current profile (empty without profiles).
std::string CurrentProfileName(const game::MenuState& menu);

// Where the high-score screen centres each row's difficulty: a column right of the scores.
inline constexpr int32_t kHiScoreDifficultyX = 612;

// The table of the high-score screen: rank, name, difficulty and score of each row, drawn after
// the buttons.
void DrawHiScoreTable(game::TForm1& form);

}  // namespace frontend
