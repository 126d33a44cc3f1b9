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
// True when a corner of either quadrilateral lies inside the other.
bool QuadsOverlap(const Quad& a, const Quad& b);

// Axis-aligned bounds of a quad, for the quick rejection QuadsOverlap makes first.
struct Box {
  double left, top, right, bottom;
};
Box BoundsOf(const Quad& q);
// True when quads with these bounds cannot overlap (QuadsOverlap would say false).
bool BoxesApart(const Box& a, const Box& b);

// The corner angle offsets of a sprite's rectangle, taken once at creation.
std::array<double, 4> CornerAnglesOf(const engine::TSprite& sprite);
// Corners of the sprite's rectangle turned by its Rotation about its centre: at Rotation 0,
// bottom-left, top-left, top-right, bottom-right.
void UpdateCorners(const engine::TSprite& sprite, const std::array<double, 4>& cornerAngles,
                   Quad& corners);
// The sprite's rectangle as it stands, unrotated, in the same corner order.
Quad RectangleCorners(const engine::TSprite& sprite);
// A square of the given side centred on (x, y), corners counter-clockwise from the top-left.
Quad SquareAround(double x, double y, double side);

}  // namespace game
