// Painters of the pickups and hazards on the road and of the three explosion animations.
#include <algorithm>
#include <cmath>
#include <string>

#include "pictures/Manifest.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A round drop shadow under a pickup (light from the upper left).
void DiscShadow(cairo_t* cr, double cx, double cy, double r) {
  for (int i = 3; i >= 1; --i) {
    cairo_arc(cr, cx + 2, cy + 3, r + i, 0, 2 * kPi);
    SetColor(cr, palette::kBlack, 0.12);
    cairo_fill(cr);
  }
}

// A glossy roundel: the base of most pickups.
void Roundel(cairo_t* cr, double cx, double cy, double r, Rgb light, Rgb dark) {
  DiscShadow(cr, cx, cy, r);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  SetColor(cr, Darker(dark, 0.45));
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r);
  AddStop(p, 0, Lighter(light, 0.4));
  AddStop(p, 0.6, light);
  AddStop(p, 1, dark);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, r - 1.5, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Gloss(cairo_t* cr, double cx, double cy, double r) {
  Ellipse(cr, cx - r * 0.25, cy - r * 0.45, r * 0.55, r * 0.28);
  SetColor(cr, palette::kWhite, 0.35);
  cairo_fill(cr);
}

}  // namespace

void PaintCoin(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const double w = pic.tileWidth, cx = w / 2 - 1, cy = pic.tileHeight / 2.0 - 1;
  const double r = w / 2 - 3;
  Rgb light = Hex(0xFFE27A), dark = Hex(0xC98F12);  // 30: gold
  if (pic.variant == 10) {
    light = Hex(0xE9A066);
    dark = Hex(0x8A4A1E);
  } else if (pic.variant == 20) {
    light = Hex(0xF4F6F9);
    dark = Hex(0x8D96A3);
  }
  Roundel(cr, cx, cy, r, light, dark);
  cairo_arc(cr, cx, cy, r - 4, 0, 2 * kPi);
  SetColor(cr, Darker(dark, 0.2), 0.8);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  const std::string value = std::to_string(pic.variant);
  FitFont(cr, Face::kSansCondensed, r * 1.05, true, value, r * 1.5);
  TextCentred(cr, cx + 0.8, cy + 0.8, value, palette::kWhite, 0.7);
  TextCentred(cr, cx, cy, value, Darker(dark, 0.45));
  Gloss(cr, cx, cy, r);
}

void PaintPuddle(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  const double cx = w / 2, cy = h / 2;
  Rng rng(SeedOf(pic.name));
  double radius[16];
  for (double& r : radius) r = rng.Range(0.78, 1.0);
  auto blob = [&](double scale) {
    cairo_new_sub_path(cr);
    for (int i = 0; i <= 16; ++i) {
      const double a = i * 2 * kPi / 16;
      const double r = radius[i % 16] * scale;
      const double x = cx + std::cos(a) * (w / 2 - 2) * r, y = cy + std::sin(a) * (h / 2 - 2) * r;
      if (i == 0) {
        cairo_move_to(cr, x, y);
      } else {
        const double am = a - kPi / 16, rm = (radius[i % 16] + radius[(i + 15) % 16]) / 2 * scale;
        cairo_curve_to(cr, cx + std::cos(am) * (w / 2 - 2) * rm * 1.06,
                       cy + std::sin(am) * (h / 2 - 2) * rm * 1.06, x, y, x, y);
      }
    }
    cairo_close_path(cr);
  };
  blob(1.0);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 2, cx, cy, w / 2);
  AddStop(p, 0, Hex(0x10131A), 0.92);
  AddStop(p, 0.8, Hex(0x1E2430), 0.88);
  AddStop(p, 1, Hex(0x2B3140), 0.7);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Rainbow sheen of oil on the water.
  static constexpr Rgb kSheen[] = {Hex(0xB04DFF), Hex(0x3FD0C9), Hex(0xF2E35A), Hex(0xFF7A59)};
  cairo_set_line_width(cr, 2.2);
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx - 4 + i * 3, cy - 2 + i * 1.5);
    cairo_scale(cr, 1, 0.55);
    cairo_arc(cr, 0, 0, w * (0.18 + i * 0.045), kPi * (1.05 + i * 0.1), kPi * (1.7 + i * 0.08));
    cairo_restore(cr);
    SetColor(cr, kSheen[i], 0.55);
    cairo_stroke(cr);
  }
  Ellipse(cr, cx - w * 0.18, cy - h * 0.18, w * 0.12, h * 0.05);
  SetColor(cr, palette::kWhite, 0.35);
  cairo_fill(cr);
}

