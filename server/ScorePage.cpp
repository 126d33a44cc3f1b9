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

std::string RenderScorePage(const std::vector<ScoreSection>& sections) {
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Vornakel: лучшие результаты</title>\n<style>\n"
      "body{font-family:sans-serif;background:#15108a;color:#fafafa;margin:2em}\n"
      "table{border-collapse:collapse;margin:auto}\n"
      "th,td{padding:.25em 1em;border-bottom:1px solid #5a55c0;text-align:left}\n"
      "td.score{text-align:right}\nh1,h2,p{text-align:center}\na{color:#ffdc5a}\n"
      "</style>\n</head>\n<body>\n<h1>Vornakel: лучшие 100</h1>\n<p>";
  for (size_t i = 0; i < sections.size(); ++i) {
    if (i > 0) page += " · ";
    page += "<a href=\"#" + HtmlEscape(sections[i].difficulty) + "\">" +
            HtmlEscape(DifficultyLabel(sections[i].difficulty)) + "</a>";
  }
  page += "</p>\n";
  for (const ScoreSection& section : sections) {
    page += "<h2 id=\"" + HtmlEscape(section.difficulty) + "\">" +
            HtmlEscape(DifficultyLabel(section.difficulty)) + "</h2>\n";
    if (section.rows.empty()) {
      page += "<p>Пока нет результатов.</p>\n";
      continue;
    }
    page +=
        "<table>\n<tr><th>Место</th><th>Имя</th><th>Очки</th><th>Текст</th><th>Дата "
        "(UTC)</th></tr>\n";
    int rank = 0;
    for (const ScoreRow& row : section.rows) {
      page += "<tr><td>" + std::to_string(++rank) + "</td><td>" + HtmlEscape(row.name) +
              "</td><td class=\"score\">" + std::to_string(row.score) + "</td><td>" +
              HtmlEscape(row.text) + "</td><td>" + FormatTime(row.time) + "</td></tr>\n";
    }
    page += "</table>\n";
  }
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace scored
