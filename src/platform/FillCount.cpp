// The area of a quad on the back buffer: the quad clipped to the screen, then the shoelace sum.
#include "platform/FillCount.h"

#include <cstddef>
#include <vector>

namespace platform {
namespace {

struct Point {
  double x, y;
};

// Keeps the part of the polygon where inside(p) holds; edge(a, b) is where a-b crosses the line.
template <typename Inside, typename Cross>
std::vector<Point> ClipBy(const std::vector<Point>& polygon, Inside inside, Cross cross) {
  std::vector<Point> out;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const Point& a = polygon[i];
    const Point& b = polygon[(i + 1) % polygon.size()];
    if (inside(a)) out.push_back(a);
    if (inside(a) != inside(b)) out.push_back(cross(a, b));
  }
  return out;
}

std::vector<Point> ClipX(const std::vector<Point>& polygon, double limit, bool keepBelow) {
  return ClipBy(
      polygon, [&](const Point& p) { return keepBelow ? p.x <= limit : p.x >= limit; },
      [&](const Point& a, const Point& b) {
        const double t = (limit - a.x) / (b.x - a.x);
        return Point{limit, a.y + t * (b.y - a.y)};
      });
}

std::vector<Point> ClipY(const std::vector<Point>& polygon, double limit, bool keepBelow) {
  return ClipBy(
      polygon, [&](const Point& p) { return keepBelow ? p.y <= limit : p.y >= limit; },
      [&](const Point& a, const Point& b) {
        const double t = (limit - a.y) / (b.y - a.y);
        return Point{a.x + t * (b.x - a.x), limit};
      });
}

}  // namespace

double CoveredPixels(const Vertex (&corners)[4], int width, int height) {
  std::vector<Point> polygon;
  for (const Vertex& v : corners) polygon.push_back({v.x, v.y});
  // Pixel i covers i - 0.5 .. i + 0.5.
  polygon = ClipX(polygon, -0.5, false);
  polygon = ClipX(polygon, width - 0.5, true);
  polygon = ClipY(polygon, -0.5, false);
  polygon = ClipY(polygon, height - 0.5, true);
  double twice = 0;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const Point& a = polygon[i];
    const Point& b = polygon[(i + 1) % polygon.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return (twice < 0 ? -twice : twice) / 2;
}

}  // namespace platform
