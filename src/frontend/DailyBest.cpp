// The daily bests in the players' sections of vornakel.ini.
#include "frontend/DailyBest.h"

#include <charconv>

#include "frontend/ProfileSettings.h"

namespace frontend {

namespace {

std::string DailyKey(std::string_view date) {
  return "daily." + std::string(date);
}

std::optional<int32_t> Number(std::string_view text, size_t digits) {
  if (text.empty() || (digits > 0 && text.size() != digits)) return std::nullopt;
  int32_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < 0)
    return std::nullopt;
  return value;
}

}  // namespace

std::string RaceTimeText(int32_t hund) {
  if (hund < 0) hund = 0;
  const int32_t seconds = hund / 100 % 60;
  const int32_t hundredths = hund % 100;
  std::string text = std::to_string(hund / 6000) + ":";
  if (seconds < 10) text += '0';
  text += std::to_string(seconds) + ".";
  if (hundredths < 10) text += '0';
  return text + std::to_string(hundredths);
}

std::optional<int32_t> ParseRaceTime(std::string_view text) {
  const size_t colon = text.find(':');
  const size_t dot = text.find('.');
  if (colon == std::string_view::npos || dot == std::string_view::npos || dot < colon)
    return std::nullopt;
  const auto minutes = Number(text.substr(0, colon), 0);
  const auto seconds = Number(text.substr(colon + 1, dot - colon - 1), 2);
  const auto hundredths = Number(text.substr(dot + 1), 2);
  if (!minutes || !seconds || !hundredths || *seconds > 59 || *minutes > 9999) return std::nullopt;
  return *minutes * 6000 + *seconds * 100 + *hundredths;
}

std::optional<int32_t> DailyBestIn(const IniDocument& ini, std::string_view name1251,
                                   std::string_view date) {
  const auto text = ini.Get(ProfileSection(name1251), DailyKey(date));
  return text ? ParseRaceTime(*text) : std::nullopt;
}

bool KeepDailyBest(IniDocument& ini, std::string_view name1251, std::string_view date,
                   int32_t hund) {
  const std::optional<int32_t> best = DailyBestIn(ini, name1251, date);
  if (hund < 0 || (best && *best <= hund)) return false;
  ini.Set(ProfileSection(name1251), DailyKey(date), RaceTimeText(hund));
  return true;
}

}  // namespace frontend
