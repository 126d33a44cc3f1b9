// TExplose: the explosion animation a bomb (or a destroyed truck) leaves on screen.
#pragma once

#include <cstdint>

#include "engine/OmegaSprite.h"

namespace game {

class TForm1;

// Explosion kinds: the destroyed player truck's, a bomb's, and a spare smoke burst.
constexpr int32_t kExplosionLarge = 0;
constexpr int32_t kExplosionBomb = 1;
constexpr int32_t kExplosionSmoke = 2;

// Owner index of an explosion that stays at the player truck's fixed screen place.
constexpr int32_t kExplosionAtPlayer = -1;

class TExplose : public engine::TSprite {
 public:
  // Centred on (centreX, centreY); ownerIndex is kExplosionAtPlayer or the opponent slot whose
  // truck the explosion follows.
  TExplose(TForm1& form, int32_t ownerIndex, int32_t kind, double centreX, double centreY);
  void Move(float moveCount) override;

  TForm1& Form;
  int32_t LastPattern = 7;
  int32_t FrameCounter = 1;
  int32_t OwnerIndex = kExplosionAtPlayer;
  double FollowX = 0;
  double FollowY = 0;
};

}  // namespace game
