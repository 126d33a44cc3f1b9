// The pickups: placement and kind lottery, contact with the trucks each frame, and every kind's
// effect on the player's truck and on an opponent.
#include "game/Bonus.h"

#include <algorithm>
#include <cmath>

#include "engine/Random.h"
#include "game/CarShadow.h"
#include "game/EnemyCar.h"
#include "game/Explosion.h"
#include "game/MainForm.h"
#include "game/Player.h"
#include "game/RaceFlow.h"
#include "game/SpriteSetup.h"

namespace game {

namespace {

using engine::Random;

constexpr const char* kPickupPictures[11] = {"bonus1", "bonus2",  "bonus3", "luga",
                                             "bomb",   "repair",  "life",   "time",
                                             "shipi",  "speedup", "boxes"};

// Corner directions of the collision square, from its centre.
constexpr double kSquareAngles[4] = {135, -135, -45, 45};

// The player's truck never moves on screen: a bomb under it goes off here.
constexpr double kPlayerBlastX = 396;
constexpr double kPlayerBlastY = 450;

}  // namespace

TBonus::TBonus(TForm1& form, int32_t kind, double centreX, double centreY)
    : TSprite(&form.OmegaSprite1), Form(form) {
  PickupKind = std::clamp(kind, kPickupCoin10, kPickupBoxes);
  const char* picture = kPickupPictures[PickupKind];
  Rotation = 0;
  if (PickupKind == kPickupPuddle) {
    // A third puddles, a third open manholes, the rest closed (harmless) manholes.
    const int32_t r = Random(100);
    picture = r < 34 ? "luga" : r <= 70 ? "kolodec2" : "kolodec1";
    Armed = r <= 70;
  } else if (PickupKind == kPickupBoxes) {
    picture = Random(50) > 24 ? "boxes" : "barier";
  } else if (PickupKind == kPickupBomb) {
    Rotation = static_cast<float>(Random(40) - 20);
  }
  SetPicture(*this, GameImage(form, picture));
  SetName("bonus");
  SetPatternIndex(0);
  CenterX = 0.5f;
  CenterY = 0.5f;
  SetZ(31);
  CentreOn(*this, centreX, centreY);
  UpdateSquare();
}

void TBonus::UpdateSquare() {
  const double w = Width;
  const double h = Height;
  if (squareWidth_ != Width || squareHeight_ != Height) {
    const double r = std::sqrt((w / 2) * (w / 2) + (h / 2) * (h / 2));
    for (size_t k = 0; k < 4; ++k)
      squareOffsets_[k] = {r * CosDeg(kSquareAngles[k]), r * SinDeg(kSquareAngles[k])};
    squareWidth_ = Width;
    squareHeight_ = Height;
  }
  const double cx = X + w / 2;
  const double cy = Y + h / 2;
  for (size_t k = 0; k < 4; ++k) Corners[k] = {cx + squareOffsets_[k].x, cy + squareOffsets_[k].y};
}

void TBonus::PlayNearScreen(const char* sound) {
  if (Y > -100 && Y < 600) Form.PlaySound(sound);
}

void TBonus::Move(float /*moveCount*/) {
  RaceState& race = Form.Race;
  UpdateSquare();
  const Box bounds = BoundsOf(Corners);

  // Opponents first, all tested before any is affected; a pickup that dies here still acts on
  // every truck touching it in this frame.
  const int32_t count = std::min(race.OpponentCount, kOpponentSlots);
  for (int32_t i = 0; i < count; ++i) {
    Touching[static_cast<size_t>(i)] = false;
    const TEnemyCar* car = race.Opponents[static_cast<size_t>(i)];
    if (car == nullptr) continue;
    const double dx = X - (car->X - static_cast<double>(car->Width) / 2);
    const double dy = Y - (car->Y - static_cast<double>(car->Height) / 2);
    if (WithinDistance(dx, dy, 150) &&
        QuadsOverlap(Corners, bounds, car->CornerQuad(), car->CornerBounds))
      Touching[static_cast<size_t>(i)] = true;
  }
  for (int32_t i = 0; i < count; ++i) {
    TEnemyCar* car = race.Opponents[static_cast<size_t>(i)];
    if (Touching[static_cast<size_t>(i)] && car != nullptr) AffectOpponent(*car);
  }

  TPlayer* player = race.Player;
  if (player != nullptr) {
    PlayerTouching = QuadsOverlap(Corners, bounds, player->CornerQuad(), player->CornerBounds);
    // A blinking player passes through without using the pickup up.
    if (PlayerTouching && !player->Blinking) AffectPlayer(*player);

    const float scrolledX = static_cast<float>(X + player->ScrollX);
    const float scrolledY = static_cast<float>(Y + player->ScrollY);
    SetX(static_cast<float>(scrolledX + player->PushX));
    SetY(static_cast<float>(scrolledY + player->PushY));
  }
  if (Y > 2000) Dead();
}

void TBonus::AffectPlayer(TPlayer& player) {
  RaceState& race = Form.Race;
  switch (PickupKind) {
    case kPickupCoin10:
    case kPickupCoin20:
    case kPickupCoin30:
      Form.Score = AddedScore(Form.Score, 10 * (PickupKind + 1));
      Form.PlaySound("coin");
      Dead();
      break;
    case kPickupPuddle:
      if (!Armed) break;
      player.Skidding = true;
      player.MoveDir += Random(20) - 10;
      if (!Form.SoundIsPlaying("skid")) Form.PlaySound("skid");
      break;
    case kPickupBomb:
      player.ApplyDamage(40);
      new TExplose(Form, kExplosionAtPlayer, kExplosionBomb, kPlayerBlastX, kPlayerBlastY);
      StartSpinOut(player);
      Form.PlaySound("exp");
      Dead();
      break;
    case kPickupRepair:
      player.Repair(30);
      Form.PlaySound("repair");
      Dead();
      break;
    case kPickupLife:
      ++race.Lives;
      Form.PlaySound("up");
      Dead();
      break;
    case kPickupTime:
      AddFiveSeconds(race);
      Form.PlaySound("addtime");
      Dead();
      break;
    case kPickupSpikes:
      if (ApplySlowDown(player, true)) Form.PlaySound("sweep");
      Dead();
      break;
    case kPickupBoost: {
      const BoostResult result = ApplyBoost(player, true);
      // Only cancelling a slow-down leaves it on the road for the next frame.
      if (result == BoostResult::Started) Form.PlaySound("nitro");
      if (result != BoostResult::CancelledSlowDown) Dead();
      break;
    }
    case kPickupBoxes:
      if (PatternIndex != 0) break;
      SetPatternIndex(1);
      player.ApplyDamage(15);
      player.Speed *= 0.8;
      break;
    default:
      break;
  }
}

void TBonus::AffectOpponent(TEnemyCar& car) {
  switch (PickupKind) {
    case kPickupPuddle:
      if (!Armed) break;
      car.Skidding = true;
      car.MoveDir += Random(20) - 10;
      if (!Form.SoundIsPlaying("skid")) PlayNearScreen("skid");
      break;
    case kPickupBomb: {
      Point2 centre;
      for (const CarCorner& corner : car.Corners) {
        centre.x += corner.x / 4;
        centre.y += corner.y / 4;
      }
      new TExplose(Form, car.OpponentSlot, kExplosionBomb, centre.x, centre.y);
      StartSpinOut(car);
      PlayNearScreen("exp");
      Dead();
      break;
    }
    case kPickupSpikes:
      if (ApplySlowDown(car, false)) PlayNearScreen("sweep");
      Dead();
      break;
    case kPickupBoost: {
      const BoostResult result = ApplyBoost(car, false);
      if (result == BoostResult::Started) PlayNearScreen("nitro");
      if (result != BoostResult::CancelledSlowDown) Dead();
      break;
    }
    case kPickupBoxes:
      if (PatternIndex != 0) break;
      SetPatternIndex(1);
      car.Speed *= 0.8;
      break;
    default:
      // Coins, repair kits, lives and extra time are the player's alone and stay on the road.
      break;
  }
}

int32_t DrawPickupKind(const RaceState& race) {
  const int32_t r = Random(600);
  if (r < race.Level.BonusParamB) {
    const int32_t s = Random(310);
    return s <= 100 ? kPickupCoin10 : s <= 270 ? kPickupCoin20 : kPickupCoin30;
  }
  if (r < race.Level.BonusParamA) {
    const int32_t s = Random(250);
    return s <= 100   ? kPickupPuddle
           : s <= 150 ? kPickupSpikes
           : s <= 200 ? kPickupBomb
                      : kPickupBoxes;
  }
  const int32_t s = Random(225);
  return s <= 100 ? kPickupRepair : s <= 170 ? kPickupBoost : s <= 220 ? kPickupTime : kPickupLife;
}

void PlaceBonus(TForm1& form, double x, double y) {
  if (Random(30) < 16) return;
  const int32_t kind = DrawPickupKind(form.Race);
  const double centreX = x + Random(200) - 100;
  const double centreY = y + Random(200) - 100;
  new TBonus(form, kind, centreX, centreY);
}

void StartSpinOut(TCar& truck) {
  truck.CenterX = 0.5f;
  truck.CenterY = 0.5f;
  if (truck.Shadow != nullptr) {
    truck.Shadow->CenterX = 0.5f;
    truck.Shadow->CenterY = 0.5f;
  }
  if (Random(10) < 6) {
    truck.SpinRate = -(Random(5) + 10);
  } else {
    truck.SpinRate = Random(5) + 10;
  }
  truck.Spinning = true;
}

bool ApplySlowDown(TCar& truck, bool isPlayer) {
  if (truck.BoostActive) {
    truck.MaxSpeed /= 2;
    truck.AccelRate /= 2;
    truck.GroundFactor -= 0.1;
    truck.Speed /= 2;
    truck.SteerRate -= 0.1;
    truck.BoostActive = false;
    truck.BoostTimer = 0;
    return false;
  }
  if (truck.SlowActive) {
    truck.SlowTimer += 300;
    return false;
  }
  truck.SlowActive = true;
  truck.SlowTimer = 400;
  truck.Speed /= 2;
  truck.MaxSpeed /= 2;
  truck.AccelRate /= 2;
  if (isPlayer) truck.Grip /= 3;
  return true;
}

BoostResult ApplyBoost(TCar& truck, bool isPlayer) {
  if (truck.SlowActive) {
    truck.MaxSpeed *= 2;
    truck.AccelRate *= 2;
    if (isPlayer) truck.Grip *= 3;
    truck.SlowActive = false;
    truck.SlowTimer = 0;
    return BoostResult::CancelledSlowDown;
  }
  if (truck.BoostActive) {
    truck.BoostTimer += 200;
    return BoostResult::Extended;
  }
  truck.BoostActive = true;
  truck.BoostTimer = 300;
  truck.MaxSpeed *= 2;
  truck.AccelRate *= 2;
  truck.SteerRate += 0.1;
  truck.GroundFactor += 0.1;
  return BoostResult::Started;
}

void AddFiveSeconds(RaceState& race) {
  if (race.TimeLeftSec < 55) {
    race.TimeLeftSec += 5;
  } else {
    ++race.TimeLeftMin;
    race.TimeLeftSec -= 55;
  }
}

}  // namespace game
