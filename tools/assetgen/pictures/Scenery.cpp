// Painters of the roadside scenery seen from above: the theme's trees, plants and rocks.
#include <algorithm>
#include <cmath>

#include "pictures/Manifest.h"
#include "pictures/SceneryParts.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

void LeafyTree(cairo_t* cr, double cx, double cy, double r, Rgb c, Rng& rng) {
  GroundShadow(cr, cx, cy, r);
  Foliage(cr, cx, cy, r * 0.85, Darker(c, 0.15));
  for (int i = 0; i < 7; ++i) {
    const double a = i * 2 * kPi / 7 + rng.Range(-0.2, 0.2);
    Foliage(cr, cx + std::cos(a) * r * 0.45, cy + std::sin(a) * r * 0.45, r * rng.Range(0.38, 0.5),
            c);
  }
  Foliage(cr, cx - r * 0.08, cy - r * 0.08, r * 0.42, Lighter(c, 0.08));
}

void Pine(cairo_t* cr, double cx, double cy, double r, Rgb c) {
  GroundShadow(cr, cx, cy, r);
  for (int layer = 0; layer < 3; ++layer) {
    const double rr = r * (1 - layer * 0.28);
    Star(cr, cx, cy, 9, rr, rr * 0.62, layer * 0.3);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - rr * 0.3, cy - rr * 0.3, 1, cx, cy, rr);
    AddStop(p, 0, Lighter(c, 0.25 + layer * 0.1));
    AddStop(p, 1, Darker(c, 0.3 - layer * 0.1));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  cairo_arc(cr, cx, cy, r * 0.08, 0, 2 * kPi);
  SetColor(cr, Hex(0x6B4A2A));
  cairo_fill(cr);
}

void Rock(cairo_t* cr, double cx, double cy, double r, Rgb c, Rng& rng) {
  GroundShadow(cr, cx, cy, r);
  const int n = 7;
  double px[n], py[n];
  for (int i = 0; i < n; ++i) {
    const double a = i * 2 * kPi / n + rng.Range(-0.2, 0.2), rr = r * rng.Range(0.75, 1.0);
    px[i] = cx + std::cos(a) * rr;
    py[i] = cy + std::sin(a) * rr;
  }
  for (int i = 0; i < n; ++i) {  // facets, lit from the upper left
    const int j = (i + 1) % n;
    cairo_move_to(cr, cx - r * 0.1, cy - r * 0.1);
    cairo_line_to(cr, px[i], py[i]);
    cairo_line_to(cr, px[j], py[j]);
    cairo_close_path(cr);
    const double mid = std::atan2((py[i] + py[j]) / 2 - cy, (px[i] + px[j]) / 2 - cx);
    const double light = 0.5 + 0.5 * std::cos(mid - (-3 * kPi / 4));
    SetColor(cr, Mix(Darker(c, 0.35), Lighter(c, 0.25), light));
    cairo_fill_preserve(cr);
    SetColor(cr, Darker(c, 0.5), 0.4);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
}

void Cactus(cairo_t* cr, double cx, double cy, double r, Rgb green) {
  GroundShadow(cr, cx, cy, r * 0.9);
  for (int arm = 0; arm < 3; ++arm) {
    const double a = arm * 2 * kPi / 3 + 0.4;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + std::cos(a) * r * 0.8, cy + std::sin(a) * r * 0.8);
    cairo_set_line_width(cr, r * 0.32);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, Darker(green, 0.15));
    cairo_stroke(cr);
    Foliage(cr, cx + std::cos(a) * r * 0.8, cy + std::sin(a) * r * 0.8, r * 0.18, green);
  }
  Foliage(cr, cx, cy, r * 0.36, green);
  for (int i = 0; i < 10; ++i) {  // spines catching the light
    const double a = i * 2 * kPi / 10;
    cairo_arc(cr, cx + std::cos(a) * r * 0.25, cy + std::sin(a) * r * 0.25, 0.9, 0, 2 * kPi);
    SetColor(cr, Hex(0xF5F0D0));
    cairo_fill(cr);
  }
}

