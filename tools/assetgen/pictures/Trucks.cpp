// Painters of the five truck designs seen from above (nose down), their shadows, portraits and
// burnt-out wrecks.
#include <algorithm>
#include <cmath>

#include "pictures/Manifest.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Three liveries per design, one per pattern.
struct Livery {
  Rgb body, accent;
};

Livery LiveryOf(int design, int pattern) {
  static constexpr Livery kLiveries[5][3] = {
      {{Hex(0xD33F3A), Hex(0xF7F0DE)},
       {Hex(0x2F6FD0), Hex(0xF6B332)},
       {Hex(0xEDEDED), Hex(0xD33F3A)}},
      {{Hex(0x2E9E4F), Hex(0xF7F0DE)},
       {Hex(0x7A3FC0), Hex(0xF6B332)},
       {Hex(0xF08A24), Hex(0x1D2B44)}},
      {{Hex(0xE8702A), Hex(0x1D2B44)},
       {Hex(0x21A0A0), Hex(0xF6B332)},
       {Hex(0x3A3D44), Hex(0x9BE04B)}},
      {{Hex(0x2F5FB0), Hex(0xF7F0DE)},
       {Hex(0xC0392B), Hex(0xF6B332)},
       {Hex(0xB9C2CC), Hex(0x2F5FB0)}},
      {{Hex(0x8E1C22), Hex(0xF6B332)},
       {Hex(0x1D2B44), Hex(0xE8702A)},
       {Hex(0xF2C12E), Hex(0xD33F3A)}},
  };
  return kLiveries[std::clamp(design, 1, 5) - 1][std::clamp(pattern, 0, 2)];
}

void Wheel(cairo_t* cr, double x, double y, double w, double h, bool shape) {
  RoundedRect(cr, x, y, w, h, std::min(w, h) * 0.35);
  if (shape) return;
  ShadeBody(cr, x, x + w, Hex(0x22252B));
  for (double ty = y + 3; ty < y + h - 2; ty += 4) {  // tread
    cairo_rectangle(cr, x + 1, ty, w - 2, 1.2);
    SetColor(cr, Hex(0x50545C), 0.8);
    cairo_fill(cr);
  }
}

void Glass(cairo_t* cr, double x0, double y0, double x1, double y1, double inset) {
  // A trapezoid window; Inset narrows the edge at Y1.
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y0);
  cairo_line_to(cr, x1 - inset, y1);
  cairo_line_to(cr, x0 + inset, y1);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
  AddStop(p, 0, Hex(0x223048));
  AddStop(p, 0.45, Hex(0x5A7FA8));
  AddStop(p, 0.55, Hex(0x8FB4D8));
  AddStop(p, 1, Hex(0x223048));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Lamps(cairo_t* cr, double w, double y, double inset, double size, Rgb c) {
  for (double x : {inset, w - inset}) {
    Ellipse(cr, x, y, size, size * 0.6);
    SetColor(cr, c);
    cairo_fill(cr);
  }
}

