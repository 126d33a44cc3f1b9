// The online score table as an HTML page.
#pragma once

#include <optional>
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

// The pages speak the game's two languages; Russian unless the reader asks for English.
enum class PageLanguage { kRussian, kEnglish };
// A "lang" parameter ("ru" or "en") decides; otherwise the browser's Accept-Language, the first
// of the two it prefers (by q weight, then by order); otherwise Russian.
PageLanguage PickPageLanguage(std::optional<std::string_view> langParam,
                              std::string_view acceptLanguage);

// The name of a difficulty's table ("Классика"/"Classic", "Лёгкая"/"Easy"); the word itself when
// unknown.
std::string DifficultyLabel(std::string_view difficulty,
                            PageLanguage language = PageLanguage::kRussian);
// The address of the full table (what the game's high-score screen opens).
inline constexpr const char* kTablePath = "/cgi/version.pl?prg=Vornakel&show&type=0";

// The start of every page of ours, up to and including <body>: the title and the shared style.
std::string PageStart(std::string_view title, PageLanguage language = PageLanguage::kRussian);
// A difficulty's rows as an HTML table ranked from 1, or a line saying there are none yet.
std::string RenderRows(const std::vector<ScoreRow>& rows,
                       PageLanguage language = PageLanguage::kRussian);
// The server's home page, which the game's "Наш сайт" link opens: what the game is, where to get
// it, and the rows given of each difficulty's table (the best ten) with a link to the whole one.
std::string RenderHomePage(const std::vector<ScoreSection>& sections,
                           PageLanguage language = PageLanguage::kRussian);
// The page of the game's "Ещё игры" link: the games this server keeps scores for.
std::string RenderGamesPage(PageLanguage language = PageLanguage::kRussian);
// A complete UTF-8 page: links to each table, then each difficulty's table under its name, ranked
// within that difficulty.
std::string RenderScorePage(const std::vector<ScoreSection>& sections,
                            PageLanguage language = PageLanguage::kRussian);

// A race time in hundredths as "M:SS.HH".
std::string RaceTimeText(int32_t hund);
// The day's road times page ("/daily"): each player's best verified time, fastest first.
std::string RenderDailyPage(std::string_view day, const std::vector<DailyTime>& times,
                            PageLanguage language = PageLanguage::kRussian);

}  // namespace scored
