// The languages the game speaks and the file names of their picture sets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace game {

// Russian is the game's own language and the default; English is the second.
enum class Language : uint8_t { Russian = 0, English = 1 };

// The word stored in vornakel.ini and given to --language: "ru", "en".
constexpr std::string_view LanguageToken(Language language) {
  return language == Language::English ? "en" : "ru";
}

// Reads a stored word; nothing for anything else.
constexpr std::optional<Language> ParseLanguageToken(std::string_view token) {
  if (token == "ru") return Language::Russian;
  if (token == "en") return Language::English;
  return std::nullopt;
}

// The English archive beside a picture archive: "Data\data1.oil" -> "Data\data1_en.oil". It holds
// only the pictures with words, under the same names, drawn in English.
inline std::string EnglishArchiveName(std::string_view archive) {
  const size_t dot = archive.rfind('.');
  if (dot == std::string_view::npos) return std::string(archive) + "_en";
  return std::string(archive.substr(0, dot)) + "_en" + std::string(archive.substr(dot));
}

}  // namespace game
