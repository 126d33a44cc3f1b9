// Painters of the road: road pieces in the theme's colours, walls, grid boxes, start and finish
// lines.
#include <algorithm>
#include <cmath>
#include <vector>

#include "pictures/Manifest.h"
#include "pictures/Style.h"
#include "pictures/Themes.h"

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

// Asphalt: fine grain and a few light stones, repeating every 300 pixels down the road. The grain
// is the same in every theme (worked out once); the theme gives the colours.
cairo_surface_t* AsphaltTexture(const Theme& theme) {
  static const std::vector<uint8_t> shade = [] {
    const FractalNoise coarse(SeedOf("asphalt"), 300, 300, 75, 3);
    Rng rng(SeedOf("asphalt-grain"));
    std::vector<uint8_t> v(300 * 300);
    for (int y = 0; y < 300; ++y) {
      for (int x = 0; x < 300; ++x) {
        const double g = rng.Uniform();
        double s = 0.30 + (coarse.At(x, y) - 0.5) * 0.05 + (g - 0.5) * 0.045;
        if (g > 0.985) s += 0.12;  // aggregate stones catching the light
        v[static_cast<size_t>(y) * 300 + x] =
            static_cast<uint8_t>(std::lround(std::clamp((s - 0.2) / 0.25, 0.0, 1.0) * 255));
      }
    }
    return v;
  }();
  uint32_t colours[256];
  for (int i = 0; i < 256; ++i)
    colours[i] = PackArgb(Mix(theme.asphaltLow, theme.asphaltHigh, i / 255.0));
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 300, 300);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < 300; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < 300; ++x) row[x] = colours[shade[static_cast<size_t>(y) * 300 + x]];
  }
  cairo_surface_mark_dirty(s);
  return s;
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

// Rain: puddles in the dips by the kerbs and between the wheel tracks, and wet sheen along them.
void WetRoad(cairo_t* cr, const Road& road, int kind) {
  Rng rng(SeedOf("puddles", kind));
  for (int i = 0; i < 9; ++i) {
    const Point p =
        road.At(rng.Range(0.05, 0.95),
                i % 3 == 0 ? rng.Range(0.06, 0.14)
                           : (i % 3 == 1 ? rng.Range(0.86, 0.94) : rng.Range(0.45, 0.55)));
    const double rx = rng.Range(10, 22), ry = rng.Range(5, 9);
    Ellipse(cr, p.x, p.y, rx, ry);
    SetColor(cr, Hex(0x1A1E26), 0.55);
    cairo_fill(cr);
    Ellipse(cr, p.x - rx * 0.2, p.y - ry * 0.3, rx * 0.6, ry * 0.35);  // the sky in the water
    SetColor(cr, Hex(0xA8B8CC), 0.4);
    cairo_fill(cr);
  }
  cairo_pattern_t* sheen = cairo_pattern_create_rgba(0.75, 0.82, 0.92, 0.1);
  FillStrip(cr, road, 0.24, 0.32, sheen);
  FillStrip(cr, road, 0.68, 0.76, sheen);
  cairo_pattern_destroy(sheen);
}

// Snow: drifts piled along the kerbs, packed snow between the wheel tracks.
void SnowyRoad(cairo_t* cr, const Road& road) {
  cairo_pattern_t* drift = cairo_pattern_create_rgba(0.95, 0.97, 1, 0.85);
  cairo_pattern_t* packed = cairo_pattern_create_rgba(0.9, 0.93, 0.98, 0.35);
  FillStrip(cr, road, -Across(2), Across(14), drift);
  FillStrip(cr, road, 1 - Across(14), 1 + Across(2), drift);
  FillStrip(cr, road, 0.42, 0.58, packed);
  cairo_pattern_destroy(drift);
  cairo_pattern_destroy(packed);
}

}  // namespace