void Outline(cairo_t* cr) {
  SetColor(cr, Hex(0x141B28), 0.9);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// Each design draws itself into W x H with the nose at the bottom. When Shape is set only the
// silhouette path is filled (for the shadow), in the current source.
void DesignPickup(cairo_t* cr, double w, double h, Livery l, bool shape) {
  for (double y : {0.12 * h, 0.68 * h}) {
    for (double x : {0.0, w - 8}) {
      Wheel(cr, x, y, 8, 0.17 * h, shape);
      if (shape) cairo_fill(cr);
    }
  }
  RoundedRect(cr, 4, 2, w - 8, h - 3, 9);
  if (shape) {
    cairo_fill(cr);
    return;
  }
  ShadeBody(cr, 4, w - 4, l.body);
  RoundedRect(cr, 4.5, 2.5, w - 9, h - 4, 9);
  Outline(cr);
  // Open bed with ribs and a roll bar.
  RoundedRect(cr, 9, 6, w - 18, 0.34 * h, 3);
  SetColor(cr, Hex(0x2A2E36));
  cairo_fill(cr);
  for (double x = 13; x < w - 12; x += 6) {
    cairo_rectangle(cr, x, 7, 1.5, 0.34 * h - 2);
    SetColor(cr, Hex(0x474C57));
    cairo_fill(cr);
  }
  cairo_rectangle(cr, 6, 0.38 * h, w - 12, 4);
  SetColor(cr, Hex(0x1B1E24));
  cairo_fill(cr);
  Lamps(cr, w, 0.38 * h + 2, 12, 2.5, Hex(0xFFE9A0));
  // Cab roof, windscreen, hood.
  RoundedRect(cr, 8, 0.44 * h, w - 16, 0.17 * h, 5);
  ShadeBody(cr, 8, w - 8, Lighter(l.body, 0.1));
  Glass(cr, 8, 0.61 * h, w - 8, 0.71 * h, -1);
  for (double x : {w / 2 - 5, w / 2 + 3}) {  // hood stripes in the accent colour
    cairo_rectangle(cr, x, 0.72 * h, 2.5, 0.25 * h);
    SetColor(cr, l.accent);
    cairo_fill(cr);
  }
  Lamps(cr, w, h - 4, 9, 4, Hex(0xFFF6CC));
  Lamps(cr, w, 3.5, 8, 3, Hex(0xE03030));
}

void DesignSport(cairo_t* cr, double w, double h, Livery l, bool shape) {
  for (double y : {0.14 * h, 0.7 * h}) {
    for (double x : {0.0, w - 8}) {
      Wheel(cr, x, y, 8, 0.16 * h, shape);
      if (shape) cairo_fill(cr);
    }
  }
  // Body tapering toward the nose.
  cairo_move_to(cr, 5, 10);
  cairo_line_to(cr, w - 5, 10);
  cairo_line_to(cr, w - 5, 0.7 * h);
  cairo_curve_to(cr, w - 5, 0.92 * h, w - 12, h - 1, w / 2, h - 1);
  cairo_curve_to(cr, 12, h - 1, 5, 0.92 * h, 5, 0.7 * h);
  cairo_close_path(cr);
  if (shape) {
    cairo_fill(cr);
    RoundedRect(cr, 1, 1, w - 2, 9, 2);
    cairo_fill(cr);
    return;
  }
  ShadeBody(cr, 5, w - 5, l.body);
  cairo_move_to(cr, 5, 10);
  cairo_line_to(cr, w - 5, 10);
  cairo_line_to(cr, w - 5, 0.7 * h);
  cairo_curve_to(cr, w - 5, 0.92 * h, w - 12, h - 1, w / 2, h - 1);
  cairo_curve_to(cr, 12, h - 1, 5, 0.92 * h, 5, 0.7 * h);
  cairo_close_path(cr);
  Outline(cr);
  // Racing stripes from tail to nose.
  for (double x : {w / 2 - 7, w / 2 + 2}) {
    cairo_rectangle(cr, x, 10, 5, h - 13);
    SetColor(cr, l.accent);
    cairo_fill(cr);
  }
  RoundedRect(cr, 9, 0.42 * h, w - 18, 0.16 * h, 5);
  ShadeBody(cr, 9, w - 9, Darker(l.body, 0.05));
  Glass(cr, 9, 0.36 * h, w - 9, 0.42 * h, 2);
  Glass(cr, 9, 0.58 * h, w - 9, 0.68 * h, 3);
  // Rear wing with end plates.
  RoundedRect(cr, 1, 1, w - 2, 8, 2);
  FillVertical(cr, 1, 9, Hex(0x30343C), Hex(0x1A1D22));
  cairo_rectangle(cr, 1, 1, 3, 8);
  cairo_rectangle(cr, w - 4, 1, 3, 8);
  SetColor(cr, l.accent);
  cairo_fill(cr);
  Lamps(cr, w, h - 6, 12, 3.5, Hex(0xFFF6CC));
}

void DesignMonster(cairo_t* cr, double w, double h, Livery l, bool shape) {
  for (double y : {0.06 * h, 0.66 * h}) {
    for (double x : {0.0, w - 15}) {
      Wheel(cr, x, y, 15, 0.28 * h, shape);
      if (shape) cairo_fill(cr);
    }
  }
  RoundedRect(cr, 11, 3, w - 22, h - 5, 8);
  if (shape) {
    cairo_fill(cr);
    return;
  }
  // Chassis rails visible between the wheels.
  cairo_rectangle(cr, 8, 0.32 * h, w - 16, 5);
  cairo_rectangle(cr, 8, 0.6 * h, w - 16, 5);
  SetColor(cr, Hex(0x30343C));
  cairo_fill(cr);
  RoundedRect(cr, 11, 3, w - 22, h - 5, 8);
  ShadeBody(cr, 11, w - 11, l.body);
  RoundedRect(cr, 11.5, 3.5, w - 23, h - 6, 8);
  Outline(cr);
  // Roll cage over the bed.
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Hex(0x2A2E36));
  RoundedRect(cr, 15, 8, w - 30, 0.3 * h, 4);
  cairo_stroke(cr);
  cairo_move_to(cr, 15, 8);
  cairo_line_to(cr, w - 15, 8 + 0.3 * h);
  cairo_move_to(cr, w - 15, 8);
  cairo_line_to(cr, 15, 8 + 0.3 * h);
  cairo_stroke(cr);
  RoundedRect(cr, 14, 0.4 * h, w - 28, 0.2 * h, 5);
  ShadeBody(cr, 14, w - 14, Lighter(l.body, 0.08));
  // Light bar across the cab roof.
  RoundedRect(cr, 15, 0.57 * h, w - 30, 5, 2);
  SetColor(cr, Hex(0x1B1E24));
  cairo_fill(cr);
  for (int i = 0; i < 4; ++i) {
    cairo_arc(cr, 19 + i * (w - 38) / 3, 0.57 * h + 2.5, 1.8, 0, 2 * kPi);
    SetColor(cr, Hex(0xFFE066));
    cairo_fill(cr);
  }
  Glass(cr, 14, 0.62 * h, w - 14, 0.72 * h, -1);
  // Hood scoop in the accent colour.
  RoundedRect(cr, w / 2 - 6, 0.76 * h, 12, 0.13 * h, 3);
  SetColor(cr, l.accent);
  cairo_fill(cr);
  cairo_rectangle(cr, 10, h - 6, w - 20, 4);  // bumper
  SetColor(cr, Hex(0xC9CED6));
  cairo_fill(cr);
  Lamps(cr, w, h - 9, 16, 3.5, Hex(0xFFF6CC));
}

