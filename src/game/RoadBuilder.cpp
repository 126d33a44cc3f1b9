// The road builder: lays the road from the plan at race start and piece by piece while racing,
// places walls and decorations beside each piece, and shifts the whole world.
#include <algorithm>

#include "engine/Random.h"
#include "game/EnemyCar.h"
#include "game/FinishLine.h"
#include "game/MainForm.h"
#include "game/PathPoints.h"
#include "game/Player.h"
#include "game/RoadPieces.h"
#include "game/RoadPlan.h"

namespace game {

namespace {

using engine::Random;

constexpr uint8_t kRacing = 12;
constexpr uint8_t kExploding = 27;

struct WallSpot {
  int dx;
  int dy;
  int kind;  // 0 "wall1", 1 "wall2"
  int angle;
};

// Four walls per piece kind, centred relative to the road centre at the piece's bottom edge.
constexpr WallSpot kWalls[7][4] = {
    {{250, -75, 0, 0}, {250, -225, 0, 0}, {-250, -75, 0, 180}, {-250, -225, 0, 180}},
    {{260, -70, 1, -45}, {110, -220, 1, -45}, {-370, -70, 1, 135}, {-520, -220, 1, 135}},
    {{370, -70, 1, 45}, {520, -220, 1, 45}, {-260, -70, 1, 225}, {-110, -220, 1, 225}},
    {{-250, -75, 0, 180}, {-223, -221, 0, 200}, {269, -74, 0, 13}, {362, -225, 1, 45}},
    {{250, -75, 0, 0}, {223, -221, 0, -20}, {-269, -74, 0, 167}, {-362, -225, 1, 135}},
    {{388, -225, 0, 0}, {337, -75, 1, 210}, {-172, -223, 1, 36}, {-274, -78, 1, 36}},
    {{-388, -225, 0, 180}, {-337, -75, 1, -30}, {172, -223, 1, 144}, {274, -78, 1, 144}},
};

struct SceneSpot {
  int dx;
  int dy;
};

// Decorations of the bending kinds 1..6: right side first, then left.
constexpr SceneSpot kScenery[7][4] = {
    {},  // straight pieces choose by lot
    {{460, -75}, {560, -225}, {-530, -75}, {-680, -225}},
    {{530, -75}, {680, -225}, {-460, -75}, {-560, -225}},
    {{460, -75}, {560, -225}, {-460, -75}, {-560, -225}},
    {{460, -75}, {560, -225}, {-490, -75}, {-660, -225}},
    {{460, -75}, {560, -225}, {-460, -75}, {-560, -225}},
    {{460, -75}, {560, -225}, {-490, -75}, {-660, -225}},
};

void Decoration(TForm1& form, double x, double y) {
  const int32_t angle = Random(360);
  new TRoadPaint(form, static_cast<float>(x), static_cast<float>(y), angle, 2);
}

// One side of a straight piece: the nearer decoration low or high, by lot. side is +1 or -1.
void StraightSideScenery(TForm1& form, int side, double x, double y) {
  if (Random(10) <= 5) {
    Decoration(form, x + side * 470, y - 75);
    Decoration(form, x + side * 400, y - 225);
  } else {
    Decoration(form, x + side * 400, y - 75);
    Decoration(form, x + side * 470, y - 225);
  }
}

bool MovesWithWorld(engine::TSprite* sprite) {
  return dynamic_cast<TRoadRock*>(sprite) != nullptr ||
         dynamic_cast<TRoadBack*>(sprite) != nullptr ||
         dynamic_cast<TRoadPart*>(sprite) != nullptr ||
         dynamic_cast<TRoadPaint*>(sprite) != nullptr ||
         dynamic_cast<TFinishLine*>(sprite) != nullptr || sprite->Name == "bonus";
}

}  // namespace

void PlaceWalls(TForm1& form, int32_t kind, double x, double y) {
  for (const WallSpot& wall : kWalls[std::clamp(kind, 0, 6)])
    new TRoadRock(form, static_cast<float>(x + wall.dx), static_cast<float>(y + wall.dy), wall.kind,
                  wall.angle);
}

void PlaceScenery(TForm1& form, int32_t kind, double x, double y) {
  if (kind <= 0 || kind > 6) {
    StraightSideScenery(form, +1, x, y);
    StraightSideScenery(form, -1, x, y);
    return;
  }
  for (const SceneSpot& spot : kScenery[kind]) Decoration(form, x + spot.dx, y + spot.dy);
}

void MaybePlacePickup(TForm1& form, int32_t /*kind*/, double x, double y) {
  if (form.Race.PlacePickup != nullptr) form.Race.PlacePickup(form, x, y);
}

void LayRoad(TForm1& form) {
  RaceState& race = form.Race;
  const size_t track = static_cast<size_t>(std::clamp(race.SelectedTrack, 0, kTrackTableSize - 1));
  GenerateRoadPlan(race, race.Tracks[track].DataFile);
  CloseRoadPlan(race);
  FillPieceOffsets(race);
  race.RoadPlanIndex = 0;

  const double gridX = race.RoadX;
  const double gridY = race.RoadY;
  // Fourteen straights behind and around the start grid.
  for (int l = -3; l <= 10; ++l)
    new TRoadPart(form, static_cast<float>(race.RoadX), static_cast<float>(race.RoadY + 300 * l), 0,
                  false);
  race.RoadY -= 1200;

  BuildPath(race, race.RoadX, race.RoadY);
  PlaceFinishLine(form, race.RoadX, race.RoadY);
  new TRoadPaint(form, static_cast<float>(gridX), static_cast<float>(gridY), 0, 1);

  for (size_t i = 0; i <= 4; ++i) {
    const uint8_t kind = race.RoadPlan[i];
    new TRoadPart(form, static_cast<float>(race.RoadX), static_cast<float>(race.RoadY), kind,
                  false);
    race.RoadY -= 300;
    race.RoadX += race.PieceOffsets[kind].ExitX - race.PieceOffsets[kind].EntryX;
    ++race.RoadPlanIndex;
  }
  race.LastRoadPiece = new TRoadPart(form, static_cast<float>(race.RoadX),
                                     static_cast<float>(race.RoadY), race.RoadPlan[5], false);
  ++race.RoadPlanIndex;
}

void SupplyRoad(TForm1& form) {
  RaceState& race = form.Race;
  if (form.GameState != kRacing && form.GameState != kExploding) return;
  TRoadPart* last = race.LastRoadPiece;
  if (last == nullptr) return;
  // Nothing to do while the last piece's top edge is more than 300 pixels above the screen.
  if (last->Y < -300) return;
  if (race.RoadPlanIndex <= race.RoadPieceCount && race.RoadPlanIndex < kRoadPlanSize) {
    const uint8_t kind = race.RoadPlan[static_cast<size_t>(race.RoadPlanIndex)];
    race.LastRoadPiece = new TRoadPart(form, static_cast<float>(last->X + last->ExitX), last->Y,
                                       kind, race.RoadPlanIndex < race.RoadPieceCount - 11);
    ++race.RoadPlanIndex;
  }
}

void ShiftWorld(TForm1& form, double dx, double dy) {
  RaceState& race = form.Race;
  const int32_t count = std::min(race.OpponentCount, kOpponentSlots);
  for (int32_t i = 0; i < count; ++i) {
    TEnemyCar* opponent = race.Opponents[static_cast<size_t>(i)];
    if (opponent == nullptr) continue;
    opponent->SetX(static_cast<float>(opponent->X + dx));
    opponent->SetY(static_cast<float>(opponent->Y + dy));
  }
  const int32_t points = std::min(race.PathPointCount, kPathPointSize - 1);
  for (int32_t k = 1; k <= points; ++k) {
    race.PathPoint[static_cast<size_t>(k)].x += dx;
    race.PathPoint[static_cast<size_t>(k)].y += dy;
  }
  engine::TOmegaSprite& engine = form.OmegaSprite1;
  for (int i = 0; i < engine.Count(); ++i) {
    engine::TSprite* sprite = engine.Sprites(i);
    if (!MovesWithWorld(sprite)) continue;
    sprite->SetX(static_cast<float>(sprite->X + dx));
    sprite->SetY(static_cast<float>(sprite->Y + dy));
  }
}

}  // namespace game
