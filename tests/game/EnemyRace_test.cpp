// Whole races of opponents on generated roads: every opponent keeps gaining ground and reaches the
// finish line, whether the view stands still or follows the leader through the walls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/Bonus.h"
#include "game/EnemyCar.h"
#include "game/EnemyFixture.h"
#include "game/PathPoints.h"
#include "game/RaceFlow.h"
#include "game/RoadPieces.h"

namespace {

using game::TEnemyCar;

struct Watch {
  double Best = -1e9;
  int LastGain = 0;
  int LongestStall = 0;
  int FinishFrame = -1;
  int WallFrames = 0;
};

class EnemyRaceTest : public racetest::EnemyFixture {
 protected:
  // The race set-up's order: grid, player on the rearmost slot, opponents in front, then the road.
  void BuildRace(int opponents, int roadLength) {
    game::RaceState& race = form->Race;
    race.Level.RoadLength = roadLength;
    race.Level.RoadMinRun = 5;
    race.Level.RoadMaxRun = 10;
    for (int i = 1; i <= game::kOpponentSlots; ++i)
      race.StartGrid[static_cast<size_t>(i)] = i % 2 == 1 ? game::PathPointXY{-70.0, 100.0 * i}
                                                          : game::PathPointXY{72.0, 100.0 * i + 40};
    race.TruckCount = opponents + 1;
    const game::PathPointXY& rear = race.StartGrid[static_cast<size_t>(race.TruckCount)];
    race.RoadX = 400 - rear.x;
    race.RoadY = 460 - (rear.y + 50);
    player = MakePlayer();
    race.OpponentCount = 0;
    for (int j = 1; j < race.TruckCount; ++j) {
      const game::PathPointXY& slot = race.StartGrid[static_cast<size_t>(j)];
      new TEnemyCar(*form, race.RoadX + slot.x, race.RoadY + slot.y + 50, engine::Random(5),
                    "enemy", -90, j - 1, j);
    }
    game::LayRoad(*form);
    game::MeasurePath(race);
    race.Paused = false;
    race.NextFinishPlace = 1;
    for (int i = 0; i < race.OpponentCount; ++i)
      race.Opponents[static_cast<size_t>(i)]->Released = true;
    watches.assign(static_cast<size_t>(race.OpponentCount), Watch{});
  }

  // One race frame as the race runs it: free the dead, move everything, move the path.
  void RaceFrame() {
    form->OmegaSprite1.Dead();
    game::MoveRaceSprites(*form);
    game::ScrollPath(*form);
  }

  // Keeps the leading opponent still racing near the middle of the screen, as a view that follows
  // it would, so the road is laid around the trucks.
  void FollowLeader() {
    const game::RaceState& race = form->Race;
    const TEnemyCar* leader = nullptr;
    for (int i = 0; i < race.OpponentCount; ++i) {
      const TEnemyCar* car = race.Opponents[static_cast<size_t>(i)];
      if (car->LapCount == 0 && (leader == nullptr || car->Progress > leader->Progress))
        leader = car;
    }
    if (leader == nullptr) return;
    const game::Point2 c = leader->Centre();
    if (c.y < 300) game::ShiftWorld(*form, 400 - c.x, 300 - c.y);
  }

  // Runs until every opponent is over the line or the frame limit; records stalls and finishes.
  void Run(int frames, bool follow) {
    const game::RaceState& race = form->Race;
    for (frame = 1; frame <= frames; ++frame) {
      RaceFrame();
      if (follow) FollowLeader();
      bool allDone = true;
      for (int i = 0; i < race.OpponentCount; ++i) {
        const TEnemyCar* car = race.Opponents[static_cast<size_t>(i)];
        Watch& w = watches[static_cast<size_t>(i)];
        if (w.FinishFrame < 0 && car->LapCount > 0) w.FinishFrame = frame;
        if (w.FinishFrame >= 0) continue;
        allDone = false;
        if (car->Progress > w.Best + 1) {
          w.Best = car->Progress;
          w.LastGain = frame;
        }
        w.LongestStall = std::max(w.LongestStall, frame - w.LastGain);
      }
      CountWallContacts();
      if (allDone) break;
    }
  }

  void CountWallContacts() {
    for (int s = 0; s < form->OmegaSprite1.Count(); ++s) {
      auto* wall = dynamic_cast<game::TRoadRock*>(form->OmegaSprite1.Sprites(s));
      if (wall == nullptr) continue;
      for (size_t i = 0; i < watches.size(); ++i)
        if (wall->Touching[i]) ++watches[i].WallFrames;
    }
  }

  void ExpectEveryOpponentFinishedWithoutStalling() {
    const bool verbose = std::getenv("VORNAKEL_RACE_REPORT") != nullptr;
    for (size_t i = 0; i < watches.size(); ++i) {
      const Watch& w = watches[i];
      if (verbose)
        std::printf("opponent %zu: finish %d, longest stall %d, wall frames %d\n", i, w.FinishFrame,
                    w.LongestStall, w.WallFrames);
      EXPECT_LE(w.LongestStall, 900) << "opponent " << i;
      EXPECT_GT(w.FinishFrame, 0) << "opponent " << i << " never reached the finish line";
    }
    EXPECT_EQ(form->Race.NextFinishPlace, static_cast<int>(watches.size()) + 1);
  }

  game::TPlayer* player = nullptr;
  std::vector<Watch> watches;
  int frame = 0;
};

TEST_F(EnemyRaceTest, OpponentsReachTheFinishOfALevelOneRoadWhileThePlayerStandsStill) {
  engine::SetRandSeed(2024);
  BuildRace(3, 90);
  Run(12000, false);
  ExpectEveryOpponentFinishedWithoutStalling();
  EXPECT_FLOAT_EQ(player->Y, 460 - player->Height / 2.0f) << "the player never moved";
}

// Nine opponents soon leave the laid road behind and race on the path alone, with no walls to
// guide them: none may end up circling a path point it missed.
TEST_F(EnemyRaceTest, NineOpponentsBeyondTheLaidRoadReachTheFinish) {
  engine::SetRandSeed(4 * 7919);
  BuildRace(9, 90);
  Run(12000, false);
  ExpectEveryOpponentFinishedWithoutStalling();
}

TEST_F(EnemyRaceTest, OpponentsThroughTheWallsAndPickupsKeepGainingGround) {
  engine::SetRandSeed(99);
  form->Race.PlacePickup = game::PlaceBonus;
  BuildRace(3, 90);
  // The player waits blinking at its place; the view follows the leader.
  player->StartBlink();
  player->BlinkLength = 1 << 30;
  Run(12000, true);
  ExpectEveryOpponentFinishedWithoutStalling();
}

}  // namespace
