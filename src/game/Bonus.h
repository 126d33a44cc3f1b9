// TBonus: the pickups on the road — coins, repair kits, lives, extra time and boosts that help,
// puddles, manholes, spikes, bombs, boxes and barriers that hinder — and their placement by lot.
#pragma once

#include <array>
#include <cstdint>

#include "engine/OmegaSprite.h"
#include "game/RaceState.h"
#include "game/RoadGeometry.h"

namespace game {

class TForm1;
class TCar;
class TPlayer;
class TEnemyCar;

// Pickup kinds.
constexpr int32_t kPickupCoin10 = 0;
constexpr int32_t kPickupCoin20 = 1;
constexpr int32_t kPickupCoin30 = 2;
constexpr int32_t kPickupPuddle = 3;  // a puddle or a manhole
constexpr int32_t kPickupBomb = 4;
constexpr int32_t kPickupRepair = 5;
constexpr int32_t kPickupLife = 6;
constexpr int32_t kPickupTime = 7;
constexpr int32_t kPickupSpikes = 8;
constexpr int32_t kPickupBoost = 9;
constexpr int32_t kPickupBoxes = 10;  // boxes or a barrier

class TBonus : public engine::TSprite {
 public:
  // A pickup of the given kind centred on (centreX, centreY).
  TBonus(TForm1& form, int32_t kind, double centreX, double centreY);
  void Move(float moveCount) override;

  // The collision square: the picture's diagonal, axis-aligned, whatever its rotation.
  void UpdateSquare();
  // The kind's effect on a touching truck.
  void AffectOpponent(TEnemyCar& car);
  void AffectPlayer(TPlayer& player);

  TForm1& Form;
  Quad Corners{};
  std::array<bool, kOpponentSlots> Touching{};
  bool PlayerTouching = false;
  int32_t PickupKind = kPickupCoin10;
  // Only a puddle or an open manhole (kind 3) is armed.
  bool Armed = false;

 private:
  // Opponents are heard only near the screen.
  void PlayNearScreen(const char* sound);

  // The square's corner offsets from the centre, for the size they were worked out for.
  int32_t squareWidth_ = -1;
  int32_t squareHeight_ = -1;
  std::array<Point2, 4> squareOffsets_{};
};

// The kind lottery of the current level: coins below BonusParamB, hazards up to BonusParamA,
// extras above.
int32_t DrawPickupKind(const RaceState& race);
// A pickup near (x, y) with a chance of 14 in 30; the road builder calls it for a road piece.
void PlaceBonus(TForm1& form, double x, double y);

// A bomb's spin-out: the truck turns about its middle, 10 to 14 degrees a frame, mostly left.
void StartSpinOut(TCar& truck);
// Spikes: cancel a boost, or lengthen a slow-down, or start one (halving speed, top speed and
// acceleration; the player's grip is cut to a third). True when a slow-down starts.
bool ApplySlowDown(TCar& truck, bool isPlayer);

enum class BoostResult { CancelledSlowDown, Extended, Started };
// Boost: cancel a slow-down, or lengthen a boost, or start one (doubling top speed and
// acceleration, a little more steering and grip).
BoostResult ApplyBoost(TCar& truck, bool isPlayer);
// Five more seconds on the race clock.
void AddFiveSeconds(RaceState& race);

}  // namespace game
