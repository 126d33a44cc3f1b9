// Painters of the race display: dashboard, progress strip, needle, lamps, lights, dust, probes.
#include <algorithm>
#include <cmath>
#include <string>

#include "pictures/English.h"
#include "pictures/Manifest.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDashTop = 431;  // the dashboard's top edge on screen

// Screen places the race display writes to (the dashboard picture's coordinates are these minus
// (0, kDashTop)).
constexpr double kDialX = 683;
constexpr double kNeedleLength = 64;
constexpr double kNeedleWidth = 12;
// The needle is drawn at X = 683 - W/2, Y = 463 - 0.9 W and turns about 0.5 W, 0.9 H of its
// picture.
constexpr double kDialY = 463 - 0.9 * kNeedleWidth + 0.9 * kNeedleLength;

// A point on a dial: Angle clockwise from straight up.
void OnDial(double cx, double cy, double r, double angleDeg, double& x, double& y) {
  const double a = angleDeg * kPi / 180;
  x = cx + r * std::sin(a);
  y = cy - r * std::cos(a);
}

// A dark moulded pod of the dashboard, lit from the upper left.
void Pod(cairo_t* cr) {
  using namespace palette;
  cairo_path_t* path = cairo_copy_path(cr);
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, 3, 4);
  cairo_append_path(cr, path);
  cairo_restore(cr);
  SetColor(cr, kBlack, 0.35);
  cairo_fill(cr);
  cairo_append_path(cr, path);
  FillVertical(cr, 0, 169, Hex(0x3A4A66), Hex(0x151D2C));
  cairo_append_path(cr, path);
  SetColor(cr, kAmber, 0.9);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_path_destroy(path);
}

// A light read-out window (the game writes dark digits into it).
void ReadOut(cairo_t* cr, double x, double y, double w, double h) {
  RoundedRect(cr, x, y, w, h, 4);
  FillVertical(cr, y, y + h, Hex(0xC9D8B0), Hex(0xE4EDCF));
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 4);
  SetColor(cr, palette::kBlack, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_rectangle(cr, x + 2, y + 1.5, w - 4, 2);
  SetColor(cr, palette::kBlack, 0.12);
  cairo_fill(cr);
}

void Label(cairo_t* cr, double x, double cy, std::string_view text, bool right) {
  UseFont(cr, Face::kSansCondensed, 10.5, true);
  if (right) {
    TextRight(cr, x, cy, text, palette::kAmber);
  } else {
    TextLeft(cr, x, cy, text, palette::kAmber);
  }
}

}  // namespace

