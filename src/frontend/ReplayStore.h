// The last game's replay of each player, kept in the saves folder.
#pragma once

#include <string>
#include <string_view>

#include "game/MainForm.h"

namespace frontend {

// The player's replay folder under the saves folder: "replays/NAME" with the name in UTF-8 and
// every character a file name cannot hold (separators, control characters, a leading dot) as "_".
std::string PlayerReplayFolder(std::string_view name1251);

// Writes the races of the game just ended to PLAYER-FOLDER/last.vrp (atomically), replacing the
// game before. A game without a player or without a race writes nothing. False when the file
// cannot be written (reported on stderr; the game goes on).
bool SaveLastReplay(game::TForm1& form);

// A game under way when the window is closed from outside keeps its races so far, the unfinished
// one included, as the last game's replay. A seed race or a form that plays a replay keeps nothing.
void SaveUnfinishedGame(game::TForm1& form);

// A deleted player's replays go with them, unless a remaining player's folder is the same one
// (names that differ only in characters a file name cannot hold).
void ForgetPlayerReplays(const game::MenuState& menu, const std::string& name1251);

}  // namespace frontend
