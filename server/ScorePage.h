// The online score table as an HTML page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "server/ScoreDb.h"

namespace scored {

inline constexpr int kTableRows = 100;

// Escapes & < > " ' so that stored text can never become markup.
std::string HtmlEscape(std::string_view text);
// "YYYY-MM-DD HH:MM" in UTC.
std::string FormatTime(int64_t secondsSinceEpoch);
// A complete UTF-8 page listing the rows in the order given.
std::string RenderScorePage(const std::vector<ScoreRow>& rows);

}  // namespace scored
