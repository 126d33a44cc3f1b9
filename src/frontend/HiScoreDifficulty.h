// The difficulty of each high-score row, kept in a small file of our own beside Config.cfg.
#pragma once

#include <string>
#include <string_view>

#include "game/MenuState.h"

namespace frontend {

// Config.cfg keeps its format, so the rows' difficulties live here and are matched back to the
// rows by name and score when read.
inline constexpr const char* kHiScoreDifficultyFileName = "hiscore_difficulty.txt";

// A header line, then one line per table row: the difficulty's word, the score and the encoded
// name ("easy 5000 JQ2L6QKP").
std::string FormatHiScoreDifficulties(const game::MenuState& menu);
// Gives each row of the table the difficulty stored for it. The rows keep their order in both
// files, so each row takes the next stored line with its name and score; a row no line matches
// (a missing, damaged or older file, or one written before the last Config.cfg) is Classic.
void ApplyHiScoreDifficulties(std::string_view content, game::MenuState& menu);

}  // namespace frontend
