// The game's look: one palette, light from the upper left, and the shared card and key shapes.
#include "pictures/Style.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "pictures/Manifest.h"

namespace assetgen {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kCardMargin = 8;
constexpr double kShadow = 6;
constexpr double kTitleBand = 62;
}  // namespace

double DrawCard(cairo_t* cr, double w, double h, std::string_view title) {
  using namespace palette;
  const double x = kCardMargin, y = kCardMargin;
  const double bw = w - 2 * kCardMargin - kShadow, bh = h - 2 * kCardMargin - kShadow;
  SoftShadow(cr, x, y, bw, bh, 18, kShadow, 8, 0.45);

  RoundedRect(cr, x, y, bw, bh, 18);
  FillVertical(cr, y, y + bh, kCream, kCreamDark);

  // Faint diagonal hatching gives the card some texture.
  cairo_save(cr);
  RoundedRect(cr, x, y, bw, bh, 18);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, kNavy, 0.035);
  for (double d = -bh; d < bw; d += 9) {
    cairo_move_to(cr, x + d, y + bh);
    cairo_line_to(cr, x + d + bh, y);
  }
  cairo_stroke(cr);

  // Title band, lit from above.
  cairo_rectangle(cr, x, y, bw, kTitleBand);
  FillVertical(cr, y, y + kTitleBand, kAmber, kOrange);
  cairo_rectangle(cr, x, y, bw, kTitleBand * 0.45);
  SetColor(cr, kWhite, 0.18);
  cairo_fill(cr);
  cairo_rectangle(cr, x, y + kTitleBand - 3, bw, 3);
  SetColor(cr, kNavy);
  cairo_fill(cr);
  // Chequered strip at the band's left end, the racing motif.
  DrawChequer(cr, x + 14, y + 14, 36, kTitleBand - 31, 4, 4);
  DrawChequer(cr, x + bw - 50, y + 14, 36, kTitleBand - 31, 4, 4);
  cairo_restore(cr);

  if (!title.empty()) {
    FitFont(cr, Face::kSans, 30, true, title, bw - 140);
    TextCentredOutlined(cr, x + bw / 2, y + kTitleBand / 2 - 1, title, kWhite, kNavy, 2.2);
  }

  RoundedRect(cr, x + 1.5, y + 1.5, bw - 3, bh - 3, 17);
  SetColor(cr, kNavy);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  return y + kTitleBand + 10;
}

void DrawInset(cairo_t* cr, double x, double y, double w, double h, double r) {
  using namespace palette;
  RoundedRect(cr, x, y, w, h, r);
  SetColor(cr, Lighter(kCream, 0.5));
  cairo_fill(cr);
  // Inner shadow on the upper-left edges: the field is sunk into the card.
  cairo_save(cr);
  RoundedRect(cr, x, y, w, h, r);
  cairo_clip(cr);
  for (int i = 0; i < 4; ++i) {
    RoundedRect(cr, x - 6 + i, y - 6 + i, w + 6 - i, h + 6 - i, r + 4);
    SetColor(cr, kNavy, 0.05);
    cairo_set_line_width(cr, 8 - i * 1.5);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
  SetColor(cr, Darker(kCreamDark, 0.25));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void DrawDarkInset(cairo_t* cr, double x, double y, double w, double h, double r) {
  using namespace palette;
  RoundedRect(cr, x, y, w, h, r);
  FillVertical(cr, y, y + h, Darker(kNavy, 0.35), kNavy);
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
  SetColor(cr, kNavyLight);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void DrawKeyCap(cairo_t* cr, double x, double y, double w, double h, std::string_view label) {
  using namespace palette;
  RoundedRect(cr, x + 2, y + 3, w, h, 6);
  SetColor(cr, kNavy, 0.35);
  cairo_fill(cr);
  RoundedRect(cr, x, y, w, h, 6);
  FillVertical(cr, y, y + h, kWhite, Hex(0xD9DEE6));
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 6);
  SetColor(cr, Darker(kSteel, 0.3));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  const bool arrow = label == "<" || label == ">" || label == "^" || label == "v";
  if (arrow) {
    const int dir = label == "<"   ? kArrowLeft
                    : label == ">" ? kArrowRight
                    : label == "^" ? kArrowUp
                                   : kArrowDown;
    DrawArrowShape(cr, dir, x + w / 2, y + h / 2, h * 0.45);
    SetColor(cr, kNavy);
    cairo_fill(cr);
    return;
  }
  FitFont(cr, Face::kSans, std::min(14.0, h * 0.42), true, label, w - 8);
  TextCentred(cr, x + w / 2, y + h / 2, label, kNavy);
}

void DrawChequer(cairo_t* cr, double x, double y, double w, double h, int cols, int rows) {
  const double cw = w / cols, ch = h / rows;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      cairo_rectangle(cr, x + c * cw, y + r * ch, cw, ch);
      if ((r + c) % 2 == 0) {
        SetColor(cr, palette::kWhite);
      } else {
        SetColor(cr, palette::kNavy);
      }
      cairo_fill(cr);
    }
  }
}

