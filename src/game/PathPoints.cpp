// Builds, measures and scrolls the race path; measures progress along it; places the finish line.
#include "game/PathPoints.h"

#include <algorithm>
#include <cmath>

#include "game/FinishLine.h"
#include "game/MainForm.h"
#include "game/Player.h"

namespace game {

namespace {

int32_t PieceShift(const RaceState& race, int32_t planIndex) {
  const uint8_t kind = race.RoadPlan[static_cast<size_t>(planIndex)];
  const PieceOffset& offset = race.PieceOffsets[std::min<size_t>(kind, 6)];
  return offset.ExitX - offset.EntryX;
}

bool Between(double v, double a, double b) {
  return std::min(a, b) <= v && v <= std::max(a, b);
}

// The path point nearest to C among 1..N: the smallest distance, the lowest index on a tie, and
// point 1 when none is nearer than 6000000. A first guess, the point nearest in y, makes most
// square roots unnecessary: a point farther than the best distance on either axis cannot be
// nearer. (The factor covers the rounding of the distance, which is never below the larger axis
// distance by more than a few parts in 2^53.) The path runs up the screen, its y never growing
// from one point to the next, and the world moves all points alike; then the points within reach
// in y lie together around the guess and the rest need no look at all.
int32_t NearestPathPoint(const RaceState& race, int32_t n, const Point2& c) {
  constexpr double kBelowRounding = 1 - 1e-12;
  const auto& points = race.PathPoint;
  int32_t guess = 1;
  double guessDy = std::fabs(points[1].y - c.y);
  bool upward = true;
  for (int32_t k = 2; k <= n; ++k) {
    const double y = points[static_cast<size_t>(k)].y;
    upward = upward && y <= points[static_cast<size_t>(k - 1)].y;
    const double dy = std::fabs(y - c.y);
    if (dy < guessDy) {
      guessDy = dy;
      guess = k;
    }
  }
  int32_t nearest = 1;
  double best = 6000000;
  // True when point k could be nearer than (or as near as) the best so far; then it is measured.
  auto consider = [&](int32_t k, double ax, double ay) {
    if ((ax > ay ? ax : ay) * kBelowRounding > best) return false;
    const PathPointXY& p = points[static_cast<size_t>(k)];
    const double d = std::sqrt((p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y));
    if (d < best || (d == best && k < nearest)) {
      best = d;
      nearest = k;
    }
    return true;
  };
  auto axes = [&](int32_t k, double& ax, double& ay) {
    const PathPointXY& p = points[static_cast<size_t>(k)];
    ax = std::fabs(p.x - c.x);
    ay = std::fabs(p.y - c.y);
  };
  consider(guess, 0, 0);
  double ax = 0;
  double ay = 0;
  if (!upward) {
    for (int32_t k = 1; k <= n; ++k) {
      axes(k, ax, ay);
      consider(k, ax, ay);
    }
    return nearest;
  }
  // Away from the guess on either side, the y distance only grows once it exceeds the guess's:
  // the first point out of reach in y ends that side.
  for (int32_t k = guess + 1; k <= n; ++k) {
    axes(k, ax, ay);
    if (ay * kBelowRounding > best) break;
    consider(k, ax, ay);
  }
  for (int32_t k = guess - 1; k >= 1; --k) {
    axes(k, ax, ay);
    if (ay * kBelowRounding > best) break;
    consider(k, ax, ay);
  }
  return nearest;
}

}  // namespace

void BuildPath(RaceState& race, double x0, double y0) {
  const int32_t pieces = std::clamp(race.RoadPieceCount, 0, kRoadPlanSize - 1);
  double x = x0;
  double y = y0 - 150;
  for (int32_t k = 1; k <= pieces; ++k) {
    const double d = PieceShift(race, k - 1);
    race.PathPoint[static_cast<size_t>(k)] = {x + d / 2, y};
    y -= 300;
    x += d;
  }
  for (int32_t k = pieces + 1; k <= pieces + 8; ++k) {
    race.PathPoint[static_cast<size_t>(k)] = {x, y};
    y -= 300;
  }
  race.PathPointCount = pieces + 8;
}

void MeasurePath(RaceState& race) {
  const int32_t n = std::clamp(race.PathPointCount, 0, kPathPointSize - 1);
  race.PathLength[1] = 0;
  for (int32_t k = 2; k <= n; ++k) {
    const PathPointXY& a = race.PathPoint[static_cast<size_t>(k - 1)];
    const PathPointXY& b = race.PathPoint[static_cast<size_t>(k)];
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    race.PathLength[static_cast<size_t>(k)] =
        race.PathLength[static_cast<size_t>(k - 1)] + std::sqrt(dx * dx + dy * dy) / 10;
  }
}

void ScrollPath(TForm1& form) {
  RaceState& race = form.Race;
  const TPlayer* player = race.Player;
  if (player == nullptr) return;
  const int32_t n = std::clamp(race.PathPointCount, 0, kPathPointSize - 1);
  for (int32_t k = 1; k <= n; ++k) {
    PathPointXY& p = race.PathPoint[static_cast<size_t>(k)];
    p.x += player->ScrollX;
    p.y += player->ScrollY;
    p.x += player->PushX;
    p.y += player->PushY;
  }
}

void PlaceFinishLine(TForm1& form, double x0, double y0) {
  RaceState& race = form.Race;
  double x = x0;
  double y = y0 - 150;
  if (race.RoadPieceCount >= 10) {
    const int32_t last = std::min(race.RoadPieceCount - 10, kRoadPlanSize - 1);
    for (int32_t j = 0; j <= last; ++j) {
      x += PieceShift(race, j);
      y -= 300;
    }
  }
  race.FinishLine = new TFinishLine(form, x, y - 450, 0);
}

bool MeasureProgress(const RaceState& race, const Point2& centre, PathProgress& result) {
  const int32_t n = std::min(race.PathPointCount, kPathPointSize - 1);
  if (n < 1) return false;
  // Nearest point; the lowest index wins a tie; none nearer than 6000000 leaves point 1.
  const int32_t nearest = NearestPathPoint(race, n, centre);
  const PathPointXY& pa = race.PathPoint[static_cast<size_t>(nearest)];
  const PathPointXY& pb = race.PathPoint[static_cast<size_t>(nearest == n ? 1 : nearest + 1)];
  const Point2 a{pa.x, pa.y};
  const Point2 b{pb.x, pb.y};
  result.A = a;
  result.B = b;

  // Foot of the perpendicular from the centre on the line AB; behind A counts negative.
  Point2 foot;
  bool onSegment = false;
  if (std::fabs(b.x - a.x) < 0.01) {
    foot = {a.x, centre.y};
    onSegment = Between(centre.y, a.y, b.y);
  } else if (std::fabs(b.y - a.y) < 0.01) {
    foot = {centre.x, a.y};
    onSegment = Between(centre.x, a.x, b.x);
  } else {
    const double m1 = (b.y - a.y) / (b.x - a.x);
    const double m2 = (a.x - b.x) / (b.y - a.y);
    foot.x = (m2 * centre.x - m1 * a.x + a.y - centre.y) / (m2 - m1);
    foot.y = m1 * foot.x - m1 * a.x + a.y;
    onSegment = Between(foot.x, a.x, b.x) && Between(foot.y, a.y, b.y);
  }
  const double w = onSegment ? 1 : -1;
  const double along = std::sqrt((foot.x - a.x) * (foot.x - a.x) + (foot.y - a.y) * (foot.y - a.y));
  result.Progress = race.PathLength[static_cast<size_t>(nearest)] + w * along / 10;
  return true;
}

double RadarScale(const RaceState& race) {
  const int32_t n = std::min(race.PathPointCount, kPathPointSize - 1);
  if (n < 1) return 0;
  const int32_t point = n > 10 ? n - 10 : n;
  return race.PathLength[static_cast<size_t>(point)];
}

}  // namespace game