void PaintManhole(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, cx = w / 2 - 1, cy = pic.tileHeight / 2.0 - 1;
  const double r = w / 2 - 4;
  if (pic.variant == 0) {  // a closed iron lid: safe to drive over
    Roundel(cr, cx, cy, r, Hex(0x7B828E), Hex(0x3A3F48));
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r - 5, 0, 2 * kPi);
    cairo_clip(cr);
    cairo_set_line_width(cr, 2);
    SetColor(cr, Hex(0x2A2E35), 0.8);
    for (double d = -r; d <= r; d += 6) {
      cairo_move_to(cr, cx + d - r, cy - r);
      cairo_line_to(cr, cx + d + r, cy + r);
      cairo_move_to(cr, cx + d + r, cy - r);
      cairo_line_to(cr, cx + d - r, cy + r);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_arc(cr, cx, cy, r - 5, 0, 2 * kPi);
    SetColor(cr, Hex(0x2A2E35));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Gloss(cr, cx, cy, r);
    return;
  }
  // An open shaft, ringed with warning stripes.
  DiscShadow(cr, cx, cy, r);
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_clip(cr);
  for (int i = 0; i < 12; ++i) {
    cairo_move_to(cr, cx, cy);
    cairo_arc(cr, cx, cy, r + 2, i * kPi / 6, (i + 1) * kPi / 6);
    cairo_close_path(cr);
    SetColor(cr, i % 2 ? Hex(0x1D1D1D) : kAmber);
    cairo_fill(cr);
  }
  cairo_restore(cr);
  cairo_arc(cr, cx, cy, r - 4, 0, 2 * kPi);
  cairo_pattern_t* hole = cairo_pattern_create_radial(cx + 3, cy + 3, 1, cx, cy, r - 4);
  AddStop(hole, 0, Hex(0x000000));
  AddStop(hole, 0.7, Hex(0x0D0F12));
  AddStop(hole, 1, Hex(0x3A3F48));
  cairo_set_source(cr, hole);
  cairo_fill(cr);
  cairo_pattern_destroy(hole);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Hex(0x6B7280), 0.8);
  for (int i = 0; i < 3; ++i) {  // ladder rungs disappearing into the dark
    const double y = cy - r * 0.45 + i * r * 0.3;
    cairo_move_to(cr, cx - r * 0.25, y);
    cairo_line_to(cr, cx + r * 0.25, y);
  }
  cairo_stroke(cr);
}

void PaintBomb(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  const double cx = w * 0.45, cy = h * 0.56, r = w * 0.33;
  Roundel(cr, cx, cy, r, Hex(0x4A4F5A), Hex(0x0E1014));
  cairo_arc(cr, cx, cy, r - 1.5, kPi * 0.1, kPi * 0.9);
  SetColor(cr, kRed, 0.8);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  RoundedRect(cr, cx + r * 0.35, cy - r * 1.1, r * 0.5, r * 0.45, 2);
  SetColor(cr, Hex(0x6B7280));
  cairo_fill(cr);
  cairo_move_to(cr, cx + r * 0.6, cy - r * 1.05);
  cairo_curve_to(cr, cx + r * 0.7, cy - r * 1.5, cx + r * 1.1, cy - r * 1.3, cx + r * 1.15,
                 cy - r * 1.6);
  SetColor(cr, Hex(0xC8A878));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  const double sx = cx + r * 1.15, sy = cy - r * 1.6;
  Glow(cr, sx, sy, 8, kAmber, 0.9);
  Star(cr, sx, sy, 6, 6.5, 2.2, 0.3);
  SetColor(cr, Hex(0xFFF1A8));
  cairo_fill(cr);
  Gloss(cr, cx, cy, r);
}

void PaintRepair(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, cx = w / 2 - 1, cy = pic.tileHeight / 2.0 - 1;
  const double r = w / 2 - 3;
  Roundel(cr, cx, cy, r, Hex(0x6FD06A), Hex(0x2A7A2A));
  // Two crossed spanners.
  for (int i = 0; i < 2; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, i == 0 ? kPi / 4 : -kPi / 4);
    RoundedRect(cr, -2.6, -r * 0.55, 5.2, r * 1.1, 2);
    SetColor(cr, kWhite);
    cairo_fill(cr);
    for (double end : {-1.0, 1.0}) {
      cairo_arc(cr, 0, end * r * 0.58, 5.5, 0, 2 * kPi);
      cairo_fill(cr);
      cairo_rectangle(cr, -2, end * r * 0.58 + (end > 0 ? 1 : -5), 4, 4);
      SetColor(cr, Hex(0x3E9A3A));
      cairo_fill(cr);
      SetColor(cr, kWhite);
    }
    cairo_restore(cr);
  }
  Gloss(cr, cx, cy, r);
}