void DrawArrowShape(cairo_t* cr, int dir, double cx, double cy, double size) {
  // Points of a right-pointing arrow head, turned to Dir.
  const double angle = dir == kArrowRight  ? 0
                       : dir == kArrowDown ? kPi / 2
                       : dir == kArrowLeft ? kPi
                                           : -kPi / 2;
  const double pts[3][2] = {
      {size * 0.55, 0}, {-size * 0.4, -size * 0.5}, {-size * 0.4, size * 0.5}};
  cairo_new_sub_path(cr);
  for (int i = 0; i < 3; ++i) {
    const double px = pts[i][0] * std::cos(angle) - pts[i][1] * std::sin(angle);
    const double py = pts[i][0] * std::sin(angle) + pts[i][1] * std::cos(angle);
    if (i == 0) {
      cairo_move_to(cr, cx + px, cy + py);
    } else {
      cairo_line_to(cr, cx + px, cy + py);
    }
  }
  cairo_close_path(cr);
}

namespace {

void IconTrash(cairo_t* cr, double cx, double cy, double s) {
  using namespace palette;
  RoundedRect(cr, cx - s * 0.3, cy - s * 0.25, s * 0.6, s * 0.7, s * 0.06);
  FillVertical(cr, cy - s * 0.25, cy + s * 0.45, kSteel, Darker(kSteel, 0.3));
  cairo_set_line_width(cr, s * 0.04);
  SetColor(cr, kNavy);
  for (int i = -1; i <= 1; ++i) {
    cairo_move_to(cr, cx + i * s * 0.14, cy - s * 0.15);
    cairo_line_to(cr, cx + i * s * 0.14, cy + s * 0.36);
  }
  cairo_stroke(cr);
  RoundedRect(cr, cx - s * 0.38, cy - s * 0.36, s * 0.76, s * 0.1, s * 0.03);
  SetColor(cr, kNavy);
  cairo_fill(cr);
  RoundedRect(cr, cx - s * 0.1, cy - s * 0.44, s * 0.2, s * 0.1, s * 0.03);
  cairo_fill(cr);
}

void IconDoor(cairo_t* cr, double cx, double cy, double s) {
  using namespace palette;
  cairo_rectangle(cr, cx - s * 0.32, cy - s * 0.45, s * 0.46, s * 0.9);
  SetColor(cr, kNavy);
  cairo_fill(cr);
  cairo_move_to(cr, cx - s * 0.32, cy - s * 0.45);
  cairo_line_to(cr, cx + s * 0.02, cy - s * 0.35);
  cairo_line_to(cr, cx + s * 0.02, cy + s * 0.5);
  cairo_line_to(cr, cx - s * 0.32, cy + s * 0.45);
  cairo_close_path(cr);
  FillVertical(cr, cy - s * 0.45, cy + s * 0.5, kOrange, Darker(kOrange, 0.3));
  cairo_arc(cr, cx - s * 0.06, cy + s * 0.04, s * 0.04, 0, 2 * kPi);
  SetColor(cr, kAmber);
  cairo_fill(cr);
  cairo_set_line_width(cr, s * 0.09);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, kRed);
  cairo_move_to(cr, cx + s * 0.12, cy);
  cairo_line_to(cr, cx + s * 0.42, cy);
  cairo_stroke(cr);
  DrawArrowShape(cr, kArrowRight, cx + s * 0.44, cy, s * 0.28);
  cairo_fill(cr);
}

