// The autopilot: follows the race path with the arrow keys, rams walls on request, and presses the
// next-race, final-score and "don't send" buttons when they show.
#include "Pilot.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "game/Bonus.h"
#include "game/EnemyCar.h"
#include "game/Player.h"
#include "game/RaceFlow.h"

namespace autodrive {

namespace {

using Type = platform::InputEvent::Type;

constexpr int kVkReturn = 13;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;

constexpr double kRadToDeg = 180.0 / 3.14159265358979323846;

// Frames a button stays visible before the pilot clicks it, as a player would take a moment.
constexpr int64_t kButtonDelay = 15;
// Above this speed a wrecking truck turns into the wall; below it, it gathers speed on the road.
constexpr double kRamSpeed = 6.0;
// How far beside the road a wrecking truck aims.
constexpr double kRamOffset = 450;
// Lanes stay this far from the middle of the road; obstacles count this far ahead.
constexpr double kLaneLimit = 80;
constexpr double kObstacleHorizon = 900;
// Room beyond which more room is worth nothing.
constexpr double kEnoughRoom = 120;
// About half a truck's width.
constexpr double kTruckHalfWidth = 25;

double Wrap180(double degrees) {
  degrees = std::fmod(degrees, 360.0);
  if (degrees > 180) degrees -= 360;
  if (degrees <= -180) degrees += 360;
  return degrees;
}

// The race path as a polyline with running lengths, in this frame's screen coordinates. The path
// proper begins where the start straights end, so the straights below it are put in front.
class PathLine {
 public:
  explicit PathLine(const game::RaceState& race) {
    const int32_t count = std::clamp(race.PathPointCount, 0, game::kPathPointSize - 1);
    if (count < 2) return;
    // Point 1 lies half-way up the first plan piece; that piece starts on the straights' centre.
    const game::PathPointXY& first = race.PathPoint[1];
    const game::PieceOffset& shift = race.PieceOffsets[std::min<size_t>(race.RoadPlan[0], 6)];
    const double baseX = first.x - (shift.ExitX - shift.EntryX) / 2.0;
    const double baseY = first.y + 150;
    points_.push_back({baseX, baseY + 3000});
    points_.push_back({baseX, baseY});
    for (int32_t k = 1; k <= count; ++k) points_.push_back(race.PathPoint[static_cast<size_t>(k)]);
    length_.assign(points_.size(), 0.0);
    for (size_t k = 1; k < points_.size(); ++k) length_[k] = length_[k - 1] + SegmentLength(k - 1);
  }

  bool Usable() const { return points_.size() >= 2; }

  // The running length of the point of the path nearest to (px, py), and how far (px, py) lies
  // to the right of the path there.
  double Locate(double px, double py, double& lateral) const {
    double best = 1e300;
    double at = 0;
    lateral = 0;
    for (size_t k = 0; k + 1 < points_.size(); ++k) {
      const game::PathPointXY& a = points_[k];
      const game::PathPointXY& b = points_[k + 1];
      const double dx = b.x - a.x;
      const double dy = b.y - a.y;
      const double len2 = dx * dx + dy * dy;
      const double t =
          std::clamp(len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0, 0.0, 1.0);
      const double fx = a.x + t * dx - px;
      const double fy = a.y + t * dy - py;
      const double d = fx * fx + fy * fy;
      if (d < best) {
        best = d;
        at = length_[k] + t * std::sqrt(len2);
        // Right of the direction (dx, dy) on a screen whose y grows downward is (-dy, dx).
        lateral = len2 > 0 ? (-fx * -dy + -fy * dx) / std::sqrt(len2) : 0;
      }
    }
    return at;
  }

  // The point at running length s (beyond the end along the last segment) and the direction of
  // the path there, in degrees.
  void At(double s, double& x, double& y, double& direction) const {
    size_t k = 0;
    while (k + 2 < points_.size() && length_[k + 1] < s) ++k;
    const game::PathPointXY& a = points_[k];
    const game::PathPointXY& b = points_[k + 1];
    const double len = SegmentLength(k);
    const double t = len > 0 ? (s - length_[k]) / len : 0;
    x = a.x + t * (b.x - a.x);
    y = a.y + t * (b.y - a.y);
    direction = std::atan2(b.y - a.y, b.x - a.x) * kRadToDeg;
  }

 private:
  double SegmentLength(size_t k) const {
    return std::hypot(points_[k + 1].x - points_[k].x, points_[k + 1].y - points_[k].y);
  }

