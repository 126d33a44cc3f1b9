// Names of keys and controller buttons for the controls screen.
#include "frontend/KeyNames.h"

#include <array>
#include <string_view>
#include <utility>

#include "game/KeyBindings.h"
#include "platform/PadButtons.h"
#include "platform/Text1251.h"

namespace frontend {

namespace {

struct KeyName {
  int vk;
  std::string_view name;  // UTF-8
};

// English names of the keys and buttons whose Russian name is a word.
constexpr std::pair<std::string_view, std::string_view> kEnglishNames[] = {
    {"Пробел", "Space"},
    {"Влево", "Left"},
    {"Вверх", "Up"},
    {"Вправо", "Right"},
    {"Вниз", "Down"},
    {"Крест. вверх", "D-pad up"},
    {"Крест. вниз", "D-pad down"},
    {"Крест. влево", "D-pad left"},
    {"Крест. вправо", "D-pad right"},
    {"Тачпад", "Touchpad"},
};

std::string Named(std::string_view name, game::Language language) {
  if (language == game::Language::English) {
    for (const auto& [russian, english] : kEnglishNames) {
      if (russian == name) return std::string(english);
    }
  }
  return Ru(name);
}

// Keys whose name is not their own character.
constexpr KeyName kKeyNames[] = {
    {8, "Backspace"}, {9, "Tab"},       {13, "Enter"},    {16, "Shift"},  {17, "Ctrl"},
    {18, "Alt"},      {19, "Pause"},    {20, "CapsLock"}, {27, "Esc"},    {32, "Пробел"},
    {33, "PageUp"},   {34, "PageDown"}, {35, "End"},      {36, "Home"},   {37, "Влево"},
    {38, "Вверх"},    {39, "Вправо"},   {40, "Вниз"},     {45, "Insert"}, {46, "Delete"},
    {106, "Num *"},   {107, "Num +"},   {108, "Num ,"},   {109, "Num -"}, {110, "Num ."},
    {111, "Num /"},   {186, ";"},       {187, "="},       {188, ","},     {189, "-"},
    {190, "."},       {191, "/"},       {192, "`"},       {219, "["},     {220, "\\"},
    {221, "]"},       {222, "'"},
};

constexpr std::array<std::string_view, platform::kPadButtonCount> kPadNames = {"A",
                                                                               "B",
                                                                               "X",
                                                                               "Y",
                                                                               "Back",
                                                                               "Guide",
                                                                               "Start",
                                                                               "L3",
                                                                               "R3",
                                                                               "LB",
                                                                               "RB",
                                                                               "Крест. вверх",
                                                                               "Крест. вниз",
                                                                               "Крест. влево",
                                                                               "Крест. вправо",
                                                                               "Misc",
                                                                               "P1",
                                                                               "P2",
                                                                               "P3",
                                                                               "P4",
                                                                               "Тачпад",
                                                                               "LT",
                                                                               "RT"};

}  // namespace

std::string InputName(int input, game::Language language) {
  if (input == 0) return Ru("—");
  if (game::IsPadInput(input)) {
    const int button = input - game::kPadInputBase;
    if (button < platform::kPadButtonCount)
      return Named(kPadNames[static_cast<size_t>(button)], language);
    return "?";
  }
  if ((input >= '0' && input <= '9') || (input >= 'A' && input <= 'Z'))
    return std::string(1, static_cast<char>(input));
  if (input >= 96 && input <= 105) return std::string("Num ").append(std::to_string(input - 96));
  if (input >= 112 && input <= 123) return std::string("F").append(std::to_string(input - 111));
  for (const KeyName& key : kKeyNames) {
    if (key.vk == input) return Named(key.name, language);
  }
  return std::string("#").append(std::to_string(input));
}

std::string ActionName(game::Language language, game::DriveAction action) {
  const game::DriveActionInfo& info = game::kDriveActions[static_cast<size_t>(action)];
  return language == game::Language::English ? std::string(info.englishName) : Ru(info.name);
}

}  // namespace frontend
