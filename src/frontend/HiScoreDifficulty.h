// The difficulty of each high-score row, kept in vornakel.ini beside Config.cfg.
#pragma once

#include <string>
#include <string_view>

#include "frontend/IniDocument.h"
#include "game/MenuState.h"

namespace frontend {

// Config.cfg keeps its format, so the rows' difficulties live in this section of vornakel.ini and
// are matched back to the rows by name and score when read.
inline constexpr const char* kHiScoreSection = "hiscores";

// Keys row1..row10, one per table row: the difficulty's word, the score and the encoded name
// ("easy 5000 JQ2L6QKP").
void StoreHiScoreDifficulties(const game::MenuState& menu, IniDocument& ini);
// Gives each row of the table the difficulty stored for it. The rows keep their order in both
// files, so each row takes the next stored row with its name and score; a row nothing matches
// (a missing, damaged or older file, or one written before the last Config.cfg) is Classic.
void ApplyHiScoreDifficulties(const IniDocument& ini, game::MenuState& menu);

}  // namespace frontend
