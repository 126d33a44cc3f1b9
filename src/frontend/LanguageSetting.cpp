// Reading and storing the game's language in vornakel.ini.
#include "frontend/LanguageSetting.h"

#include <optional>
#include <string>

#include "frontend/GameIni.h"

namespace frontend {

namespace {
constexpr const char* kSection = "general";
constexpr const char* kKey = "language";
}  // namespace

game::Language StoredLanguage(const IniDocument& ini) {
  const std::optional<std::string> token = ini.Get(kSection, kKey);
  return token ? game::ParseLanguageToken(*token).value_or(game::Language::Russian)
               : game::Language::Russian;
}

bool StoreLanguage(game::TForm1& form, game::Language language) {
  return UpdateGameIni(form, [language](IniDocument& ini) {
    ini.Set(kSection, kKey, game::LanguageToken(language));
  });
}

}  // namespace frontend