// A player's bust; Badge (an icon of DialogIcon) adds a red cross for delete or a green plus for
// add at the lower right.
void IconPerson(cairo_t* cr, double cx, double cy, double s, int badge) {
  using namespace palette;
  cairo_arc(cr, cx, cy - s * 0.2, s * 0.17, 0, 2 * kPi);
  SetColor(cr, kNavyLight);
  cairo_fill(cr);
  cairo_move_to(cr, cx - s * 0.34, cy + s * 0.42);
  cairo_curve_to(cr, cx - s * 0.34, cy + s * 0.02, cx + s * 0.34, cy + s * 0.02, cx + s * 0.34,
                 cy + s * 0.42);
  cairo_close_path(cr);
  cairo_fill(cr);
  if (badge == kIconPlayer) return;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (badge == kIconNewPerson) {
    // A green disc with a white plus, ringed in the card's cream so it reads over the bust.
    const double bx = cx + s * 0.3, by = cy + s * 0.1;
    cairo_arc(cr, bx, by, s * 0.2, 0, 2 * kPi);
    SetColor(cr, kCream);
    cairo_fill(cr);
    cairo_arc(cr, bx, by, s * 0.16, 0, 2 * kPi);
    FillVertical(cr, by - s * 0.16, by + s * 0.16, Lighter(kGreen, 0.2), Darker(kGreen, 0.2));
    cairo_set_line_width(cr, s * 0.06);
    SetColor(cr, kWhite);
    cairo_move_to(cr, bx - s * 0.08, by);
    cairo_line_to(cr, bx + s * 0.08, by);
    cairo_move_to(cr, bx, by - s * 0.08);
    cairo_line_to(cr, bx, by + s * 0.08);
    cairo_stroke(cr);
    return;
  }
  cairo_set_line_width(cr, s * 0.1);
  SetColor(cr, kRed);
  cairo_move_to(cr, cx + s * 0.15, cy - s * 0.05);
  cairo_line_to(cr, cx + s * 0.42, cy + s * 0.22);
  cairo_move_to(cr, cx + s * 0.42, cy - s * 0.05);
  cairo_line_to(cr, cx + s * 0.15, cy + s * 0.22);
  cairo_stroke(cr);
}

void IconFlag(cairo_t* cr, double cx, double cy, double s) {
  using namespace palette;
  cairo_set_line_width(cr, s * 0.06);
  SetColor(cr, kNavy);
  cairo_move_to(cr, cx - s * 0.32, cy - s * 0.45);
  cairo_line_to(cr, cx - s * 0.32, cy + s * 0.48);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_move_to(cr, cx - s * 0.3, cy - s * 0.42);
  cairo_curve_to(cr, cx - s * 0.05, cy - s * 0.5, cx + s * 0.15, cy - s * 0.32, cx + s * 0.42,
                 cy - s * 0.4);
  cairo_line_to(cr, cx + s * 0.42, cy + s * 0.05);
  cairo_curve_to(cr, cx + s * 0.15, cy + s * 0.13, cx - s * 0.05, cy - s * 0.05, cx - s * 0.3,
                 cy + s * 0.03);
  cairo_close_path(cr);
  cairo_clip_preserve(cr);
  DrawChequer(cr, cx - s * 0.3, cy - s * 0.5, s * 0.72, s * 0.6, 6, 5);
  cairo_restore(cr);
  cairo_set_line_width(cr, s * 0.02);
  SetColor(cr, kNavy);
  cairo_stroke(cr);
}

void IconUpload(cairo_t* cr, double cx, double cy, double s) {
  using namespace palette;
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx - s * 0.2, cy + s * 0.05, s * 0.18, kPi / 2, 3 * kPi / 2);
  cairo_arc(cr, cx, cy - s * 0.1, s * 0.24, kPi, 2 * kPi);
  cairo_arc(cr, cx + s * 0.24, cy + s * 0.06, s * 0.17, 3 * kPi / 2, kPi / 2);
  cairo_close_path(cr);
  FillVertical(cr, cy - s * 0.35, cy + s * 0.25, kWhite, kSky);
  cairo_set_line_width(cr, s * 0.09);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, kOrange);
  cairo_move_to(cr, cx, cy + s * 0.45);
  cairo_line_to(cr, cx, cy - s * 0.02);
  cairo_stroke(cr);
  DrawArrowShape(cr, kArrowUp, cx, cy - s * 0.05, s * 0.32);
  cairo_fill(cr);
}

void IconWreck(cairo_t* cr, double cx, double cy, double s) {
  using namespace palette;
  for (int i = 0; i < 4; ++i) {
    cairo_arc(cr, cx + s * (0.12 + 0.06 * i), cy - s * (0.15 + 0.1 * i), s * (0.1 + 0.03 * i), 0,
              2 * kPi);
    SetColor(cr, kGrey, 0.55);
    cairo_fill(cr);
  }
  cairo_save(cr);
  cairo_translate(cr, cx, cy + s * 0.15);
  cairo_rotate(cr, 0.18);
  RoundedRect(cr, -s * 0.42, -s * 0.16, s * 0.84, s * 0.28, s * 0.05);
  SetColor(cr, Darker(kRed, 0.2));
  cairo_fill(cr);
  RoundedRect(cr, -s * 0.42, -s * 0.32, s * 0.34, s * 0.2, s * 0.04);
  cairo_fill(cr);
  cairo_rectangle(cr, -s * 0.38, -s * 0.28, s * 0.12, s * 0.1);
  SetColor(cr, kSky);
  cairo_fill(cr);
  for (double wx : {-0.26, 0.26}) {
    cairo_arc(cr, s * wx, s * 0.14, s * 0.1, 0, 2 * kPi);
    SetColor(cr, kNavy);
    cairo_fill(cr);
  }
  cairo_restore(cr);
  Star(cr, cx - s * 0.05, cy + s * 0.05, 7, s * 0.16, s * 0.07, 0.2);
  SetColor(cr, kAmber);
  cairo_fill(cr);
}

