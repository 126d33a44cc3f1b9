// A whole race world running frame by frame: the road keeps coming, old pieces go, the player
// makes progress along the path.
#include <gtest/gtest.h>

#include <cmath>

#include "game/PathPoints.h"
#include "game/Player.h"
#include "game/RaceFixture.h"
#include "game/RoadPieces.h"

namespace {

class RaceSmokeTest : public racetest::RaceFixture {};

TEST_F(RaceSmokeTest, DrivingTheRoadToTheFinishLine) {
  game::RaceState& race = form->Race;
  // The rearmost of four grid slots lands on the player's start point.
  race.RoadX = 400 - 72;
  race.RoadY = 460 - (440 + 50);
  new game::TPlayer(*form, 396, 460, 0, "player", -90);
  game::LayRoad(*form);
  game::MeasurePath(race);
  game::TPlayer* player = race.Player;
  player->ControlsOn = true;
  form->KeyDown[0x26] = true;

  double firstProgress = 0;
  int maxSprites = 0;
  for (int frame = 0; frame < 9000 && !race.Paused; ++frame) {
    Frame();
    game::ScrollPath(*form);
    if (frame == 0) firstProgress = player->Progress;
    maxSprites = std::max(maxSprites, form->OmegaSprite1.Count());
    // Keep the nose on the next path point, as a driver would.
    const game::PathPointXY& target = race.PathPoint[player->NextPathPoint];
    const double dx = target.x - (player->X + player->Width / 2.0);
    const double dy = target.y - (player->Y + player->Height / 2.0);
    const double wanted = std::atan2(dy, dx) * 180 / 3.14159265358979;
    form->KeyDown[0x27] = wanted > player->Heading + 2;
    form->KeyDown[0x25] = wanted < player->Heading - 2;
  }
  EXPECT_GT(race.RoadPlanIndex, 20);
  EXPECT_GT(player->Progress, firstProgress + 500);
  EXPECT_GT(player->NextPathPoint, 10);
  EXPECT_LT(maxSprites, 900) << "pieces far below the screen die";
  EXPECT_FALSE(race.Destroyed);
  // The whole road driven: the finish line stopped the race with the player first.
  EXPECT_TRUE(race.Paused) << "stuck at path point " << player->NextPathPoint;
  EXPECT_EQ(race.FinishPlace, 1);
  EXPECT_FALSE(player->ControlsOn);
  EXPECT_GT(race.RoadPlanIndex, 100);
}

}  // namespace
