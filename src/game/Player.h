// TPlayer: the player's truck, which never moves on screen; each frame it drives from the keys and
// publishes its velocity as the scroll vector every world sprite follows.
#pragma once

#include <cstdint>
#include <string>

#include "game/Car.h"
#include "game/RoadGeometry.h"

namespace game {

class TPlayer : public TCar {
 public:
  // Registers itself as the race's player truck.
  TPlayer(TForm1& form, double centreX, double centreY, int32_t truckIndex, const std::string& name,
          double heading);
  ~TPlayer() override;

  void Move(float moveCount) override;

  // Damage is ignored for non-positive amounts, while blinking, outside a running race and after
  // the finish; a hit that would empty Health keeps it and marks the truck destroyed instead.
  void ApplyDamage(int32_t amount);
  void Repair(int32_t amount);
  // 200 frames of blinking without damage.
  void StartBlink();

  // Parts of Move, in the order Move runs them.
  void HandleInput();
  void UpdateProgress();
  void UpdateRacePosition();
  void TruckContact();
  // This truck's reaction to touching opponent O (only this truck changes).
  void ContactResponse(const TCar& other);

  double PushX = 0, PushY = 0;
  double PrevPushX = 0, PrevPushY = 0;
  // The two path points around the truck (nearest, next).
  Point2 PathA, PathB;
  double ScrollX = 0, ScrollY = 0;
  bool ControlsOn = false;
  int32_t NextPathPoint = 1;
  bool RankingOn = true;
  // The health bar of the race display; may be null.
  engine::TSprite* HealthBar = nullptr;
  bool Blinking = false;
  int32_t BlinkLength = 0;
  int32_t BlinkCount = 0;
  double BackTravel = 0;
  // This frame's backward step (positive while driving down the screen); the wrong-way warning
  // reads it.
  double BackStep = 0;
  // Wall hits on the easy difficulty: frames since the truck last touched a wall, and what the
  // current hit has cost so far.
  int32_t WallFreeFrames = 1 << 20;
  int32_t WallHitCharged = 0;
};

}  // namespace game
