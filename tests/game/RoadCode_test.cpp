// Road codes: written and read back, mistyped ones refused, and the road of the day fixed by the
// date alone.
#include "game/RoadCode.h"

#include <gtest/gtest.h>

#include "online/TextCodec.h"

namespace {

using game::DecodeRoadCode;
using game::Difficulty;
using game::EncodeRoadCode;
using game::RoadCode;
using game::RoadCodeError;

TEST(RoadCodeTest, RoundTripsRefusesTyposAndTheDayDecides) {
  const RoadCode codes[] = {
      {.Seed = 0, .Track = 0, .Level = 1, .GameDifficulty = Difficulty::Classic},
      {.Seed = 0xFFFFFFFFu, .Track = 11, .Level = 170, .GameDifficulty = Difficulty::Easy},
      {.Seed = 2026120912u, .Track = 5, .Level = 9, .GameDifficulty = Difficulty::Classic},
  };
  for (const RoadCode& code : codes) {
    const std::string text = EncodeRoadCode(code);
    ASSERT_EQ(text.size(), 11u) << text;
    EXPECT_EQ(text[5], '-');
    EXPECT_EQ(DecodeRoadCode(text), code) << text;
    // Case, dashes and spaces do not matter.
    std::string loose;
    for (char c : text) {
      if (c != '-') loose += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    loose.insert(3, 1, ' ');
    EXPECT_EQ(DecodeRoadCode(loose), code) << loose;
    // Every single mistyped symbol is refused as a typo.
    for (size_t at = 0; at < text.size(); ++at) {
      if (text[at] == '-') continue;
      for (char other : online::kCodecAlphabet) {
        if (other == text[at]) continue;
        std::string typo = text;
        typo[at] = other;
        RoadCodeError error = RoadCodeError::None;
        EXPECT_FALSE(DecodeRoadCode(typo, &error)) << typo;
        EXPECT_EQ(error, RoadCodeError::Check) << typo;
      }
    }
  }
  // A race beyond the last one a code holds is written as that one: its road is the same.
  EXPECT_EQ(DecodeRoadCode(EncodeRoadCode({.Seed = 7, .Track = 2, .Level = 400}))->Level, 170);
  RoadCodeError error = RoadCodeError::None;
  EXPECT_FALSE(DecodeRoadCode("ABCDE-FGH", &error));
  EXPECT_EQ(error, RoadCodeError::Length);
  EXPECT_FALSE(DecodeRoadCode("ABCDE-FGHI1", &error));
  EXPECT_EQ(error, RoadCodeError::Symbol);
  EXPECT_FALSE(DecodeRoadCode("", &error));
  EXPECT_EQ(error, RoadCodeError::Length);

  // The road of the day follows from the date alone, the same on every machine and every run.
  EXPECT_EQ(EncodeRoadCode(game::DailyRoadCode("2026-12-09")), "9AMYU-5LXE2");
  EXPECT_EQ(game::DailyRoadCode("2026-12-09"), game::DailyRoadCode("2026-12-09"));
  EXPECT_NE(game::DailyRoadCode("2026-12-09"), game::DailyRoadCode("2026-12-10"));
  for (const char* day : {"2026-01-01", "2027-02-28", "2028-02-29"}) {
    const RoadCode daily = game::DailyRoadCode(day);
    EXPECT_GE(daily.Level, 1) << day;
    EXPECT_LE(daily.Level, 9) << day;
    EXPECT_EQ(daily.GameDifficulty, Difficulty::Classic) << day;
    EXPECT_EQ(DecodeRoadCode(EncodeRoadCode(daily)), daily) << day;
  }
  EXPECT_TRUE(game::IsIsoDate("2028-02-29"));
  for (const char* bad : {"2027-02-29", "2026-13-01", "2026-1-01", "26-12-09", "2026-12-09x"})
    EXPECT_FALSE(game::IsIsoDate(bad)) << bad;
  EXPECT_TRUE(game::IsIsoDate(game::TodayUtc()));
}

}  // namespace