void PaintDashboard(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double top = kDashTop;
  // Bottom strip carrying the health bar (206, 581) - (446, 593).
  RoundedRect(cr, -10, 578 - top - 12, 820, 60, 10);
  Pod(cr);
  // Left pod: place (text from x 78, y 500), clock (centred on 98, y 531), spare trucks (114, 562).
  cairo_move_to(cr, -10, 483 - top);
  cairo_line_to(cr, 150, 483 - top);
  cairo_curve_to(cr, 175, 483 - top, 178, 500 - top, 178, 520 - top);
  cairo_line_to(cr, 178, 610 - top);
  cairo_line_to(cr, -10, 610 - top);
  cairo_close_path(cr);
  Pod(cr);
  ReadOut(cr, 72, 495 - top, 62, 22);
  ReadOut(cr, 64, 526 - top, 68, 22);
  ReadOut(cr, 94, 557 - top, 40, 22);
  Label(cr, 66, 506 - top, Say(pic, "МЕСТО", "PLACE"), true);
  Label(cr, 58, 537 - top, Say(pic, "ВРЕМЯ", "TIME"), true);
  Label(cr, 88, 568 - top, Say(pic, "ЗАПАС", "SPARE"), true);

  // Right pod: the speed dial and the score (centred on x 735, y 569).
  const double cx = kDialX, cy = kDialY - top;
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, 70, kPi * 0.9, kPi * 2.1);
  cairo_line_to(cr, 810, cy - 10);
  cairo_line_to(cr, 810, 610 - top);
  cairo_line_to(cr, 600, 610 - top);
  cairo_close_path(cr);
  Pod(cr);
  // Dial face.
  cairo_arc(cr, cx, cy, 61, 0, 2 * kPi);
  FillVertical(cr, cy - 61, cy + 61, Hex(0x5C6C88), Hex(0x1A2130));
  cairo_pattern_t* face = cairo_pattern_create_radial(cx - 12, cy - 14, 4, cx, cy, 56);
  AddStop(face, 0, Hex(0x27324A));
  AddStop(face, 1, Hex(0x0E131D));
  cairo_set_source(cr, face);
  cairo_arc(cr, cx, cy, 55, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  // The needle turns 197 degrees from rest to the truck's top speed; boosts push it into the red.
  cairo_set_line_width(cr, 7);
  SetColor(cr, kRed, 0.85);
  cairo_arc(cr, cx, cy, 48, (-135 + 197 - 90) * kPi / 180, (-135 + 267.92 - 90) * kPi / 180);
  cairo_stroke(cr);
  for (int i = 0; i <= 20; ++i) {
    const double angle = -135 + 197 * i / 20.0;
    const bool major = i % 4 == 0;
    double x0, y0, x1, y1;
    OnDial(cx, cy, 52, angle, x0, y0);
    OnDial(cx, cy, major ? 42 : 47, angle, x1, y1);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, major ? 2.5 : 1.2);
    SetColor(cr, kWhite, 0.9);
    cairo_stroke(cr);
    if (major) {
      double tx, ty;
      OnDial(cx, cy, 34, angle, tx, ty);
      UseFont(cr, Face::kSansCondensed, 9, true);
      TextCentred(cr, tx, ty, std::to_string(i * 10), kCream);
    }
  }
  UseFont(cr, Face::kSansCondensed, 9, true);
  TextCentred(cr, cx, cy + 24, Say(pic, "км/ч", "km/h"), kSteel);
  // Socket of the reverse lamp, centred on (660, 579).
  cairo_arc(cr, 660, 579 - top, 12, 0, 2 * kPi);
  SetColor(cr, Hex(0x0B0F16));
  cairo_fill(cr);
  UseFont(cr, Face::kSans, 11, true);
  TextCentred(cr, 660, 579 - top, "R", Hex(0x56627A));
  // Score window.
  ReadOut(cr, 700, 563 - top, 70, 22);
  const std::string_view score = Say(pic, "ОЧКИ", "SCORE");
  Label(cr, 735 - TextWidth(cr, score) / 2 - 6, 553 - top, score, false);

  // Health bar frame around (206, 581) - (446, 593).
  RoundedRect(cr, 202, 577 - top, 248, 20, 4);
  SetColor(cr, Hex(0x0B0F16));
  cairo_fill(cr);
  Label(cr, 196, 587 - top, Say(pic, "ПРОЧНОСТЬ", "HEALTH"), true);
}

void PaintProgressStrip(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  // The blips sit with their top-left between y 165 (finish) and 335 (start) on screen; the strip
  // starts at y 100 and the blips are 14 tall, so their centres run from 72 to 242 here.
  const double finishY = 72, startY = 242, cx = w / 2;
  RoundedRect(cr, 3, 3, w - 6, h - 6, 14);
  SetColor(cr, kBlack, 0.3);
  cairo_fill(cr);
  RoundedRect(cr, 1, 1, w - 6, h - 6, 14);
  FillVertical(cr, 0, h, Hex(0x34507A), Hex(0x151D2C));
  RoundedRect(cr, 1, 1, w - 6, h - 6, 14);
  SetColor(cr, kAmber, 0.9);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  // The road from start to finish with ticks.
  cairo_rectangle(cr, cx - 4, finishY, 8, startY - finishY);
  SetColor(cr, Hex(0x4B4F57));
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  for (int i = 1; i < 10; ++i) {
    const double y = startY - (startY - finishY) * i / 10;
    cairo_move_to(cr, cx - 9, y);
    cairo_line_to(cr, cx + 9, y);
    SetColor(cr, kSteel, 0.5);
    cairo_stroke(cr);
  }
  DrawChequer(cr, cx - 12, finishY - 9, 24, 9, 6, 2);
  cairo_rectangle(cr, cx - 12, startY, 24, 4);
  SetColor(cr, kGreen);
  cairo_fill(cr);
  UseFont(cr, Face::kSansCondensed, 9, true);
  TextCentred(cr, cx - 2, finishY - 22, Say(pic, "ФИНИШ", "FINISH"), kAmber);
  TextCentred(cr, cx - 2, startY + 16, Say(pic, "СТАРТ", "START"), kAmber);
}