void PaintLife(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, cx = w / 2 - 1, cy = pic.tileHeight / 2.0 - 1;
  const double r = w / 2 - 3;
  Roundel(cr, cx, cy, r, Hex(0x6FA8F0), Hex(0x1F4F9E));
  // A little truck seen from the side and "+1": one more spare truck.
  const double tx = cx - 11, ty = cy - 4;
  RoundedRect(cr, tx, ty - 6, 13, 9, 2);
  RoundedRect(cr, tx + 12, ty - 2, 8, 5, 1.5);
  SetColor(cr, kWhite);
  cairo_fill(cr);
  cairo_rectangle(cr, tx + 13.5, ty - 1, 3.5, 2.5);
  SetColor(cr, Hex(0x1F4F9E));
  cairo_fill(cr);
  for (double x : {tx + 4, tx + 16}) {
    cairo_arc(cr, x, ty + 4, 2.6, 0, 2 * kPi);
    SetColor(cr, kNavy);
    cairo_fill(cr);
  }
  UseFont(cr, Face::kSansCondensed, 13, true);
  TextCentredOutlined(cr, cx + 1, cy + 10, "+1", kAmber, kNavy, 1.5);
  Gloss(cr, cx, cy, r);
}

void PaintExtraTime(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, cx = w / 2 - 1, cy = pic.tileHeight / 2.0 - 1;
  const double r = w / 2 - 3;
  Roundel(cr, cx, cy, r, Hex(0xFFF4D6), Hex(0xC7A868));
  cairo_arc(cr, cx, cy, r - 4, 0, 2 * kPi);
  SetColor(cr, kNavy);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    cairo_move_to(cr, cx + std::cos(a) * (r - 5), cy + std::sin(a) * (r - 5));
    cairo_line_to(cr, cx + std::cos(a) * (r - 8), cy + std::sin(a) * (r - 8));
  }
  cairo_stroke(cr);
  UseFont(cr, Face::kSansCondensed, 15, true);
  TextCentredOutlined(cr, cx, cy + 1, "+5", kRed, kWhite, 1.2);
  Gloss(cr, cx, cy, r);
}

void PaintSpikes(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  RoundedRect(cr, 4, h * 0.3 + 2, w - 6, h * 0.45, 3);
  SetColor(cr, kBlack, 0.3);
  cairo_fill(cr);
  RoundedRect(cr, 2, h * 0.3, w - 6, h * 0.45, 3);
  FillVertical(cr, h * 0.3, h * 0.75, Hex(0x4A4F5A), Hex(0x1B1E24));
  for (double x : {2.0, w - 12}) {  // striped end caps
    cairo_rectangle(cr, x, h * 0.3, 8, h * 0.45);
    SetColor(cr, kAmber);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 3, h * 0.3, 2.5, h * 0.45);
    SetColor(cr, Hex(0x1D1D1D));
    cairo_fill(cr);
  }
  for (int row = 0; row < 2; ++row) {
    for (double x = 14 + row * 4; x < w - 14; x += 8) {
      const double base = row == 0 ? h * 0.42 : h * 0.66;
      cairo_move_to(cr, x - 3.5, base);
      cairo_line_to(cr, x, base - h * 0.36);
      cairo_line_to(cr, x + 3.5, base);
      cairo_close_path(cr);
      cairo_pattern_t* g = cairo_pattern_create_linear(x - 3.5, 0, x + 3.5, 0);
      AddStop(g, 0, kWhite);
      AddStop(g, 1, Hex(0x7B828E));
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
    }
  }
}