void IconStopwatch(cairo_t* cr, double cx, double cy, double s) {
  using namespace palette;
  RoundedRect(cr, cx - s * 0.08, cy - s * 0.5, s * 0.16, s * 0.1, s * 0.02);
  SetColor(cr, kNavy);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy + s * 0.06, s * 0.4, 0, 2 * kPi);
  SetColor(cr, kNavy);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy + s * 0.06, s * 0.33, 0, 2 * kPi);
  SetColor(cr, kWhite);
  cairo_fill(cr);
  cairo_move_to(cr, cx, cy + s * 0.06);
  cairo_arc_negative(cr, cx, cy + s * 0.06, s * 0.33, -kPi / 2, -kPi / 2 - kPi * 0.35);
  cairo_close_path(cr);
  SetColor(cr, kRed, 0.85);
  cairo_fill(cr);
  cairo_set_line_width(cr, s * 0.05);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, kNavy);
  cairo_move_to(cr, cx, cy + s * 0.06);
  cairo_line_to(cr, cx - s * 0.05, cy - s * 0.22);
  cairo_stroke(cr);
}

}  // namespace

void DrawDialogIcon(cairo_t* cr, int icon, double cx, double cy, double size) {
  cairo_save(cr);
  switch (icon) {
    case kIconTrash:
      IconTrash(cr, cx, cy, size);
      break;
    case kIconDoor:
      IconDoor(cr, cx, cy, size);
      break;
    case kIconPerson:
    case kIconNewPerson:
    case kIconPlayer:
      IconPerson(cr, cx, cy, size, icon);
      break;
    case kIconFlag:
      IconFlag(cr, cx, cy, size);
      break;
    case kIconUpload:
      IconUpload(cr, cx, cy, size);
      break;
    case kIconWreck:
      IconWreck(cr, cx, cy, size);
      break;
    default:
      IconStopwatch(cr, cx, cy, size);
      break;
  }
  cairo_restore(cr);
}

void DrawPicture(cairo_t* cr, std::string_view name, Archive archive, int pattern, double x,
                 double y, double scale) {
  const Picture* pic = FindPicture(name, archive);
  if (pic == nullptr) return;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_rectangle(cr, 0, 0, pic->tileWidth, pic->tileHeight);
  cairo_clip(cr);
  cairo_new_path(cr);
  pic->paint(cr, *pic, pattern);
  cairo_restore(cr);
}

void DrawWordMark(cairo_t* cr, double cx, double cy, double size) {
  using namespace palette;
  const std::string word = "VORNAKEL";
  cairo_save(cr);
  UseFont(cr, Face::kSans, size, true);
  cairo_matrix_t m;
  cairo_matrix_init(&m, size * 1.05, 0, -size * 0.22, size, 0, 0);  // leaning forward
  cairo_set_font_matrix(cr, &m);
  cairo_text_extents_t e;
  cairo_text_extents(cr, word.c_str(), &e);
  const double x = cx - e.width / 2 - e.x_bearing;
  const double baseline = cy - e.y_bearing - e.height / 2;

  // Speed streaks behind the letters.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 4; ++i) {
    const double yy = cy - size * 0.3 + i * size * 0.2;
    const double len = size * (1.25 - i * 0.2);
    const double end = x - size * 0.12 - (3 - i) * size * 0.06;  // stops short of the leaning V
    cairo_pattern_t* p = cairo_pattern_create_linear(end - len, 0, end, 0);
    AddStop(p, 0, kAmber, 0);
    AddStop(p, 1, kAmber, 0.9);
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, size * 0.08);
    cairo_move_to(cr, end - len, yy);
    cairo_line_to(cr, end, yy);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
  }

  cairo_move_to(cr, x + size * 0.06, baseline + size * 0.06);
  cairo_text_path(cr, word.c_str());
  SetColor(cr, kNavy, 0.6);
  cairo_fill(cr);
  cairo_move_to(cr, x, baseline);
  cairo_text_path(cr, word.c_str());
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, size * 0.12);
  SetColor(cr, kNavy);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* fill = VerticalGradient(baseline - size, baseline, Hex(0xFFE07A), kOrange);
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);
  // A thin shine line across the upper half.
  cairo_move_to(cr, x, baseline);
  cairo_text_path(cr, word.c_str());
  cairo_clip(cr);
  cairo_rectangle(cr, x - size, baseline - size * 0.78, e.width + 2 * size, size * 0.12);
  SetColor(cr, kWhite, 0.45);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace assetgen
