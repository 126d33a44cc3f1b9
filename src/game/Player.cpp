// The player's driving model: keys, progress and ranking, scrolling, friction, skids, spin-outs,
// pickup timers, truck contact, damage and blinking.
#include "game/Player.h"

#include <algorithm>
#include <cmath>

#include "game/CarShadow.h"
#include "game/EasyRules.h"
#include "game/EnemyCar.h"
#include "game/MainForm.h"
#include "game/PathPoints.h"
#include "game/RoadPieces.h"
#include "game/SpriteSetup.h"

namespace game {

namespace {

constexpr int kKeyLeft = 0x25;
constexpr int kKeyUp = 0x26;
constexpr int kKeyRight = 0x27;
constexpr int kKeyDown = 0x28;
constexpr int kKeySpace = 0x20;
constexpr int kKeyCtrl = 0x11;
constexpr uint8_t kRacing = 12;

}  // namespace

TPlayer::TPlayer(TForm1& form, double centreX, double centreY, int32_t truckIndex,
                 const std::string& name, double heading)
    : TCar(form, centreX, centreY, truckIndex, name, heading, form.Race.Level.PlayerPattern) {
  SetName("player");
  ControlsOn = false;
  RankingOn = true;
  NextPathPoint = 1;
  Blinking = false;
  LapCount = 0;
  CanFinish = true;
  Spinning = false;
  SlowActive = false;
  SlowTimer = 0;
  BackTravel = 0;
  SpinDecay = 0.06;
  RadarBlip = MakeMarker(form, "radarcar1", "radarcar", 490, 0, 0.5f, 0.5f);
  CentreOn(*RadarBlip, 774, 500);
  form.Race.Player = this;
}

TPlayer::~TPlayer() {
  if (Form.Race.Player == this) Form.Race.Player = nullptr;
}

void TPlayer::HandleInput() {
  auto& down = Form.KeyDown;
  auto& released = Form.KeyReleased;
  if (down[kKeyUp]) {
    Accelerate();
  } else if (down[kKeyDown]) {
    // Down is brake and reverse in one.
    Brake();
  }
  if (std::fabs(Speed) > 0.3) {
    if (down[kKeyRight]) {
      TurnRight();
    } else if (down[kKeyLeft]) {
      TurnLeft();
    }
  }
  if (down[kKeySpace] || down[kKeyCtrl]) {
    Skidding = true;
    if (Speed > CoastDecel) {
      Accel = -CoastDecel;
    } else if (Speed < -CoastDecel) {
      Accel = CoastDecel;
    }
  }
  // A release is acted on once. One left over from before the key went down again (released and
  // pressed within a frame, or during a spin-out) must not cancel the key the driver now holds.
  for (int key : {kKeyUp, kKeyDown}) {
    const auto k = static_cast<size_t>(key);
    if (!released[k]) continue;
    released[k] = false;
    if (down[k]) continue;
    Accel = 0;
  }
  for (int key : {kKeyRight, kKeyLeft, kKeySpace, kKeyCtrl})
    released[static_cast<size_t>(key)] = false;
}

void TPlayer::UpdateProgress() {
  RaceState& race = Form.Race;
  PathProgress result;
  if (!MeasureProgress(race, Centre(), result)) return;
  Progress = result.Progress;
  PathA = result.A;
  PathB = result.B;
  race.PlayerTotal = race.PathLength[static_cast<size_t>(race.PathPointCount)] + Progress;
}

void TPlayer::UpdateRacePosition() {
  const RaceState& race = Form.Race;
  const int32_t count = std::min(race.OpponentCount, kOpponentSlots);
  int32_t position = 1;
  // A tie goes to the player.
  for (int32_t i = 0; i < count; ++i)
    if (race.OpponentTotal[static_cast<size_t>(i)] > race.PlayerTotal) ++position;
  RacePosition = std::min(position, race.OpponentCount + 1);
}

void TPlayer::ContactResponse(const TCar& other) {
  const double vpx = Speed * CosDeg(MoveDir);
  const double vpy = Speed * SinDeg(MoveDir);
  const double vox = other.Speed * CosDeg(other.MoveDir);
  const double voy = other.Speed * SinDeg(other.MoveDir);
  const Point2 mine = Centre();
  const Point2 theirs = other.Centre();
  const double dx = mine.x - theirs.x;
  const double dy = mine.y - theirs.y;
  const double distance = std::sqrt(dx * dx + dy * dy);
  const double nx = distance > 0 ? dx / distance : 1;
  const double ny = distance > 0 ? dy / distance : 1;
  const double ux = other.Speed != 0 ? CosDeg(other.MoveDir) : 0;
  const double uy = other.Speed != 0 ? SinDeg(other.MoveDir) : 0;

  // The world moves by the push, so the player drifts away from the other truck.
  PushX -= (std::fabs(ux) / 2 + 0.5) * 3 * nx;
  PushY -= (std::fabs(uy) / 2 + 0.5) * 3 * ny;
  Speed *= 0.99;
  const double k = vpx * voy - vpy * vox;
  if (k > 0) {
    MoveDir += 1.5;
    Heading += 1.5;
  } else if (k < 0) {
    MoveDir -= 1.5;
    Heading -= 1.5;
  }
  const double rx = vox - vpx;
  const double ry = voy - vpy;
  const double r = std::sqrt(rx * rx + ry * ry);
  // Only mid-speed knocks hurt.
  if (r > 4 && r < 10) ApplyDamage(NearestInt(r / 5));
  Form.TruckAudio.TruckKnock(Form, *this, r);
}

void TPlayer::TruckContact() {
  RaceState& race = Form.Race;
  const int32_t count = std::min(race.OpponentCount, kOpponentSlots);
  if (count <= 0) return;
  Colliding.fill(false);
  const Point2 mine = Centre();
  const Quad myCorners = CornerQuad();
  for (int32_t i = 0; i < count; ++i) {
    const TEnemyCar* other = race.Opponents[static_cast<size_t>(i)];
    if (other == nullptr) continue;
    const double dx = mine.x - (other->X - static_cast<double>(other->Width) / 2);
    const double dy = mine.y - (other->Y - static_cast<double>(other->Height) / 2);
    if (std::sqrt(dx * dx + dy * dy) >= 200) continue;
    if (QuadsOverlap(myCorners, CornerBounds, other->CornerQuad(), other->CornerBounds)) {
      Colliding[static_cast<size_t>(i)] = true;
    } else {
      WasColliding[static_cast<size_t>(i)] = false;
    }
  }
  for (int32_t i = 0; i < count; ++i) {
    if (!Colliding[static_cast<size_t>(i)]) continue;
    const TEnemyCar* other = race.Opponents[static_cast<size_t>(i)];
    if (other != nullptr && !Blinking) ContactResponse(*other);
    WasColliding[static_cast<size_t>(i)] = true;
  }
}

void TPlayer::Move(float /*moveCount*/) {
  RaceState& race = Form.Race;

  // 1. Blinking after a reset.
  if (Blinking) {
    if (BlinkCount % 10 == 0) {
      Visible = !Visible;
      if (Shadow != nullptr) Shadow->Visible = Visible;
    }
    if (BlinkCount < BlinkLength) {
      ++BlinkCount;
    } else {
      Blinking = false;
      Visible = true;
      if (Shadow != nullptr) Shadow->Visible = true;
    }
  }

  if (WallFreeFrames <= kWallHitGapFrames) ++WallFreeFrames;

  // 2. Control.
  if (ControlsOn) {
    if (!Spinning) HandleInput();
  } else {
    Accel = 0;
    if (Speed > 0.011) {
      Speed -= 0.011;
    } else if (Speed < -0.011) {
      Speed += 0.011;
    }
  }

  // 3. Progress and place.
  UpdateProgress();
  if (RankingOn) UpdateRacePosition();

  // 4. Grip of the ground under the probes.
  const bool onRoad = (FrontPoint != nullptr && FrontPoint->OnRoad) ||
                      (CentrePoint != nullptr && CentrePoint->OnRoad);
  GroundFactor = onRoad ? 1.0 : 0.2;

  // 5.-7. Travel and scroll with the speed from before this frame's acceleration.
  const double dirX = CosDeg(MoveDir);
  const double dirY = SinDeg(MoveDir);
  WorldX += dirX * Speed;
  WorldY += dirY * Speed;
  ScrollX = -dirX * Speed;
  ScrollY = -dirY * Speed;
  Speed += Accel * GroundFactor;

  // 8. Friction.
  ApplyFriction();

  // 9. Skid marks.
  if (std::fabs(MoveDir - Heading) > 7 && Speed > 2) LeaveSkidMarks();

  // 10.
  Rotation = static_cast<float>(Heading - 90);

  // 11. The direction of travel follows the nose.
  FollowNose(std::fabs(MoveDir - Heading) > 10 ? SteerRate * Grip + 0.2 * (1 - Grip) * SteerRate
                                               : SteerRate * Grip);

  // 12. Spin-out.
  SpinStep();

  // 13. Slow-down runs out.
  SlowStep(3);

  // 14. Boost runs out.
  BoostStep();
  UpdateArrows();

  // 15.-16.
  UpdateCornersAndProbes();
  PrevPushX = PushX;
  PrevPushY = PushY;
  PushX = 0;
  PushY = 0;

  // 17.-19.
  TruckContact();
  DecaySpin();
  SupplyRoad(Form);

  // 20. The road sets them again during the next frame.
  if (FrontPoint != nullptr) FrontPoint->OnRoad = false;
  if (CentrePoint != nullptr) CentrePoint->OnRoad = false;

  // 21. Shadow.
  if (Shadow != nullptr) {
    Shadow->SetX(X + 2);
    Shadow->SetY(Y + 2);
    Shadow->Rotation = Rotation;
  }

  // 22. Distance driven down the screen, never above 0.
  BackStep = CosDeg(Rotation) * Speed;
  if (BackTravel - BackStep <= 0) BackTravel -= BackStep;

  // 23. Next path point once within 200 pixels on both axes.
  const int32_t n = race.PathPointCount;
  if (n >= 1 && NextPathPoint >= 1 && NextPathPoint <= n) {
    const Point2 c = Centre();
    const PathPointXY& next = race.PathPoint[static_cast<size_t>(NextPathPoint)];
    if (std::fabs(c.x - next.x) < 200 && std::fabs(c.y - next.y) < 200 && NextPathPoint < n)
      ++NextPathPoint;
  }

  // 24. Radar.
  if (RadarBlip != nullptr && RadarBlip->Y > 168) {
    const double scale = RadarScale(race);
    if (scale > 0) RadarBlip->SetY(static_cast<float>(335 - Progress / scale * 170));
  }
}

void TPlayer::ApplyDamage(int32_t amount) {
  RaceState& race = Form.Race;
  if (amount <= 0 || Blinking || Form.GameState != kRacing || race.Paused) return;
  if (Health - amount > 0) {
    Health -= amount;
  } else {
    race.Destroyed = true;
  }
}

void TPlayer::Repair(int32_t amount) {
  if (amount <= 0 || Form.GameState != kRacing || Form.Race.Paused) return;
  Health = std::min(100, Health + amount);
}

void TPlayer::StartBlink() {
  BlinkLength = 200;
  BlinkCount = 0;
  Blinking = true;
}

}  // namespace game
