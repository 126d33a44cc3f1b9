// Quadrilateral overlap by summed view angles, and the corners of rotated rectangles.
#include "game/RoadGeometry.h"

#include <algorithm>
#include <cmath>

namespace game {

namespace {

// The angle in degrees between two unit vectors; rounding may push the dot product past +-1.
double AngleBetween(const Point2& u, const Point2& v) {
  const double dot = std::clamp(u.x * v.x + u.y * v.y, -1.0, 1.0);
  return std::acos(dot) / kDegToRad;
}

enum class Quick { Inside, Outside, Unsure };

// Settles the angle test without the angles where its answer cannot be close, for a convex quad
// (every corner turning the same way). From a point strictly inside, the corners go once round:
// the sum is a full turn. From a point outside, they go out and back across the angle they span,
// so the sum is twice that angle; with every corner at least m away on one axis and under 32 m
// across it, the span stays under 2 atan(32) = 176.5 degrees and the sum under 353, well clear
// of 355 for any rounding of the angles.
Quick QuickPointInQuad(const Point2& p, const Quad& q) {
  std::array<double, 4> dx;
  std::array<double, 4> dy;
  for (size_t k = 0; k < 4; ++k) {
    dx[k] = q[k].x - p.x;
    dy[k] = q[k].y - p.y;
    // Also turns away NaN.
    if (!(std::fabs(dx[k]) < 1e9) || !(std::fabs(dy[k]) < 1e9)) return Quick::Unsure;
  }
  bool left = true;
  bool right = true;
  bool inside = true;
  for (size_t k = 0; k < 4; ++k) {
    const size_t n = (k + 1) & 3;
    const size_t nn = (k + 2) & 3;
    const double ex = dx[n] - dx[k];
    const double ey = dy[n] - dy[k];
    const double turn = ex * (dy[nn] - dy[n]) - ey * (dx[nn] - dx[n]);
    left = left && turn > 0;
    right = right && turn < 0;
    // The point's side of edge k: the cross product of the edge with the way back to the point.
    const double side = ex * -dy[k] - ey * -dx[k];
    inside = inside && (turn > 0 ? side > 0 : side < 0);
  }
  if (!left && !right) return Quick::Unsure;
  if (inside) return Quick::Inside;
  double minX = dx[0], maxX = dx[0], minY = dy[0], maxY = dy[0];
  double reachX = std::fabs(dx[0]), reachY = std::fabs(dy[0]);
  for (size_t k = 1; k < 4; ++k) {
    minX = std::min(minX, dx[k]);
    maxX = std::max(maxX, dx[k]);
    minY = std::min(minY, dy[k]);
    maxY = std::max(maxY, dy[k]);
    reachX = std::max(reachX, std::fabs(dx[k]));
    reachY = std::max(reachY, std::fabs(dy[k]));
  }
  constexpr double kCone = 32;
  if ((minX > 0 && reachY < kCone * minX) || (maxX < 0 && reachY < -kCone * maxX) ||
      (minY > 0 && reachX < kCone * minY) || (maxY < 0 && reachX < -kCone * maxY)) {
    return Quick::Outside;
  }
  return Quick::Unsure;
}

}  // namespace

bool PointInQuad(const Point2& p, const Quad& q) {
  const Quick quick = QuickPointInQuad(p, q);
  if (quick != Quick::Unsure) return quick == Quick::Inside;
  std::array<Point2, 4> unit;
  for (size_t k = 0; k < 4; ++k) {
    const double dx = q[k].x - p.x;
    const double dy = q[k].y - p.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) return true;  // on a corner: touching counts as inside
    unit[k] = {dx / length, dy / length};
  }
  double sum = AngleBetween(unit[3], unit[2]);
  sum += AngleBetween(unit[2], unit[1]);
  sum += AngleBetween(unit[1], unit[0]);
  sum += AngleBetween(unit[3], unit[0]);
  // Not 360, to absorb rounding.
  return sum >= 355;
}

bool CornerInside(const Quad& a, const Quad& b) {
  for (int k = 3; k >= 0; --k)
    if (PointInQuad(b[static_cast<size_t>(k)], a)) return true;
  for (int k = 3; k >= 0; --k)
    if (PointInQuad(a[static_cast<size_t>(k)], b)) return true;
  return false;
}

std::array<double, 4> CornerAnglesOf(const engine::TSprite& sprite) {
  const double a = std::atan(static_cast<double>(sprite.Height) / sprite.Width) / kDegToRad;
  return {180 - a, a - 180, -a, a};
}

void UpdateCorners(const engine::TSprite& sprite, const std::array<double, 4>& cornerAngles,
                   Quad& corners) {
  const double halfW = static_cast<double>(sprite.Width) / 2;
  const double halfH = static_cast<double>(sprite.Height) / 2;
  const double r = std::sqrt(halfW * halfW + halfH * halfH);
  const double cx = sprite.X + halfW;
  const double cy = sprite.Y + halfH;
  const double rotation = sprite.Rotation;
  for (size_t k = 0; k < 4; ++k) {
    corners[k].x = cx + r * CosDeg(rotation + cornerAngles[k]);
    corners[k].y = cy + r * SinDeg(rotation + cornerAngles[k]);
  }
}

void CornerCache::Update(const engine::TSprite& sprite, const std::array<double, 4>& cornerAngles,
                         Quad& corners) {
  const double halfW = static_cast<double>(sprite.Width) / 2;
  const double halfH = static_cast<double>(sprite.Height) / 2;
  if (!valid_ || rotation_ != sprite.Rotation || width_ != sprite.Width ||
      height_ != sprite.Height || angles_ != cornerAngles) {
    const double r = std::sqrt(halfW * halfW + halfH * halfH);
    const double rotation = sprite.Rotation;
    for (size_t k = 0; k < 4; ++k) {
      offsets_[k].x = r * CosDeg(rotation + cornerAngles[k]);
      offsets_[k].y = r * SinDeg(rotation + cornerAngles[k]);
    }
    valid_ = true;
    rotation_ = sprite.Rotation;
    width_ = sprite.Width;
    height_ = sprite.Height;
    angles_ = cornerAngles;
  }
  const double cx = sprite.X + halfW;
  const double cy = sprite.Y + halfH;
  for (size_t k = 0; k < 4; ++k) {
    corners[k].x = cx + offsets_[k].x;
    corners[k].y = cy + offsets_[k].y;
  }
}

Quad RectangleCorners(const engine::TSprite& sprite) {
  const double left = sprite.X;
  const double top = sprite.Y;
  const double right = left + sprite.Width;
  const double bottom = top + sprite.Height;
  return {Point2{left, bottom}, Point2{left, top}, Point2{right, top}, Point2{right, bottom}};
}

Quad SquareAround(double x, double y, double side) {
  const double h = side / 2;
  return {Point2{x - h, y - h}, Point2{x - h, y + h}, Point2{x + h, y + h}, Point2{x + h, y - h}};
}

}  // namespace game