void Tumbleweed(cairo_t* cr, double c, double s, Rgb colour, Rng& rng) {
  GroundShadow(cr, c, c, s * 0.28);
  cairo_set_line_width(cr, 1.3);
  for (int i = 0; i < 40; ++i) {
    const double a0 = rng.Range(0, 2 * kPi), a1 = a0 + rng.Range(1, 3);
    const double r0 = rng.Range(0.05, 0.28) * s, r1 = rng.Range(0.05, 0.28) * s;
    cairo_move_to(cr, c + std::cos(a0) * r0, c + std::sin(a0) * r0);
    cairo_curve_to(cr, c + std::cos(a0 + 0.5) * s * 0.3, c + std::sin(a0 + 0.5) * s * 0.3,
                   c + std::cos(a1 - 0.5) * s * 0.3, c + std::sin(a1 - 0.5) * s * 0.3,
                   c + std::cos(a1) * r1, c + std::sin(a1) * r1);
    SetColor(cr, i % 2 ? colour : Lighter(colour, 0.3), 0.85);
    cairo_stroke(cr);
  }
}

void DeadTree(cairo_t* cr, double c, double s, Rgb wood, Rng& rng) {
  GroundShadow(cr, c, c, s * 0.2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 6; ++i) {
    const double a = i * kPi / 3 + rng.Range(-0.3, 0.3), len = s * rng.Range(0.28, 0.42);
    const double ex = c + std::cos(a) * len, ey = c + std::sin(a) * len;
    cairo_move_to(cr, c, c);
    cairo_line_to(cr, ex, ey);
    cairo_set_line_width(cr, 4);
    SetColor(cr, wood);
    cairo_stroke(cr);
    for (int t = -1; t <= 1; t += 2) {
      cairo_move_to(cr, c + std::cos(a) * len * 0.6, c + std::sin(a) * len * 0.6);
      cairo_line_to(cr, ex + std::cos(a + t * 0.8) * s * 0.1, ey + std::sin(a + t * 0.8) * s * 0.1);
      cairo_set_line_width(cr, 1.8);
      cairo_stroke(cr);
    }
  }
  cairo_arc(cr, c, c, 5, 0, 2 * kPi);
  SetColor(cr, Darker(wood, 0.18));
  cairo_fill(cr);
}

// A palm seen from above: a fan of long fronds round a small crown.
void Palm(cairo_t* cr, double c, double s, Rgb green, Rng& rng) {
  GroundShadow(cr, c, c, s * 0.34);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 9; ++i) {
    const double a = i * 2 * kPi / 9 + rng.Range(-0.15, 0.15), len = s * rng.Range(0.32, 0.42);
    const double ex = c + std::cos(a) * len, ey = c + std::sin(a) * len;
    const double bx = c + std::cos(a + 0.25) * len * 0.6, by = c + std::sin(a + 0.25) * len * 0.6;
    cairo_move_to(cr, c, c);
    cairo_curve_to(cr, bx, by, bx, by, ex, ey);
    cairo_set_line_width(cr, 7);
    SetColor(cr, Darker(green, 0.2));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 3);
    SetColor(cr, Lighter(green, 0.15));
    cairo_stroke(cr);
  }
  Foliage(cr, c, c, s * 0.07, Hex(0x8A6A3A));
}

void Snowman(cairo_t* cr, double c, double s, Rgb white) {
  GroundShadow(cr, c, c + s * 0.05, s * 0.26);
  Foliage(cr, c, c + s * 0.06, s * 0.22, white);
  Foliage(cr, c - s * 0.03, c - s * 0.12, s * 0.14, Lighter(white, 0.3));
  cairo_move_to(cr, c - s * 0.03, c - s * 0.12);  // the carrot nose, seen from above
  cairo_line_to(cr, c + s * 0.12, c - s * 0.16);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Hex(0xE8702A));
  cairo_stroke(cr);
  cairo_arc(cr, c - s * 0.08, c + s * 0.24, 2, 0, 2 * kPi);
  cairo_arc(cr, c + s * 0.02, c + s * 0.26, 2, 0, 2 * kPi);
  SetColor(cr, Hex(0x2A2A2A));
  cairo_fill(cr);
}

