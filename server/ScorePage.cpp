// The online score table as an HTML page.
#include "server/ScorePage.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace scored {

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string FormatTime(int64_t secondsSinceEpoch) {
  const auto seconds = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm parts{};
  if (gmtime_r(&seconds, &parts) == nullptr) return "";
  char buffer[32];
  const size_t length = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M", &parts);
  return std::string(buffer, length);
}

namespace {

bool English(PageLanguage language) {
  return language == PageLanguage::kEnglish;
}

// Language tags compare without case; only the primary subtag matters ("en-GB" is English).
std::optional<PageLanguage> LanguageOfTag(std::string_view tag) {
  const std::string_view primary = tag.substr(0, tag.find('-'));
  const auto is = [&](std::string_view code) {
    return primary.size() == 2 && std::tolower(static_cast<unsigned char>(primary[0])) == code[0] &&
           std::tolower(static_cast<unsigned char>(primary[1])) == code[1];
  };
  if (is("ru")) return PageLanguage::kRussian;
  if (is("en")) return PageLanguage::kEnglish;
  return std::nullopt;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The q weight of one Accept-Language item ("en;q=0.8"); 1 without one, 0 when unreadable.
double Weight(std::string_view parameters) {
  const size_t q = parameters.find("q=");
  if (q == std::string_view::npos) return 1.0;
  const std::string value(Trim(parameters.substr(q + 2)));
  char* end = nullptr;
  const double weight = std::strtod(value.c_str(), &end);
  return end == value.c_str() ? 0.0 : weight;
}

// The link to the same page in the other language.
std::string OtherLanguageLink(std::string_view path, PageLanguage language) {
  const char joint = path.find('?') == std::string_view::npos ? '?' : '&';
  return "<p><a href=\"" + HtmlEscape(path) + joint +
         (English(language) ? "lang=ru\">Русский" : "lang=en\">English") + "</a></p>\n";
}

// A path of ours in the page's language (Russian pages keep the plain addresses).
std::string LocalPath(std::string_view path, PageLanguage language) {
  if (!English(language)) return std::string(path);
  return std::string(path) + (path.find('?') == std::string_view::npos ? "?" : "&") + "lang=en";
}

// The mark of a verified score, and the line that says what it means.
constexpr const char* kVerifiedMark = "\u2713";

std::string VerifiedLegend(PageLanguage language) {
  return std::string("<p class=\"legend\">") + kVerifiedMark +
         (English(language)
              ? " verified: the server replayed every race of the game and got this score.</p>\n"
              : " проверено: сервер заново проехал все гонки игры и получил этот результат.</p>\n");
}

}  // namespace

std::string RaceTimeText(int32_t hund) {
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d.%02d", hund / 6000, hund / 100 % 60, hund % 100);
  return text;
}

std::string RenderDailyPage(std::string_view day, const std::vector<DailyTime>& times,
                            PageLanguage language) {
  const bool en = English(language);
  std::string page = PageStart(en ? "Vornakel: road of the day" : "Vornakel: трасса дня", language);
  page += "<main>\n<h1>" + std::string(en ? "Road of the day " : "Трасса дня ") + HtmlEscape(day) +
          "</h1>\n";
  page += en ? "<p>The best time of each player on the day's road, every one checked by replaying "
               "the race.</p>\n"
             : "<p>Лучшее время каждого игрока на трассе дня; каждое проверено: сервер заново "
               "проехал гонку.</p>\n";
  if (times.empty()) {
    page += en ? "<p>No times yet.</p>\n" : "<p>Пока нет результатов.</p>\n";
  } else {
    page += en ? "<table>\n<tr><th>Place</th><th>Name</th><th>Time</th><th>Set (UTC)</th></tr>\n"
               : "<table>\n<tr><th>Место</th><th>Имя</th><th>Время</th><th>Когда (UTC)</th></tr>\n";
    int rank = 0;
    for (const DailyTime& time : times) {
      page += "<tr><td>" + std::to_string(++rank) + "</td><td>" + HtmlEscape(time.name) +
              "</td><td class=\"score\">" + RaceTimeText(time.hund) + "</td><td>" +
              FormatTime(time.time) + "</td></tr>\n";
    }
    page += "</table>\n";
  }
  page += "<p><a href=\"" + HtmlEscape(LocalPath("/", language)) + "\">Vornakel</a></p>\n";
  return page + OtherLanguageLink("/daily?day=" + std::string(day), language) +
         "</main>\n</body>\n</html>\n";
}

PageLanguage PickPageLanguage(std::optional<std::string_view> langParam,
                              std::string_view acceptLanguage) {
  if (langParam) {
    if (const auto chosen = LanguageOfTag(*langParam)) return *chosen;
  }
  std::optional<PageLanguage> best;
  double bestWeight = 0.0;
  while (!acceptLanguage.empty()) {
    const size_t comma = acceptLanguage.find(',');
    const std::string_view item = acceptLanguage.substr(0, comma);
    acceptLanguage =
        comma == std::string_view::npos ? std::string_view() : acceptLanguage.substr(comma + 1);
    const size_t semicolon = item.find(';');
    const auto language = LanguageOfTag(Trim(item.substr(0, semicolon)));
    const double weight =
        semicolon == std::string_view::npos ? 1.0 : Weight(item.substr(semicolon + 1));
    if (language && weight > bestWeight) {
      best = language;
      bestWeight = weight;
    }
  }
  return best.value_or(PageLanguage::kRussian);
}

std::string DifficultyLabel(std::string_view difficulty, PageLanguage language) {
  if (difficulty == "classic") return English(language) ? "Classic" : "Классика";
  if (difficulty == "easy") return English(language) ? "Easy" : "Лёгкая";
  return std::string(difficulty);
}

std::string PageStart(std::string_view title, PageLanguage language) {
  return std::string("<!DOCTYPE html>\n<html lang=\"") + (English(language) ? "en" : "ru") +
         "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscape(title) +
         "</title>\n<style>\n"
         "body{font-family:sans-serif;background:#15108a;color:#fafafa;margin:2em}\n"
         "table{border-collapse:collapse;margin:auto}\n"
         "th,td{padding:.25em 1em;border-bottom:1px solid #5a55c0;text-align:left}\n"
         "td.score{text-align:right}\nh1,h2,p{text-align:center}\na{color:#ffdc5a}\n"
         "main{max-width:48em;margin:auto}\n"
         "</style>\n</head>\n<body>\n";
}

std::string RenderRows(const std::vector<ScoreRow>& rows, PageLanguage language) {
  const bool en = English(language);
  if (rows.empty()) return en ? "<p>No scores yet.</p>\n" : "<p>Пока нет результатов.</p>\n";
  std::string out =
      en ? "<table>\n<tr><th>Place</th><th>Name</th><th>Score</th><th>Text</th><th>Date "
           "(UTC)</th></tr>\n"
         : "<table>\n<tr><th>Место</th><th>Имя</th><th>Очки</th><th>Текст</th><th>Дата "
           "(UTC)</th></tr>\n";
  int rank = 0;
  for (const ScoreRow& row : rows) {
    out += "<tr><td>" + std::to_string(++rank) + "</td><td>" + HtmlEscape(row.name) +
           "</td><td class=\"score\">" + std::to_string(row.score) +
           (row.verified ? std::string(" ") + kVerifiedMark : std::string()) + "</td><td>" +
           HtmlEscape(row.text) + "</td><td>" + FormatTime(row.time) + "</td></tr>\n";
  }
  return out + "</table>\n";
}

std::string RenderHomePage(const std::vector<ScoreSection>& sections, PageLanguage language) {
  const bool en = English(language);
  std::string page =
      PageStart(en ? "Vornakel: truck racing" : "Vornakel: гонки на грузовиках", language);
  page += "<main>\n<h1>Vornakel</h1>\n";
  page +=
      en ? "<p>Top-down truck racing. Pick a track and a truck and overtake your rivals on a road "
           "that is new in every race: collect coins, repairs, nitro and extra seconds, steer "
           "around oil, spikes, open manholes and bombs, beat the clock and unlock new tracks "
           "and trucks.</p>\n"
           "<p>A game for Linux: the <code>vornakel</code> package or a build from source "
           "(<code>./run.sh</code>). Two difficulties, “Classic” and “Easy”, each "
           "with its own table.</p>\n"
         : "<p>Гонки на грузовиках с видом сверху. Выберите трассу и грузовик и обгоните "
           "соперников на дороге, которая в каждой гонке новая: собирайте монеты, ремонт, нитро и "
           "лишние секунды, объезжайте масло, шипы, открытые люки и бомбы, успейте до конца "
           "времени и откройте новые трассы и грузовики.</p>\n"
           "<p>Игра для Linux: пакет <code>vornakel</code> или сборка из исходников "
           "(<code>./run.sh</code>). Две сложности: «Классика» и «Лёгкая»; у каждой своя "
           "таблица.</p>\n";
  page += "<p><a href=\"" + HtmlEscape(LocalPath("/games", language)) + "\">" +
          (en ? "More games" : "Ещё игры") + "</a> · <a href=\"" +
          HtmlEscape(LocalPath(kTablePath, language)) + "\">" +
          (en ? "All scores" : "Все результаты") + "</a> · <a href=\"" +
          HtmlEscape(LocalPath("/daily", language)) + "\">" +
          (en ? "Road of the day" : "Трасса дня") + "</a></p>\n";
  for (const ScoreSection& section : sections) {
    page += "<h2>" + HtmlEscape(DifficultyLabel(section.difficulty, language)) + "</h2>\n";
    page += RenderRows(section.rows, language);
  }
  return page + VerifiedLegend(language) + OtherLanguageLink("/", language) +
         "</main>\n</body>\n</html>\n";
}

std::string RenderGamesPage(PageLanguage language) {
  if (English(language)) {
    return PageStart("Vornakel: games", language) +
           "<main>\n<h1>Games on this server</h1>\n"
           "<p><a href=\"/?lang=en\">Vornakel</a>: top-down truck racing for Linux.</p>\n"
           "<p>No other games here yet.</p>\n" +
           OtherLanguageLink("/games", language) + "</main>\n</body>\n</html>\n";
  }
  return PageStart("Vornakel: игры") +
         "<main>\n<h1>Игры этого сервера</h1>\n"
         "<p><a href=\"/\">Vornakel</a>: гонки на грузовиках с видом сверху, для Linux.</p>\n"
         "<p>Других игр здесь пока нет.</p>\n" +
         OtherLanguageLink("/games", language) + "</main>\n</body>\n</html>\n";
}

std::string RenderScorePage(const std::vector<ScoreSection>& sections, PageLanguage language) {
  const bool en = English(language);
  std::string page =
      PageStart(en ? "Vornakel: best scores" : "Vornakel: лучшие результаты", language) +
      (en ? "<h1>Vornakel: the best 100</h1>\n<p>" : "<h1>Vornakel: лучшие 100</h1>\n<p>");
  for (size_t i = 0; i < sections.size(); ++i) {
    if (i > 0) page += " · ";
    page += "<a href=\"#" + HtmlEscape(sections[i].difficulty) + "\">" +
            HtmlEscape(DifficultyLabel(sections[i].difficulty, language)) + "</a>";
  }
  page += "</p>\n";
  for (const ScoreSection& section : sections) {
    page += "<h2 id=\"" + HtmlEscape(section.difficulty) + "\">" +
            HtmlEscape(DifficultyLabel(section.difficulty, language)) + "</h2>\n";
    page += RenderRows(section.rows, language);
  }
  page += VerifiedLegend(language) + OtherLanguageLink(kTablePath, language) + "</body>\n</html>\n";
  return page;
}

}  // namespace scored
