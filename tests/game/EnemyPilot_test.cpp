// The opponent's pilot and per-frame order: steering toward the path, bend speed, walls and trucks
// ahead, contact with other trucks, the wait before the start, progress and place.
#include <gtest/gtest.h>

#include <cmath>

#include "game/EnemyCar.h"
#include "game/EnemyFixture.h"
#include "game/RaceFlow.h"
#include "game/RoadGeometry.h"
#include "game/RoadPieces.h"

namespace {

using game::PilotRequests;
using game::TEnemyCar;

class EnemyPilotTest : public racetest::EnemyFixture {
 protected:
  EnemyPilotTest() {
    car = Opponent(0, 400, 400);
    car->LateralOffset = 0;
  }

  // A target far ahead, slightly right of the truck's centre line (exactly on it the pilot would
  // take the target for one straight below).
  void TargetAhead() { Target(401.5, -10000); }

  // A single target point for the pilot.
  void Target(double x, double y) {
    form->Race.PathPointCount = 1;
    form->Race.PathPoint[1] = {x, y};
    car->TargetPoint = 1;
  }

  PilotRequests Pilot(double speed) {
    car->Speed = speed;
    return car->RunPilot();
  }

  TEnemyCar* car = nullptr;
};

TEST_F(EnemyPilotTest, CreationSetsUpSensorsOffsetsAndMarkers) {
  game::RaceState& race = form->Race;
  EXPECT_EQ(car->Name, "enemycar");
  EXPECT_EQ(race.OpponentCount, 1);
  EXPECT_EQ(race.Opponents[0], car);
  EXPECT_FALSE(car->Released);
  EXPECT_EQ(car->OpponentNumber, 1);
  EXPECT_DOUBLE_EQ(car->SpinDecay, 0.06);
  EXPECT_FALSE(car->TargetArrow->Visible);
  EXPECT_EQ(car->TargetArrow->Z, 510);
  EXPECT_EQ(car->RadarBlip->Z, 485);
  const double blipX = car->RadarBlip->X + car->RadarBlip->Width / 2.0;
  EXPECT_GE(blipX, 774);
  EXPECT_LE(blipX, 777);

  // Heading up: the far sensor straight ahead of the rear pivot, the side one to the left.
  const double h = car->Height;
  const double pivotX = car->X + car->Width / 2.0;
  const double pivotY = car->Y + 0.3 * h;
  EXPECT_NEAR(car->Sensors[2].X, pivotX, 1e-9);
  EXPECT_NEAR(car->Sensors[2].Y, pivotY - (0.7 * h + 70), 1e-9);
  EXPECT_NEAR(car->Sensors[3].Y, pivotY - (0.7 * h + 20), 1e-9);
  EXPECT_LT(car->Sensors[0].X, pivotX);
  EXPECT_GT(car->Sensors[1].X, pivotX);
  EXPECT_NEAR(car->Sensors[4].X, pivotX - 0.7 * h, 1e-9);

  // Odd numbers keep left of the path, even ones right; each drawn picture frame exists.
  for (int number = 1; number <= 40; ++number) {
    auto* other = new TEnemyCar(*form, 400, 400, number % 5, "enemy", -90, number % 20, number);
    if (number % 2 == 1) {
      EXPECT_LE(other->LateralOffset, 0) << number;
    } else {
      EXPECT_GE(other->LateralOffset, 0) << number;
    }
    EXPECT_LT(std::fabs(other->LateralOffset), 100);
    EXPECT_GE(other->OffsetPeriod, 500);
    EXPECT_LT(other->OffsetPeriod, 900);
    EXPECT_LT(other->PatternIndex, 3);
  }
}

TEST_F(EnemyPilotTest, SteersTowardTheTargetPoint) {
  Target(900, -100);  // ahead and to the right
  PilotRequests r = Pilot(3);
  EXPECT_TRUE(r.TurnRight);
  EXPECT_FALSE(r.TurnLeft);
  EXPECT_DOUBLE_EQ(car->Heading, -90 + car->SteerRate);

  car->Heading = car->MoveDir = -90;
  Target(-100, -100);  // ahead and to the left
  r = Pilot(3);
  EXPECT_TRUE(r.TurnLeft);
  EXPECT_DOUBLE_EQ(car->Heading, -90 - car->SteerRate);

  // A target nearly straight ahead asks for no turn.
  car->Heading = car->MoveDir = -90;
  TargetAhead();
  r = Pilot(3);
  EXPECT_FALSE(r.TurnLeft || r.TurnRight);
  EXPECT_TRUE(r.Accelerate);
}

TEST_F(EnemyPilotTest, TargetLevelWithTheTruckGivesNoTurnButStillASpeedRequest) {
  // Far to the right, but within a pixel of the truck's centre line after rounding.
  Target(1500, 400.4);
  PilotRequests r = Pilot(6.5);
  EXPECT_FALSE(r.TurnLeft || r.TurnRight);
  // 90 degrees off: allowed 6 - 2 cos 90 = 6.
  EXPECT_TRUE(r.Brake);
  EXPECT_NEAR(car->TargetArrow->Rotation, 0, 0.05);
  r = Pilot(5.9);
  EXPECT_TRUE(r.Accelerate);
}

TEST_F(EnemyPilotTest, TargetPointAdvancesWithin200PixelsAndWrapsToTheFirst) {
  StraightPath(400, 300, 3);  // (400, 300), (400, 0), (400, -300)
  car->TargetPoint = 1;
  Pilot(1);
  EXPECT_EQ(car->TargetPoint, 2);
  Pilot(1);
  EXPECT_EQ(car->TargetPoint, 2) << "400 pixels away";
  car->TargetPoint = 3;
  car->SetY(car->Y - 550);  // centre (400, -150)
  Pilot(1);
  EXPECT_EQ(car->TargetPoint, 1);
}

TEST_F(EnemyPilotTest, SlowsForBendsByTheAngleToTheTarget) {
  // 45 degrees off the nose: allowed 6 - 2 cos 45, about 4.59.
  Target(1400, -600);
  EXPECT_TRUE(Pilot(4.7).Brake);
  car->Heading = car->MoveDir = -90;
  EXPECT_TRUE(Pilot(4.5).Accelerate);

  // Just over 10 degrees (11): about 4.04.
  car->Heading = car->MoveDir = -90;
  Target(400 + 1000 * std::tan(11 * game::kDegToRad), -600);
  EXPECT_TRUE(Pilot(4.1).Brake);
  car->Heading = car->MoveDir = -90;
  EXPECT_TRUE(Pilot(4.0).Accelerate);

  // Within 10 degrees: full speed.
  car->Heading = car->MoveDir = -90;
  Target(400 + 1000 * std::tan(9 * game::kDegToRad), -600);
  EXPECT_TRUE(Pilot(8).Accelerate);

  // Behind: brake down to 2, then accelerate again.
  car->Heading = car->MoveDir = -90;
  Target(300, 1400);
  EXPECT_TRUE(Pilot(2.5).Brake);
  EXPECT_DOUBLE_EQ(car->Accel, -car->BrakeRate);
  car->Heading = car->MoveDir = -90;
  EXPECT_TRUE(Pilot(1.5).Accelerate);
  EXPECT_DOUBLE_EQ(car->Accel, car->AccelRate);
}

TEST_F(EnemyPilotTest, WallsAheadTurnItAwayAndBrakeAboveTwo) {
  TargetAhead();
  car->Sensors[0].WallHit = true;  // wall ahead on the left
  PilotRequests r = Pilot(3);
  EXPECT_TRUE(r.TurnRight);
  EXPECT_TRUE(r.Brake);
  EXPECT_FALSE(r.Accelerate);
  EXPECT_FALSE(car->Sensors[0].WallHit) << "the flag is used up";

  car->Heading = car->MoveDir = -90;
  car->Sensors[1].WallHit = true;  // wall ahead on the right
  r = Pilot(1.5);
  EXPECT_TRUE(r.TurnLeft);
  EXPECT_FALSE(r.TurnRight);
  EXPECT_TRUE(r.Accelerate) << "slow trucks keep going";

  // A wall both front sensors see lies ahead: the truck brakes and steers for its target, here
  // up and to the right, instead of turning left into a wall it skims on its left.
  car->Heading = car->MoveDir = -90;
  Target(700, -1000);
  car->Sensors[0].WallHit = true;
  car->Sensors[1].WallHit = true;
  r = Pilot(3);
  EXPECT_TRUE(r.TurnRight);
  EXPECT_FALSE(r.TurnLeft);
  EXPECT_TRUE(r.Brake);
  EXPECT_FALSE(car->Sensors[0].WallHit || car->Sensors[1].WallHit) << "both flags are used up";
}

TEST_F(EnemyPilotTest, WallsOnlyRaiseSensorsAndEachRaceFrameLowersThem) {
  // A wall ahead whose lower corner lies inside the sensor's square.
  const double x = car->Sensors[0].X + 20;
  const double y = car->Sensors[0].Y - 60;
  auto* seen = new game::TRoadRock(*form, static_cast<float>(x), static_cast<float>(y), 0, 0);
  auto* far = new game::TRoadRock(*form, static_cast<float>(x + 2000), static_cast<float>(y), 0, 0);
  seen->Move(0);
  far->Move(0);
  EXPECT_TRUE(car->Sensors[0].WallHit) << "a later wall out of reach leaves the sensor raised";

  seen->Dead();
  form->OmegaSprite1.Dead();
  game::MoveRaceSprites(*form);
  EXPECT_FALSE(car->Sensors[0].WallHit) << "no wall in reach in this frame";
}

TEST_F(EnemyPilotTest, TruckAheadOverridesTheWallTurn) {
  TargetAhead();
  // Ahead and to the left, inside the far box but clear of the near one.
  Opponent(1, 370, 220);
  car->Sensors[1].WallHit = true;
  PilotRequests r = Pilot(3);
  EXPECT_TRUE(r.TurnRight) << "swerves right, away from the truck on the left";
  EXPECT_FALSE(r.TurnLeft);
  EXPECT_TRUE(r.Brake) << "the wall still asks for braking";
  EXPECT_FALSE(car->AvoidRight);
  EXPECT_FALSE(car->AvoidBrake);
}

TEST_F(EnemyPilotTest, TruckCloseAheadMakesItBrake) {
  TargetAhead();
  TEnemyCar* ahead = Opponent(1, 400, 300);
  ahead->MoveDir = -90;
  car->SenseTrucks();
  EXPECT_TRUE(car->AvoidBrake);
  EXPECT_TRUE(Pilot(3).Brake);
  EXPECT_TRUE(Pilot(1.5).Accelerate) << "no braking below 2";

  // The player's truck counts too.
  ahead->SetX(-1000);
  ahead->UpdateCornersAndProbes();
  car->SenseTrucks();
  EXPECT_FALSE(car->AvoidBrake);
  auto* player = MakePlayer();
  player->UpdateCornersAndProbes();
  car->SetX(static_cast<float>(396 - car->Width / 2.0));
  car->SetY(static_cast<float>(560 - car->Height / 2.0));
  car->UpdateCornersAndProbes();
  car->PlaceSensors();
  car->SenseTrucks();
  EXPECT_TRUE(car->AvoidBrake);
}

TEST_F(EnemyPilotTest, TouchingOpponentsEachPushThemselvesAwayAndTurn) {
  TEnemyCar* other = Opponent(1, 400, 440);
  car->Speed = 5;
  car->MoveDir = car->Heading = -90;
  other->Speed = 5;
  other->MoveDir = other->Heading = -60;
  const float carY = car->Y;
  const float carX = car->X;
  car->TruckContact();
  EXPECT_TRUE(car->Colliding[1]);
  EXPECT_TRUE(car->WasColliding[1]);
  // Moving straight up, pushed 3 pixels up (away from the truck below) and none sideways.
  EXPECT_NEAR(car->Y, carY - 3, 1e-4);
  EXPECT_NEAR(car->X, carX, 1e-4);
  EXPECT_DOUBLE_EQ(car->Heading, -88.5);
  EXPECT_DOUBLE_EQ(car->MoveDir, -88.5);
  EXPECT_DOUBLE_EQ(car->Speed, 5) << "no speed loss for opponents";

  // The other truck runs its own response: standing still, pushed by the base 1.5.
  other->Speed = 0;
  const float otherY = other->Y;
  other->TruckContact();
  EXPECT_NEAR(other->Y, otherY + 1.5, 1e-4);
  EXPECT_DOUBLE_EQ(other->Heading, -60) << "a standing truck has no turning moment";
}

TEST_F(EnemyPilotTest, ABlinkingPlayerIsPassedThrough) {
  auto* player = MakePlayer();
  player->UpdateCornersAndProbes();
  car->SetX(static_cast<float>(396 - car->Width / 2.0));
  car->SetY(static_cast<float>(420 - car->Height / 2.0));
  car->UpdateCornersAndProbes();
  const float y = car->Y;
  player->StartBlink();
  car->TruckContact();
  EXPECT_TRUE(car->TouchingPlayer);
  EXPECT_FLOAT_EQ(car->Y, y);
  player->Blinking = false;
  car->TruckContact();
  EXPECT_LT(car->Y, y) << "pushed up, away from the player below";
}

TEST_F(EnemyPilotTest, BeforeTheStartItHoldsStillOrCreepsNearTheFirstPoint) {
  StraightPath(400, -2000, 3);
  car->Speed = 1;
  car->Move(0);
  EXPECT_DOUBLE_EQ(car->Accel, -0.0055);
  EXPECT_NEAR(car->Speed, (1 - 1.2 * 0.0055) * 0.997, 1e-12);

  // Within 100 pixels of the first point (measured from the top-left corner): creep forward.
  StraightPath(car->X + 50, car->Y, 3);
  car->Speed = 0;
  car->Move(0);
  EXPECT_DOUBLE_EQ(car->Accel, 0.01);
  EXPECT_NEAR(car->Speed, 1.2 * 0.01 * 0.997, 1e-12) << "opponents gain 1.2 times the speed";

  // Outside the racing state the ground gives half.
  form->GameState = 16;
  car->Speed = 0;
  car->Move(0);
  EXPECT_DOUBLE_EQ(car->GroundFactor, 0.5);
  EXPECT_NEAR(car->Speed, 1.2 * 0.01 * 0.5 * 0.997, 1e-12);
}

TEST_F(EnemyPilotTest, OffTheRoadAnOpponentKeepsItsGrip) {
  StraightPath(400, -2000, 3);
  car->GroundFactor = 0.7;
  car->Move(0);
  EXPECT_DOUBLE_EQ(car->GroundFactor, 0.7);
  car->SetY(-50);  // above the top of the screen
  car->Move(0);
  EXPECT_DOUBLE_EQ(car->GroundFactor, 1.0);
}

TEST_F(EnemyPilotTest, FarBelowHeadingDownItTurnsBackAndSkipsAPoint) {
  StraightPath(400, -2000, 5);
  car->SetY(4100);
  car->Heading = car->MoveDir = 90;
  car->TargetPoint = 2;
  car->Move(0);
  EXPECT_DOUBLE_EQ(car->Heading, -90);
  EXPECT_DOUBLE_EQ(car->MoveDir, -90);
  EXPECT_EQ(car->TargetPoint, 3);
  // The last point wraps to the first.
  car->Heading = car->MoveDir = 100;
  car->TargetPoint = 5;
  car->Move(0);
  EXPECT_EQ(car->TargetPoint, 1);
  // Whole turns wound up by spins and bends do not hide that it is heading down.
  for (const double heading : {-270.0, 450.0, -990.0}) {
    car->Heading = car->MoveDir = heading;
    car->TargetPoint = 2;
    car->Move(0);
    EXPECT_DOUBLE_EQ(car->Heading, -90) << heading;
    EXPECT_EQ(car->TargetPoint, 3) << heading;
  }
  car->Heading = car->MoveDir = 200;  // heading left and a little up
  car->Move(0);
  EXPECT_DOUBLE_EQ(car->Heading, 200);
}

TEST_F(EnemyPilotTest, ATargetAlreadyPassedGivesWayToTheNextPoint) {
  // Far to the side but below the truck: it has passed that point's height.
  form->Race.PathPointCount = 2;
  form->Race.PathPoint[1] = {1200, 500};
  form->Race.PathPoint[2] = {1200, 200};
  car->TargetPoint = 1;
  Pilot(6);
  EXPECT_EQ(car->TargetPoint, 2);
  // Still ahead (above the truck's centre) and far away: it keeps aiming at it.
  Pilot(6);
  EXPECT_EQ(car->TargetPoint, 2);
}

TEST_F(EnemyPilotTest, TheSidewaysOffsetIsDrawnAgainAfterItsPeriod) {
  StraightPath(400, -2000, 3);
  car->OffsetPeriod = 7;
  car->OffsetCounter = 7;
  car->Move(0);
  EXPECT_GE(car->LateralOffset, -50);
  EXPECT_LT(car->LateralOffset, 50);
  EXPECT_GE(car->OffsetPeriod, 900);
  EXPECT_LT(car->OffsetPeriod, 2300);
  EXPECT_EQ(car->OffsetCounter, 2);
}

TEST_F(EnemyPilotTest, ProgressAndPlaceCountFinishedTrucksAheadAndTiesForThePlayer) {
  game::RaceState& race = form->Race;
  StraightPath(400, 1000, 10);  // lengths 0, 30, 60 ... 270
  TEnemyCar* front = Opponent(1, 400, 100);
  car->UpdateProgress();
  front->UpdateProgress();
  EXPECT_DOUBLE_EQ(car->Progress, 60);
  EXPECT_DOUBLE_EQ(race.OpponentTotal[0], 270 + 60);
  EXPECT_DOUBLE_EQ(race.OpponentTotal[1], 270 + 90);
  race.PlayerTotal = 350;
  car->UpdateRacePosition();
  front->UpdateRacePosition();
  EXPECT_EQ(car->RacePosition, 3);
  EXPECT_EQ(front->RacePosition, 1);
  race.PlayerTotal = 360;
  front->UpdateRacePosition();
  EXPECT_EQ(front->RacePosition, 1) << "an equal total is not ahead";

  car->LapCount = 1;  // over the line
  car->UpdateProgress();
  car->UpdateRacePosition();
  EXPECT_DOUBLE_EQ(race.OpponentTotal[0], 540 + 60);
  EXPECT_EQ(car->RacePosition, 1);
}

TEST_F(EnemyPilotTest, SpinOutEndsWithTheNoseAsTheDirection) {
  StraightPath(400, -2000, 3);
  car->Released = true;
  car->Spinning = true;
  car->SpinRate = 12;
  car->CenterY = 0.5f;
  car->Speed = 5;
  int frames = 0;
  while (car->Spinning && frames < 1000) {
    car->Move(0);
    ++frames;
  }
  EXPECT_FALSE(car->Spinning);
  // 12 down to below 1 by 0.06 a frame.
  EXPECT_EQ(frames, 184);
  EXPECT_FLOAT_EQ(car->CenterY, 0.3f);
  EXPECT_LT(car->Speed, 0.01);
}

}  // namespace

