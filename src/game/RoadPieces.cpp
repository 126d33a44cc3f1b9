// The road's sprites: pieces with their on-road test, ground tiles, decorations, walls with their
// truck contacts, and the road probes.
#include "game/RoadPieces.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/Random.h"
#include "game/Car.h"
#include "game/EnemyCar.h"
#include "game/MainForm.h"
#include "game/Player.h"
#include "game/SpriteSetup.h"

namespace game {

namespace {

using engine::Random;

struct PieceLook {
  const char* Picture;
  const char* Name;
  double HalfWidth;
  int TileCount;
  int TileOffsets[5];
};

// Piece picture, name, drivable half width and the x offsets of its ground tiles, by kind.
constexpr PieceLook kPieceLooks[7] = {
    {"r_str", "roadstr", 150, 2, {-800, 0}},
    {"r_left", "roadstrvert", 184, 4, {-800, 800, -1600, 0}},
    {"r_right", "roadroters", 184, 4, {-800, 800, -1600, 0}},
    {"r_str_right", "roadroters", 170, 3, {-800, -1600, 0}},
    {"r_str_left", "roadroters", 170, 3, {-800, 800, 0}},
    {"r_right_str", "roadroters", 170, 5, {-800, 800, -1600, 1600, 0}},
    {"r_left_str", "shina", 170, 5, {-800, 800, -1600, 1600, 0}},
};

constexpr const char* kGroundPictures[4] = {"back1", "back2", "back3", "back4"};

// World sprites move with the player's scroll, then with its push of this frame.
// (Both steps are rounded to the sprite's float position, as two moves would be.)
void FollowWorld(engine::TSprite& sprite, const TPlayer* player) {
  if (player == nullptr) return;
  const float scrolledX = static_cast<float>(sprite.X + player->ScrollX);
  const float scrolledY = static_cast<float>(sprite.Y + player->ScrollY);
  sprite.SetX(static_cast<float>(scrolledX + player->PushX));
  sprite.SetY(static_cast<float>(scrolledY + player->PushY));
}

void TestProbe(TGroundPoint* probe, const Quad& band, const Box& bandBounds) {
  if (probe == nullptr) return;
  const Quad square = SquareAround(probe->X, probe->Y, 4);
  if (QuadsOverlap(square, BoundsOf(square), band, bandBounds)) probe->OnRoad = true;
}

}  // namespace

TRoadBack::TRoadBack(TForm1& form, double x, double y, int32_t kind)
    : TSprite(&form.OmegaSprite1), Form(form) {
  SetPicture(*this, GameImage(form, kGroundPictures[std::clamp(kind, 0, 3)]));
  SetName("roadback");
  SetPatternIndex(0);
  SetAlpha(255);
  SetX(static_cast<float>(x));
  SetY(static_cast<float>(y));
  SetZ(0);
  // Drawn 10 % taller so neighbouring rows overlap.
  ScaleY = 1.1f;
}

void TRoadBack::Move(float /*moveCount*/) {
  // Ground tiles follow the previous frame's push.
  if (const TPlayer* player = Form.Race.Player) {
    SetX(static_cast<float>(X + (player->ScrollX + player->PrevPushX)));
    SetY(static_cast<float>(Y + (player->ScrollY + player->PrevPushY)));
  }
  if (Y > 3000) Dead();
}

TRoadPart::TRoadPart(TForm1& form, float x, float y, int32_t kind, bool withPickup)
    : TSprite(&form.OmegaSprite1), Form(form) {
  RaceState& race = form.Race;
  const int32_t safeKind = std::clamp(kind, 0, 6);
  const PieceLook& look = kPieceLooks[safeKind];
  Kind = kind;
  SetZ(20);
  const size_t groundIndex =
      static_cast<size_t>(std::clamp(race.RoadPlanIndex, 0, kRoadPlanSize - 1));
  const int32_t ground = race.SceneryPlan[groundIndex];
  for (int t = 0; t < look.TileCount; ++t)
    new TRoadBack(form, static_cast<double>(x) + look.TileOffsets[t], static_cast<double>(y) - 300,
                  ground);
  SetPicture(*this, GameImage(form, look.Picture));
  SetName(look.Name);
  HalfWidth = look.HalfWidth;
  SetPatternIndex(0);
  Rotation = 0;
  PlaceWalls(form, safeKind, x, y);
  PlaceScenery(form, safeKind, x, y);
  if (withPickup) MaybePlacePickup(form, safeKind, x, y);
  EntryX = race.PieceOffsets[static_cast<size_t>(safeKind)].EntryX;
  ExitX = race.PieceOffsets[static_cast<size_t>(safeKind)].ExitX;
  SetX(static_cast<float>(x - EntryX));
  SetY(static_cast<float>(static_cast<double>(y) - 300));
}

TRoadPart::~TRoadPart() {
  if (Form.Race.LastRoadPiece == this) Form.Race.LastRoadPiece = nullptr;
}

Quad TRoadPart::Band() const {
  const double left = X;
  const double top = Y;
  const double bottom = top + Height;
  return {Point2{left + ExitX - HalfWidth, top}, Point2{left + EntryX - HalfWidth, bottom},
          Point2{left + EntryX + HalfWidth, bottom}, Point2{left + ExitX + HalfWidth, top}};
}

void TRoadPart::Move(float /*moveCount*/) {
  RaceState& race = Form.Race;
  FollowWorld(*this, race.Player);
  const Quad band = Band();
  const Box bandBounds = BoundsOf(band);
  if (race.Player != nullptr) {
    TestProbe(race.Player->FrontPoint, band, bandBounds);
    TestProbe(race.Player->CentrePoint, band, bandBounds);
  }
  const int32_t count = std::min(race.OpponentCount, kOpponentSlots);
  for (int32_t i = 0; i < count; ++i) {
    TEnemyCar* opponent = race.Opponents[static_cast<size_t>(i)];
    if (opponent == nullptr) continue;
    if (opponent->Y >= 600) {
      // Below the screen counts as on the road.
      if (opponent->FrontPoint != nullptr) opponent->FrontPoint->OnRoad = true;
      if (opponent->CentrePoint != nullptr) opponent->CentrePoint->OnRoad = true;
    } else {
      TestProbe(opponent->FrontPoint, band, bandBounds);
      TestProbe(opponent->CentrePoint, band, bandBounds);
    }
  }
  if (Y > 3000) Dead();
}

TRoadPaint::TRoadPaint(TForm1& form, float x, float y, double angle, int32_t kind,
                       uint8_t /*ground*/)
    : TSprite(&form.OmegaSprite1), Form(form) {
  int32_t jitterX = 0;
  int32_t jitterY = 0;
  if (kind == 0) {
    SetPicture(*this, GameImage(form, "inplace"));
    SetName("inplace");
    SetPatternIndex(0);
  } else if (kind == 1) {
    SetPicture(*this, GameImage(form, "startline"));
    SetName("inplace");
    SetPatternIndex(0);
  } else if (kind == 2) {
    const int32_t r = Random(10);
    SetPicture(*this, GameImage(form, r <= 3 ? "trees" : r <= 6 ? "desert" : "houses"));
    SetName("flowers");
    SetPatternIndex(Random(6));
    jitterX = 20 - Random(40);
    jitterY = 20 - Random(40);
  }
  SetX(static_cast<float>(static_cast<double>(x) + jitterX - static_cast<double>(Width) / 2));
  SetY(static_cast<float>(static_cast<double>(y) + jitterY - static_cast<double>(Height) / 2));
  CenterX = 0.5f;
  CenterY = 0.5f;
  SetZ(29);
  Rotation = static_cast<float>(angle);
}

void TRoadPaint::Move(float /*moveCount*/) {
  FollowWorld(*this, Form.Race.Player);
  if (Y > 2000) Dead();
}

TRoadRock::TRoadRock(TForm1& form, float x, float y, int32_t kind, double angle)
    : TSprite(&form.OmegaSprite1), Form(form) {
  Kind = kind;
  Angle = angle;
  SetZ(28);
  SetName("roadrock");
  SetPicture(*this, GameImage(form, kind == 0 ? "wall1" : "wall2"));
  Rotation = static_cast<float>(angle);
  SetPatternIndex(0);
  CentreOn(*this, x, y);
  CenterX = 0.5f;
  CenterY = 0.5f;
  CornerAngles = CornerAnglesOf(*this);
  Corners = RectangleCorners(*this);
}

void TRoadRock::Move(float /*moveCount*/) {
  RaceState& race = Form.Race;
  FollowWorld(*this, race.Player);
  cornerCache_.Update(*this, CornerAngles, Corners);
  const Box wallBox = BoundsOf(Corners);

  const int32_t count = std::min(race.OpponentCount, kOpponentSlots);
  for (int32_t i = 0; i < count; ++i) {
    Touching[static_cast<size_t>(i)] = false;
    const TEnemyCar* opponent = race.Opponents[static_cast<size_t>(i)];
    if (opponent == nullptr) continue;
    const double dx = X - (opponent->X - static_cast<double>(opponent->Width) / 2);
    const double dy = Y - (opponent->Y - static_cast<double>(opponent->Height) / 2);
    if (WithinDistance(dx, dy, 150) &&
        QuadsOverlap(opponent->CornerQuad(), opponent->CornerBounds, Corners, wallBox))
      Touching[static_cast<size_t>(i)] = true;
  }
  for (int32_t i = 0; i < count; ++i) {
    TEnemyCar* opponent = race.Opponents[static_cast<size_t>(i)];
    if (Touching[static_cast<size_t>(i)] && opponent != nullptr)
      ApplyWallContact(Form, *opponent, *this);
  }

  if (TPlayer* player = race.Player) {
    PlayerTouching = QuadsOverlap(player->CornerQuad(), player->CornerBounds, Corners, wallBox);
    if (PlayerTouching) ApplyWallContact(Form, *player, *this);
  }

  // A wall only raises the sensors it sees: the race frame lowers them all before the walls move,
  // so a wall seen by an earlier wall stays seen. Most opponents are far from this wall: the bounds
  // of their three sensor squares settle all three at once, without the angle test. (A player
  // contact above may have moved this wall, but not its Corners.)
  for (int32_t i = 0; i < count; ++i) {
    TEnemyCar* opponent = race.Opponents[static_cast<size_t>(i)];
    if (opponent == nullptr || BoxesApart(opponent->WallSensorBounds, wallBox)) continue;
    for (size_t k = 0; k < 3; ++k) {
      TSensor& sensor = opponent->Sensors[k];
      const Quad square = SquareAround(sensor.X, sensor.Y, kWallSensorSquare);
      if (QuadsOverlap(square, BoundsOf(square), Corners, wallBox)) sensor.WallHit = true;
    }
  }
  if (Y > 3000) Dead();
}

TGroundPoint::TGroundPoint(TForm1& form, double x, double y, double angleOffset, bool useMenuImages)
    : TSprite(&form.OmegaSprite1) {
  SetPicture(*this, useMenuImages ? form.MenuImage("groundpoint") : GameImage(form, "groundpoint"));
  SetName("groundpoint");
  SetPatternIndex(0);
  CenterX = 0.5f;
  CenterY = 0.5f;
  CentreOn(*this, x, y);
  SetZ(52);
  AngleOffset = angleOffset;
  OnRoad = false;
  Visible = false;
}

}  // namespace game
