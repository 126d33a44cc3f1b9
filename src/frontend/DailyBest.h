// Each player's best time on the road of each day, kept in vornakel.ini: a line
// "daily.YYYY-MM-DD = M:SS.HH" in the player's [profile "NAME"] section.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/IniDocument.h"

namespace frontend {

// Hundredths of a second as "M:SS.HH" (1:23.45).
std::string RaceTimeText(int32_t hund);
// Reads "M:SS.HH" back; nothing for anything else.
std::optional<int32_t> ParseRaceTime(std::string_view text);
// The player's best on the road of that day (name in code page 1251); nothing when none or
// damaged.
std::optional<int32_t> DailyBestIn(const IniDocument& ini, std::string_view name1251,
                                   std::string_view date);
// Keeps the time as the player's best of that day when there is none or it is faster; true when
// kept.
bool KeepDailyBest(IniDocument& ini, std::string_view name1251, std::string_view date,
                   int32_t hund);

}  // namespace frontend
