// Painters of the built roadside things seen from above: roofs, tanks, containers, lamps, boats.
#include <algorithm>
#include <cmath>

#include "pictures/SceneryParts.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

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

// A round roof or tank lit from the upper left, with rings.
void RoundTop(cairo_t* cr, double c, double r, Rgb light, int rings) {
  GroundShadow(cr, c, c, r);
  cairo_arc(cr, c, c, r, 0, 2 * kPi);
  cairo_pattern_t* p = cairo_pattern_create_radial(c - r / 3, c - r / 3, 2, c, c, r);
  AddStop(p, 0, light);
  AddStop(p, 1, Darker(light, 0.38));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  for (int i = 1; i <= rings; ++i) {
    cairo_arc(cr, c, c, r * i / (rings + 1.0), 0, 2 * kPi);
    SetColor(cr, Darker(light, 0.5), 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
}

void FlatRoof(cairo_t* cr, double c, double s, Rgb roof) {
  using namespace palette;
  cairo_rectangle(cr, c - s * 0.38 + 4, c - s * 0.3 + 5, s * 0.76, s * 0.6);
  SetColor(cr, kBlack, 0.35);
  cairo_fill(cr);
  cairo_rectangle(cr, c - s * 0.38, c - s * 0.3, s * 0.76, s * 0.6);
  SetColor(cr, roof);
  cairo_fill(cr);
  cairo_rectangle(cr, c - s * 0.35, c - s * 0.27, s * 0.7, s * 0.54);
  SetColor(cr, Lighter(roof, 0.2));
  cairo_fill(cr);
  for (int i = 0; i < 2; ++i) {  // air conditioners
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
}

void Cottage(cairo_t* cr, double c, double s, Rgb roof) {
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
  GableRoof(cr, c + s * 0.05, c - s * 0.08, s * 0.5, s * 0.36, roof);
}

void Barrels(cairo_t* cr, double c, double s, Rgb paint) {
  static constexpr double kSpots[5][2] = {
      {-0.16, -0.14}, {0.08, -0.16}, {-0.1, 0.1}, {0.16, 0.08}, {0.0, 0.3}};
  for (const auto& spot : kSpots) {
    const double x = c + spot[0] * s, y = c + spot[1] * s, r = s * 0.11;
    GroundShadow(cr, x, y, r);
    Foliage(cr, x, y, r, paint);
    cairo_arc(cr, x, y, r * 0.62, 0, 2 * kPi);
    SetColor(cr, Darker(paint, 0.4), 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_arc(cr, x + r * 0.3, y - r * 0.3, r * 0.14, 0, 2 * kPi);  // the bung
    SetColor(cr, Hex(0x30343A));
    cairo_fill(cr);
  }
}

void Container(cairo_t* cr, double c, double s, Rgb paint) {
  const double w = s * 0.36, h = s * 0.78;
  cairo_rectangle(cr, c - w / 2 + 5, c - h / 2 + 6, w, h);
  SetColor(cr, palette::kBlack, 0.35);
  cairo_fill(cr);
  cairo_rectangle(cr, c - w / 2, c - h / 2, w, h);
  SetColor(cr, paint);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.4);
  for (double y = c - h / 2 + 5; y < c + h / 2 - 2; y += 5) {  // the corrugated roof
    cairo_move_to(cr, c - w / 2 + 2, y);
    cairo_line_to(cr, c + w / 2 - 2, y);
  }
  SetColor(cr, Darker(paint, 0.3), 0.7);
  cairo_stroke(cr);
  cairo_rectangle(cr, c - w / 2 + 0.5, c - h / 2 + 0.5, w - 1, h - 1);
  SetColor(cr, Darker(paint, 0.45));
  cairo_stroke(cr);
}

void LampPost(cairo_t* cr, double c, double s, Rgb metal) {
  GroundShadow(cr, c, c, s * 0.08);
  cairo_arc(cr, c, c, s * 0.05, 0, 2 * kPi);  // the base
  SetColor(cr, metal);
  cairo_fill(cr);
  cairo_move_to(cr, c, c);  // the arm reaching out over the ground
  cairo_line_to(cr, c + s * 0.22, c - s * 0.06);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Lighter(metal, 0.15));
  cairo_stroke(cr);
  Ellipse(cr, c + s * 0.24, c - s * 0.06, 7, 4);
  SetColor(cr, Hex(0xE8E4D0));
  cairo_fill(cr);
}

void Parasol(cairo_t* cr, double c, double s, Rgb cloth) {
  GroundShadow(cr, c + 6, c + 6, s * 0.3);
  RoundedRect(cr, c + s * 0.05, c + s * 0.1, s * 0.16, s * 0.3, 3);  // a towel beside it
  SetColor(cr, Hex(0xF4F0E0));
  cairo_fill(cr);
  for (int i = 0; i < 8; ++i) {
    const double a0 = i * kPi / 4, a1 = a0 + kPi / 4;
    cairo_move_to(cr, c, c);
    cairo_arc(cr, c, c, s * 0.3, a0, a1);
    cairo_close_path(cr);
    SetColor(cr, i % 2 ? cloth : Hex(0xF8F6EE));
    cairo_fill(cr);
  }
  cairo_arc(cr, c, c, 3, 0, 2 * kPi);
  SetColor(cr, Darker(cloth, 0.4));
  cairo_fill(cr);
}

void Boat(cairo_t* cr, double c, double s, Rgb hull, Rng& rng) {
  const double a = rng.Range(-0.4, 0.4);
  cairo_save(cr);
  cairo_translate(cr, c, c);
  cairo_rotate(cr, a);
  auto shape = [&](double scale) {
    cairo_move_to(cr, 0, -s * 0.38 * scale);
    cairo_curve_to(cr, s * 0.2 * scale, -s * 0.2 * scale, s * 0.16 * scale, s * 0.3 * scale, 0,
                   s * 0.34 * scale);
    cairo_curve_to(cr, -s * 0.16 * scale, s * 0.3 * scale, -s * 0.2 * scale, -s * 0.2 * scale, 0,
                   -s * 0.38 * scale);
    cairo_close_path(cr);
  };
  cairo_translate(cr, 4, 5);
  shape(1);
  SetColor(cr, palette::kBlack, 0.3);
  cairo_fill(cr);
  cairo_translate(cr, -4, -5);
  shape(1);
  SetColor(cr, hull);
  cairo_fill(cr);
  shape(0.8);
  SetColor(cr, Hex(0xC8A26A));  // the wooden inside
  cairo_fill(cr);
  for (double y : {-0.1, 0.12}) {  // thwarts
    cairo_rectangle(cr, -s * 0.12, y * s, s * 0.24, 3);
    SetColor(cr, Hex(0x8A6A3A));
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void Yurt(cairo_t* cr, double c, double s, Rgb felt) {
  RoundTop(cr, c, s * 0.34, felt, 0);
  for (int i = 0; i < 12; ++i) {  // the roof poles under the felt
    const double a = i * kPi / 6;
    cairo_move_to(cr, c + std::cos(a) * s * 0.08, c + std::sin(a) * s * 0.08);
    cairo_line_to(cr, c + std::cos(a) * s * 0.33, c + std::sin(a) * s * 0.33);
  }
  SetColor(cr, Darker(felt, 0.3), 0.5);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  cairo_arc(cr, c, c, s * 0.08, 0, 2 * kPi);  // the smoke ring at the top
  SetColor(cr, Hex(0x8A3A2A));
  cairo_fill(cr);
}

void Haystack(cairo_t* cr, double c, double s, Rgb straw, Rng& rng) {
  RoundTop(cr, c, s * 0.3, straw, 0);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < 40; ++i) {  // loose straws
    const double a = rng.Range(0, 2 * kPi), r = rng.Range(0.05, 0.3) * s;
    const double x = c + std::cos(a) * r, y = c + std::sin(a) * r, b = rng.Range(0, 2 * kPi);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + std::cos(b) * 6, y + std::sin(b) * 6);
    SetColor(cr, i % 2 ? Lighter(straw, 0.3) : Darker(straw, 0.25), 0.8);
    cairo_stroke(cr);
  }
}

}  // namespace

void DrawBuilt(cairo_t* cr, double s, const PropLook& look, Rng& rng) {
  const double c = s / 2;
  const Rgb col = look.colour;
  switch (look.prop) {
    case Prop::kGable:
      GableRoof(cr, c, c, s * 0.7, s * 0.5, col);
      RoundedRect(cr, c + s * 0.18, c - s * 0.22, 8, 8, 1);  // chimney
      SetColor(cr, Hex(0x6B5A50));
      cairo_fill(cr);
      break;
    case Prop::kHip:
      HipRoof(cr, c, c, s * 0.66, s * 0.56, col);
      break;
    case Prop::kShop:  // a flat-roofed shop with air conditioners
      FlatRoof(cr, c, s, col);
      break;
    case Prop::kBarn:  // a long barn roof
      GableRoof(cr, c, c, s * 0.5, s * 0.76, col);
      break;
    case Prop::kCottage:  // cottage with a garden
      Cottage(cr, c, s, col);
      break;
    case Prop::kSilo:
      RoundTop(cr, c, s * 0.3, col, 3);
      break;
    case Prop::kTank:  // a wide tank with a walkway to its hatch
      RoundTop(cr, c, s * 0.4, col, 1);
      cairo_rectangle(cr, c - 2, c - s * 0.4, 4, s * 0.4);
      SetColor(cr, Hex(0xF2C230));
      cairo_fill(cr);
      break;
    case Prop::kBarrels:
      Barrels(cr, c, s, col);
      break;
    case Prop::kContainer:
      Container(cr, c, s, col);
      break;
    case Prop::kLampPost:
      LampPost(cr, c, s, col);
      break;
    case Prop::kParasol:
      Parasol(cr, c, s, col);
      break;
    case Prop::kBoat:
      Boat(cr, c, s, col, rng);
      break;
    case Prop::kYurt:
      Yurt(cr, c, s, col);
      break;
    case Prop::kHaystack:
      Haystack(cr, c, s, col, rng);
      break;
    default:
      break;
  }
}

}  // namespace assetgen