void PaintPanel(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  RoundedRect(cr, 1, 1, w - 5, h - 5, 8);
  Pod(cr);
  ReadOut(cr, 10, 10, w - 24, h - 24);
}

void PaintHealthBar(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  // Cropped from the right as the truck takes damage: the colour at the tip tells how bad it is.
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
  AddStop(p, 0, kRed);
  AddStop(p, 0.45, kAmber);
  AddStop(p, 1, Hex(0x5CC45A));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_rectangle(cr, 0, 1, w, h * 0.4);
  SetColor(cr, kWhite, 0.35);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, h - 2, w, 2);
  SetColor(cr, kBlack, 0.25);
  cairo_fill(cr);
  for (double x = 12; x < w; x += 12) {
    cairo_rectangle(cr, x - 1, 0, 1.5, h);
    SetColor(cr, kBlack, 0.3);
    cairo_fill(cr);
  }
}

void PaintNeedle(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  const double px = w * 0.5, py = h * 0.9;  // the pivot the sprite turns about
  cairo_move_to(cr, px, 7);                 // the tip reaches the dial's tick ring
  cairo_line_to(cr, px + 3, py - 4);
  cairo_line_to(cr, px + 2.5, h - 1);
  cairo_line_to(cr, px - 2.5, h - 1);
  cairo_line_to(cr, px - 3, py - 4);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(px - 3, 0, px + 3, 0);
  AddStop(g, 0, Hex(0xFF7A55));
  AddStop(g, 1, Hex(0xB8231C));
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_arc(cr, px, py, 5, 0, 2 * kPi);
  FillVertical(cr, py - 5, py + 5, Hex(0xE6EAF0), Hex(0x6B7280));
  cairo_arc(cr, px, py, 1.6, 0, 2 * kPi);
  SetColor(cr, kNavy);
  cairo_fill(cr);
}

void PaintReverseLamp(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  Glow(cr, w / 2, h / 2, w / 2, Hex(0xE8F4FF), 0.9);
  cairo_arc(cr, w / 2, h / 2, w * 0.32, 0, 2 * kPi);
  SetColor(cr, palette::kWhite);
  cairo_fill(cr);
  UseFont(cr, Face::kSans, h * 0.45, true);
  TextCentred(cr, w / 2, h / 2, "R", palette::kNavy);
}

void PaintBlip(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  const bool player = pic.variant == 0;
  cairo_arc(cr, w / 2, h / 2, w / 2 - 0.5, 0, 2 * kPi);
  SetColor(cr, player ? kNavy : Hex(0x3A0C0C));
  cairo_fill(cr);
  cairo_arc(cr, w / 2, h / 2, w / 2 - 2, 0, 2 * kPi);
  FillVertical(cr, 0, h, player ? Hex(0xFFE08A) : Hex(0xFF7A70), player ? kOrange : kRed);
  cairo_arc(cr, w * 0.4, h * 0.38, w * 0.12, 0, 2 * kPi);
  SetColor(cr, kWhite, 0.8);
  cairo_fill(cr);
}

void PaintStartRing(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, cx = w / 2, cy = pic.tileHeight / 2.0;
  const double r = w * 0.4;
  // Four arrows chasing each other round the player's truck; the sprite turns them.
  for (int i = 0; i < 4; ++i) {
    const double a0 = i * kPi / 2 + 0.18, a1 = a0 + kPi / 2 - 0.55;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r + 6, a0, a1);
    cairo_line_to(cr, cx + (r + 12) * std::cos(a1), cy + (r + 12) * std::sin(a1));
    cairo_line_to(cr, cx + r * std::cos(a1 + 0.3), cy + r * std::sin(a1 + 0.3));
    cairo_line_to(cr, cx + (r - 12) * std::cos(a1), cy + (r - 12) * std::sin(a1));
    cairo_arc_negative(cr, cx, cy, r - 6, a1, a0);
    cairo_close_path(cr);
    cairo_path_t* path = cairo_copy_path(cr);
    SetColor(cr, kAmber, 0.85);
    cairo_fill(cr);
    cairo_append_path(cr, path);
    SetColor(cr, kNavy, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_path_destroy(path);
  }
}

