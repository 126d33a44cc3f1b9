// The road's sprites — road pieces, ground tiles, walls, decorations, road probes — and the road
// builder that lays them from the plan and shifts the whole world.
#pragma once

#include <array>
#include <cstdint>

#include "engine/OmegaSprite.h"
#include "game/RaceState.h"
#include "game/RoadGeometry.h"

namespace game {

class TForm1;

// A ground tile beside the road; kind 0/1 the two terrains, 3 the change to 1, 2 the change back.
class TRoadBack : public engine::TSprite {
 public:
  TRoadBack(TForm1& form, double x, double y, int32_t kind);
  void Move(float moveCount) override;
  TForm1& Form;
};

// One road piece, 300 pixels tall. (x, y) at creation is the road centre at its bottom edge; it
// brings its ground tiles, walls, decorations and perhaps a pickup.
class TRoadPart : public engine::TSprite {
 public:
  TRoadPart(TForm1& form, float x, float y, int32_t kind, bool withPickup);
  ~TRoadPart() override;
  void Move(float moveCount) override;
  // The drivable band of the piece.
  Quad Band() const;

  TForm1& Form;
  double HalfWidth = 0;
  double ExitX = 0;
  double EntryX = 0;
  int32_t Kind = 0;
};

// Kind 0 a start-grid marking, 1 the start line, 2 a roadside decoration.
class TRoadPaint : public engine::TSprite {
 public:
  TRoadPaint(TForm1& form, float x, float y, double angle, int32_t kind, uint8_t ground = 0);
  void Move(float moveCount) override;
  TForm1& Form;
};

// A wall along the road edge: pushes and turns the trucks that touch it and raises the opponents'
// wall sensors.
class TRoadRock : public engine::TSprite {
 public:
  TRoadRock(TForm1& form, float x, float y, int32_t kind, double angle);
  void Move(float moveCount) override;

  TForm1& Form;
  Quad Corners{};
  std::array<bool, kOpponentSlots> Touching{};
  bool PlayerTouching = false;
  std::array<double, 4> CornerAngles{};
  int32_t Kind = 0;
  double Angle = 0;

 private:
  CornerCache cornerCache_;
};

// A truck's road probe: the road pieces set OnRoad while it stands on the drivable band; the truck
// positions, reads and clears it every frame.
class TGroundPoint : public engine::TSprite {
 public:
  TGroundPoint(TForm1& form, double x, double y, double angleOffset, bool useMenuImages);
  void Move(float /*moveCount*/) override {}
  bool OnRoad = false;
  double AngleOffset = 0;
};

// Lays the start straights, builds the path and finish line, and the first six plan pieces; the
// grid origin is in RoadX/RoadY.
void LayRoad(TForm1& form);
// Lays the next plan piece once the last one has come within 300 pixels of the screen top.
void SupplyRoad(TForm1& form);
// Moves opponents, path points and every road, pickup and finish-line sprite by (dx, dy).
void ShiftWorld(TForm1& form, double dx, double dy);

void PlaceWalls(TForm1& form, int32_t kind, double x, double y);
void PlaceScenery(TForm1& form, int32_t kind, double x, double y);
void MaybePlacePickup(TForm1& form, int32_t kind, double x, double y);

}  // namespace game