void PaintRoadLamps(cairo_t* cr, const Picture& pic) {
  const Road road = RoadOf(kPieces[std::clamp(pic.variant, 0, 6)]);
  // The light stays on the road and its verges, and each pool ends within its piece, so the
  // pieces' edges never show.
  cairo_save(cr);
  Strip(cr, road, -0.2, 1.2);
  cairo_clip(cr);
  for (int i = 0; i < 3; ++i) {
    for (double across : {-0.03, 1.03}) {
      const Point p = road.At((i + 0.5) / 3, across);
      Glow(cr, p.x, p.y, 46, Hex(0xFFD98A), 0.5);
      Glow(cr, p.x, p.y, 8, Hex(0xFFF6D8), 0.9);
    }
  }
  for (int i = 0; i < 6; ++i) {  // reflectors glinting on the kerbs
    for (double across : {Across(kKerb / 2), 1 - Across(kKerb / 2)}) {
      const Point p = road.At(i / 6.0 + 1 / 12.0, across);
      Glow(cr, p.x, p.y, 4, Hex(0xFFE070), 1);
    }
  }
  cairo_restore(cr);
}

void PaintRoadPiece(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const Theme& theme = ThemeOf(pic);
  const Road road = RoadOf(kPieces[std::clamp(pic.variant, 0, 6)]);
  cairo_surface_t* tex = AsphaltTexture(theme);
  cairo_pattern_t* asphalt = cairo_pattern_create_for_surface(tex);
  cairo_pattern_set_extend(asphalt, CAIRO_EXTEND_REPEAT);
  cairo_surface_destroy(tex);
  cairo_pattern_t* kerb = StripePattern(50, 25, theme.kerbA, 1, theme.kerbB, 1);
  cairo_pattern_t* edge = cairo_pattern_create_rgba(0.12, 0.1, 0.06, 0.35);
  cairo_pattern_t* line = cairo_pattern_create_rgba(theme.line.r, theme.line.g, theme.line.b, 1);
  cairo_pattern_t* rubber = cairo_pattern_create_rgba(0.05, 0.05, 0.06, 0.07);
  cairo_pattern_t* dashes =
      StripePattern(60, 30, Mix(theme.line, Hex(0xF2E9C9), 0.8), 0.95, palette::kWhite, 0);

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
  if (theme.snowy) SnowyRoad(cr, road);
  FillStrip(cr, road, 0.5 - Across(1.5), 0.5 + Across(1.5), dashes);
  if (theme.wet) WetRoad(cr, road, pic.variant);

  for (cairo_pattern_t* p : {asphalt, kerb, edge, line, rubber, dashes}) cairo_pattern_destroy(p);
}