void Reeds(cairo_t* cr, double c, double s, Rgb green, Rng& rng) {
  Ellipse(cr, c + 2, c + 3, s * 0.34, s * 0.26);  // the pool they stand in
  SetColor(cr, Hex(0x2A3A30), 0.55);
  cairo_fill(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 26; ++i) {
    const double x = c + rng.Range(-0.26, 0.26) * s, y = c + rng.Range(-0.2, 0.2) * s;
    const double a = rng.Range(-kPi, kPi), len = rng.Range(8, 18);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + std::cos(a) * len, y + std::sin(a) * len);
    cairo_set_line_width(cr, 2);
    SetColor(cr, i % 3 ? green : Lighter(green, 0.25));
    cairo_stroke(cr);
    if (i % 4 == 0) {  // a bulrush head
      Ellipse(cr, x + std::cos(a) * len, y + std::sin(a) * len, 2.4, 2.4);
      SetColor(cr, Hex(0x6A4A2A));
      cairo_fill(cr);
    }
  }
}

void Stump(cairo_t* cr, double c, double s, Rgb wood) {
  GroundShadow(cr, c, c, s * 0.22);
  cairo_arc(cr, c, c, s * 0.2, 0, 2 * kPi);
  SetColor(cr, Darker(wood, 0.25));
  cairo_fill(cr);
  cairo_arc(cr, c - 1, c - 1, s * 0.16, 0, 2 * kPi);
  SetColor(cr, Lighter(wood, 0.35));
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  for (int i = 1; i <= 3; ++i) {  // year rings
    cairo_arc(cr, c - 1, c - 1, s * 0.04 * i, 0, 2 * kPi);
    SetColor(cr, wood, 0.6);
    cairo_stroke(cr);
  }
  // A fallen log beside it.
  RoundedRect(cr, c - s * 0.4, c + s * 0.18, s * 0.5, s * 0.11, s * 0.05);
  SetColor(cr, wood);
  cairo_fill(cr);
}

}  // namespace