void PaintBoost(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, cx = w / 2 - 1, cy = pic.tileHeight / 2.0 - 1;
  const double r = w / 2 - 4;
  Glow(cr, cx, cy, w / 2, Hex(0x5FE3FF), 0.5);
  Roundel(cr, cx, cy, r, Hex(0x4FC3F7), Hex(0x1565C0));
  // Chevrons pointing up the road, the way the trucks race.
  for (int i = 0; i < 2; ++i) {
    const double y = cy + 6 - i * 10;
    cairo_move_to(cr, cx - r * 0.55, y + 5);
    cairo_line_to(cr, cx, y - 6);
    cairo_line_to(cr, cx + r * 0.55, y + 5);
    cairo_line_to(cr, cx + r * 0.55, y + 10);
    cairo_line_to(cr, cx, y - 1);
    cairo_line_to(cr, cx - r * 0.55, y + 10);
    cairo_close_path(cr);
    SetColor(cr, i == 0 ? kAmber : Hex(0xFFE08A));
    cairo_fill_preserve(cr);
    SetColor(cr, kNavy);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  Gloss(cr, cx, cy, r);
}

namespace {

void Crate(cairo_t* cr, double x, double y, double s, double angle) {
  using namespace palette;
  cairo_save(cr);
  cairo_translate(cr, x + s / 2, y + s / 2);
  cairo_rotate(cr, angle);
  cairo_rectangle(cr, -s / 2 + 2, -s / 2 + 3, s, s);
  SetColor(cr, kBlack, 0.3);
  cairo_fill(cr);
  cairo_rectangle(cr, -s / 2, -s / 2, s, s);
  FillVertical(cr, -s / 2, s / 2, Hex(0xD9A866), Hex(0xA8743A));
  cairo_set_line_width(cr, 1);
  SetColor(cr, Hex(0x7A4F22), 0.7);
  for (double d = -s / 2 + s / 4; d < s / 2; d += s / 4) {
    cairo_move_to(cr, -s / 2, d);
    cairo_line_to(cr, s / 2, d);
  }
  cairo_stroke(cr);
  cairo_rectangle(cr, -s / 2 + 1.5, -s / 2 + 1.5, s - 3, s - 3);
  cairo_move_to(cr, -s / 2 + 2, -s / 2 + 2);
  cairo_line_to(cr, s / 2 - 2, s / 2 - 2);
  SetColor(cr, Hex(0x6B421B));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Plank(cairo_t* cr, double cx, double cy, double len, double thick, double angle, Rgb c) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, -len / 2, -thick / 2);
  cairo_line_to(cr, len / 2 - 3, -thick / 2);
  cairo_line_to(cr, len / 2, 0);
  cairo_line_to(cr, len / 2 - 2, thick / 2);
  cairo_line_to(cr, -len / 2, thick / 2);
  cairo_close_path(cr);
  SetColor(cr, c);
  cairo_fill_preserve(cr);
  SetColor(cr, Darker(c, 0.45));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

void PaintBoxes(cairo_t* cr, const Picture& pic, int pattern) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  if (pattern == 0) {
    Crate(cr, 4, 4, w * 0.44, 0.04);
    Crate(cr, w * 0.5, 6, w * 0.42, -0.06);
    Crate(cr, 8, h * 0.5, w * 0.42, -0.03);
    Crate(cr, w * 0.52, h * 0.52, w * 0.4, 0.08);
    return;
  }
  // Smashed: planks and splinters scattered.
  Rng rng(SeedOf(pic.name, pattern));
  for (int i = 0; i < 11; ++i) {
    Plank(cr, rng.Range(12, w - 12), rng.Range(12, h - 12), rng.Range(14, 26), rng.Range(4, 7),
          rng.Range(0, kPi), i % 3 ? Hex(0xC99556) : Hex(0xA8743A));
  }
}

void PaintBarrier(cairo_t* cr, const Picture& pic, int pattern) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  auto striped = [&](double cx, double cy, double len, double angle) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_rectangle(cr, -len / 2 + 2, -5, len, 12);
    SetColor(cr, kBlack, 0.3);
    cairo_fill(cr);
    cairo_rectangle(cr, -len / 2, -7, len, 12);
    SetColor(cr, kWhite);
    cairo_fill(cr);
    cairo_rectangle(cr, -len / 2, -7, len, 12);
    cairo_clip(cr);
    for (double x = -len / 2 - 12; x < len / 2 + 12; x += 16) {
      cairo_move_to(cr, x, 6);
      cairo_line_to(cr, x + 8, -8);
      cairo_line_to(cr, x + 16, -8);
      cairo_line_to(cr, x + 8, 6);
      cairo_close_path(cr);
      SetColor(cr, kRed);
      cairo_fill(cr);
    }
    cairo_restore(cr);
  };
  if (pattern == 0) {
    for (double x : {8.0, w - 16}) {
      RoundedRect(cr, x, h / 2 - 12, 8, 26, 2);
      SetColor(cr, Hex(0x30343C));
      cairo_fill(cr);
    }
    striped(w / 2, h / 2, w - 8, 0);
    for (double x : {12.0, w - 12}) {
      Glow(cr, x, h / 2 - 8, 7, kAmber, 0.9);
      cairo_arc(cr, x, h / 2 - 8, 3, 0, 2 * kPi);
      SetColor(cr, Hex(0xFFF1A8));
      cairo_fill(cr);
    }
    return;
  }
  RoundedRect(cr, 6, h / 2 + 2, 8, 18, 2);
  SetColor(cr, Hex(0x30343C));
  cairo_fill(cr);
  striped(w * 0.3, h * 0.45, w * 0.45, -0.35);
  striped(w * 0.7, h * 0.58, w * 0.42, 0.5);
}

