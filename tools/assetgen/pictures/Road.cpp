// Painters of the road: road pieces, ground tiles, walls, grid boxes, start and finish lines.
#include <algorithm>
#include <cmath>
#include <vector>

#include "pictures/Manifest.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kPieceHeight = 300;
// Across the road (perpendicular to it): half the width from kerb to kerb, the kerb, the gap to the
// edge line and the edge line itself.
constexpr double kHalfRoad = 132;
constexpr double kKerb = 9;
constexpr double kLineGap = 10;
constexpr double kLine = 4;

// Centre line of each piece kind: x at the bottom edge (EntryX) and at the top edge (ExitX),
// measured from the picture's left edge, and the road's heading at both ends (-1 up-left, 0 up, +1
// up-right).
struct PieceShape {
  double entryX, exitX;
  int bottomDir, topDir;
};
constexpr PieceShape kPieces[7] = {
    {142, 142, 0, 0},  {502, 203, -1, -1}, {203, 502, 1, 1},  {138, 278, 0, 1},
    {344, 206, 0, -1}, {206, 344, 1, 0},   {278, 138, -1, 0},
};

struct Point {
  double x, y;
};

// One edge of the road as a cubic curve from the bottom joint to the top joint.
struct Edge {
  Point p0, p1, p2, p3;
  Point At(double t) const {
    const double u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y};
  }
};

// The road is the area between its left and right edges. At each joint the edges cross the joint's
// row where the neighbouring piece's edges do (kHalfRoad across the road, so wider along a
// horizontal row at a diagonal end) and leave it in the road's heading there. Joints are therefore
// seamless, and the edges bend smoothly in between without the pinch a stroked centre line gets.
struct Road {
  Edge left, right;
  // Point at Along (0 bottom joint .. 1 top joint) and Across (0 left edge .. 1 right edge).
  Point At(double along, double across) const {
    const Point l = left.At(along), r = right.At(along);
    return {l.x + (r.x - l.x) * across, l.y + (r.y - l.y) * across};
  }
};

Road RoadOf(const PieceShape& p) {
  auto heading = [](int dir, double& dx, double& dy) {
    const double s = std::sqrt(0.5);
    dx = dir == 0 ? 0 : dir * s;
    dy = dir == 0 ? -1 : -s;
  };
  double d0x, d0y, d1x, d1y;
  heading(p.bottomDir, d0x, d0y);
  heading(p.topDir, d1x, d1y);
  const double half0 = p.bottomDir == 0 ? kHalfRoad : kHalfRoad * std::sqrt(2.0);
  const double half1 = p.topDir == 0 ? kHalfRoad : kHalfRoad * std::sqrt(2.0);
  auto edge = [&](double side) {
    const Point a{p.entryX + side * half0, kPieceHeight}, b{p.exitX + side * half1, 0};
    const double pull = std::hypot(b.x - a.x, b.y - a.y) / 3;
    return Edge{a, {a.x + d0x * pull, a.y + d0y * pull}, {b.x - d1x * pull, b.y - d1y * pull}, b};
  };
  return Road{edge(-1), edge(1)};
}

// The strip of road between two fractions of its width.
void Strip(cairo_t* cr, const Road& road, double from, double to) {
  constexpr int kSteps = 60;
  for (int i = 0; i <= kSteps; ++i) {
    const Point q = road.At(static_cast<double>(i) / kSteps, from);
    if (i == 0) {
      cairo_move_to(cr, q.x, q.y);
    } else {
      cairo_line_to(cr, q.x, q.y);
    }
  }
  for (int i = kSteps; i >= 0; --i) {
    const Point q = road.At(static_cast<double>(i) / kSteps, to);
    cairo_line_to(cr, q.x, q.y);
  }
  cairo_close_path(cr);
}

// Fraction of the road's width for a distance in pixels across it.
constexpr double Across(double pixels) {
  return pixels / (2 * kHalfRoad);
}

// Asphalt: fine grain and a few light stones, repeating every 300 pixels down the road.
cairo_surface_t* AsphaltTexture() {
  static const FractalNoise coarse(SeedOf("asphalt"), 300, 300, 75, 3);
  Rng rng(SeedOf("asphalt-grain"));
  std::vector<double> grain(300 * 300);
  for (double& g : grain) g = rng.Uniform();
  return ShadeSurface(300, 300, [&](int x, int y) {
    const double n = coarse.At(x, y);
    const double g = grain[static_cast<size_t>(y) * 300 + x];
    double v = 0.30 + (n - 0.5) * 0.05 + (g - 0.5) * 0.045;
    if (g > 0.985) v += 0.12;  // aggregate stones catching the light
    const Rgb c = Mix(Hex(0x3E4249), Hex(0x6A6F78), std::clamp((v - 0.2) / 0.25, 0.0, 1.0));
    return PackArgb(c);
  });
}

