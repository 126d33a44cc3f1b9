// Shared race geometry: quadrilateral overlap, rotated-rectangle corners, degree trigonometry and
// the game's nearest-integer rounding.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "engine/OmegaSprite.h"

namespace game {

struct Point2 {
  double x = 0;
  double y = 0;
};

using Quad = std::array<Point2, 4>;

inline constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

inline double CosDeg(double degrees) {
  return std::cos(degrees * kDegToRad);
}
inline double SinDeg(double degrees) {
  return std::sin(degrees * kDegToRad);
}

// Nearest integer with halves going to the even neighbour.
inline int32_t NearestInt(double value) {
  return static_cast<int32_t>(std::nearbyint(value));
}

// True when P lies inside (or on the edge of) the quadrilateral: the angles P sees between
// neighbouring corners add up to (almost) a full turn. A point on a corner counts as inside.
bool PointInQuad(const Point2& p, const Quad& q);

// Axis-aligned bounds of a quad, for the quick rejection QuadsOverlap makes first.
struct Box {
  double left, top, right, bottom;
};

inline Box BoundsOf(const Quad& q) {
  Box box{q[0].x, q[0].y, q[0].x, q[0].y};
  for (size_t k = 1; k < 4; ++k) {
    const Point2& p = q[k];
    box.left = p.x < box.left ? p.x : box.left;
    box.right = box.right < p.x ? p.x : box.right;
    box.top = p.y < box.top ? p.y : box.top;
    box.bottom = box.bottom < p.y ? p.y : box.bottom;
  }
  return box;
}

// The smallest box holding both.
inline Box UnionOf(const Box& a, const Box& b) {
  return {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
          a.right < b.right ? b.right : a.right, a.bottom < b.bottom ? b.bottom : a.bottom};
}

// True when quads with these bounds cannot overlap (QuadsOverlap would say false). Far-apart quads
// cannot overlap. The angle-sum test also takes points just outside an edge, up to about 1.1 % of
// the edge's length away, so the boxes are widened by twice that before comparing: the quick
// answer never differs from the full test. The widening grows with the boxes, so boxes that hold
// these ones are apart only when these are too: one test can reject a group of quads.
inline bool BoxesApart(const Box& ba, const Box& bb) {
  double extent = ba.right - ba.left;
  const double e2 = ba.bottom - ba.top;
  const double e3 = bb.right - bb.left;
  const double e4 = bb.bottom - bb.top;
  extent = extent < e2 ? e2 : extent;
  extent = extent < e3 ? e3 : extent;
  extent = extent < e4 ? e4 : extent;
  const double margin = 0.025 * extent + 1.0;
  return ba.right + margin < bb.left || bb.right + margin < ba.left ||
         ba.bottom + margin < bb.top || bb.bottom + margin < ba.top;
}

// The angle test alone: a corner of B inside A (corner 3 first) or one of A inside B.
bool CornerInside(const Quad& a, const Quad& b);

// True when a corner of either quadrilateral lies inside the other; the bounds are the quads'
// own, passed in by callers that keep them.
inline bool QuadsOverlap(const Quad& a, const Box& boundsA, const Quad& b, const Box& boundsB) {
  return !BoxesApart(boundsA, boundsB) && CornerInside(a, b);
}
inline bool QuadsOverlap(const Quad& a, const Quad& b) {
  return QuadsOverlap(a, BoundsOf(a), b, BoundsOf(b));
}

// True when the distance from the origin to (dx, dy), as std::sqrt(dx * dx + dy * dy) gives it,
// is below Limit (a positive whole number below 2^26). An axis at or beyond the limit settles it
// without the square root.
inline bool WithinDistance(double dx, double dy, double limit) {
  // Limit * Limit is exact, so a square at or beyond it keeps the root at or beyond Limit.
  if (!(std::fabs(dx) < limit) || !(std::fabs(dy) < limit)) return false;
  return std::sqrt(dx * dx + dy * dy) < limit;
}

// The corner angle offsets of a sprite's rectangle, taken once at creation.
std::array<double, 4> CornerAnglesOf(const engine::TSprite& sprite);
// Corners of the sprite's rectangle turned by its Rotation about its centre: at Rotation 0,
// bottom-left, top-left, top-right, bottom-right.
void UpdateCorners(const engine::TSprite& sprite, const std::array<double, 4>& cornerAngles,
                   Quad& corners);

// The same for sprites whose size and Rotation seldom change (walls, the finish line): the corner
// offsets from the centre are kept and worked out again only when Rotation or the size changed,
// with the same arithmetic, so the corners are the very values UpdateCorners gives.
class CornerCache {
 public:
  void Update(const engine::TSprite& sprite, const std::array<double, 4>& cornerAngles,
              Quad& corners);

 private:
  bool valid_ = false;
  float rotation_ = 0;
  int32_t width_ = 0, height_ = 0;
  std::array<double, 4> angles_{};
  std::array<Point2, 4> offsets_{};
};

// The sprite's rectangle as it stands, unrotated, in the same corner order.
Quad RectangleCorners(const engine::TSprite& sprite);
// A square of the given side centred on (x, y), corners counter-clockwise from the top-left.
Quad SquareAround(double x, double y, double side);

}  // namespace game