bool DrawNature(cairo_t* cr, double s, const PropLook& look, Rng& rng) {
  const double c = s / 2;
  const Rgb col = look.colour;
  switch (look.prop) {
    case Prop::kLeafy:
      LeafyTree(cr, c, c, s * 0.4, col, rng);
      return true;
    case Prop::kPine:
      Pine(cr, c, c, s * 0.42, col);
      return true;
    case Prop::kClump:  // a clump of three
      LeafyTree(cr, c - s * 0.17, c + s * 0.12, s * 0.22, col, rng);
      LeafyTree(cr, c + s * 0.18, c + s * 0.1, s * 0.2, Lighter(col, 0.08), rng);
      Pine(cr, c, c - s * 0.2, s * 0.22, Darker(col, 0.3));
      return true;
    case Prop::kFlowerBush:
      LeafyTree(cr, c, c, s * 0.3, col, rng);
      for (int i = 0; i < 18; ++i) {
        const double a = rng.Range(0, 2 * kPi), d = rng.Range(0, s * 0.26);
        cairo_arc(cr, c + std::cos(a) * d, c + std::sin(a) * d, rng.Range(1.5, 2.8), 0, 2 * kPi);
        SetColor(cr, i % 3 == 0 ? Hex(0xFFF1F5) : Hex(0xF26D8C));
        cairo_fill(cr);
      }
      return true;
    case Prop::kBirches:
      LeafyTree(cr, c - s * 0.14, c - s * 0.1, s * 0.22, col, rng);
      LeafyTree(cr, c + s * 0.16, c + s * 0.14, s * 0.24, Darker(col, 0.06), rng);
      return true;
    case Prop::kAutumnTree:
      LeafyTree(cr, c, c, s * 0.38, col, rng);
      Foliage(cr, c + s * 0.12, c - s * 0.14, s * 0.13, Mix(col, Hex(0xD9532B), 0.7));
      return true;
    case Prop::kRock:
      Rock(cr, c, c, s * 0.38, col, rng);
      return true;
    case Prop::kCactus:
      Cactus(cr, c, c, s * 0.42, col);
      return true;
    case Prop::kBoulders:
      Rock(cr, c - s * 0.18, c - s * 0.12, s * 0.17, col, rng);
      Rock(cr, c + s * 0.2, c - s * 0.04, s * 0.13, Darker(col, 0.1), rng);
      Rock(cr, c - s * 0.02, c + s * 0.22, s * 0.15, Lighter(col, 0.1), rng);
      return true;
    case Prop::kTumbleweed:
      Tumbleweed(cr, c, s, col, rng);
      return true;
    case Prop::kBarrelCacti:
      for (int i = 0; i < 4; ++i) {
        const double a = i * kPi / 2 + 0.3, d = i == 0 ? 0 : s * 0.2;
        const double x = c + std::cos(a) * d, y = c + std::sin(a) * d;
        GroundShadow(cr, x, y, s * 0.1);
        Foliage(cr, x, y, s * 0.1, col);
        cairo_arc(cr, x, y, s * 0.035, 0, 2 * kPi);
        SetColor(cr, Hex(0xFF5E8A));
        cairo_fill(cr);
      }
      return true;
    case Prop::kDeadTree:
      DeadTree(cr, c, s, col, rng);
      return true;
    case Prop::kPalm:
      Palm(cr, c, s, col, rng);
      return true;
    case Prop::kSnowman:
      Snowman(cr, c, s, col);
      return true;
    case Prop::kReeds:
      Reeds(cr, c, s, col, rng);
      return true;
    case Prop::kStump:
      Stump(cr, c, s, col);
      return true;
    default:
      return false;
  }
}

void GroundShadow(cairo_t* cr, double cx, double cy, double r) {
  cairo_pattern_t* p =
      cairo_pattern_create_radial(cx + 3, cy + 4, r * 0.3, cx + 3, cy + 4, r * 1.15);
  AddStop(p, 0, palette::kBlack, 0.35);
  AddStop(p, 1, palette::kBlack, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx + 3, cy + 4, r * 1.15, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Foliage(cairo_t* cr, double cx, double cy, double r, Rgb c) {
  cairo_pattern_t* p =
      cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.35, r * 0.1, cx, cy, r);
  AddStop(p, 0, Lighter(c, 0.3));
  AddStop(p, 0.7, c);
  AddStop(p, 1, Darker(c, 0.35));
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void DrawProp(cairo_t* cr, double s, const PropLook& look, Rng& rng) {
  if (!DrawNature(cr, s, look, rng)) DrawBuilt(cr, s, look, rng);
}

void PaintScenery(cairo_t* cr, const Picture& pic, int pattern) {
  const Theme& theme = ThemeOf(pic);
  Rng rng(SeedOf(pic.name, pattern));
  const double s = pic.tileWidth;
  DrawProp(cr, s, theme.props[std::clamp(pic.variant, 0, 2)][std::clamp(pattern, 0, 5)], rng);
  if (theme.snowy) {
    // Snow settles on whatever stands there, thickest towards the light.
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    for (int i = 0; i < 70; ++i) {
      const double x = rng.Range(s * 0.1, s * 0.85), y = rng.Range(s * 0.1, s * 0.85);
      cairo_arc(cr, x, y, rng.Range(2, 6), 0, 2 * kPi);
      SetColor(cr, Hex(0xF6FAFF), 0.85);
      cairo_fill(cr);
    }
    cairo_restore(cr);
  }
}

}  // namespace assetgen
