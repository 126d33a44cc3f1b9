// vornakel.ini, our own settings beside Config.cfg: one [profile "NAME"] section per player with
// the difficulty the truck screen offers, every other line kept as it was found.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/Difficulty.h"
#include "game/MainForm.h"

namespace frontend {

inline constexpr const char* kOwnSettingsFileName = "vornakel.ini";

// The stored difficulty of a player (name in code page 1251) in an ini text; Classic when the
// player has no section, no difficulty line, or a word we do not know.
game::Difficulty ProfileDifficultyIn(std::string_view ini, std::string_view name1251);
// The ini text with the player's difficulty set; the rest of the text is left as it was.
std::string WithProfileDifficulty(std::string_view ini, std::string_view name1251,
                                  game::Difficulty difficulty);
// The ini text without the player's section(s).
std::string WithoutProfile(std::string_view ini, std::string_view name1251);

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
