// The opponent's pilot: steering toward the next path point, speed for bends, walls seen ahead,
// and swerving around or braking for trucks in front.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/EnemyCar.h"
#include "game/MainForm.h"
#include "game/Player.h"
#include "game/SpriteSetup.h"

namespace game {

namespace {

Point2 MeanOf(const Quad& quad) {
  Point2 mean;
  for (const Point2& p : quad) {
    mean.x += p.x;
    mean.y += p.y;
  }
  mean.x /= 4;
  mean.y /= 4;
  return mean;
}

// The request to brake replaces the request to accelerate.
void BrakeInstead(PilotRequests& requests) {
  requests.Accelerate = false;
  requests.Brake = true;
}

}  // namespace

double TargetDirection(double targetX, double targetY, double centreX, double centreY, double nx,
                       double ny) {
  if (targetX > centreX) return std::atan(ny / nx) / kDegToRad;
  if (targetX < centreX) {
    const double beta = std::atan(ny / nx) / kDegToRad;
    return targetY >= centreY ? beta + 180 : beta - 180;
  }
  return 90;
}

void TEnemyCar::SenseTrucks() {
  AvoidLeft = false;
  AvoidRight = false;
  AvoidBrake = false;
  const RaceState& race = Form.Race;
  const Quad nearBox = SquareAround(Sensors[kSensorNearAhead].X, Sensors[kSensorNearAhead].Y, 40);
  const Quad farBox = SquareAround(Sensors[kSensorFarAhead].X, Sensors[kSensorFarAhead].Y, 80);
  const Box nearBounds = BoundsOf(nearBox);
  const Box farBounds = BoundsOf(farBox);
  const Point2 mine = MeanOf(CornerQuad());

  auto look = [&](const TCar& other) {
    const Quad theirs = other.CornerQuad();
    if (QuadsOverlap(nearBox, nearBounds, theirs, other.CornerBounds)) AvoidBrake = true;
    if (!QuadsOverlap(farBox, farBounds, theirs, other.CornerBounds)) return;
    const Point2 o = MeanOf(theirs);
    const double dx = o.x - mine.x;
    const double dy = o.y - mine.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double ux = length > 0 ? dx / length : 1;
    const double uy = length > 0 ? dy / length : 1;
    // Positive: the other truck is to the right of the direction of travel.
    const double k = CosDeg(MoveDir) * uy - SinDeg(MoveDir) * ux;
    if (k > 0) {
      AvoidLeft = true;
      AvoidRight = false;
    } else if (k < 0) {
      AvoidRight = true;
      AvoidLeft = false;
    }
  };

  const int32_t count = std::min(race.OpponentCount, kOpponentSlots);
  for (int32_t i = 0; i < count; ++i) {
    const TEnemyCar* other = race.Opponents[static_cast<size_t>(i)];
    if (i != OpponentSlot && other != nullptr) look(*other);
  }
  if (race.Player != nullptr) look(*race.Player);
}

bool TEnemyCar::PutBackWhenLost() {
  if (Progress > BestProgress) {
    BestProgress = Progress;
    FramesSinceBest = 0;
    return false;
  }
  if (++FramesSinceBest < kHopelessFrames) return false;
  const RaceState& race = Form.Race;
  const int32_t back = TargetPoint > 1 ? TargetPoint - 1 : TargetPoint;
  const PathPointXY& from = race.PathPoint[static_cast<size_t>(back)];
  const PathPointXY& to = race.PathPoint[static_cast<size_t>(TargetPoint)];
  auto offScreen = [](double left, double top, double width, double height) {
    return left > 800 || top > 600 || left + width < 0 || top + height < 0;
  };
  const double w = Width;
  const double h = Height;
  if (!offScreen(X, Y, w, h) || !offScreen(from.x - w / 2, from.y - h / 2, w, h)) return false;
  CentreOn(*this, from.x, from.y);
  Heading = back == TargetPoint ? -90 : std::atan2(to.y - from.y, to.x - from.x) / kDegToRad;
  MoveDir = Heading;
  Rotation = static_cast<float>(Heading - 90);
  Speed = 0;
  Accel = 0;
  Skidding = false;
  FramesSinceBest = 0;
  return true;
}

PilotRequests TEnemyCar::RunPilot() {
  PilotRequests requests;
  const RaceState& race = Form.Race;
  const int32_t pathPoints = std::min(race.PathPointCount, kPathPointSize - 1);
  if (pathPoints < 1) return requests;
  if (TargetPoint < 1 || TargetPoint > pathPoints) TargetPoint = 1;
  PutBackWhenLost();

  // 1. Target: the path point shifted sideways; n points from the target to the truck.
  const PathPointXY& point = race.PathPoint[static_cast<size_t>(TargetPoint)];
  const double tx = point.x + LateralOffset;
  const double ty = point.y;
  const Point2 c = Centre();
  const double dx = c.x - tx;
  const double dy = c.y - ty;
  const double d = std::sqrt(dx * dx + dy * dy);
  const double nx = d != 0 ? dx / d : 1;
  const double ny = d != 0 ? dy / d : 1;

  // 2. Steer unless the target is level with the truck (within a pixel after rounding).
  const int32_t targetX = NearestInt(tx);
  const int32_t targetY = NearestInt(ty);
  const bool level = targetX == NearestInt(c.x) || targetX == NearestInt(c.x + 1) ||
                     targetX == NearestInt(c.x - 1) || targetY == NearestInt(c.y + 1) ||
                     targetY == NearestInt(c.y - 1) || targetY == NearestInt(c.y);
  if (!level) {
    double a = NearestInt(Heading) % 360;
    if (a < 0) a = Heading + 360;
    const double k = nx * SinDeg(a) - ny * CosDeg(a);
    if (k > 0.01) {
      requests.TurnRight = true;
    } else if (k < -0.01) {
      requests.TurnLeft = true;
    }
  }

  // 3. Close to the target, or already past its height (the race runs up the screen), aim at the
  // next point (the path is a loop). Without the second rule a truck that misses the target box
  // where no walls guide it can circle the point for ever, its turning circle being wider than
  // the box.
  if ((std::fabs(tx - c.x) < 200 && std::fabs(ty - c.y) < 200) || c.y < ty)
    TargetPoint = TargetPoint == pathPoints ? 1 : TargetPoint + 1;

  // 4.-5. Speed for the bend: the wider the angle to the target, the slower.
  if (TargetArrow != nullptr)
    TargetArrow->Rotation = static_cast<float>(TargetDirection(tx, ty, c.x, c.y, nx, ny));
  const int32_t beta = NearestInt(TargetArrow != nullptr ? TargetArrow->Rotation : 0.0f) % 360;
  const int32_t nose = NearestInt(HeadingArrow != nullptr ? HeadingArrow->Rotation : 0.0f) % 360;
  const int32_t delta = std::abs(beta - nose);
  const int32_t deltaUp = std::abs(beta + 360 - nose);
  const int32_t deltaDown = std::abs(beta - 360 - nose);
  if (delta > 90 && deltaUp > 90 && deltaDown > 90) {
    // The target is behind: turn at low speed.
    if (Speed > 2) {
      requests.Brake = true;
    } else {
      requests.Accelerate = true;
    }
  } else if (delta > 10 && deltaUp > 10 && deltaDown > 10 && Speed > 6 - 2 * CosDeg(delta)) {
    requests.Brake = true;
  } else {
    requests.Accelerate = true;
  }

  // 6. A wall ahead on the left turns it right, one on the right turns it left; one both front
  // sensors see lies straight ahead, and the truck keeps steering for its target (turning left
  // there would drive a truck skimming a wall on its left into it). Either way it brakes above 2.
  TSensor& frontLeft = Sensors[kSensorFrontLeft];
  TSensor& frontRight = Sensors[kSensorFrontRight];
  if (frontLeft.WallHit != frontRight.WallHit) {
    requests.TurnRight = frontLeft.WallHit;
    requests.TurnLeft = frontRight.WallHit;
  }
  if ((frontLeft.WallHit || frontRight.WallHit) && Speed > 2) BrakeInstead(requests);
  frontLeft.WallHit = false;
  frontRight.WallHit = false;

  // 7. Trucks ahead win over walls; a swerve left wins over a swerve right.
  SenseTrucks();
  if (AvoidRight) {
    requests.TurnRight = true;
    requests.TurnLeft = false;
  }
  if (AvoidLeft) {
    requests.TurnLeft = true;
    requests.TurnRight = false;
  }
  AvoidRight = false;
  AvoidLeft = false;
  if (AvoidBrake && Speed > 2) BrakeInstead(requests);

  // 8. The same operations as the player's keys, each with its own speed conditions.
  if (requests.Accelerate) Accelerate();
  if (requests.Brake) Brake();
  if (requests.TurnLeft) TurnLeft();
  if (requests.TurnRight) TurnRight();
  return requests;
}

}  // namespace game