void DesignCabOver(cairo_t* cr, double w, double h, Livery l, bool shape) {
  for (double y : {0.08 * h, 0.3 * h, 0.72 * h}) {
    for (double x : {0.0, w - 9}) {
      Wheel(cr, x, y, 9, 0.17 * h, shape);
      if (shape) cairo_fill(cr);
    }
  }
  // Chassis behind the cab.
  RoundedRect(cr, 8, 2, w - 16, 0.55 * h, 3);
  if (shape) {
    cairo_fill(cr);
    RoundedRect(cr, 3, 0.52 * h, w - 6, 0.48 * h - 1, 6);
    cairo_fill(cr);
    return;
  }
  SetColor(cr, Hex(0x3A3E46));
  cairo_fill(cr);
  for (double x : {14.0, w - 18}) {
    cairo_rectangle(cr, x, 3, 4, 0.53 * h);
    SetColor(cr, Hex(0x22252B));
    cairo_fill(cr);
  }
  cairo_arc(cr, w / 2, 0.24 * h, 9, 0, 2 * kPi);  // coupling plate
  SetColor(cr, Hex(0x6B7280));
  cairo_fill_preserve(cr);
  Outline(cr);
  cairo_move_to(cr, w / 2, 0.24 * h);
  cairo_line_to(cr, w / 2, 0.24 * h - 9);
  SetColor(cr, Hex(0x22252B));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  // Exhaust stacks at the back corners of the cab.
  for (double x : {9.0, w - 9}) {
    cairo_arc(cr, x, 0.5 * h, 3.5, 0, 2 * kPi);
    SetColor(cr, Hex(0xD8DDE4));
    cairo_fill_preserve(cr);
    Outline(cr);
  }
  // The cab sits over the front axle: roof fairing, then the windscreen at the nose.
  RoundedRect(cr, 3, 0.52 * h, w - 6, 0.48 * h - 1, 6);
  ShadeBody(cr, 3, w - 3, l.body);
  RoundedRect(cr, 3.5, 0.52 * h + 0.5, w - 7, 0.48 * h - 2, 6);
  Outline(cr);
  cairo_move_to(cr, 6, 0.55 * h);
  cairo_curve_to(cr, 12, 0.52 * h, w - 12, 0.52 * h, w - 6, 0.55 * h);
  cairo_line_to(cr, w - 8, 0.7 * h);
  cairo_line_to(cr, 8, 0.7 * h);
  cairo_close_path(cr);
  ShadeBody(cr, 6, w - 6, l.accent);
  Glass(cr, 6, 0.84 * h, w - 6, 0.93 * h, -1);
  cairo_rectangle(cr, 5, h - 5, w - 10, 3);
  SetColor(cr, Hex(0xC9CED6));
  cairo_fill(cr);
  Lamps(cr, w, h - 4, 9, 3.5, Hex(0xFFF6CC));
}

