// Each player's choices in vornakel.ini: a [profile "NAME"] section per player with the difficulty
// the truck screen offers.
#pragma once

#include <string>
#include <string_view>

#include "frontend/IniDocument.h"
#include "game/Difficulty.h"
#include "game/MainForm.h"

namespace frontend {

// The section of a player (name in code page 1251): the name in UTF-8, control characters (which
// no name entry lets through) as "?".
std::string ProfileSection(std::string_view name1251);
// The stored difficulty of a player; Classic when the player has no section, no difficulty line,
// or a word we do not know.
game::Difficulty ProfileDifficultyIn(const IniDocument& ini, std::string_view name1251);
void SetProfileDifficulty(IniDocument& ini, std::string_view name1251, game::Difficulty difficulty);

// The difficulty the truck screen shows for the current player: read from the file the first time
// the screen opens for that player in this run, kept in memory after that (so a choice survives a
// file that cannot be written). A harness choice (ForcedDifficulty) wins until the player
// switches. Without a profile the choice lives in memory only.
game::Difficulty OfferedDifficulty(game::TForm1& form);
// The truck screen's switch: the current player's choice, written to the file at once.
void ChooseDifficulty(game::TForm1& form, game::Difficulty difficulty);
// A deleted player's section goes, unless another player of the same name is left.
void ForgetDeletedProfile(game::TForm1& form, const std::string& name1251);

}  // namespace frontend
