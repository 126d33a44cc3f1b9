// The pickups and explosions: each kind's effect on the player and on opponents, the slow-down and
// boost combinations, several trucks on one pickup, placement by lot, and the explosion's life.
#include "game/Bonus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "engine/Random.h"
#include "game/EnemyCar.h"
#include "game/EnemyFixture.h"
#include "game/Explosion.h"

namespace {

using game::TBonus;
using game::TEnemyCar;
using game::TExplose;

class BonusTest : public racetest::EnemyFixture {
 protected:
  BonusTest() {
    player = MakePlayer();
    player->UpdateCornersAndProbes();
  }

  // A pickup right under the player's truck.
  TBonus* UnderPlayer(int kind) { return new TBonus(*form, kind, 396, 450); }

  // An opponent well away from the player with a pickup right under it.
  TBonus* UnderOpponent(int kind, TEnemyCar*& car) {
    car = Opponent(0, 150, 200);
    return new TBonus(*form, kind, 150, 180);
  }

  int Explosions() { return CountOf<TExplose>(); }

  game::TPlayer* player = nullptr;
};

TEST_F(BonusTest, CoinsScoreForThePlayerAndStayForOpponents) {
  const int values[3] = {10, 20, 30};
  for (int kind = 0; kind < 3; ++kind) {
    form->Score = 100;
    TBonus* coin = UnderPlayer(kind);
    EXPECT_EQ(coin->Name, "bonus");
    EXPECT_EQ(coin->Z, 31);
    coin->Move(0);
    EXPECT_EQ(form->Score, 100 + values[kind]);
    EXPECT_TRUE(coin->IsDead);
  }
  TEnemyCar* car = nullptr;
  TBonus* coin = UnderOpponent(game::kPickupCoin30, car);
  coin->Move(0);
  EXPECT_TRUE(coin->Touching[0]);
  EXPECT_FALSE(coin->IsDead);
}

TEST_F(BonusTest, ABlinkingPlayerPassesThroughButOpponentsStillUsePickupsUp) {
  player->StartBlink();
  form->Score = 0;
  TBonus* coin = UnderPlayer(game::kPickupCoin10);
  coin->Move(0);
  EXPECT_TRUE(coin->PlayerTouching);
  EXPECT_EQ(form->Score, 0);
  EXPECT_FALSE(coin->IsDead);

  TEnemyCar* car = nullptr;
  TBonus* spikes = UnderOpponent(game::kPickupSpikes, car);
  spikes->Move(0);
  EXPECT_TRUE(car->SlowActive);
  EXPECT_TRUE(spikes->IsDead);
}

TEST_F(BonusTest, PuddlesAndOpenManholesSkidEveryFrameClosedOnesDoNothing) {
  TBonus* puddle = UnderPlayer(game::kPickupPuddle);
  puddle->Armed = true;
  for (int frame = 0; frame < 60; ++frame) {
    player->Skidding = false;
    const double before = player->MoveDir;
    puddle->Move(0);
    EXPECT_TRUE(player->Skidding);
    EXPECT_GE(player->MoveDir - before, -10);
    EXPECT_LE(player->MoveDir - before, 9);
  }
  EXPECT_FALSE(puddle->IsDead) << "a puddle stays";

  puddle->Armed = false;
  player->Skidding = false;
  const double dir = player->MoveDir;
  puddle->Move(0);
  EXPECT_FALSE(player->Skidding);
  EXPECT_DOUBLE_EQ(player->MoveDir, dir);

  // The picture tells which: "luga" and "kolodec2" are armed, "kolodec1" is not.
  std::map<std::string, int> seen;
  for (int i = 0; i < 300; ++i) {
    TBonus hole(*form, game::kPickupPuddle, 1000, 1000);
    const std::string name = hole.Image->Name;
    ++seen[name];
    EXPECT_EQ(hole.Armed, name != "kolodec1") << name;
  }
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_NEAR(seen["luga"] / 300.0, 0.34, 0.08);
  EXPECT_NEAR(seen["kolodec1"] / 300.0, 0.29, 0.08);
}

TEST_F(BonusTest, ABombDamagesSpinsAndExplodesEvenWhenItIsTheFatalHit) {
  TBonus* bomb = UnderPlayer(game::kPickupBomb);
  EXPECT_GE(bomb->Rotation, -20);
  EXPECT_LT(bomb->Rotation, 20);
  bomb->Move(0);
  EXPECT_EQ(player->Health, 60);
  EXPECT_TRUE(player->Spinning);
  EXPECT_GE(std::fabs(player->SpinRate), 10);
  EXPECT_LE(std::fabs(player->SpinRate), 14);
  EXPECT_FLOAT_EQ(player->CenterY, 0.5f);
  EXPECT_FLOAT_EQ(player->Shadow->CenterY, 0.5f);
  EXPECT_TRUE(bomb->IsDead);
  ASSERT_EQ(Explosions(), 1);

  player->Spinning = false;
  player->Health = 30;
  UnderPlayer(game::kPickupBomb)->Move(0);
  EXPECT_EQ(player->Health, 30);
  EXPECT_TRUE(form->Race.Destroyed);
  EXPECT_TRUE(player->Spinning);

  // An opponent only spins; its explosion follows it.
  TEnemyCar* car = nullptr;
  UnderOpponent(game::kPickupBomb, car)->Move(0);
  EXPECT_EQ(car->Health, 100);
  EXPECT_TRUE(car->Spinning);
  TExplose* blast = nullptr;
  for (int i = 0; i < form->OmegaSprite1.Count(); ++i)
    if (auto* e = dynamic_cast<TExplose*>(form->OmegaSprite1.Sprites(i)); e && e->OwnerIndex == 0)
      blast = e;
  ASSERT_NE(blast, nullptr);
  EXPECT_EQ(blast->Z, 49);
  car->SetX(car->X + 100);
  car->UpdateCornersAndProbes();
  blast->Move(0);
  EXPECT_NEAR(blast->X + blast->Width / 2.0, car->X + car->Width / 2.0, 1e-3);
}

TEST_F(BonusTest, SpinRatesLeanLeftSixTimesInTen) {
  int left = 0;
  for (int i = 0; i < 2000; ++i) {
    game::StartSpinOut(*player);
    if (player->SpinRate < 0) ++left;
    EXPECT_GE(std::fabs(player->SpinRate), 10);
    EXPECT_LE(std::fabs(player->SpinRate), 14);
  }
  EXPECT_NEAR(left / 2000.0, 0.6, 0.04);
}

TEST_F(BonusTest, RepairLivesAndExtraTime) {
  player->Health = 50;
  UnderPlayer(game::kPickupRepair)->Move(0);
  EXPECT_EQ(player->Health, 80);
  UnderPlayer(game::kPickupRepair)->Move(0);
  EXPECT_EQ(player->Health, 100) << "never above 100";

  form->Race.Lives = 3;
  UnderPlayer(game::kPickupLife)->Move(0);
  EXPECT_EQ(form->Race.Lives, 4);

  game::RaceState& race = form->Race;
  race.TimeLeftMin = 0;
  race.TimeLeftSec = 57;
  UnderPlayer(game::kPickupTime)->Move(0);
  EXPECT_EQ(race.TimeLeftMin, 1);
  EXPECT_EQ(race.TimeLeftSec, 2);
  race.TimeLeftMin = 0;
  race.TimeLeftSec = 54;
  UnderPlayer(game::kPickupTime)->Move(0);
  EXPECT_EQ(race.TimeLeftMin, 0);
  EXPECT_EQ(race.TimeLeftSec, 59);
}

TEST_F(BonusTest, SpikesSlowDownOnceAndLengthenTheSlowDown) {
  player->Speed = 8;
  UnderPlayer(game::kPickupSpikes)->Move(0);
  EXPECT_TRUE(player->SlowActive);
  EXPECT_EQ(player->SlowTimer, 400);
  EXPECT_DOUBLE_EQ(player->Speed, 4);
  EXPECT_DOUBLE_EQ(player->MaxSpeed, 4.5);
  EXPECT_DOUBLE_EQ(player->AccelRate, 0.025);
  EXPECT_DOUBLE_EQ(player->Grip, 0.85 / 3);

  TBonus* second = UnderPlayer(game::kPickupSpikes);
  second->Move(0);
  EXPECT_EQ(player->SlowTimer, 700);
  EXPECT_DOUBLE_EQ(player->MaxSpeed, 4.5) << "not halved again";
  EXPECT_TRUE(second->IsDead);

  // An opponent keeps its grip.
  TEnemyCar* car = nullptr;
  UnderOpponent(game::kPickupSpikes, car)->Move(0);
  EXPECT_TRUE(car->SlowActive);
  EXPECT_DOUBLE_EQ(car->Grip, 0.85);
  EXPECT_DOUBLE_EQ(car->MaxSpeed, 4.5);
}

TEST_F(BonusTest, BoostsStartAndLengthen) {
  TBonus* boost = UnderPlayer(game::kPickupBoost);
  boost->Move(0);
  EXPECT_TRUE(player->BoostActive);
  EXPECT_EQ(player->BoostTimer, 300);
  EXPECT_DOUBLE_EQ(player->MaxSpeed, 18);
  EXPECT_DOUBLE_EQ(player->AccelRate, 0.1);
  EXPECT_DOUBLE_EQ(player->SteerRate, 0.6);
  EXPECT_DOUBLE_EQ(player->GroundFactor, 1.1);
  EXPECT_TRUE(boost->IsDead);
  UnderPlayer(game::kPickupBoost)->Move(0);
  EXPECT_EQ(player->BoostTimer, 500);
  EXPECT_DOUBLE_EQ(player->MaxSpeed, 18);
}

TEST_F(BonusTest, SpikesDuringABoostOnlyCancelTheBoost) {
  UnderPlayer(game::kPickupBoost)->Move(0);
  player->Speed = 12;
  TBonus* spikes = UnderPlayer(game::kPickupSpikes);
  spikes->Move(0);
  EXPECT_FALSE(player->BoostActive);
  EXPECT_FALSE(player->SlowActive);
  EXPECT_DOUBLE_EQ(player->Speed, 6);
  EXPECT_DOUBLE_EQ(player->MaxSpeed, 9);
  EXPECT_NEAR(player->SteerRate, 0.5, 1e-12);
  EXPECT_DOUBLE_EQ(player->Grip, 0.85);
  EXPECT_TRUE(spikes->IsDead);
}

TEST_F(BonusTest, ABoostDuringASlowDownOnlyCancelsItAndStaysForTheNextFrame) {
  UnderPlayer(game::kPickupSpikes)->Move(0);
  TBonus* boost = UnderPlayer(game::kPickupBoost);
  boost->Move(0);
  EXPECT_FALSE(player->SlowActive);
  EXPECT_FALSE(player->BoostActive);
  EXPECT_DOUBLE_EQ(player->MaxSpeed, 9);
  EXPECT_NEAR(player->Grip, 0.85, 1e-12);
  EXPECT_FALSE(boost->IsDead);
  // Still touching it next frame: now the boost starts.
  boost->Move(0);
  EXPECT_TRUE(player->BoostActive);
  EXPECT_TRUE(boost->IsDead);
}

TEST_F(BonusTest, SlowDownAndBoostRunOutAndRestoreTheTruck) {
  TEnemyCar* car = nullptr;
  UnderOpponent(game::kPickupSpikes, car)->Move(0);
  StraightPath(150, -3000, 3);
  for (int frame = 0; frame < 399; ++frame) car->Move(0);
  EXPECT_TRUE(car->SlowActive);
  car->Move(0);
  EXPECT_FALSE(car->SlowActive);
  EXPECT_DOUBLE_EQ(car->MaxSpeed, 9);
  EXPECT_DOUBLE_EQ(car->AccelRate, 0.05);

  game::ApplyBoost(*car, false);
  car->Speed = 10;
  for (int frame = 0; frame < 300; ++frame) car->Move(0);
  EXPECT_FALSE(car->BoostActive);
  EXPECT_DOUBLE_EQ(car->MaxSpeed, 9);
  EXPECT_NEAR(car->SteerRate, 0.5, 1e-12);
  EXPECT_LT(car->Speed, 5.1) << "halved when the boost ends";

  // The player's slow-down gives its grip back too.
  game::ApplySlowDown(*player, true);
  player->SlowTimer = 1;
  player->Move(0);
  EXPECT_FALSE(player->SlowActive);
  EXPECT_NEAR(player->Grip, 0.85, 1e-12);
}

TEST_F(BonusTest, BoxesBreakOnceCostingFifteenAndAFifthOfTheSpeed) {
  TBonus* boxes = UnderPlayer(game::kPickupBoxes);
  player->Speed = 5;
  boxes->Move(0);
  EXPECT_EQ(player->Health, 85);
  EXPECT_DOUBLE_EQ(player->Speed, 4);
  EXPECT_EQ(boxes->PatternIndex, 1);
  EXPECT_FALSE(boxes->IsDead);
  boxes->Move(0);
  EXPECT_EQ(player->Health, 85);
  EXPECT_DOUBLE_EQ(player->Speed, 4);

  // Broken by an opponent first, nothing is left for the player in the same frame.
  TEnemyCar* car = Opponent(0, 396, 420);
  car->Speed = 5;
  TBonus* barrier = new TBonus(*form, game::kPickupBoxes, 396, 450);
  barrier->Move(0);
  ASSERT_TRUE(barrier->Touching[0]);
  ASSERT_TRUE(barrier->PlayerTouching);
  EXPECT_DOUBLE_EQ(car->Speed, 4);
  EXPECT_EQ(player->Health, 85);
}

TEST_F(BonusTest, APickupTouchedByTwoTrucksActsOnBoth) {
  TEnemyCar* car = Opponent(0, 396, 400);
  TBonus* bomb = new TBonus(*form, game::kPickupBomb, 396, 420);
  bomb->Move(0);
  ASSERT_TRUE(bomb->Touching[0]);
  EXPECT_TRUE(car->Spinning);
  EXPECT_TRUE(player->Spinning) << "already dead, it still hits the player";
  EXPECT_EQ(player->Health, 60);
  EXPECT_EQ(Explosions(), 2);
}

TEST_F(BonusTest, PickupsScrollWithTheWorldAndGoFarBehind) {
  TBonus* coin = new TBonus(*form, game::kPickupCoin10, 100, 1950);
  player->ScrollY = 60;
  player->PushX = 2;
  const float x = coin->X;
  coin->Move(0);
  EXPECT_FLOAT_EQ(coin->X, x + 2);
  EXPECT_FALSE(coin->IsDead);
  coin->Move(0);
  EXPECT_TRUE(coin->IsDead) << "more than 2000 below the top of the screen";
  // The collision square is the picture's diagonal, whatever its proportions.
  TBonus spikes(*form, game::kPickupSpikes, 1000, 1000);
  const double half = std::sqrt(48.0 * 48.0 + 16.0 * 16.0) / std::sqrt(2.0);
  EXPECT_NEAR(spikes.Corners[0].x, 1000 - half, 1e-9);
  EXPECT_NEAR(spikes.Corners[0].y, 1000 + half, 1e-9);
  EXPECT_NEAR(spikes.Corners[2].x, 1000 + half, 1e-9);
  EXPECT_NEAR(spikes.Corners[2].y, 1000 - half, 1e-9);
}

TEST_F(BonusTest, PlacementAndTheKindLottery) {
  game::RaceState& race = form->Race;
  engine::SetRandSeed(4242);
  int placed = 0;
  int coins = 0, hazards = 0, extras = 0, lives = 0;
  const int tries = 6000;
  for (int i = 0; i < tries; ++i) {
    const int before = form->OmegaSprite1.Count();
    game::PlaceBonus(*form, 5000, 5000);
    if (form->OmegaSprite1.Count() == before) continue;
    ++placed;
    auto* bonus = dynamic_cast<TBonus*>(form->OmegaSprite1.Sprites(0));
    ASSERT_NE(bonus, nullptr);
    const double cx = bonus->X + bonus->Width / 2.0;
    const double cy = bonus->Y + bonus->Height / 2.0;
    EXPECT_GE(cx, 4900);
    EXPECT_LT(cx, 5100);
    EXPECT_GE(cy, 4900);
    EXPECT_LT(cy, 5100);
    const int kind = bonus->PickupKind;
    if (kind <= game::kPickupCoin30) {
      ++coins;
    } else if (kind == game::kPickupPuddle || kind == game::kPickupBomb ||
               kind == game::kPickupSpikes || kind == game::kPickupBoxes) {
      ++hazards;
    } else {
      ++extras;
      if (kind == game::kPickupLife) ++lives;
    }
    delete bonus;
  }
  EXPECT_NEAR(placed / static_cast<double>(tries), 14.0 / 30, 0.03);
  EXPECT_NEAR(coins / static_cast<double>(placed), 1.0 / 3, 0.04);
  EXPECT_NEAR(hazards / static_cast<double>(placed), 1.0 / 3, 0.04);
  EXPECT_NEAR(lives / static_cast<double>(extras), 4.0 / 225, 0.015);

  // Later levels: more coins and hazards, fewer extras.
  race.Level.BonusParamB = 300;
  race.Level.BonusParamA = 550;
  int laterExtras = 0;
  for (int i = 0; i < tries; ++i) {
    const int kind = game::DrawPickupKind(race);
    if (kind != game::kPickupSpikes && kind >= game::kPickupRepair && kind <= game::kPickupBoost)
      ++laterExtras;
  }
  EXPECT_NEAR(laterExtras / static_cast<double>(tries), 50.0 / 600, 0.015);
}

TEST_F(BonusTest, AnExplosionLivesThirtyThreeFramesAndFollowsItsOwner) {
  auto* blast = new TExplose(*form, game::kExplosionAtPlayer, game::kExplosionLarge, 396, 430);
  EXPECT_EQ(blast->Z, 500);
  EXPECT_EQ(blast->Alpha, 230);
  EXPECT_EQ(blast->Name, "explose");
  int frames = 0;
  while (!blast->IsDead && frames < 100) {
    blast->Move(0);
    ++frames;
    if (frames == 4) {
      EXPECT_EQ(blast->PatternIndex, 0);
    } else if (frames == 5) {
      EXPECT_EQ(blast->PatternIndex, 1);
    } else if (frames == 29) {
      EXPECT_EQ(blast->PatternIndex, 7);
    }
  }
  EXPECT_EQ(frames, 33);
  // It stays at the player's place, not where it was made.
  EXPECT_NEAR(blast->Y + blast->Height / 2.0, 450, 1e-3);
}

}  // namespace
