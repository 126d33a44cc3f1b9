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
// One difficulty's table: its word (Protocol.h's kDifficulties) and its best rows in order.
struct ScoreSection {
  std::string difficulty;
  std::vector<ScoreRow> rows;
};

// The Russian name of a difficulty's table ("Классика", "Лёгкая"); the word itself when unknown.
std::string DifficultyLabel(std::string_view difficulty);
// A complete UTF-8 page in Russian: links to each table, then each difficulty's table under its
// name, ranked within that difficulty.
std::string RenderScorePage(const std::vector<ScoreSection>& sections);

}  // namespace scored