namespace {

// A soft round puff: full Alpha over most of its radius, fading at the rim.
void Puff(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha) {
  // Kept inside the tile so that no puff is cut by the tile's edge.
  double x1, y1, x2, y2;
  cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
  r = std::min({r, cx - x1 - 1, x2 - cx - 1, cy - y1 - 1, y2 - cy - 1});
  if (r <= 0 || alpha <= 0) return;
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
  AddStop(p, 0, c, alpha);
  AddStop(p, 0.55, c, alpha * 0.8);
  AddStop(p, 1, c, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

}  // namespace

void PaintExplosion(cairo_t* cr, const Picture& pic, int pattern) {
  const double w = pic.tileWidth, cx = w / 2, cy = pic.tileHeight / 2.0;
  const bool cold = pic.variant == 2;  // a blue-white flash and grey smoke
  static constexpr double kFire[8] = {1, 1, 0.95, 0.8, 0.6, 0.35, 0.12, 0};
  static constexpr double kSmoke[8] = {0.15, 0.35, 0.55, 0.7, 0.75, 0.65, 0.45, 0.22};
  const double t = pattern / 7.0;
  const double expand = 1 - (1 - t) * (1 - t);
  const double size = w * (0.2 + 0.26 * expand);
  const Rgb smoke = cold ? Hex(0x5E6878) : Hex(0x3B3430);
  const Rgb outer = cold ? Hex(0x3F8CFF) : Hex(0xE8401C);
  const Rgb middle = cold ? Hex(0x8CC8FF) : Hex(0xFF9A2E);
  const Rgb inner = cold ? Hex(0xE6F4FF) : Hex(0xFFE066);
  Rng rng(SeedOf(pic.name));
  struct Blob {
    double a, d, r;
  };
  Blob blobs[12];
  for (Blob& b : blobs) b = {rng.Range(0, 2 * kPi), rng.Range(0.1, 0.75), rng.Range(0.35, 0.6)};
  auto at = [&](const Blob& b, double spread, double& x, double& y) {
    x = cx + std::cos(b.a) * b.d * size * spread;
    y = cy + std::sin(b.a) * b.d * size * spread;
  };
  const double limit = w / 2 - 1;
  for (const Blob& b : blobs) {  // smoke rises out of the fire and spreads
    double x, y;
    at(b, 1.15, x, y);
    Puff(cr, x, y, std::min(limit, b.r * size * (0.9 + expand * 0.5)), smoke, kSmoke[pattern]);
  }
  const double fire = kFire[pattern];
  for (const Blob& b : blobs) {
    double x, y;
    at(b, 0.9, x, y);
    Puff(cr, x, y, std::min(limit, b.r * size * 0.95), outer, 0.85 * fire);
  }
  for (int i = 0; i < 8; ++i) {
    double x, y;
    at(blobs[i], 0.6, x, y);
    Puff(cr, x, y, blobs[i].r * size * 0.7, middle, 0.9 * fire);
  }
  for (int i = 0; i < 4; ++i) {
    double x, y;
    at(blobs[i], 0.35, x, y);
    Puff(cr, x, y, blobs[i].r * size * 0.55, inner, fire);
  }
  Puff(cr, cx, cy, size * 0.45 * (1.2 - t), palette::kWhite, std::max(0.0, 1 - t * 2.2));
  if (pattern >= 1 && pattern <= 3) {  // the shock ring
    cairo_arc(cr, cx, cy, std::min(limit - 2, w * (0.22 + 0.08 * pattern)), 0, 2 * kPi);
    SetColor(cr, inner, 0.45 - pattern * 0.1);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
  }
  if (pattern <= 4) {
    Rng sparks(SeedOf(pic.name, 7));
    for (int i = 0; i < 18; ++i) {
      const double a = sparks.Range(0, 2 * kPi), speed = sparks.Range(0.25, 0.5) * w;
      const double d = speed * (0.2 + expand);
      if (d > limit - 3) continue;
      cairo_arc(cr, cx + std::cos(a) * d, cy + std::sin(a) * d, 2 - pattern * 0.25, 0, 2 * kPi);
      SetColor(cr, inner, 1 - pattern * 0.18);
      cairo_fill(cr);
    }
  }
}

}  // namespace assetgen