// A source that repeats stripes of Period pixels down the picture (so that neighbouring pieces,
// 300 pixels apart, continue the same stripes).
cairo_pattern_t* StripePattern(int period, double on, Rgb a, double alphaA, Rgb b, double alphaB) {
  cairo_surface_t* s = ShadeSurface(
      4, period, [&](int, int y) { return y < on ? PackArgb(a, alphaA) : PackArgb(b, alphaB); });
  cairo_pattern_t* p = cairo_pattern_create_for_surface(s);
  cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
  cairo_surface_destroy(s);
  return p;
}

void FillStrip(cairo_t* cr, const Road& road, double from, double to, cairo_pattern_t* source) {
  Strip(cr, road, from, to);
  cairo_set_source(cr, source);
  cairo_fill(cr);
}

}  // namespace

void PaintRoadPiece(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const Road road = RoadOf(kPieces[std::clamp(pic.variant, 0, 6)]);
  cairo_surface_t* tex = AsphaltTexture();
  cairo_pattern_t* asphalt = cairo_pattern_create_for_surface(tex);
  cairo_pattern_set_extend(asphalt, CAIRO_EXTEND_REPEAT);
  cairo_surface_destroy(tex);
  cairo_pattern_t* kerb = StripePattern(50, 25, kRed, 1, kWhite, 1);
  cairo_pattern_t* edge = cairo_pattern_create_rgba(0.12, 0.1, 0.06, 0.35);
  cairo_pattern_t* line = cairo_pattern_create_rgba(0.93, 0.93, 0.9, 1);
  cairo_pattern_t* rubber = cairo_pattern_create_rgba(0.05, 0.05, 0.06, 0.07);
  cairo_pattern_t* dashes = StripePattern(60, 30, Hex(0xF2E9C9), 0.95, kWhite, 0);

  const double k = Across(kKerb), lineIn = Across(kKerb + kLineGap);
  const double lineOut = Across(kKerb + kLineGap + kLine);
  FillStrip(cr, road, -Across(4), 0, edge);  // the kerb's dark edge on the ground
  FillStrip(cr, road, 1, 1 + Across(4), edge);
  FillStrip(cr, road, 0, k, kerb);
  FillStrip(cr, road, 1 - k, 1, kerb);
  FillStrip(cr, road, k, 1 - k, asphalt);
  FillStrip(cr, road, lineIn, lineOut, line);
  FillStrip(cr, road, 1 - lineOut, 1 - lineIn, line);
  // Worn racing lines: darker rubber where the wheels run.
  FillStrip(cr, road, 0.2, 0.8, rubber);
  FillStrip(cr, road, 0.34, 0.66, rubber);
  FillStrip(cr, road, 0.43, 0.57, asphalt);
  FillStrip(cr, road, 0.5 - Across(1.5), 0.5 + Across(1.5), dashes);

  for (cairo_pattern_t* p : {asphalt, kerb, edge, line, rubber, dashes}) cairo_pattern_destroy(p);
}

namespace {

struct Terrain {
  Rgb low, high;
};
constexpr Terrain kMeadow = {Hex(0x4E8A36), Hex(0x8DBF5A)};
constexpr Terrain kSand = {Hex(0xC79E5E), Hex(0xE8CE95)};

// 0 where the tile shows meadow, 1 where it shows sand.
double SandAmount(int kind, double x, double y, const FractalNoise& n) {
  if (kind == 0) return 0;
  if (kind == 1) return 1;
  const double border = kPieceHeight / 2 + (n.At(x * 2, 37) - 0.5) * 140;
  const double t = std::clamp((y - border) / 40 + 0.5, 0.0, 1.0);
  const double s = t * t * (3 - 2 * t);
  // Kind 3 changes meadow (below) to sand (above); kind 2 changes back.
  return kind == 3 ? 1 - s : s;
}

}  // namespace