  std::vector<game::PathPointXY> points_;
  std::vector<double> length_;
};

}  // namespace

bool ParsePlan(const std::string& text, std::vector<RacePlan>& plan) {
  plan.clear();
  std::istringstream in(text);
  std::string word;
  while (std::getline(in, word, ',')) {
    if (word == "drive") {
      plan.push_back(RacePlan::kDrive);
    } else if (word == "wreck") {
      plan.push_back(RacePlan::kWreck);
    } else if (word == "enter") {
      plan.push_back(RacePlan::kEnter);
    } else {
      return false;
    }
  }
  return !plan.empty();
}

DrivingKeys SteerAlongPath(const game::RaceState& race, const game::TPlayer& player,
                           const std::vector<Obstacle>* avoid, double& lane) {
  DrivingKeys keys;
  const PathLine path(race);
  if (!path.Usable()) return keys;
  const game::Point2 centre = player.Centre();
  const double speed = player.Speed;
  double sideways = 0;
  const double here = path.Locate(centre.x, centre.y, sideways);

  // The lane with the most room around the obstacles of the next stretch; back to the middle of
  // the road when it is clear, and no jumping between lanes of about the same worth. Changing
  // lanes takes a stretch of road, so an obstacle near ahead is met half-way between the lanes.
  if (avoid != nullptr) {
    const double changeLength = std::max(60 * std::fabs(speed), 150.0);
    double bestLane = 0;
    double bestWorth = -1e300;
    for (double candidate = -kLaneLimit; candidate <= kLaneLimit; candidate += 20) {
      double room = kEnoughRoom;
      for (const Obstacle& obstacle : *avoid) {
        double across = 0;
        const double at = path.Locate(obstacle.x, obstacle.y, across);
        if (at < here - 40 || at > here + kObstacleHorizon || std::fabs(across) > 250) continue;
        const double share = std::clamp((at - here) / changeLength, 0.0, 1.0);
        const double passing = sideways + (candidate - sideways) * share;
        room = std::min(room, std::fabs(passing - across) - obstacle.radius);
      }
      const double worth = room - 0.15 * std::fabs(candidate) - 0.1 * std::fabs(candidate - lane);
      if (worth > bestWorth) {
        bestWorth = worth;
        bestLane = candidate;
      }
    }
    lane = bestLane;
  }

  // Steer for a point ahead in the lane; the faster, the further ahead.
  const double lookahead = 120 + 25 * std::fabs(speed);
  double tx = 0;
  double ty = 0;
  double direction = 0;
  path.At(here + lookahead, tx, ty, direction);
  tx += -std::sin(direction / kRadToDeg) * lane;
  ty += std::cos(direction / kRadToDeg) * lane;
  // The nose leads the direction of travel in a turn; aiming a little behind it damps the swing.
  const double aim = player.Heading + 0.3 * Wrap180(player.MoveDir - player.Heading);
  const double error = Wrap180(std::atan2(ty - centre.y, tx - centre.x) * kRadToDeg - aim);
  keys.Right = error > 1.0;
  keys.Left = error < -1.0;

  // The speed that still makes every bend of the next 1000 pixels: the direction of travel
  // follows the nose by about SteerRate * Grip degrees a frame, and the road's width leaves a
  // little room to cut a bend.
  const double turnRate = std::max(player.SteerRate * player.Grip, 0.05);
  double target = player.MaxSpeed;
  for (double d = 100; d <= 1000; d += 100) {
    double px = 0;
    double py = 0;
    double ahead = 0;
    path.At(here + d, px, py, ahead);
    const double turn = std::fabs(Wrap180(ahead - player.Heading));
    if (turn > 1) target = std::min(target, (d + 50) * turnRate / turn);
  }
  target = std::max(target, 3.0);
  if (speed < target - 0.2) {
    keys.Up = true;
  } else if (speed > target + 0.8 && speed > 1) {
    keys.Down = true;
  }
  return keys;
}

std::vector<Obstacle> ObstaclesOf(const game::TForm1& form) {
  std::vector<Obstacle> obstacles;
  const game::TPlayer* player = form.Race.Player;
  for (int i = 0; i < form.OmegaSprite1.Count(); ++i) {
    const auto* pickup = dynamic_cast<const game::TBonus*>(form.OmegaSprite1.Sprites(i));
    if (pickup == nullptr || pickup->IsDead) continue;
    const int32_t kind = pickup->PickupKind;
    const bool hurts = kind == game::kPickupBomb || kind == game::kPickupSpikes ||
                       (kind == game::kPickupPuddle && pickup->Armed) ||
                       (kind == game::kPickupBoxes && pickup->PatternIndex == 0);
    if (!hurts) continue;
    const double half = std::max(pickup->Width, pickup->Height) / 2.0;
    obstacles.push_back({pickup->X + pickup->Width / 2.0, pickup->Y + pickup->Height / 2.0,
                         half + kTruckHalfWidth + 10});
  }
  // Slower opponents close ahead are overtaken, not rammed.
  for (const game::TEnemyCar* opponent : form.Race.Opponents) {
    if (opponent == nullptr || player == nullptr) continue;
    if (opponent->Speed > player->Speed - 1) continue;
    const game::Point2 centre = opponent->Centre();
    obstacles.push_back({centre.x, centre.y, 2 * kTruckHalfWidth + 15});
  }
  return obstacles;
}

RacePlan Pilot::PlanOfRace(int32_t levelNumber) const {
  if (plan_.empty()) return RacePlan::kDrive;
  const size_t index = static_cast<size_t>(std::max(levelNumber, 1) - 1);
  return plan_[std::min(index, plan_.size() - 1)];
}

void Pilot::SetKey(int key, bool down, std::vector<platform::InputEvent>& events) {
  bool& held = held_[static_cast<size_t>(key)];
  // A held key is pressed again once the game has let go of it, as the keyboard's repeat does: a
  // release the game takes late (after a spin-out, say) also clears the press that followed it.
  const bool repeat = down && held && !keyDown_[static_cast<size_t>(key)];
  if (held == down && !repeat) return;
  held = down;
  platform::InputEvent event;
  event.type = down ? Type::kKeyDown : Type::kKeyUp;
  event.key = key;
  events.push_back(event);
}

void Pilot::Hold(const DrivingKeys& keys, std::vector<platform::InputEvent>& events) {
  SetKey(kVkUp, keys.Up, events);
  SetKey(kVkDown, keys.Down, events);
  SetKey(kVkLeft, keys.Left, events);
  SetKey(kVkRight, keys.Right, events);
}

void Pilot::Race(const game::TForm1& form, std::vector<platform::InputEvent>& events) {
  const game::TPlayer* player = form.Race.Player;
  if (player == nullptr || !player->ControlsOn) {
    Hold({}, events);
    SetKey(kVkReturn, false, events);
    return;
  }
  switch (PlanOfRace(form.LevelNumber)) {
    case RacePlan::kDrive: {
      const std::vector<Obstacle> obstacles = ObstaclesOf(form);
      Hold(SteerAlongPath(form.Race, *player, &obstacles, lane_), events);
      break;
    }
    case RacePlan::kWreck: {
      const bool ram = !player->Blinking && player->Speed > kRamSpeed;
      lane_ = ram ? kRamOffset : 0;
      DrivingKeys keys = SteerAlongPath(form.Race, *player, nullptr, lane_);
      // Flat out all the time: the walls are the point.
      keys.Up = true;
      keys.Down = false;
      Hold(keys, events);
      break;
    }
    case RacePlan::kEnter:
      if (held_[kVkReturn]) {
        SetKey(kVkReturn, false, events);
      } else if (enterLevel_ != form.LevelNumber && form.ScreenTick > game::kStartArrowsGoneTick) {
        enterLevel_ = form.LevelNumber;
        SetKey(kVkReturn, true, events);
      }
      break;
  }
}

void Pilot::ClickWhenShown(const game::TForm1& form, size_t slot, int64_t frame) {
  const engine::TOmegaButton* button = form.Menu.Buttons[slot];
  if (button == nullptr || !button->Visible) return;
  if (shownSince_ < 0) shownSince_ = frame;
  if (frame - shownSince_ < kButtonDelay || clickStart_ >= 0) return;
  clickStart_ = frame;
  clickX_ = button->Left + button->Width / 2;
  clickY_ = button->Top + button->Height / 2;
}

void Pilot::Decide(const game::TForm1& form, int64_t frame,
                   std::vector<platform::InputEvent>& events) {
  keyDown_ = form.KeyDown;
  if (form.GameState != shownState_) {
    shownState_ = form.GameState;
    shownSince_ = -1;
  }
  if (form.GameState == game::gsRace) {
    Race(form, events);
  } else {
    Hold({}, events);
    SetKey(kVkReturn, false, events);
    // The results' next-race button, the final score's button and "no" to sending the score.
    if (form.GameState == game::gsRaceOver || form.GameState == game::gsYourScore ||
        form.GameState == game::gsSendScore)
      ClickWhenShown(form, 0, frame);
  }

  if (clickStart_ < 0) return;
  platform::InputEvent event;
  event.x = clickX_;
  event.y = clickY_;
  const int64_t step = frame - clickStart_;
  if (step == 0) {
    event.type = Type::kMouseMove;
  } else if (step == 2) {
    event.type = Type::kMouseDown;
  } else if (step == 4) {
    event.type = Type::kMouseUp;
    clickStart_ = -1;
  } else {
    return;
  }
  events.push_back(event);
}

}  // namespace autodrive
