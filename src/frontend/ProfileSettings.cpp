// Each player's difficulty in vornakel.ini; damage reads as Classic.
#include "frontend/ProfileSettings.h"

#include <algorithm>
#include <vector>

#include "frontend/GameIni.h"
#include "frontend/Profiles.h"
#include "platform/Text1251.h"

namespace frontend {

namespace {

constexpr std::string_view kDifficultyKey = "difficulty";

bool HasProfiles(const game::MenuState& menu) {
  return menu.ProfileCount > 0;
}

}  // namespace

std::string ProfileSection(std::string_view name1251) {
  std::string name = platform::Cp1251ToUtf8(name1251);
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 32) c = '?';
  }
  return ProfileSectionName(name);
}

game::Difficulty ProfileDifficultyIn(const IniDocument& ini, std::string_view name1251) {
  game::Difficulty difficulty = game::Difficulty::Classic;
  if (const auto word = ini.Get(ProfileSection(name1251), kDifficultyKey))
    game::ParseDifficultyToken(*word, difficulty);
  return difficulty;
}

void SetProfileDifficulty(IniDocument& ini, std::string_view name1251,
                          game::Difficulty difficulty) {
  ini.Set(ProfileSection(name1251), kDifficultyKey, game::DifficultyToken(difficulty));
}

game::Difficulty OfferedDifficulty(game::TForm1& form) {
  game::MenuState& menu = form.Menu;
  if (form.ForcedDifficulty) return *form.ForcedDifficulty;
  if (!HasProfiles(menu)) return menu.ChosenDifficulty;
  const std::string name = CurrentProfileName(menu);
  if (menu.DifficultyOwner != name) {
    menu.DifficultyOwner = name;
    menu.ChosenDifficulty = ProfileDifficultyIn(ReadGameIni(), name);
  }
  return menu.ChosenDifficulty;
}

void ChooseDifficulty(game::TForm1& form, game::Difficulty difficulty) {
  game::MenuState& menu = form.Menu;
  // The player's own choice replaces the harness's from now on.
  form.ForcedDifficulty.reset();
  menu.ChosenDifficulty = difficulty;
  if (!HasProfiles(menu)) {
    menu.DifficultyOwner.reset();
    return;
  }
  const std::string name = CurrentProfileName(menu);
  menu.DifficultyOwner = name;
  UpdateGameIni(form, [&](IniDocument& ini) { SetProfileDifficulty(ini, name, difficulty); });
}

void ForgetDeletedProfile(game::TForm1& form, const std::string& name1251) {
  game::MenuState& menu = form.Menu;
  for (int32_t i = 0; i < menu.ProfileCount; ++i) {
    if (menu.Profiles[static_cast<size_t>(i)].Name == name1251) return;
  }
  if (menu.DifficultyOwner == name1251) menu.DifficultyOwner.reset();
  if (menu.BindingsOwner == name1251) {
    menu.BindingsOwner.reset();
    form.Bindings = game::KeyBindings::Defaults();
  }
  const std::string section = ProfileSection(name1251);
  const std::vector<std::string> sections = ReadGameIni().Sections();
  if (std::find(sections.begin(), sections.end(), section) == sections.end()) return;
  UpdateGameIni(form, [&](IniDocument& ini) { ini.RemoveSection(section); });
}

}  // namespace frontend
