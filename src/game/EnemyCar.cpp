// The opponent truck: creation, its per-frame order, progress and place, and truck contact.
#include "game/EnemyCar.h"

#include <algorithm>
#include <cmath>

#include "engine/Random.h"
#include "game/CarShadow.h"
#include "game/MainForm.h"
#include "game/PathPoints.h"
#include "game/Player.h"
#include "game/RoadPieces.h"
#include "game/SpriteSetup.h"

namespace game {

namespace {

using engine::Random;

constexpr uint8_t kRacing = 12;

// Probe radius beyond 0.7 of the truck's height, and angle added to Rotation, per sensor.
constexpr double kSensorReach[5] = {40, 40, 70, 20, 0};
constexpr double kSensorAngle[5] = {75, 105, 90, 90, 0};

}  // namespace

TEnemyCar::TEnemyCar(TForm1& form, double centreX, double centreY, int32_t truckIndex,
                     const std::string& name, double heading, int32_t slot, int32_t number)
    : TEnemyCar(form, centreX, centreY, truckIndex, name, heading, Random(3), slot, number) {}

TEnemyCar::TEnemyCar(TForm1& form, double centreX, double centreY, int32_t truckIndex,
                     const std::string& name, double heading, int32_t patternIndex, int32_t slot,
                     int32_t number)
    : TCar(form, centreX, centreY, truckIndex, name, heading, patternIndex) {
  RaceState& race = form.Race;
  SetName("enemycar");
  ++race.OpponentCount;
  TargetPoint = 1;
  OpponentSlot = slot;
  if (slot >= 0 && slot < kOpponentSlots) race.Opponents[static_cast<size_t>(slot)] = this;

  TargetArrow = MakeMarker(form, "arrows", "arrow", 510, 2, 0.0f, 0.5f);
  TargetArrow->Visible = false;
  TargetArrow->SetX(static_cast<float>(centreX));
  TargetArrow->SetY(static_cast<float>(centreY - 5));

  const double h = Height;
  for (size_t k = 0; k < Sensors.size(); ++k) {
    Sensors[k].Radius = 0.7 * h + kSensorReach[k];
    Sensors[k].AngleOffset = kSensorAngle[k];
    Sensors[k].WallHit = false;
  }
  PlaceSensors();

  Released = false;
  OpponentNumber = number;
  // Odd numbers keep to the left of the path, even ones to the right.
  LateralOffset = number % 2 != 0 ? -Random(100) : Random(100);
  OffsetPeriod = Random(400) + 500;
  OffsetCounter = 1;
  Spinning = false;
  SpinDecay = 0.06;
  RadarBlip = MakeMarker(form, "radarcar2", "radarcar", 485, 0, 0.5f, 0.5f);
  CentreOn(*RadarBlip, 774 + Random(4), 500);
}

TEnemyCar::~TEnemyCar() {
  RaceState& race = Form.Race;
  if (OpponentSlot >= 0 && OpponentSlot < kOpponentSlots &&
      race.Opponents[static_cast<size_t>(OpponentSlot)] == this)
    race.Opponents[static_cast<size_t>(OpponentSlot)] = nullptr;
}

void TEnemyCar::PlaceSensors() {
  const double pivotX = X + static_cast<double>(Width) / 2;
  const double pivotY = Y + 0.3 * Height;
  const double rotation = Rotation;
  for (TSensor& sensor : Sensors) {
    sensor.X = pivotX + sensor.Radius * CosDeg(rotation + sensor.AngleOffset);
    sensor.Y = pivotY + sensor.Radius * SinDeg(rotation + sensor.AngleOffset);
  }
  WallSensorBounds = BoundsOf(SquareAround(Sensors[0].X, Sensors[0].Y, kWallSensorSquare));
  for (size_t k = 1; k < 3; ++k)
    WallSensorBounds = UnionOf(
        WallSensorBounds, BoundsOf(SquareAround(Sensors[k].X, Sensors[k].Y, kWallSensorSquare)));
}

void TEnemyCar::LowerWallSensors() {
  for (TSensor& sensor : Sensors) sensor.WallHit = false;
}

void TEnemyCar::UpdateProgress() {
  RaceState& race = Form.Race;
  PathProgress result;
  if (!MeasureProgress(race, Centre(), result)) return;
  Progress = result.Progress;
  if (OpponentSlot < 0 || OpponentSlot >= kOpponentSlots) return;
  // A finished truck (LapCount 1) ranks ahead of every truck still racing.
  race.OpponentTotal[static_cast<size_t>(OpponentSlot)] =
      (LapCount + 1) * race.PathLength[static_cast<size_t>(race.PathPointCount)] + Progress;
}

void TEnemyCar::UpdateRacePosition() {
  const RaceState& race = Form.Race;
  if (OpponentSlot < 0 || OpponentSlot >= kOpponentSlots) return;
  const double own = race.OpponentTotal[static_cast<size_t>(OpponentSlot)];
  int32_t position = 1;
  if (race.OpponentCount != 1) {
    const int32_t count = std::min(race.OpponentCount, kOpponentSlots);
    for (int32_t i = 0; i < count; ++i)
      if (i != OpponentSlot && race.OpponentTotal[static_cast<size_t>(i)] > own) ++position;
  }
  if (race.PlayerTotal > own) ++position;
  RacePosition = position;
}

void TEnemyCar::ContactResponse(const TCar& other) {
  const double dirX = CosDeg(MoveDir);
  const double dirY = SinDeg(MoveDir);
  const double vsx = Speed * dirX;
  const double vsy = Speed * dirY;
  const double vox = other.Speed * CosDeg(other.MoveDir);
  const double voy = other.Speed * SinDeg(other.MoveDir);
  const Point2 mine = Centre();
  const Point2 theirs = other.Centre();
  const double dx = mine.x - theirs.x;
  const double dy = mine.y - theirs.y;
  const double distance = std::sqrt(dx * dx + dy * dy);
  const double nx = distance > 0 ? dx / distance : 1;
  const double ny = distance > 0 ? dy / distance : 1;
  // Pushed harder along its own direction of travel; a standing truck by the base amount.
  const double ux = Speed != 0 ? dirX : 0;
  const double uy = Speed != 0 ? dirY : 0;
  SetX(static_cast<float>(X + (std::fabs(ux) / 2 + 0.5) * 3 * nx));
  SetY(static_cast<float>(Y + (std::fabs(uy) / 2 + 0.5) * 3 * ny));
  const double k = vsx * voy - vsy * vox;
  if (k > 0) {
    MoveDir += 1.5;
    Heading += 1.5;
  } else if (k < 0) {
    MoveDir -= 1.5;
    Heading -= 1.5;
  }
  // A knock with the player is the player's to sound; of two opponents, the lower slot's.
  const auto* rival = dynamic_cast<const TEnemyCar*>(&other);
  if (rival != nullptr && rival->OpponentSlot > OpponentSlot)
    Form.TruckAudio.TruckKnock(Form, *this, std::hypot(vox - vsx, voy - vsy));
}

void TEnemyCar::TruckContact() {
  RaceState& race = Form.Race;
  const int32_t count = std::min(race.OpponentCount, kOpponentSlots);
  if (race.OpponentCount != 1) {
    Colliding.fill(false);
    TouchingPlayer = false;
    const Quad mine = CornerQuad();
    for (int32_t j = 0; j < count; ++j) {
      const TEnemyCar* other = race.Opponents[static_cast<size_t>(j)];
      if (j == OpponentSlot || other == nullptr) continue;
      if (QuadsOverlap(mine, CornerBounds, other->CornerQuad(), other->CornerBounds)) {
        Colliding[static_cast<size_t>(j)] = true;
      } else {
        Colliding[static_cast<size_t>(j)] = false;
        WasColliding[static_cast<size_t>(j)] = false;
      }
    }
    for (int32_t j = 0; j < count; ++j) {
      if (!Colliding[static_cast<size_t>(j)]) continue;
      if (const TEnemyCar* other = race.Opponents[static_cast<size_t>(j)]) ContactResponse(*other);
      WasColliding[static_cast<size_t>(j)] = true;
    }
  }
  if (const TPlayer* player = race.Player) {
    TouchingPlayer =
        QuadsOverlap(CornerQuad(), CornerBounds, player->CornerQuad(), player->CornerBounds);
    // A blinking player is passed through.
    if (TouchingPlayer && !player->Blinking) ContactResponse(*player);
  }
}

void TEnemyCar::Move(float /*moveCount*/) {
  RaceState& race = Form.Race;
  const TPlayer* player = race.Player;
  const int32_t pathPoints = std::min(race.PathPointCount, kPathPointSize - 1);

  // 1. Far below the screen and heading down: face up again and aim at the next point. Spins and
  // long bends wind Heading up by whole turns, so the test looks at the direction it stands for.
  const double facing = std::remainder(Heading, 360.0);
  if (Y > 4000 && facing > 70 && facing < 120) {
    Heading = -90;
    MoveDir = -90;
    TargetPoint = TargetPoint >= pathPoints ? 1 : TargetPoint + 1;
  }

  // 2. A new sideways offset from the path now and then.
  if (OffsetCounter == OffsetPeriod) {
    LateralOffset = Random(100) - 50;
    OffsetPeriod = Random(1400) + 900;
    OffsetCounter = 1;
  }
  ++OffsetCounter;

  // 3. Scroll with the world, then with the player's push.
  if (player != nullptr) {
    const float scrolledX = static_cast<float>(X + player->ScrollX);
    const float scrolledY = static_cast<float>(Y + player->ScrollY);
    SetX(static_cast<float>(scrolledX + player->PushX));
    SetY(static_cast<float>(scrolledY + player->PushY));
  }

  // 4.-5. Look for trucks ahead, then drive.
  SenseTrucks();
  if (Released) {
    if (!Spinning) RunPilot();
  } else {
    // Before the start and after the finish: hold still, or creep near the first path point.
    const PathPointXY& first = race.PathPoint[1];
    const double dx = X - first.x;
    const double dy = Y - first.y;
    if (std::sqrt(dx * dx + dy * dy) > 100) {
      if (Speed > 0.0055) {
        Accel = -0.0055;
      } else if (Speed < -0.0055) {
        Accel = 0.0055;
      }
    } else {
      Accel = 0.01;
    }
  }

  // 6.
  UpdateProgress();
  UpdateRacePosition();

  // 7. Grip: an opponent off the road keeps the grip it had.
  if (Form.GameState == kRacing) {
    const bool onRoad = (FrontPoint != nullptr && FrontPoint->OnRoad) ||
                        (CentrePoint != nullptr && CentrePoint->OnRoad);
    if (onRoad || Y < 0) GroundFactor = 1.0;
  } else {
    GroundFactor = 0.5;
  }

  // 8. An opponent really moves on the screen.
  const double dirX = CosDeg(MoveDir);
  const double dirY = SinDeg(MoveDir);
  WorldX += dirX * Speed;
  WorldY += dirY * Speed;
  SetX(static_cast<float>(X + dirX * Speed));
  SetY(static_cast<float>(Y + dirY * Speed));

  // 9.-11.
  Speed += 1.2 * Accel * GroundFactor;
  ApplyFriction();
  Rotation = static_cast<float>(Heading - 90);

  // 12.
  if (Skidding && Speed > 2) LeaveSkidMarks();

  // 13. The direction of travel follows the nose; close to it by fixed steps of 1.1.
  FollowNose(std::fabs(MoveDir - Heading) > 5 ? SteerRate * Grip : 1.1);

  // 14.
  SpinStep();

  // 15. Slow-down runs out (an opponent's grip was never touched).
  SlowStep(1);

  // 16. Boost runs out.
  BoostStep();
  UpdateArrows();

  // 17.-18.
  UpdateCornersAndProbes();
  PlaceSensors();
  TruckContact();

  // 19. The road raises them again during the next frame.
  if (FrontPoint != nullptr) FrontPoint->OnRoad = false;
  if (CentrePoint != nullptr) CentrePoint->OnRoad = false;

  // 20. Shadow.
  if (Shadow != nullptr) {
    Shadow->SetX(X + 2);
    Shadow->SetY(Y + 2);
    Shadow->Rotation = Rotation;
  }

  // 21. Radar.
  if (RadarBlip != nullptr && RadarBlip->Y > 168) {
    const double scale = RadarScale(race);
    if (scale > 0) RadarBlip->SetY(static_cast<float>(335 - Progress / scale * 170));
  }
}

}  // namespace game
