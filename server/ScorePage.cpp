// The online score table as an HTML page.
#include "server/ScorePage.h"

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

std::string DifficultyLabel(std::string_view difficulty) {
  if (difficulty == "classic") return "Классика";
  if (difficulty == "easy") return "Лёгкая";
  return std::string(difficulty);
}

std::string PageStart(std::string_view title) {
  return "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
         HtmlEscape(title) +
         "</title>\n<style>\n"
         "body{font-family:sans-serif;background:#15108a;color:#fafafa;margin:2em}\n"
         "table{border-collapse:collapse;margin:auto}\n"
         "th,td{padding:.25em 1em;border-bottom:1px solid #5a55c0;text-align:left}\n"
         "td.score{text-align:right}\nh1,h2,p{text-align:center}\na{color:#ffdc5a}\n"
         "main{max-width:48em;margin:auto}\n"
         "</style>\n</head>\n<body>\n";
}

std::string RenderRows(const std::vector<ScoreRow>& rows) {
  if (rows.empty()) return "<p>Пока нет результатов.</p>\n";
  std::string out =
      "<table>\n<tr><th>Место</th><th>Имя</th><th>Очки</th><th>Текст</th><th>Дата "
      "(UTC)</th></tr>\n";
  int rank = 0;
  for (const ScoreRow& row : rows) {
    out += "<tr><td>" + std::to_string(++rank) + "</td><td>" + HtmlEscape(row.name) +
           "</td><td class=\"score\">" + std::to_string(row.score) + "</td><td>" +
           HtmlEscape(row.text) + "</td><td>" + FormatTime(row.time) + "</td></tr>\n";
  }
  return out + "</table>\n";
}

std::string RenderHomePage(const std::vector<ScoreSection>& sections) {
  std::string page = PageStart("Vornakel: гонки на грузовиках");
  page +=
      "<main>\n<h1>Vornakel</h1>\n"
      "<p>Гонки на грузовиках с видом сверху. Выберите трассу и грузовик и обгоните "
      "соперников на дороге, которая в каждой гонке новая: собирайте монеты, ремонт, нитро и "
      "лишние секунды, объезжайте масло, шипы, открытые люки и бомбы, успейте до конца "
      "времени и откройте новые трассы и грузовики.</p>\n"
      "<p>Игра для Linux: пакет <code>vornakel</code> или сборка из исходников "
      "(<code>./run.sh</code>). Две сложности: «Классика» и «Лёгкая»; у каждой своя таблица.</p>\n"
      "<p><a href=\"/games\">Ещё игры</a> · <a href=\"" +
      HtmlEscape(kTablePath) + "\">Все результаты</a></p>\n";
  for (const ScoreSection& section : sections) {
    page += "<h2>" + HtmlEscape(DifficultyLabel(section.difficulty)) + "</h2>\n";
    page += RenderRows(section.rows);
  }
  return page + "</main>\n</body>\n</html>\n";
}

std::string RenderGamesPage() {
  return PageStart("Vornakel: игры") +
         "<main>\n<h1>Игры этого сервера</h1>\n"
         "<p><a href=\"/\">Vornakel</a>: гонки на грузовиках с видом сверху, для Linux.</p>\n"
         "<p>Других игр здесь пока нет.</p>\n</main>\n</body>\n</html>\n";
}

std::string RenderScorePage(const std::vector<ScoreSection>& sections) {
  std::string page =
      PageStart("Vornakel: лучшие результаты") + "<h1>Vornakel: лучшие 100</h1>\n<p>";
  for (size_t i = 0; i < sections.size(); ++i) {
    if (i > 0) page += " · ";
    page += "<a href=\"#" + HtmlEscape(sections[i].difficulty) + "\">" +
            HtmlEscape(DifficultyLabel(sections[i].difficulty)) + "</a>";
  }
  page += "</p>\n";
  for (const ScoreSection& section : sections) {
    page += "<h2 id=\"" + HtmlEscape(section.difficulty) + "\">" +
            HtmlEscape(DifficultyLabel(section.difficulty)) + "</h2>\n";
    page += RenderRows(section.rows);
  }
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace scored
