// Track catalogue and road plan: catalogue contents, turn pairing, run lengths, ground flips and
// the closing straights.
#include "game/RoadPlan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/Random.h"
#include "game/TrackCatalogue.h"

namespace {

using game::RaceState;

TEST(TrackCatalogueTest, BuildsTwelveLockedTracksWithoutTimes) {
  RaceState race;
  race.SelectedTrack = 7;
  game::BuildTrackCatalogue(race);
  EXPECT_EQ(race.LastTrackIndex, 11);
  EXPECT_EQ(race.SelectedTrack, 0);
  EXPECT_EQ(race.Tracks[1].Picture, "tr_track12");
  EXPECT_EQ(race.Tracks[1].DataFile, "Data\\data13.prd");
  EXPECT_EQ(race.Tracks[9].Name, "Track 10");
  EXPECT_EQ(race.Tracks[11].LengthText, "856.2");
  EXPECT_EQ(race.Tracks[10].Laps, 8);
  EXPECT_EQ(race.Tracks[4].RivalCount, 6);
  for (int i = 0; i < 12; ++i) {
    EXPECT_FALSE(race.Tracks[i].Unlocked);
    EXPECT_EQ(race.Tracks[i].BestMin, 1000);
  }
  EXPECT_TRUE(race.Tracks[12].Name.empty());
}

// Generates a closed plan with the given parameters and seed.
RaceState MakePlan(uint32_t seed, int length, int minRun, int maxRun) {
  RaceState race;
  race.Level.RoadLength = length;
  race.Level.RoadMinRun = minRun;
  race.Level.RoadMaxRun = maxRun;
  engine::SetRandSeed(seed);
  game::GenerateRoadPlan(race, "Data\\data4.prd");
  EXPECT_EQ(race.RoadPieceCount, std::min(length, game::kMaxRoadLength));
  game::CloseRoadPlan(race);
  return race;
}

TEST(RoadPlanTest, FirstRaceHas112EntriesEndingInTwentyStraights) {
  for (uint32_t seed = 1; seed < 40; ++seed) {
    RaceState race = MakePlan(seed, 90, 5, 10);
    ASSERT_EQ(race.RoadPieceCount, 111);
    for (int j = 92; j <= 111; ++j) EXPECT_EQ(race.RoadPlan[j], 0) << j;
    const int last = race.RoadPlan[90];
    const int expected = (last == 1 || last == 4) ? 6 : (last == 2 || last == 3) ? 5 : 0;
    EXPECT_EQ(race.RoadPlan[91], expected);
  }
}

TEST(RoadPlanTest, TurnsComeInPairsAndRunsHaveTheirLength) {
  for (uint32_t seed = 100; seed < 160; ++seed) {
    const int a = 2 + static_cast<int>(seed % 4);
    const int b = a + 2 + static_cast<int>(seed % 6);
    RaceState race = MakePlan(seed, 250, a, b);
    ASSERT_TRUE(race.RoadPlan[0] == 3 || race.RoadPlan[0] == 4);
    int family = 0;  // what the straight/diagonal pieces must be right now
    std::vector<int> turns;
    for (int j = 0; j <= race.RoadPieceCount; ++j) {
      const int p = race.RoadPlan[j];
      if (p <= 2) {
        ASSERT_EQ(p, family) << "seed " << seed << " index " << j;
        continue;
      }
      turns.push_back(j);
      if (family == 0) {
        ASSERT_TRUE(p == 3 || p == 4) << j;
        family = p == 4 ? 1 : 2;
      } else {
        ASSERT_EQ(p, family == 1 ? 6 : 5) << j;
        family = 0;
      }
    }
    EXPECT_EQ(family, 0);
    // Every run but the closing one lasts a + 2 .. b + 1 pieces, its opening turn included.
    for (size_t t = 1; t + 1 < turns.size(); ++t) {
      const int run = turns[t] - turns[t - 1];
      EXPECT_GE(run, a + 2);
      EXPECT_LE(run, b + 1);
    }
  }
}

TEST(RoadPlanTest, GroundStartsPlainAndFlipsEveryTenToNineteenPieces) {
  for (uint32_t seed = 7; seed < 30; ++seed) {
    RaceState race = MakePlan(seed, 130, 5, 10);
    for (int j = 0; j < 5; ++j) EXPECT_EQ(race.SceneryPlan[j], 0);
    EXPECT_EQ(race.SceneryPlan[5], 3);
    int lastSwitch = 5;
    bool second = true;
    for (int j = 6; j < 130; ++j) {
      const int g = race.SceneryPlan[j];
      if (g == 2 || g == 3) {
        EXPECT_EQ(g, second ? 2 : 3);
        EXPECT_GE(j - lastSwitch, 10);
        EXPECT_LE(j - lastSwitch, 19);
        lastSwitch = j;
        second = !second;
      } else {
        EXPECT_EQ(g, second ? 1 : 0) << j;
      }
    }
    EXPECT_EQ(race.SceneryPlan[130], second ? 2 : 0);
    for (int j = 131; j < game::kRoadPlanSize; ++j) EXPECT_EQ(race.SceneryPlan[j], 0);
  }
}

TEST(RoadPlanTest, ShortRaceAfterLongOneLeavesNoStaleEntries) {
  RaceState race = MakePlan(5, 250, 1, 3);
  race.Level.RoadLength = 90;
  race.Level.RoadMinRun = 5;
  race.Level.RoadMaxRun = 10;
  game::GenerateRoadPlan(race, "");
  game::CloseRoadPlan(race);
  for (int j = 112; j < game::kRoadPlanSize; ++j) {
    EXPECT_EQ(race.RoadPlan[j], 0);
    EXPECT_EQ(race.SceneryPlan[j], 0);
  }
}

TEST(RoadPlanTest, OversizedLengthIsCutToTheTables) {
  RaceState race = MakePlan(3, 1000, 5, 10);
  EXPECT_EQ(race.RoadPieceCount, game::kMaxRoadLength + 21);
}

TEST(RoadPlanTest, SameSeedGivesSamePlan) {
  RaceState a = MakePlan(99, 170, 3, 8);
  RaceState b = MakePlan(99, 170, 3, 8);
  EXPECT_EQ(a.RoadPlan, b.RoadPlan);
  EXPECT_EQ(a.SceneryPlan, b.SceneryPlan);
}

}  // namespace