void PaintGround(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const int kind = pic.variant;
  const int w = pic.tileWidth, h = pic.tileHeight;
  const FractalNoise patches(SeedOf("ground", 1), w, h, 100, 4);
  const FractalNoise fine(SeedOf("ground", 2), w, h, 12.5, 2);
  const FractalNoise border(SeedOf("ground-border"), w, h, 100, 3);
  cairo_surface_t* base = ShadeSurface(w, h, [&](int x, int y) {
    const double sand = SandAmount(kind, x, y, border);
    const double p = patches.At(x, y), f = fine.At(x, y);
    const double v = std::clamp(0.5 + (p - 0.5) * 1.6 + (f - 0.5) * 0.5, 0.0, 1.0);
    const Rgb meadow = Mix(kMeadow.low, kMeadow.high, v);
    // Wind ripples across the sand.
    const double ripple = 0.5 + 0.5 * std::sin((y + p * 60) * 2 * kPi / 18);
    const Rgb dune = Mix(kSand.low, kSand.high, std::clamp(v * 0.8 + ripple * 0.2, 0.0, 1.0));
    // The bottom rows fade out: the game draws each tile 10 % taller, so they lie over the top of
    // the next tile down and blend into it instead of ending in a seam.
    const double fade = std::clamp((h - 1 - y) / (h * 0.09), 0.0, 1.0);
    return PackArgb(Mix(meadow, dune, sand), fade * fade * (3 - 2 * fade));
  });
  cairo_set_source_surface(cr, base, 0, 0);
  cairo_paint(cr);
  cairo_surface_destroy(base);

  // Details drawn three times across so the tile wraps horizontally.
  Rng rng(SeedOf("ground-detail", kind));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 900; ++i) {
    const double x = rng.Range(0, w), y = rng.Range(4, h * 0.9);
    const double sand = SandAmount(kind, x, y, border);
    const double pick = rng.Uniform(), size = rng.Range(0.6, 1.4), angle = rng.Range(-0.5, 0.5);
    for (double ox : {-static_cast<double>(w), 0.0, static_cast<double>(w)}) {
      const double px = x + ox;
      if (sand < 0.5) {  // grass tufts and a few flowers
        if (pick < 0.92) {
          cairo_set_line_width(cr, 1.3);
          SetColor(cr, pick < 0.5 ? Hex(0x3C6E29) : Hex(0xA6D170), 0.7);
          for (int b = -1; b <= 1; ++b) {
            cairo_move_to(cr, px, y);
            cairo_line_to(cr, px + (b * 2.5 + angle * 3) * size, y - 5 * size);
          }
          cairo_stroke(cr);
        } else {
          cairo_arc(cr, px, y, 1.7 * size, 0, 2 * kPi);
          SetColor(cr, pick < 0.96 ? Hex(0xFFF8E0) : Hex(0xFFD84A));
          cairo_fill(cr);
        }
      } else if (pick < 0.35) {  // pebbles and dry tufts on the sand
        Ellipse(cr, px, y, 2.2 * size, 1.6 * size);
        SetColor(cr, Hex(0x8D7556), 0.75);
        cairo_fill(cr);
        Ellipse(cr, px - 0.6, y - 0.6, 1.1 * size, 0.7 * size);
        SetColor(cr, Hex(0xF3E2BC), 0.8);
        cairo_fill(cr);
      } else if (pick < 0.45) {
        cairo_set_line_width(cr, 1);
        SetColor(cr, Hex(0x8C7A42), 0.7);
        for (int b = -2; b <= 2; ++b) {
          cairo_move_to(cr, px, y);
          cairo_line_to(cr, px + b * 2.2 * size, y - 4 * size + std::abs(b));
        }
        cairo_stroke(cr);
      }
    }
  }
}

void PaintWall(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  const int segments = pic.variant == 0 ? 8 : 9;
  const double seg = h / segments;
  // A concrete barrier painted in red and white blocks, rounded on top.
  RoundedRect(cr, 3, 1, w - 6, h - 2, 6);
  SetColor(cr, Hex(0x22252B), 0.9);
  cairo_fill(cr);
  for (int i = 0; i < segments; ++i) {
    RoundedRect(cr, 5, 2 + i * seg, w - 10, seg - 2, 3);
    const Rgb c = (i % 2 == 0) ? kRed : Hex(0xF2F2EE);
    ShadeBody(cr, 5, w - 5, c);
  }
  cairo_rectangle(cr, w / 2 - 1, 3, 2, h - 6);  // the ridge catches the light
  SetColor(cr, kWhite, 0.35);
  cairo_fill(cr);
}

void PaintGridBox(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  cairo_set_line_width(cr, 5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  SetColor(cr, Hex(0xF4F1E6), 0.9);
  // Front bar with short side marks: the truck's nose stops at the bar.
  cairo_move_to(cr, 4, h * 0.42);
  cairo_line_to(cr, 4, 4);
  cairo_line_to(cr, w - 4, 4);
  cairo_line_to(cr, w - 4, h * 0.42);
  cairo_stroke(cr);
  cairo_move_to(cr, 4, h * 0.75);
  cairo_line_to(cr, 4, h - 4);
  cairo_move_to(cr, w - 4, h * 0.75);
  cairo_line_to(cr, w - 4, h - 4);
  cairo_stroke(cr);
}

void PaintChequer(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  const int rows = 3, cols = static_cast<int>(std::lround(w / (h / rows)));
  DrawChequer(cr, 0, 0, w, h, cols, rows);
  // Tyre rubber wears the paint a little.
  Rng rng(SeedOf(pic.name));
  for (int i = 0; i < 120; ++i) {
    Ellipse(cr, rng.Range(0, w), rng.Range(0, h), rng.Range(1, 4), rng.Range(0.5, 2));
    SetColor(cr, Hex(0x3E4249), 0.35);
    cairo_fill(cr);
  }
}

void PaintFinishSensor(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  cairo_rectangle(cr, 0, 0, w, h);
  SetColor(cr, palette::kRed, 0.25);
  cairo_fill(cr);
  cairo_rectangle(cr, 1, 1, w - 2, h - 2);
  const double dash[] = {8, 6};
  cairo_set_dash(cr, dash, 2, 0);
  cairo_set_line_width(cr, 2);
  SetColor(cr, palette::kRed, 0.8);
  cairo_stroke(cr);
}

}  // namespace assetgen
