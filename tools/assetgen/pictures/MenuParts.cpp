// Painters of small menu pictures: glyph sheet, pointer, glints, highlight bar, value bar.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "pictures/Manifest.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The bitmap font's 109 characters in slot order, as UTF-8 (one entry per slot).
std::vector<std::string> GlyphSlots() {
  std::vector<std::string> slots;
  for (char c = 32; c <= 64; ++c) slots.emplace_back(1, c);
  auto addUtf8 = [&slots](std::string_view letters) {
    for (size_t i = 0; i < letters.size();) {
      const auto lead = static_cast<unsigned char>(letters[i]);
      const size_t len = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : 4;
      slots.emplace_back(letters.substr(i, len));
      i += len;
    }
  };
  addUtf8("ЯФЙЦЫЧСВУКАМИПЕНРТЬОГШЛБЮДЩЗЖЁЪХЭ");
  addUtf8("[\\]^_`");
  addUtf8("йфячыцувсмакепитрнгоьблшщдюжзёъхэ");
  addUtf8("{|}~");
  return slots;
}

}  // namespace

void PaintGlyph(cairo_t* cr, const Picture& pic, int pattern) {
  static const std::vector<std::string> slots = GlyphSlots();
  if (pattern < 0 || pattern >= static_cast<int>(slots.size())) return;
  const std::string& glyph = slots[static_cast<size_t>(pattern)];
  const double w = pic.tileWidth, h = pic.tileHeight;
  FitFont(cr, Face::kSansCondensed, h * 0.7, true, glyph, w - 2);
  cairo_font_extents_t fe;
  cairo_font_extents(cr, &fe);
  const double baseline = h * 0.74;
  const double x = (w - TextWidth(cr, glyph)) / 2;
  // White glyphs: the font tints them with its colour when drawing.
  cairo_move_to(cr, x, baseline);
  cairo_text_path(cr, glyph.c_str());
  SetColor(cr, palette::kWhite);
  cairo_fill(cr);
}

void PaintCursor(cairo_t* cr, const Picture& pic, int pattern) {
  using namespace palette;
  const double s = pic.tileWidth / 32.0;
  auto arrow = [&](double dx, double dy) {
    cairo_move_to(cr, (1 + dx) * s, (1 + dy) * s);
    cairo_line_to(cr, (1 + dx) * s, (24 + dy) * s);
    cairo_line_to(cr, (7 + dx) * s, (18.5 + dy) * s);
    cairo_line_to(cr, (11 + dx) * s, (27 + dy) * s);
    cairo_line_to(cr, (15 + dx) * s, (25 + dy) * s);
    cairo_line_to(cr, (11 + dx) * s, (17 + dy) * s);
    cairo_line_to(cr, (19 + dx) * s, (17 + dy) * s);
    cairo_close_path(cr);
  };
  arrow(2, 2);
  SetColor(cr, kBlack, 0.35);
  cairo_fill(cr);
  arrow(0, 0);
  FillVertical(cr, 0, 27 * s, Hex(0xFFE59A), kOrange);
  // A shine band sweeps down the pointer over the eight frames.
  cairo_save(cr);
  arrow(0, 0);
  cairo_clip(cr);
  const double band = -6 + pattern * 5.0;
  cairo_move_to(cr, 0, band * s);
  cairo_line_to(cr, 24 * s, (band - 10) * s);
  cairo_line_to(cr, 24 * s, (band - 4) * s);
  cairo_line_to(cr, 0, (band + 6) * s);
  cairo_close_path(cr);
  SetColor(cr, kWhite, 0.75);
  cairo_fill(cr);
  cairo_restore(cr);
  arrow(0, 0);
  SetColor(cr, kNavy);
  cairo_set_line_width(cr, 1.6 * s);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void PaintGlint(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  const double cx = w / 2, cy = h / 2;
  const Rgb tint = pic.variant == 0 ? Hex(0xFFF3C0) : Hex(0xD8ECFF);
  Glow(cr, cx, cy, w * 0.45, tint, 0.55);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, pic.variant == 0 ? 0 : kPi / 8);
  for (int i = 0; i < 2; ++i) {
    const double len = i == 0 ? w * 0.48 : w * 0.3;
    cairo_save(cr);
    cairo_rotate(cr, i * kPi / 4);
    cairo_move_to(cr, -len, 0);
    cairo_curve_to(cr, -2, -1.5, -1.5, -2, 0, -len);
    cairo_curve_to(cr, 1.5, -2, 2, -1.5, len, 0);
    cairo_curve_to(cr, 2, 1.5, 1.5, 2, 0, len);
    cairo_curve_to(cr, -1.5, 2, -2, 1.5, -len, 0);
    cairo_close_path(cr);
    SetColor(cr, palette::kWhite, i == 0 ? 0.95 : 0.6);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  cairo_restore(cr);
  Glow(cr, cx, cy, w * 0.12, palette::kWhite, 1);
}

void PaintChooseLine(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  RoundedRect(cr, 0, 1, w, h - 2, (h - 2) / 2);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
  AddStop(p, 0, kAmber, 0.1);
  AddStop(p, 0.12, Hex(0xFFD166), 0.95);
  AddStop(p, 0.88, Hex(0xFFD166), 0.95);
  AddStop(p, 1, kAmber, 0.1);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_rectangle(cr, w * 0.1, 2, w * 0.8, (h - 4) * 0.4);
  SetColor(cr, kWhite, 0.35);
  cairo_fill(cr);
}

void PaintStatBar(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  cairo_rectangle(cr, 0, 0, w, h);
  FillVertical(cr, 0, h, Hex(0xFFD98A), kOrange);
  cairo_rectangle(cr, 0, 1, w, h * 0.35);
  SetColor(cr, kWhite, 0.4);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, h - 2, w, 2);
  SetColor(cr, Darker(kOrange, 0.35));
  cairo_fill(cr);
  // Segment marks every 20 pixels read as a gauge even when the bar is squeezed.
  for (double x = 20; x < w; x += 20) {
    cairo_rectangle(cr, x, 2, 1.5, h - 4);
    SetColor(cr, Darker(kOrange, 0.3), 0.5);
    cairo_fill(cr);
  }
}

}  // namespace assetgen
