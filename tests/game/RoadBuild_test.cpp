// Road laying, supply, on-road probes, world shifts, the path and the finish line.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/EnemyCar.h"
#include "game/FinishLine.h"
#include "game/PathPoints.h"
#include "game/Player.h"
#include "game/RaceFixture.h"
#include "game/RoadPieces.h"
#include "game/RoadPlan.h"

namespace {

using game::TRoadPart;

int gPickupCalls = 0;
void CountPickup(game::TForm1&, double, double) {
  ++gPickupCalls;
}

class RoadBuildTest : public racetest::RaceFixture {
 protected:
  // Lays the first race's road from grid origin (gx, gy); returns Y0, the bottom of plan piece 0.
  double LayFirstRace(double gx, double gy) {
    form->Race.Level.RoadLength = 90;
    form->Race.Level.RoadMinRun = 5;
    form->Race.Level.RoadMaxRun = 10;
    form->Race.RoadX = gx;
    form->Race.RoadY = gy;
    game::LayRoad(*form);
    return gy - 1200;
  }

  int Shift(int planIndex) const {
    const auto& offset = game::kPieceOffsets[form->Race.RoadPlan[planIndex]];
    return offset.ExitX - offset.EntryX;
  }
};

TEST_F(RoadBuildTest, FirstRaceLaysTwentyPiecesPathAndFinishLine) {
  const double x0 = 328;
  const double y0 = LayFirstRace(x0, 560);
  const game::RaceState& race = form->Race;
  EXPECT_EQ(race.RoadPieceCount, 111);
  EXPECT_EQ(race.PathPointCount, 119);
  EXPECT_EQ(race.RoadPlanIndex, 6);
  EXPECT_EQ(CountOf<TRoadPart>(), 20);
  EXPECT_EQ(CountOf<game::TRoadRock>(), 80);
  ASSERT_NE(race.LastRoadPiece, nullptr);
  EXPECT_FLOAT_EQ(race.LastRoadPiece->Y, static_cast<float>(y0 - 1800));

  // The first plan piece is a turn directly above the fourteen start straights.
  int straightsBelow = 0;
  for (int i = 0; i < form->OmegaSprite1.Count(); ++i) {
    auto* part = dynamic_cast<TRoadPart*>(form->OmegaSprite1.Sprites(i));
    if (part == nullptr) continue;
    if (part->Y == static_cast<float>(y0 - 300)) {
      EXPECT_TRUE(part->Kind == 3 || part->Kind == 4);
    }
    if (part->Y >= static_cast<float>(y0)) {
      EXPECT_EQ(part->Kind, 0);
      ++straightsBelow;
    }
  }
  EXPECT_EQ(straightsBelow, 14);

  // Points 300 apart upward; sideways by the mean of neighbouring shifts.
  for (int k = 1; k <= race.PathPointCount; ++k)
    EXPECT_DOUBLE_EQ(race.PathPoint[k].y, y0 - 150 - 300.0 * (k - 1));
  EXPECT_DOUBLE_EQ(race.PathPoint[1].x, x0 + Shift(0) / 2.0);
  for (int k = 1; k < race.RoadPieceCount; ++k)
    EXPECT_DOUBLE_EQ(race.PathPoint[k + 1].x - race.PathPoint[k].x,
                     (Shift(k - 1) + Shift(k)) / 2.0);

  // Finish line 31 200 pixels above piece 0, across the road centre of that height.
  ASSERT_NE(race.FinishLine, nullptr);
  const game::TFinishLine& line = *race.FinishLine;
  double xFinish = x0;
  for (int j = 0; j <= 101; ++j) xFinish += Shift(j);
  EXPECT_DOUBLE_EQ(line.Y + line.Height / 2.0, y0 - 31200);
  EXPECT_NEAR(line.X + line.Width / 2.0, xFinish, 1e-3);
  EXPECT_FALSE(line.Visible);
  EXPECT_EQ(line.Z, 60);

  game::MeasurePath(form->Race);
  EXPECT_DOUBLE_EQ(race.PathLength[1], 0);
  const double dx = race.PathPoint[2].x - race.PathPoint[1].x;
  EXPECT_DOUBLE_EQ(race.PathLength[2], std::sqrt(dx * dx + 300 * 300) / 10);
  EXPECT_GT(race.PathLength[119], 118 * 30 - 1e-9);
}

TEST_F(RoadBuildTest, SupplyLaysOnePieceAtATimeUntilThePlanRunsOut) {
  form->Race.PlacePickup = &CountPickup;
  gPickupCalls = 0;
  LayFirstRace(328, 560);
  game::RaceState& race = form->Race;

  game::SupplyRoad(*form);
  EXPECT_EQ(race.RoadPlanIndex, 6) << "last piece still far above the screen";

  form->GameState = 16;
  game::ShiftWorld(*form, 0, 3000);
  game::SupplyRoad(*form);
  EXPECT_EQ(race.RoadPlanIndex, 6) << "only while racing or exploding";

  form->GameState = 27;
  game::SupplyRoad(*form);
  EXPECT_EQ(race.RoadPlanIndex, 7);
  form->GameState = 12;
  while (race.RoadPlanIndex <= race.RoadPieceCount) {
    TRoadPart* before = race.LastRoadPiece;
    const int index = race.RoadPlanIndex;
    game::ShiftWorld(*form, 0, 300);
    game::SupplyRoad(*form);
    ASSERT_EQ(race.RoadPlanIndex, index + 1);
    ASSERT_NE(race.LastRoadPiece, before);
    EXPECT_EQ(race.LastRoadPiece->Kind, race.RoadPlan[index]);
    EXPECT_FLOAT_EQ(race.LastRoadPiece->Y, before->Y - 300);
    EXPECT_FLOAT_EQ(race.LastRoadPiece->X + race.LastRoadPiece->EntryX,
                    before->X + static_cast<float>(before->ExitX));
  }
  EXPECT_EQ(race.RoadPlanIndex, race.RoadPieceCount + 1);
  TRoadPart* last = race.LastRoadPiece;
  game::ShiftWorld(*form, 0, 3000);
  game::SupplyRoad(*form);
  EXPECT_EQ(race.LastRoadPiece, last);
  // Plan entries 6..99 may carry pickups; the last eleven never do.
  EXPECT_EQ(gPickupCalls, 94);
}

TEST_F(RoadBuildTest, DeadLastPieceLeavesNoDanglingReference) {
  LayFirstRace(328, 560);
  form->Race.LastRoadPiece->Dead();
  form->OmegaSprite1.Dead();
  EXPECT_EQ(form->Race.LastRoadPiece, nullptr);
  game::SupplyRoad(*form);  // nothing to build on, nothing happens
}

TEST_F(RoadBuildTest, ProbesOnTheBandAreOnTheRoad) {
  game::FillPieceOffsets(form->Race);
  auto* part = new TRoadPart(*form, 400, 300, 0, false);
  EXPECT_FLOAT_EQ(part->X, 258);
  EXPECT_FLOAT_EQ(part->Y, 0);
  auto* player = new game::TPlayer(*form, 400, 150, 0, "player", -90);
  game::TGroundPoint* probe = player->FrontPoint;

  part->Move(0);
  EXPECT_TRUE(probe->OnRoad);
  EXPECT_TRUE(player->CentrePoint->OnRoad);

  probe->OnRoad = false;
  probe->SetX(560);
  part->Move(0);
  EXPECT_FALSE(probe->OnRoad);
  // The probe square touching the band edge counts.
  probe->SetX(552);
  part->Move(0);
  EXPECT_TRUE(probe->OnRoad);

  // An opponent below the screen counts as on the road without a test.
  auto* opponent = new game::TEnemyCar(*form, 2000, 700, 1, "enemy", -90, 0, 0, 1);
  form->Race.Opponents[0] = opponent;
  part->Move(0);
  EXPECT_TRUE(opponent->FrontPoint->OnRoad);
  EXPECT_TRUE(opponent->CentrePoint->OnRoad);
  opponent->FrontPoint->OnRoad = false;
  opponent->SetY(500);
  part->Move(0);
  EXPECT_FALSE(opponent->FrontPoint->OnRoad);
}

TEST_F(RoadBuildTest, ShiftWorldMovesTheWorldButNotThePlayer) {
  LayFirstRace(328, 560);
  auto* player = new game::TPlayer(*form, 396, 460, 0, "player", -90);
  auto* opponent = new game::TEnemyCar(*form, 300, 300, 2, "enemy", -90, 0, 0, 1);
  form->Race.Opponents[0] = opponent;
  auto* pickup = new engine::TSprite(&form->OmegaSprite1);
  pickup->SetName("bonus");
  pickup->SetX(10);
  TRoadPart* last = form->Race.LastRoadPiece;
  const float lastY = last->Y;
  const float lineX = form->Race.FinishLine->X;
  const float opponentX = opponent->X;
  const double pathY = form->Race.PathPoint[5].y;
  const float playerX = player->X;
  const float probeX = player->FrontPoint->X;

  game::ShiftWorld(*form, 7, -3);
  EXPECT_FLOAT_EQ(last->Y, lastY - 3);
  EXPECT_FLOAT_EQ(form->Race.FinishLine->X, lineX + 7);
  EXPECT_FLOAT_EQ(opponent->X, opponentX + 7);
  EXPECT_DOUBLE_EQ(form->Race.PathPoint[5].y, pathY - 3);
  EXPECT_FLOAT_EQ(pickup->X, 17);
  EXPECT_FLOAT_EQ(player->X, playerX);
  EXPECT_FLOAT_EQ(player->FrontPoint->X, probeX);
}

TEST_F(RoadBuildTest, DecorationsLandWithinTwentyPixelsOfTheirPlaces) {
  for (int round = 0; round < 20; ++round) {
    const int before = form->OmegaSprite1.Count();
    game::PlaceScenery(*form, 1, 1000, 1000);
    ASSERT_EQ(form->OmegaSprite1.Count(), before + 4);
  }
  const double spots[4][2] = {{1460, 925}, {1560, 775}, {470, 925}, {320, 775}};
  for (int i = 0; i < form->OmegaSprite1.Count(); ++i) {
    auto* paint = dynamic_cast<game::TRoadPaint*>(form->OmegaSprite1.Sprites(i));
    ASSERT_NE(paint, nullptr);
    EXPECT_EQ(paint->Name, "flowers");
    EXPECT_LT(paint->PatternIndex, 6);
    const double cx = paint->X + paint->Width / 2.0;
    const double cy = paint->Y + paint->Height / 2.0;
    bool near = false;
    for (const auto& spot : spots)
      near = near || (std::fabs(cx - spot[0]) <= 20 && std::fabs(cy - spot[1]) <= 20);
    EXPECT_TRUE(near) << cx << "," << cy;
  }
}

TEST_F(RoadBuildTest, ProgressIsMeasuredAlongTheSegment) {
  game::RaceState& race = form->Race;
  race.PathPointCount = 3;
  race.PathPoint[1] = {0, 0};
  race.PathPoint[2] = {0, -300};
  race.PathPoint[3] = {300, -600};
  game::MeasurePath(race);
  game::PathProgress result;
  ASSERT_TRUE(game::MeasureProgress(race, {5, -100}, result));
  EXPECT_DOUBLE_EQ(result.Progress, 10);
  ASSERT_TRUE(game::MeasureProgress(race, {0, 50}, result));
  EXPECT_DOUBLE_EQ(result.Progress, -5) << "behind the first point counts back";
  ASSERT_TRUE(game::MeasureProgress(race, {100, -320}, result));
  EXPECT_NEAR(result.Progress, 30 + 120 / std::sqrt(2.0) / 10, 1e-9);
  // With ten points or fewer the radar spans the whole path.
  EXPECT_DOUBLE_EQ(game::RadarScale(race), race.PathLength[3]);
  race.PathPointCount = 0;
  EXPECT_FALSE(game::MeasureProgress(race, {0, 0}, result));
  EXPECT_EQ(game::RadarScale(race), 0);
}

class FinishLineTest : public racetest::RaceFixture {
 protected:
  game::TEnemyCar* Opponent(int slot, double x, double y) {
    auto* car = new game::TEnemyCar(*form, x, y, 0, "enemy", -90, 0, slot, slot + 1);
    form->Race.Opponents[slot] = car;
    car->UpdateCornersAndProbes();
    return car;
  }
};

TEST_F(FinishLineTest, RecordsOpponentsInSlotOrderOnceAndThePlayersFinish) {
  game::RaceState& race = form->Race;
  auto* line = new game::TFinishLine(*form, 400, 300, 0);
  ASSERT_EQ(race.FinishLine, line);
  auto* far = Opponent(0, 400, 800);
  auto* a = Opponent(1, 200, 300);
  auto* b = Opponent(2, 500, 300);
  race.TimeLeftMin = 0;
  race.TimeLeftSec = 42;
  race.TimeLeftHund = 17;
  race.NextFinishPlace = 1;
  line->Move(0);
  EXPECT_EQ(race.NextFinishPlace, 3);
  EXPECT_EQ(race.FinishRecords[1].Truck, 1);
  EXPECT_EQ(race.FinishRecords[2].Truck, 2);
  EXPECT_EQ(race.FinishRecords[1].Sec, 42);
  EXPECT_EQ(race.FinishRecords[1].Hund, 17);
  EXPECT_EQ(a->LapCount, 1);
  EXPECT_FALSE(a->CanFinish);
  EXPECT_FALSE(b->Released);
  EXPECT_TRUE(far->CanFinish);
  line->Move(0);
  EXPECT_EQ(race.NextFinishPlace, 3) << "recorded once";

  // A ninth finisher still gets its record; nothing is written past the table.
  race.NextFinishPlace = 9;
  far->SetY(260);
  far->UpdateCornersAndProbes();
  line->Move(0);
  EXPECT_EQ(race.FinishRecords[9].Truck, 0);
  EXPECT_EQ(race.NextFinishPlace, 10);

  auto* player = new game::TPlayer(*form, 400, 310, 0, "player", -90);
  player->UpdateCornersAndProbes();
  player->ControlsOn = true;
  player->RacePosition = 3;
  form->RaceTimer.Enabled = true;
  race.DelayCounter = 77;
  race.TimeLeftSec = 5;
  line->Move(0);
  EXPECT_FALSE(player->CanFinish);
  EXPECT_EQ(race.FinishPlace, 3);
  EXPECT_EQ(race.FinishSec, 5);
  EXPECT_EQ(race.FinishHund, 17);
  EXPECT_TRUE(race.Paused);
  EXPECT_FALSE(player->ControlsOn);
  EXPECT_FALSE(player->RankingOn);
  EXPECT_FALSE(form->RaceTimer.Enabled);
  EXPECT_EQ(race.DelayCounter, 0);
}

}  // namespace