void DesignHotRod(cairo_t* cr, double w, double h, Livery l, bool shape) {
  for (double y : {0.1 * h, 0.72 * h}) {
    for (double x : {0.0, w - 10}) {
      Wheel(cr, x, y, 10, 0.17 * h, shape);
      if (shape) cairo_fill(cr);
    }
  }
  RoundedRect(cr, 6, 2, w - 12, h - 3, 10);
  if (shape) {
    cairo_fill(cr);
    return;
  }
  ShadeBody(cr, 6, w - 6, l.body);
  RoundedRect(cr, 6.5, 2.5, w - 13, h - 4, 10);
  Outline(cr);
  // Short bed with a spare wheel.
  RoundedRect(cr, 11, 6, w - 22, 0.22 * h, 3);
  SetColor(cr, Hex(0x2A2E36));
  cairo_fill(cr);
  cairo_arc(cr, w / 2, 6 + 0.11 * h, 0.08 * h, 0, 2 * kPi);
  SetColor(cr, Hex(0x16181C));
  cairo_fill(cr);
  cairo_arc(cr, w / 2, 6 + 0.11 * h, 0.035 * h, 0, 2 * kPi);
  SetColor(cr, Hex(0x9AA1AB));
  cairo_fill(cr);
  RoundedRect(cr, 10, 0.3 * h, w - 20, 0.18 * h, 5);
  ShadeBody(cr, 10, w - 10, Lighter(l.body, 0.08));
  Glass(cr, 10, 0.48 * h, w - 10, 0.56 * h, -1);
  // Flames licking back along the long hood.
  cairo_save(cr);
  RoundedRect(cr, 7, 0.57 * h, w - 14, 0.42 * h, 8);
  cairo_clip(cr);
  for (int layer = 0; layer < 2; ++layer) {
    const double base = layer == 0 ? 0.84 : 0.9, tipTop = layer == 0 ? 0.6 : 0.72;
    const double x0 = 7 + layer * 4, x1 = w - 7 - layer * 4;
    cairo_move_to(cr, x0, h);
    for (int i = 0; i < 5; ++i) {
      const double xa = x0 + (x1 - x0) * i / 5, xb = x0 + (x1 - x0) * (i + 1) / 5;
      const double tip = tipTop + ((i % 2) ? 0.07 : 0) * h / h;
      cairo_line_to(cr, xa, base * h);
      cairo_curve_to(cr, xa + (xb - xa) * 0.2, (base - 0.1) * h, xa + (xb - xa) * 0.2, tip * h,
                     xa + (xb - xa) * 0.55, tip * h);
      cairo_curve_to(cr, xa + (xb - xa) * 0.6, (tip + 0.08) * h, xb, (base - 0.06) * h, xb,
                     base * h);
    }
    cairo_line_to(cr, x1, h);
    cairo_close_path(cr);
    SetColor(cr, layer == 0 ? l.accent : Hex(0xFFE066));
    cairo_fill(cr);
  }
  cairo_restore(cr);
  // Blower sticking through the hood and side pipes.
  RoundedRect(cr, w / 2 - 5, 0.64 * h, 10, 0.14 * h, 2);
  SetColor(cr, Hex(0xD8DDE4));
  cairo_fill_preserve(cr);
  Outline(cr);
  for (double x : {5.0, w - 8}) {
    RoundedRect(cr, x, 0.56 * h, 3, 0.32 * h, 1.5);
    SetColor(cr, Hex(0xE3E7EC));
    cairo_fill(cr);
  }
  Lamps(cr, w, h - 4, 11, 4, Hex(0xFFF6CC));
}

