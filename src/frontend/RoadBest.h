// Each player's best run on each road code: its time in the player's section of vornakel.ini
// ("road.CODE = M:SS.HH") and its race in replays/NAME/road-CODE.vrp, CODE being the code's ten
// symbols without the dash.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/IniDocument.h"
#include "game/MainForm.h"
#include "game/Replay.h"
#include "game/RoadCode.h"

namespace frontend {

// The file of the player's best run on the code (name in code page 1251).
std::string RoadBestFile(std::string_view name1251, const game::RoadCode& code);
// The player's best time on the code; nothing when none or damaged.
std::optional<int32_t> RoadBestIn(const IniDocument& ini, std::string_view name1251,
                                  const game::RoadCode& code);
// A race driven over the line on the code in hund hundredths: when there is no best yet or it is
// faster, its replay is written (atomically), then its time. True when kept; a file that cannot be
// written is reported on stderr and keeps nothing.
bool KeepRoadBest(game::TForm1& form, std::string_view name1251, const game::RoadCode& code,
                  int32_t hund, const game::ReplayRace& race);
// The player's best run on the code read back. Nothing when there is none, or (with a line on
// stderr) when its file is missing, damaged, of other race rules or of another road.
std::optional<game::ReplayRace> LoadRoadBest(std::string_view name1251, const game::RoadCode& code);

}  // namespace frontend