void PaintDust(cairo_t* cr, const Picture& pic, int pattern) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  Rng rng(SeedOf("dust"));
  const double grow = 0.45 + pattern * 0.13;
  for (int i = 0; i < 6; ++i) {
    const double dx = rng.Range(-0.18, 0.18) * w, dy = rng.Range(-0.18, 0.18) * h;
    const double r = rng.Range(0.18, 0.28) * w * grow * 1.4;
    Glow(cr, w / 2 + dx * grow * 1.5, h / 2 + dy * grow * 1.5, r, Hex(0x8A8170),
         0.75 - pattern * 0.1);
  }
}

void PaintArrows(cairo_t* cr, const Picture& pic, int pattern) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  static constexpr Rgb kColours[] = {palette::kGreen, palette::kAmber, palette::kRed};
  SetColor(cr, kColours[std::clamp(pattern, 0, 2)]);
  cairo_rectangle(cr, 0, h / 2 - 1.5, w - 10, 3);
  cairo_fill(cr);
  cairo_move_to(cr, w, h / 2);
  cairo_line_to(cr, w - 12, 0);
  cairo_line_to(cr, w - 12, h);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void PaintGroundPoint(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  cairo_arc(cr, pic.tileWidth / 2.0, pic.tileHeight / 2.0, pic.tileWidth / 2.0, 0, 2 * kPi);
  SetColor(cr, palette::kAmber);
  cairo_fill(cr);
}

void PaintLightHousing(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  // Bracket to the screen's left edge, then the housing with three lamp sockets whose centres the
  // lamp pictures (drawn at (-7, 48), (-7, 102), (-7, 157), 90 x 90) land on.
  cairo_rectangle(cr, 0, h / 2 - 8, 12, 16);
  SetColor(cr, Hex(0x22252B));
  cairo_fill(cr);
  RoundedRect(cr, 8, 3, w - 12, h - 6, 14);
  SetColor(cr, kBlack, 0.4);
  cairo_fill(cr);
  RoundedRect(cr, 5, 1, w - 12, h - 6, 14);
  FillVertical(cr, 0, h, Hex(0x3C4250), Hex(0x16191F));
  RoundedRect(cr, 5.5, 1.5, w - 13, h - 7, 13.5);
  SetColor(cr, kAmber, 0.8);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (double y : {23.0, 77.0, 132.0}) {
    cairo_arc(cr, 38, y, 21, 0, 2 * kPi);
    SetColor(cr, Hex(0x0A0C10));
    cairo_fill(cr);
    cairo_arc(cr, 38, y, 18, 0, 2 * kPi);
    cairo_pattern_t* lens = cairo_pattern_create_radial(33, y - 6, 1, 38, y, 18);
    AddStop(lens, 0, Hex(0x4A505C));
    AddStop(lens, 1, Hex(0x1C2027));
    cairo_set_source(cr, lens);
    cairo_fill(cr);
    cairo_pattern_destroy(lens);
    // Visor over each lamp.
    cairo_new_sub_path(cr);
    cairo_arc(cr, 38, y, 23, kPi * 1.1, kPi * 1.9);
    cairo_arc_negative(cr, 38, y, 20, kPi * 1.9, kPi * 1.1);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x5A6270));
    cairo_fill(cr);
  }
}

void PaintSignalGlow(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  static constexpr Rgb kLamp[] = {Hex(0xFF3B30), Hex(0xFFC83A), Hex(0x3CE070)};
  const Rgb c = kLamp[std::clamp(pic.variant, 0, 2)];
  const double w = pic.tileWidth, cx = w / 2, cy = pic.tileHeight / 2.0;
  Glow(cr, cx, cy, w / 2, c, 0.75);
  cairo_arc(cr, cx, cy, 18, 0, 2 * kPi);
  cairo_pattern_t* lens = cairo_pattern_create_radial(cx - 5, cy - 6, 1, cx, cy, 18);
  AddStop(lens, 0, Lighter(c, 0.85));
  AddStop(lens, 0.5, Lighter(c, 0.25));
  AddStop(lens, 1, c);
  cairo_set_source(cr, lens);
  cairo_fill(cr);
  cairo_pattern_destroy(lens);
}

}  // namespace assetgen