void DrawDesign(cairo_t* cr, int design, double w, double h, Livery l, bool shape) {
  switch (design) {
    case 1:
      DesignPickup(cr, w, h, l, shape);
      break;
    case 2:
      DesignSport(cr, w, h, l, shape);
      break;
    case 3:
      DesignMonster(cr, w, h, l, shape);
      break;
    case 4:
      DesignCabOver(cr, w, h, l, shape);
      break;
    default:
      DesignHotRod(cr, w, h, l, shape);
      break;
  }
}

// The race tile size of a design (the manifest's "carN").
void DesignSize(int design, double& w, double& h) {
  static constexpr std::string_view kNames[] = {"car1", "car2", "car3", "car4", "car5"};
  const Picture* s = FindPicture(kNames[std::clamp(design, 1, 5) - 1], Archive::kRace);
  w = s ? s->tileWidth : 56;
  h = s ? s->tileHeight : 100;
}

// The silhouette, softened by drawing it a few times spread around its place.
void DrawShadow(cairo_t* cr, int design, double w, double h, double alpha) {
  static constexpr double kOffsets[][2] = {{0, 0}, {1, 0},   {-1, 0}, {0, 1}, {0, -1},
                                           {1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
  for (const auto& o : kOffsets) {
    cairo_save(cr);
    cairo_translate(cr, o[0], o[1]);
    SetColor(cr, palette::kBlack, alpha / 4);
    DrawDesign(cr, design, w, h, Livery{}, true);
    cairo_restore(cr);
  }
}

}  // namespace

void PaintTruck(cairo_t* cr, const Picture& pic, int pattern) {
  DrawDesign(cr, pic.variant, pic.tileWidth, pic.tileHeight, LiveryOf(pic.variant, pattern), false);
}

void PaintTruckShadow(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  double w = 0, h = 0;
  DesignSize(pic.variant, w, h);
  cairo_translate(cr, (pic.tileWidth - w) / 2, (pic.tileHeight - h) / 2);
  DrawShadow(cr, pic.variant, w, h, 0.5);
}

void PaintTruckPortrait(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double pw = pic.tileWidth, ph = pic.tileHeight;
  RoundedRect(cr, 0, 0, pw, ph, 10);
  FillVertical(cr, 0, ph, kNavyLight, Darker(kNavy, 0.3));
  // A spotlit floor under the truck.
  cairo_save(cr);
  RoundedRect(cr, 0, 0, pw, ph, 10);
  cairo_clip(cr);
  Ellipse(cr, pw / 2, ph * 0.62, pw * 0.46, ph * 0.36);
  cairo_pattern_t* spot =
      cairo_pattern_create_radial(pw / 2, ph * 0.62, 2, pw / 2, ph * 0.62, pw * 0.46);
  AddStop(spot, 0, kSky, 0.55);
  AddStop(spot, 1, kSky, 0);
  cairo_set_source(cr, spot);
  cairo_fill(cr);
  cairo_pattern_destroy(spot);
  cairo_restore(cr);

  double w = 0, h = 0;
  DesignSize(pic.variant, w, h);
  const double scale = std::min((pw - 50) / h, (ph - 34) / w);
  cairo_save(cr);
  cairo_translate(cr, pw / 2 - h * scale / 2, ph * 0.6 + w * scale / 2);
  cairo_scale(cr, scale, scale);
  cairo_rotate(cr, -kPi / 2);  // nose to the right
  cairo_save(cr);
  cairo_translate(cr, -3, 3);
  DrawShadow(cr, pic.variant, w, h, 0.6);
  cairo_restore(cr);
  DrawDesign(cr, pic.variant, w, h, LiveryOf(pic.variant, 0), false);
  cairo_restore(cr);

  UseFont(cr, Face::kSans, 15, true);
  const double tw = TextWidth(cr, pic.text);
  RoundedRect(cr, 6, 5, tw + 16, 22, 11);
  SetColor(cr, kAmber);
  cairo_fill(cr);
  TextLeft(cr, 14, 16, pic.text, kNavy);
  RoundedRect(cr, 1, 1, pw - 2, ph - 2, 10);
  SetColor(cr, kAmber);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

void PaintTruckWreck(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  // The design in soot colours: the paint has burnt off and the glass is gone.
  cairo_push_group(cr);
  DrawDesign(cr, pic.variant, w, h, Livery{Hex(0x34302C), Hex(0x4A443E)}, false);
  cairo_pattern_t* body = cairo_pop_group(cr);
  cairo_push_group(cr);
  cairo_set_source(cr, body);
  cairo_paint(cr);
  // Soot, rust and embers land only on the truck itself.
  cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
  SetColor(cr, palette::kBlack, 0.45);
  cairo_paint(cr);
  Rng rng(SeedOf(pic.name));
  auto blot = [&](int count, double r0, double r1, Rgb c, double alpha) {
    for (int i = 0; i < count; ++i) {
      const double x = rng.Range(4, w - 4), y = rng.Range(4, h - 4), r = rng.Range(r0, r1);
      cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
      AddStop(p, 0, c, alpha);
      AddStop(p, 1, c, 0);
      cairo_set_source(cr, p);
      cairo_arc(cr, x, y, r, 0, 2 * kPi);
      cairo_fill(cr);
      cairo_pattern_destroy(p);
    }
  };
  blot(16, 5, 14, palette::kBlack, 0.75);
  blot(7, 3, 8, Hex(0x7A3E1E), 0.6);   // rust
  blot(4, 4, 9, Hex(0x9A9288), 0.35);  // white ash
  blot(5, 2, 5, Hex(0xFF7A1A), 0.9);   // embers still glowing
  cairo_pattern_destroy(body);
  cairo_pop_group_to_source(cr);
  cairo_paint(cr);
}

void PaintWreckSmoke(cairo_t* cr, const Picture& pic, int pattern) {
  // A puff of dark smoke that swells and thins out frame by frame.
  const double w = pic.tileWidth, c = w / 2;
  const double t = pattern / 3.0;
  Rng rng(SeedOf(pic.name, pattern));
  for (int i = 0; i < 6; ++i) {
    const double a = rng.Range(0, 2 * kPi), d = rng.Range(0, 0.18) * w * (0.6 + t);
    const double x = c + std::cos(a) * d, y = c + std::sin(a) * d;
    const double r = std::min(c - 1 - d, w * (0.2 + 0.14 * t) * rng.Range(0.85, 1.15));
    if (r <= 0) continue;
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
    // Sooty at first, greyer as it thins: it must read over the dark asphalt too.
    const Rgb smoke = Lighter(Hex(0x55504C), 0.45 * t);
    AddStop(p, 0, smoke, 0.85 - 0.25 * t);
    AddStop(p, 0.6, smoke, (0.85 - 0.25 * t) * 0.7);
    AddStop(p, 1, smoke, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

}  // namespace assetgen
