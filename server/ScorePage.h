// The online score table as an HTML page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "server/ScoreStore.h"

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
// The address of the full table (what the game's high-score screen opens).
inline constexpr const char* kTablePath = "/cgi/version.pl?prg=Vornakel&show&type=0";

// The start of every page of ours, up to and including <body>: the title and the shared style.
std::string PageStart(std::string_view title);
// A difficulty's rows as an HTML table ranked from 1, or a line saying there are none yet.
std::string RenderRows(const std::vector<ScoreRow>& rows);
// The server's home page, which the game's "Наш сайт" link opens: what the game is, where to get
// it, and the rows given of each difficulty's table (the best ten) with a link to the whole one.
std::string RenderHomePage(const std::vector<ScoreSection>& sections);
// The page of the game's "Ещё игры" link: the games this server keeps scores for.
std::string RenderGamesPage();
// A complete UTF-8 page in Russian: links to each table, then each difficulty's table under its
// name, ranked within that difficulty.
std::string RenderScorePage(const std::vector<ScoreSection>& sections);

}  // namespace scored
