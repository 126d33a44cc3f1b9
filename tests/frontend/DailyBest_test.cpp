// The daily bests in vornakel.ini: only a faster time replaces the player's best of the day.
#include "frontend/DailyBest.h"

#include <gtest/gtest.h>

namespace {

TEST(DailyBestTest, KeepsTheFastestTimeOfEachDayPerPlayer) {
  using frontend::DailyBestIn;
  using frontend::KeepDailyBest;
  frontend::IniDocument ini = frontend::IniDocument::Parse(
      "[profile \"Bob\"]\ndifficulty = easy\ndaily.2026-12-08 = 1:2x.00\n");
  EXPECT_FALSE(DailyBestIn(ini, "Bob", "2026-12-08")) << "a damaged time reads as none";
  EXPECT_TRUE(KeepDailyBest(ini, "Bob", "2026-12-09", 8345));
  EXPECT_FALSE(KeepDailyBest(ini, "Bob", "2026-12-09", 8345));
  EXPECT_FALSE(KeepDailyBest(ini, "Bob", "2026-12-09", 9000));
  EXPECT_TRUE(KeepDailyBest(ini, "Bob", "2026-12-09", 7001));
  EXPECT_TRUE(KeepDailyBest(ini, "Ann", "2026-12-09", 12000));
  EXPECT_EQ(DailyBestIn(ini, "Bob", "2026-12-09"), 7001);
  EXPECT_EQ(ini.Get("profile \"Bob\"", "daily.2026-12-09"), "1:10.01");
  EXPECT_EQ(ini.Get("profile \"Ann\"", "daily.2026-12-09"), "2:00.00");
  EXPECT_EQ(ini.Get("profile \"Bob\"", "difficulty"), "easy");
  EXPECT_EQ(frontend::ParseRaceTime("12:05.30"), 72530);
  for (const char* bad : {"1:5.30", "1:60.00", "1:05.3", "-1:05.30", "105.30", "1:05:30"})
    EXPECT_FALSE(frontend::ParseRaceTime(bad)) << bad;
}

}  // namespace
