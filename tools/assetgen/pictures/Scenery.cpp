// Painters of the roadside scenery seen from above: trees, desert things and roofs.
#include <algorithm>
#include <cmath>

#include "pictures/Manifest.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A soft shadow pooled under an object (scenery turns at random, so it lies right beneath).
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

// A ball of foliage lit from its upper-left.
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

void Trees(cairo_t* cr, double s, int kind, Rng& rng) {
  const double c = s / 2;
  switch (kind) {
    case 0:
      LeafyTree(cr, c, c, s * 0.4, Hex(0x3F8F3A), rng);
      break;
    case 1:
      Pine(cr, c, c, s * 0.42, Hex(0x2F6B3A));
      break;
    case 2:  // a clump of three
      LeafyTree(cr, c - s * 0.17, c + s * 0.12, s * 0.22, Hex(0x4C9A3E), rng);
      LeafyTree(cr, c + s * 0.18, c + s * 0.1, s * 0.2, Hex(0x5BA346), rng);
      Pine(cr, c, c - s * 0.2, s * 0.22, Hex(0x2F6B3A));
      break;
    case 3: {  // flowering bush
      LeafyTree(cr, c, c, s * 0.3, Hex(0x4E9A48), rng);
      for (int i = 0; i < 18; ++i) {
        const double a = rng.Range(0, 2 * kPi), d = rng.Range(0, s * 0.26);
        cairo_arc(cr, c + std::cos(a) * d, c + std::sin(a) * d, rng.Range(1.5, 2.8), 0, 2 * kPi);
        SetColor(cr, i % 3 == 0 ? Hex(0xFFF1F5) : Hex(0xF26D8C));
        cairo_fill(cr);
      }
      break;
    }
    case 4:  // young birches
      LeafyTree(cr, c - s * 0.14, c - s * 0.1, s * 0.22, Hex(0x86C45A), rng);
      LeafyTree(cr, c + s * 0.16, c + s * 0.14, s * 0.24, Hex(0x7BBA50), rng);
      break;
    default:  // autumn
      LeafyTree(cr, c, c, s * 0.38, Hex(0xE08A2E), rng);
      Foliage(cr, c + s * 0.12, c - s * 0.14, s * 0.13, Hex(0xD9532B));
      break;
  }
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

void Cactus(cairo_t* cr, double cx, double cy, double r) {
  GroundShadow(cr, cx, cy, r * 0.9);
  const Rgb green = Hex(0x4F9A5A);
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

void Desert(cairo_t* cr, double s, int kind, Rng& rng) {
  const double c = s / 2;
  switch (kind) {
    case 0:
      Rock(cr, c, c, s * 0.38, Hex(0x9A8066), rng);
      break;
    case 1:
      Cactus(cr, c, c, s * 0.42);
      break;
    case 2:  // scattered boulders
      Rock(cr, c - s * 0.18, c - s * 0.12, s * 0.17, Hex(0xA48A6A), rng);
      Rock(cr, c + s * 0.2, c - s * 0.04, s * 0.13, Hex(0x8F7A62), rng);
      Rock(cr, c - s * 0.02, c + s * 0.22, s * 0.15, Hex(0xB09474), rng);
      break;
    case 3: {  // tumbleweed
      GroundShadow(cr, c, c, s * 0.28);
      cairo_set_line_width(cr, 1.3);
      for (int i = 0; i < 40; ++i) {
        const double a0 = rng.Range(0, 2 * kPi), a1 = a0 + rng.Range(1, 3);
        const double r0 = rng.Range(0.05, 0.28) * s, r1 = rng.Range(0.05, 0.28) * s;
        cairo_move_to(cr, c + std::cos(a0) * r0, c + std::sin(a0) * r0);
        cairo_curve_to(cr, c + std::cos(a0 + 0.5) * s * 0.3, c + std::sin(a0 + 0.5) * s * 0.3,
                       c + std::cos(a1 - 0.5) * s * 0.3, c + std::sin(a1 - 0.5) * s * 0.3,
                       c + std::cos(a1) * r1, c + std::sin(a1) * r1);
        SetColor(cr, i % 2 ? Hex(0x9C7B45) : Hex(0xC8A46A), 0.85);
        cairo_stroke(cr);
      }
      break;
    }
    case 4:  // barrel cacti in flower
      for (int i = 0; i < 4; ++i) {
        const double a = i * kPi / 2 + 0.3, d = i == 0 ? 0 : s * 0.2;
        const double x = c + std::cos(a) * d, y = c + std::sin(a) * d;
        GroundShadow(cr, x, y, s * 0.1);
        Foliage(cr, x, y, s * 0.1, Hex(0x5E9E55));
        cairo_arc(cr, x, y, s * 0.035, 0, 2 * kPi);
        SetColor(cr, Hex(0xFF5E8A));
        cairo_fill(cr);
      }
      break;
    default: {  // a dead tree: bare branches
      GroundShadow(cr, c, c, s * 0.2);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      for (int i = 0; i < 6; ++i) {
        const double a = i * kPi / 3 + rng.Range(-0.3, 0.3), len = s * rng.Range(0.28, 0.42);
        const double ex = c + std::cos(a) * len, ey = c + std::sin(a) * len;
        cairo_move_to(cr, c, c);
        cairo_line_to(cr, ex, ey);
        cairo_set_line_width(cr, 4);
        SetColor(cr, Hex(0x6E5A44));
        cairo_stroke(cr);
        for (int t = -1; t <= 1; t += 2) {
          cairo_move_to(cr, c + std::cos(a) * len * 0.6, c + std::sin(a) * len * 0.6);
          cairo_line_to(cr, ex + std::cos(a + t * 0.8) * s * 0.1,
                        ey + std::sin(a + t * 0.8) * s * 0.1);
          cairo_set_line_width(cr, 1.8);
          cairo_stroke(cr);
        }
      }
      cairo_arc(cr, c, c, 5, 0, 2 * kPi);
      SetColor(cr, Hex(0x5A4838));
      cairo_fill(cr);
      break;
    }
  }
}

// A gable roof W x H centred on the tile, ridge along its length, the near half lit.
void GableRoof(cairo_t* cr, double cx, double cy, double w, double h, Rgb c) {
  cairo_rectangle(cr, cx - w / 2 + 4, cy - h / 2 + 5, w, h);
  SetColor(cr, palette::kBlack, 0.35);
  cairo_fill(cr);
  cairo_rectangle(cr, cx - w / 2, cy - h / 2, w, h / 2);
  SetColor(cr, Lighter(c, 0.12));
  cairo_fill(cr);
  cairo_rectangle(cr, cx - w / 2, cy, w, h / 2);
  SetColor(cr, Darker(c, 0.2));
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  for (double y = cy - h / 2 + 5; y < cy + h / 2; y += 5) {  // tile rows
    cairo_move_to(cr, cx - w / 2, y);
    cairo_line_to(cr, cx + w / 2, y);
  }
  SetColor(cr, Darker(c, 0.4), 0.35);
  cairo_stroke(cr);
  cairo_move_to(cr, cx - w / 2, cy);
  cairo_line_to(cr, cx + w / 2, cy);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Darker(c, 0.45));
  cairo_stroke(cr);
  cairo_rectangle(cr, cx - w / 2 + 0.5, cy - h / 2 + 0.5, w - 1, h - 1);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void HipRoof(cairo_t* cr, double cx, double cy, double w, double h, Rgb c) {
  cairo_rectangle(cr, cx - w / 2 + 4, cy - h / 2 + 5, w, h);
  SetColor(cr, palette::kBlack, 0.35);
  cairo_fill(cr);
  const double inset = h / 2;
  const double x0 = cx - w / 2, x1 = cx + w / 2, y0 = cy - h / 2, y1 = cy + h / 2;
  const double shades[4] = {0.2, -0.05, -0.25, 0.05};
  const double poly[4][8] = {{x0, y0, x1, y0, x1 - inset, cy, x0 + inset, cy},
                             {x1, y0, x1, y1, x1 - inset, cy, x1 - inset, cy},
                             {x1, y1, x0, y1, x0 + inset, cy, x1 - inset, cy},
                             {x0, y1, x0, y0, x0 + inset, cy, x0 + inset, cy}};
  for (int i = 0; i < 4; ++i) {
    cairo_move_to(cr, poly[i][0], poly[i][1]);
    cairo_line_to(cr, poly[i][2], poly[i][3]);
    cairo_line_to(cr, poly[i][4], poly[i][5]);
    cairo_line_to(cr, poly[i][6], poly[i][7]);
    cairo_close_path(cr);
    SetColor(cr, shades[i] > 0 ? Lighter(c, shades[i]) : Darker(c, -shades[i]));
    cairo_fill_preserve(cr);
    SetColor(cr, Darker(c, 0.45), 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
}

void Houses(cairo_t* cr, double s, int kind, Rng& rng) {
  using namespace palette;
  const double c = s / 2;
  switch (kind) {
    case 0:
      GableRoof(cr, c, c, s * 0.7, s * 0.5, Hex(0xB5492F));
      RoundedRect(cr, c + s * 0.18, c - s * 0.22, 8, 8, 1);  // chimney
      SetColor(cr, Hex(0x6B5A50));
      cairo_fill(cr);
      break;
    case 1:
      HipRoof(cr, c, c, s * 0.66, s * 0.56, Hex(0x5B6E86));
      break;
    case 2: {  // a flat-roofed shop with air conditioners
      cairo_rectangle(cr, c - s * 0.38 + 4, c - s * 0.3 + 5, s * 0.76, s * 0.6);
      SetColor(cr, kBlack, 0.35);
      cairo_fill(cr);
      cairo_rectangle(cr, c - s * 0.38, c - s * 0.3, s * 0.76, s * 0.6);
      SetColor(cr, Hex(0xB8B4AA));
      cairo_fill(cr);
      cairo_rectangle(cr, c - s * 0.35, c - s * 0.27, s * 0.7, s * 0.54);
      SetColor(cr, Hex(0xCFCBC0));
      cairo_fill(cr);
      for (int i = 0; i < 2; ++i) {
        const double x = c - s * 0.2 + i * s * 0.24, y = c - s * 0.12;
        cairo_rectangle(cr, x, y, 16, 12);
        SetColor(cr, Hex(0x8E949C));
        cairo_fill(cr);
        cairo_arc(cr, x + 8, y + 6, 4.5, 0, 2 * kPi);
        SetColor(cr, Hex(0x4A4F58));
        cairo_fill(cr);
      }
      cairo_rectangle(cr, c - s * 0.3, c + s * 0.12, s * 0.6, 6);
      SetColor(cr, kRed);
      cairo_fill(cr);
      break;
    }
    case 3:  // a long barn roof
      GableRoof(cr, c, c, s * 0.5, s * 0.76, Hex(0x8E2F2A));
      break;
    case 4: {  // cottage with a garden
      cairo_rectangle(cr, c - s * 0.42, c - s * 0.42, s * 0.84, s * 0.84);
      SetColor(cr, Hex(0x6DAA4C));
      cairo_fill(cr);
      cairo_rectangle(cr, c - s * 0.42 + 1, c - s * 0.42 + 1, s * 0.84 - 2, s * 0.84 - 2);
      SetColor(cr, Hex(0xEFE6D2));
      cairo_set_line_width(cr, 2);
      const double dash[] = {3, 2};
      cairo_set_dash(cr, dash, 2, 0);
      cairo_stroke(cr);
      cairo_set_dash(cr, nullptr, 0, 0);
      for (int i = 0; i < 3; ++i) {
        Foliage(cr, c - s * 0.3 + i * s * 0.06, c + s * 0.28, s * 0.07, Hex(0x3F8F3A));
      }
      GableRoof(cr, c + s * 0.05, c - s * 0.08, s * 0.5, s * 0.36, Hex(0xD9823B));
      break;
    }
    default: {  // a round silo
      GroundShadow(cr, c, c, s * 0.3);
      cairo_arc(cr, c, c, s * 0.3, 0, 2 * kPi);
      cairo_pattern_t* p = cairo_pattern_create_radial(c - s * 0.1, c - s * 0.1, 2, c, c, s * 0.3);
      AddStop(p, 0, Hex(0xE7EBEF));
      AddStop(p, 1, Hex(0x8E969F));
      cairo_set_source(cr, p);
      cairo_fill(cr);
      cairo_pattern_destroy(p);
      for (int i = 1; i <= 3; ++i) {
        cairo_arc(cr, c, c, s * 0.075 * i, 0, 2 * kPi);
        SetColor(cr, Hex(0x6B7280), 0.5);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
      }
      (void)rng;
      break;
    }
  }
}

}  // namespace

void PaintScenery(cairo_t* cr, const Picture& pic, int pattern) {
  Rng rng(SeedOf(pic.name, pattern));
  const double s = pic.tileWidth;
  switch (pic.variant) {
    case 0:
      Trees(cr, s, pattern, rng);
      break;
    case 1:
      Desert(cr, s, pattern, rng);
      break;
    default:
      Houses(cr, s, pattern, rng);
      break;
  }
}

}  // namespace assetgen