namespace {

class EnemyLostTest : public EnemyPilotTest {
 protected:
  // Path points beside each other, left to right, above the screen.
  void PathAbove() {
    game::RaceState& race = form->Race;
    race.PathPointCount = 2;
    race.PathPoint[1] = {200, -1500};
    race.PathPoint[2] = {500, -1500};
    car->TargetPoint = 2;
    car->Progress = 10;
  }
  // Runs the pilot n times, the truck moving about without gaining ground.
  void LostFor(int n) {
    for (int i = 0; i < n; ++i) {
      car->SetX(car->X + (i % 2 == 0 ? 30.f : -30.f));
      Pilot(1);
    }
  }
};

TEST_F(EnemyLostTest, ALostTruckOutOfSightIsPutBackOnThePathFacingItsTarget) {
  PathAbove();
  car->SetY(-900);
  LostFor(game::kHopelessFrames);  // the first frame sets the best Progress
  EXPECT_NE(car->Centre().y, -1500) << "not yet";
  LostFor(1);
  EXPECT_DOUBLE_EQ(car->Centre().x, 200);
  EXPECT_DOUBLE_EQ(car->Centre().y, -1500);
  EXPECT_NEAR(car->Heading, 0, 1e-9) << "facing the target to its right";
  EXPECT_EQ(car->MoveDir, car->Heading);
  EXPECT_EQ(car->TargetPoint, 2);
}

TEST_F(EnemyLostTest, NothingIsPutBackWhereThePlayerWouldSeeIt) {
  PathAbove();
  car->SetY(300);  // on the screen
  LostFor(2 * game::kHopelessFrames);
  EXPECT_FLOAT_EQ(car->Y, 300);
  car->SetY(-900);
  form->Race.PathPoint[1] = {200, 300};  // the place it would go to is on the screen
  LostFor(2 * game::kHopelessFrames);
  EXPECT_FLOAT_EQ(car->Y, -900);
}

}  // namespace
