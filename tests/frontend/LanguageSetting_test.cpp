// The language kept in vornakel.ini: [general] language = en; Russian otherwise.
#include "frontend/LanguageSetting.h"

#include <gtest/gtest.h>

namespace frontend {
namespace {

TEST(LanguageSettingTest, EnglishOnlyWhenTheFileSaysEnAndRussianOtherwise) {
  EXPECT_EQ(StoredLanguage(IniDocument::Parse("[general]\nlanguage = en\n")),
            game::Language::English);
  EXPECT_EQ(StoredLanguage(IniDocument::Parse("[general]\nlanguage = de\n")),
            game::Language::Russian);
  EXPECT_EQ(StoredLanguage(IniDocument::Parse("[profile \"en\"]\nlanguage = en\n")),
            game::Language::Russian);
  EXPECT_EQ(StoredLanguage(IniDocument{}), game::Language::Russian);
}

}  // namespace
}  // namespace frontend