namespace {

void BlockWall(cairo_t* cr, double w, double h, int segments, Rgb a, Rgb b) {
  const double seg = h / segments;
  // A concrete barrier painted in blocks of two colours, rounded on top.
  RoundedRect(cr, 3, 1, w - 6, h - 2, 6);
  SetColor(cr, Hex(0x22252B), 0.9);
  cairo_fill(cr);
  for (int i = 0; i < segments; ++i) {
    RoundedRect(cr, 5, 2 + i * seg, w - 10, seg - 2, 3);
    ShadeBody(cr, 5, w - 5, i % 2 == 0 ? a : b);
  }
  cairo_rectangle(cr, w / 2 - 1, 3, 2, h - 6);  // the ridge catches the light
  SetColor(cr, palette::kWhite, 0.35);
  cairo_fill(cr);
}

// Logs laid end to end along the road, held by stakes.
void LogWall(cairo_t* cr, double w, double h, Rgb bark, Rgb wood) {
  RoundedRect(cr, 6, 1, w - 12, h - 2, (w - 12) / 2);
  ShadeBody(cr, 6, w - 6, bark);
  cairo_set_line_width(cr, 1);
  for (double y = 8; y < h - 4; y += 7) {  // the bark's grain
    cairo_move_to(cr, 10, y);
    cairo_line_to(cr, w - 10, y + 3);
  }
  SetColor(cr, Darker(bark, 0.4), 0.5);
  cairo_stroke(cr);
  for (double y = 2; y < h; y += 54) {
    RoundedRect(cr, 3, y, w - 6, 7, 2);
    SetColor(cr, wood);
    cairo_fill(cr);
  }
}

void SnowBank(cairo_t* cr, double w, double h, Rgb snow, Rgb shade) {
  for (double y = 10; y < h - 6; y += 12) {
    const double r = (w - 8) / 2 + std::sin(y * 0.7) * 2;
    cairo_pattern_t* p = cairo_pattern_create_radial(w / 2 - 4, y - 4, 1, w / 2, y, r);
    AddStop(p, 0, palette::kWhite);
    AddStop(p, 0.6, snow);
    AddStop(p, 1, shade);
    cairo_set_source(cr, p);
    cairo_arc(cr, w / 2, y, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

// Old tyres stacked in a row, every other one painted.
void TyreWall(cairo_t* cr, double w, double h, Rgb rubber, Rgb paint) {
  const double r = w / 2 - 2;
  int i = 0;
  for (double y = r + 1; y < h - r + 1; y += r * 1.9, ++i) {
    cairo_arc(cr, w / 2, y, r, 0, 2 * kPi);
    SetColor(cr, i % 2 ? paint : rubber);
    cairo_fill(cr);
    cairo_arc(cr, w / 2, y, r * 0.45, 0, 2 * kPi);
    SetColor(cr, Hex(0x101012));
    cairo_fill(cr);
    cairo_arc(cr, w / 2 - 2, y - 2, r * 0.78, kPi, kPi * 1.5);
    SetColor(cr, palette::kWhite, 0.25);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  }
}

void StoneWall(cairo_t* cr, double w, double h, Rgb a, Rgb b) {
  RoundedRect(cr, 3, 1, w - 6, h - 2, 4);
  SetColor(cr, Darker(a, 0.55));
  cairo_fill(cr);
  Rng rng(SeedOf("stone-wall", static_cast<int>(h)));
  for (double y = 3; y < h - 4;) {
    const double sh = std::min(rng.Range(12, 24), h - 3 - y);
    const double split = rng.Range(0.35, 0.65) * (w - 10);
    for (int side = 0; side < 2; ++side) {
      const double x0 = side == 0 ? 5 : 5 + split + 1, x1 = side == 0 ? 5 + split - 1 : w - 5;
      RoundedRect(cr, x0, y, x1 - x0, sh - 2, 3);
      ShadeBody(cr, x0, x1, Mix(a, b, rng.Uniform()));
    }
    y += sh;
  }
}

// A steel rail on posts, with a painted top stripe.
void Guardrail(cairo_t* cr, double w, double h, Rgb steel, Rgb paint) {
  for (double y = 6; y < h; y += 38) {
    cairo_rectangle(cr, w / 2 - 6, y, 12, 10);
    SetColor(cr, Hex(0x2A2E34));
    cairo_fill(cr);
  }
  RoundedRect(cr, 8, 1, w - 16, h - 2, 4);
  ShadeBody(cr, 8, w - 8, steel);
  cairo_rectangle(cr, w / 2 - 2, 3, 4, h - 6);
  SetColor(cr, paint, 0.9);
  cairo_fill(cr);
}

}  // namespace

void PaintWall(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const Theme& theme = ThemeOf(pic);
  const double w = pic.tileWidth, h = pic.tileHeight;
  switch (theme.wall) {
    case WallLook::kBlocks:
      BlockWall(cr, w, h, pic.variant == 0 ? 8 : 9, theme.wallA, theme.wallB);
      break;
    case WallLook::kLogs:
      LogWall(cr, w, h, theme.wallA, theme.wallB);
      break;
    case WallLook::kSnowBank:
      SnowBank(cr, w, h, theme.wallA, theme.wallB);
      break;
    case WallLook::kTyres:
      TyreWall(cr, w, h, theme.wallA, theme.wallB);
      break;
    case WallLook::kStone:
      StoneWall(cr, w, h, theme.wallA, theme.wallB);
      break;
    case WallLook::kGuardrail:
      Guardrail(cr, w, h, theme.wallA, theme.wallB);
      break;
  }
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
