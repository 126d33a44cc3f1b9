// The phrase book: every phrase in both languages, the Russian bytes as the game always wrote them.
#include "game/Phrases.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/Difficulty.h"
#include "platform/Text1251.h"

namespace game {
namespace {

// Code page 1251 letters of the Cyrillic alphabet: 0xC0..0xFF, and Ё/ё at 0xA8/0xB8.
bool HasCyrillic(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0xC0 || b == 0xA8 || b == 0xB8;
  });
}

TEST(PhrasesTest, EveryPhraseHasARussianAndAnEnglishForm) {
  for (size_t i = 0; i < std::size(kPhrases); ++i) {
    const Phrase phrase = kPhrases[i].phrase;
    EXPECT_EQ(static_cast<size_t>(phrase), i) << "row " << i << " is out of order";
    const std::string& russian = Say(Language::Russian, phrase);
    const std::string& english = Say(Language::English, phrase);
    EXPECT_TRUE(HasCyrillic(russian)) << i;
    EXPECT_FALSE(english.empty()) << i;
    EXPECT_FALSE(HasCyrillic(english)) << i << ": " << kPhrases[i].english;
    EXPECT_EQ(platform::Cp1251ToUtf8(english), kPhrases[i].english) << i << " loses a character";
  }
  // The Russian texts keep the bytes the game wrote before it spoke English.
  EXPECT_EQ(Say(Language::Russian, Phrase::Pause), Ru("Пауза"));
  EXPECT_EQ(Say(Language::Russian, Phrase::ScoreSending), Ru("Результат отправляется на сервер…"));
  EXPECT_EQ(DifficultyName(Difficulty::Easy, Language::Russian), Ru("Лёгкая"));
  EXPECT_EQ(DifficultyName(Difficulty::Classic, Language::English), "Classic");
  // The track screen's labels.
  EXPECT_EQ(Say(Language::Russian, Phrase::BestTime), Ru("Лучшее время:"));
  EXPECT_EQ(Say(Language::English, Phrase::BestTime), "Best time: ");
}

}  // namespace
}  // namespace game
