// The player's driving model: speed limits, steering guard, brakes, grip, contact damage, the fatal
// hit, blinking and ranking.
#include "game/Player.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/EnemyCar.h"
#include "game/RaceFixture.h"
#include "game/RoadPieces.h"

namespace {

constexpr int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kSpace = 0x20;

class PlayerTest : public racetest::RaceFixture {
 protected:
  PlayerTest() {
    player = new game::TPlayer(*form, 396, 460, 0, "player", -90);
    player->ControlsOn = true;
  }

  // One Move with the probes on or off the road.
  void Step(bool onRoad = true) {
    player->FrontPoint->OnRoad = onRoad;
    player->CentrePoint->OnRoad = onRoad;
    player->Move(0);
  }

  void Hold(int key) { form->KeyDown[key] = true; }
  void Release(int key) {
    form->KeyDown[key] = false;
    form->KeyReleased[key] = true;
  }

  game::TPlayer* player = nullptr;
};

TEST_F(PlayerTest, CreationTakesTheModelAndStaysOnItsScreenPlace) {
  EXPECT_EQ(player->Name, "player");
  EXPECT_EQ(form->Race.Player, player);
  EXPECT_DOUBLE_EQ(player->MaxSpeed, 9.0);
  EXPECT_DOUBLE_EQ(player->SpinDecay, 0.06);
  EXPECT_EQ(player->Z, 50);
  EXPECT_FLOAT_EQ(player->X, 376);
  EXPECT_FLOAT_EQ(player->Y, 420);
  EXPECT_FLOAT_EQ(player->Rotation, -180);
  EXPECT_EQ(player->Shadow->Z, 48);
  Hold(kUp);
  for (int i = 0; i < 50; ++i) Step();
  EXPECT_FLOAT_EQ(player->X, 376);
  EXPECT_FLOAT_EQ(player->Y, 420);
  EXPECT_NEAR(player->ScrollY, player->Speed / 0.997 - 0.05, 1e-9)
      << "scroll uses the speed from before this frame's acceleration";
}

TEST_F(PlayerTest, TopSpeedIsClampedAtTheStartOfEachFrame) {
  Hold(kUp);
  for (int i = 0; i < 2000; ++i) {
    Step();
    ASSERT_LE(player->Speed, (9.0 + 0.05) * 0.997 + 1e-12);
  }
  EXPECT_NEAR(player->Speed, (9.0 + 0.05) * 0.997, 1e-12);
  // Releasing Up drops the acceleration; the truck only rolls out.
  Release(kUp);
  const double before = player->Speed;
  Step();
  EXPECT_DOUBLE_EQ(player->Accel, 0);
  EXPECT_FALSE(form->KeyReleased[kUp]);
  EXPECT_NEAR(player->Speed, before * 0.997, 1e-12);
}

TEST_F(PlayerTest, AKeyPressedAgainBeforeItsReleaseIsHandledStaysHeld) {
  // Up released and pressed again within one frame, or during a spin-out: the truck drives on.
  Hold(kUp);
  Step();
  Release(kUp);
  Hold(kUp);
  Release(kRight);
  Hold(kRight);
  player->Speed = 3;
  Step();
  EXPECT_FALSE(form->KeyReleased[kUp]);
  EXPECT_FALSE(form->KeyReleased[kRight]);
  EXPECT_TRUE(form->KeyDown[kUp]);
  EXPECT_TRUE(form->KeyDown[kRight]);
  EXPECT_GT(player->Accel, 0);
  const double speed = player->Speed;
  const double heading = player->Heading;
  Step();
  EXPECT_GT(player->Speed, speed);
  EXPECT_GT(player->Heading, heading);
}

TEST_F(PlayerTest, NoSteeringAtWalkingPace) {
  Hold(kRight);
  player->Speed = 0.3;
  Step();
  EXPECT_DOUBLE_EQ(player->Heading, -90);
  player->Speed = -0.3;
  Step();
  EXPECT_DOUBLE_EQ(player->Heading, -90);
  player->Speed = 0.31;
  Step();
  EXPECT_DOUBLE_EQ(player->Heading, -89.5);
  // Right wins when both are held.
  Hold(kLeft);
  player->Speed = 3;
  Step();
  EXPECT_DOUBLE_EQ(player->Heading, -89.0);
}

TEST_F(PlayerTest, DownBrakesThenReversesToTheLimit) {
  player->Speed = 5;
  Hold(kDown);
  Step();
  EXPECT_NEAR(player->Speed, (5 - 0.03) * 0.997, 1e-12);
  for (int i = 0; i < 3000; ++i) {
    Step();
    ASSERT_GE(player->Speed, (-2.0 - 0.03) * 0.997 - 1e-12);
  }
  EXPECT_NEAR(player->Speed, (-2.0 - 0.03) * 0.997, 1e-12);
}

TEST_F(PlayerTest, HandbrakeWhileReversingStopsAtOnce) {
  player->Speed = -1.5;
  Hold(kSpace);
  Step();
  EXPECT_DOUBLE_EQ(player->Speed, 0);
  EXPECT_DOUBLE_EQ(player->Accel, 0.011);
  // Forward, the handbrake only slows.
  player->Speed = 5;
  Step();
  EXPECT_GT(player->Speed, 4.9);
  EXPECT_DOUBLE_EQ(player->Accel, -0.011);
}

TEST_F(PlayerTest, OffTheRoadAccelerationIsAFifth) {
  Hold(kUp);
  Step(false);
  EXPECT_NEAR(player->Speed, 0.05 * 0.2 * 0.997, 1e-12);
  EXPECT_DOUBLE_EQ(player->GroundFactor, 0.2);
  player->Speed = 0;
  Step(true);
  EXPECT_NEAR(player->Speed, 0.05 * 0.997, 1e-12);
}

TEST_F(PlayerTest, WithoutControlsTheTruckRunsDown) {
  player->ControlsOn = false;
  player->Speed = 1;
  player->Accel = 0.05;
  Step();
  EXPECT_DOUBLE_EQ(player->Accel, 0);
  EXPECT_NEAR(player->Speed, (1 - 0.011) * 0.997, 1e-12);
}

TEST_F(PlayerTest, TruckContactDamageDependsOnRelativeSpeed) {
  auto* other = new game::TEnemyCar(*form, 396, 400, 1, "enemy", -90, 0, 0, 1);
  form->Race.Opponents[0] = other;
  struct Case {
    double relative;
    int damage;
  };
  for (const Case c :
       {Case{4.0, 0}, Case{4.1, 1}, Case{7.4, 1}, Case{7.5, 2}, Case{9.9, 2}, Case{10.0, 0}}) {
    player->Health = 100;
    player->Speed = 0;
    player->MoveDir = player->Heading = -90;
    other->Speed = c.relative;
    other->MoveDir = -90;
    player->ContactResponse(*other);
    EXPECT_EQ(100 - player->Health, c.damage) << c.relative;
  }
  // The push leads away from the other truck (it is above, so the world moves up).
  EXPECT_LT(player->PushY, 0);
}

TEST_F(PlayerTest, OverlappingOpponentPushesUnlessBlinking) {
  auto* other = new game::TEnemyCar(*form, 396, 420, 1, "enemy", -90, 0, 0, 1);
  form->Race.Opponents[0] = other;
  other->UpdateCornersAndProbes();
  player->UpdateCornersAndProbes();
  player->TruckContact();
  EXPECT_TRUE(player->Colliding[0]);
  EXPECT_TRUE(player->WasColliding[0]);
  EXPECT_NE(player->PushY, 0);
  player->PushX = player->PushY = 0;
  player->StartBlink();
  player->TruckContact();
  EXPECT_DOUBLE_EQ(player->PushY, 0);
  EXPECT_DOUBLE_EQ(player->PushX, 0);
}

TEST_F(PlayerTest, WallHitsCostThreeTimesTheSpeed) {
  auto* wall = new game::TRoadRock(*form, 450, 460, 0, 0);
  player->Speed = 9;
  game::ApplyWallContact(*form, *player, *wall);
  EXPECT_EQ(player->Health, 73);
  EXPECT_LE(player->Speed, 9);
  EXPECT_NE(player->Heading, -90);
  // The world moved away from the wall (to the right), not the truck.
  EXPECT_FLOAT_EQ(player->X, 376);
  EXPECT_GT(wall->X, 440);

  player->Health = 100;
  player->Speed = -1.5;
  game::ApplyWallContact(*form, *player, *wall);
  EXPECT_EQ(player->Health, 100) << "reversing into a wall costs nothing";
  EXPECT_GE(player->Speed, -1.5);
}

TEST_F(PlayerTest, FatalHitKeepsHealthAndRaisesDestroyed) {
  player->Health = 20;
  player->ApplyDamage(20);
  EXPECT_EQ(player->Health, 20);
  EXPECT_TRUE(form->Race.Destroyed);
  form->Race.Destroyed = false;
  player->ApplyDamage(19);
  EXPECT_EQ(player->Health, 1);
  EXPECT_FALSE(form->Race.Destroyed);
}

TEST_F(PlayerTest, DamageAndRepairGuards) {
  player->ApplyDamage(0);
  player->ApplyDamage(-5);
  EXPECT_EQ(player->Health, 100);
  form->Race.Paused = true;
  player->ApplyDamage(10);
  EXPECT_EQ(player->Health, 100);
  form->Race.Paused = false;
  form->GameState = 16;
  player->ApplyDamage(10);
  EXPECT_EQ(player->Health, 100);
  form->GameState = 12;
  player->ApplyDamage(10);
  player->Repair(50);
  EXPECT_EQ(player->Health, 100);
  player->ApplyDamage(30);
  player->Repair(10);
  EXPECT_EQ(player->Health, 80);
}

TEST_F(PlayerTest, BlinkingTogglesEveryTenFramesForTwoHundredAndProtects) {
  player->StartBlink();
  player->ApplyDamage(50);
  EXPECT_EQ(player->Health, 100);
  int toggles = 0;
  bool visible = player->Visible;
  for (int frame = 0; frame < 200; ++frame) {
    Step();
    ASSERT_TRUE(player->Blinking) << frame;
    if (player->Visible != visible) ++toggles;
    visible = player->Visible;
    EXPECT_EQ(player->Shadow->Visible, player->Visible);
  }
  EXPECT_EQ(toggles, 20);
  Step();
  EXPECT_FALSE(player->Blinking);
  EXPECT_TRUE(player->Visible);
  EXPECT_TRUE(player->Shadow->Visible);
}

TEST_F(PlayerTest, RankingTieGoesToThePlayer) {
  game::RaceState& race = form->Race;
  race.PathPointCount = 2;
  race.PathPoint[1] = {396, 1000};
  race.PathPoint[2] = {396, -1000};
  race.PathLength[2] = 200;
  race.OpponentCount = 2;
  player->UpdateProgress();
  race.OpponentTotal[0] = race.PlayerTotal;
  race.OpponentTotal[1] = race.PlayerTotal - 1;
  player->UpdateRacePosition();
  EXPECT_EQ(player->RacePosition, 1);
  race.OpponentTotal[1] = race.PlayerTotal + 0.5;
  player->UpdateRacePosition();
  EXPECT_EQ(player->RacePosition, 2);
  race.OpponentCount = 0;
  player->UpdateRacePosition();
  EXPECT_EQ(player->RacePosition, 1);
}

TEST_F(PlayerTest, BackTravelGrowsDrivingDownAndNeverRisesAboveZero) {
  player->Heading = player->MoveDir = 90;
  player->Speed = 3;
  Step();
  EXPECT_LT(player->BackTravel, 0);
  const double back = player->BackTravel;
  player->Heading = player->MoveDir = -90;
  // A step that would carry it past 0 is not taken at all.
  player->Speed = 5;
  Step();
  EXPECT_DOUBLE_EQ(player->BackTravel, back);
  player->Speed = 1;
  for (int i = 0; i < 100; ++i) Step();
  EXPECT_GT(player->BackTravel, back);
  EXPECT_LE(player->BackTravel, 0);
}

}  // namespace
