// Painters of the GUI pictures: buttons, arrow keys, links, edit boxes and the volume bar.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "pictures/English.h"
#include "pictures/Manifest.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Hue {
  Rgb top, bottom, text, outline;
  bool outlinedText;
};

Hue HueOf(int look) {
  using namespace palette;
  switch (look) {
    case kLookYes:
      return {Hex(0x7BC96F), Hex(0x3B8E3A), kWhite, Hex(0x1E4D1E), true};
    case kLookNo:
      return {Hex(0xF07A6A), Hex(0xB8322C), kWhite, Hex(0x5E1512), true};
    case kLookPlain:
      return {Hex(0x6F8FBF), Hex(0x34507A), kWhite, kNavy, true};
    default:
      return {Hex(0xFFD166), kOrange, kNavy, kNavy, false};
  }
}

// Body of a button in state Frame (0 normal, 1 highlighted, 2 disabled); returns the text colour.
void ButtonBody(cairo_t* cr, double w, double h, int frame, int look, double radius) {
  using namespace palette;
  Hue hue = HueOf(look);
  if (frame == 1) {
    hue.top = Lighter(hue.top, 0.35);
    hue.bottom = Lighter(hue.bottom, 0.25);
  } else if (frame == 2) {
    hue.top = Hex(0xD5D5D5);
    hue.bottom = Hex(0xA8A8A8);
  }
  const double x = 2, y = 2, bw = w - 5, bh = h - 5;
  RoundedRect(cr, x + 2, y + 2.5, bw, bh, radius);
  SetColor(cr, kBlack, frame == 2 ? 0.2 : 0.35);
  cairo_fill(cr);
  RoundedRect(cr, x, y, bw, bh, radius);
  FillVertical(cr, y, y + bh, hue.top, hue.bottom);
  // Gloss on the upper half: the light comes from above.
  cairo_save(cr);
  RoundedRect(cr, x, y, bw, bh, radius);
  cairo_clip(cr);
  RoundedRect(cr, x + 3, y + 2, bw - 6, bh * 0.45, radius * 0.8);
  cairo_pattern_t* gloss = cairo_pattern_create_linear(0, y, 0, y + bh * 0.5);
  AddStop(gloss, 0, kWhite, frame == 2 ? 0.25 : 0.45);
  AddStop(gloss, 1, kWhite, 0.05);
  cairo_set_source(cr, gloss);
  cairo_fill(cr);
  cairo_pattern_destroy(gloss);
  cairo_restore(cr);
  RoundedRect(cr, x + 0.75, y + 0.75, bw - 1.5, bh - 1.5, radius);
  SetColor(cr, frame == 2 ? Hex(0x808080) : kNavy);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  if (frame == 1) {  // a bright rim marks the button under the pointer
    RoundedRect(cr, x + 2.5, y + 2.5, bw - 5, bh - 5, radius - 2);
    SetColor(cr, kWhite, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
}

// Buttons are lettered alike: the main menu's signs, the wide dialog buttons and the smaller ones
// each share the largest caption size at which every caption of the group fits its own button.
struct CaptionGroup {
  Face face;
  std::string_view names[9];
};
constexpr CaptionGroup kCaptionGroups[] = {
    {Face::kSansCondensed, {"b_stgame", "b_opt", "b_hiscr", "b_help", "b_visit", "b_exit"}},
    {Face::kSans,
     {"b_back", "b_prev", "b_next", "b_apply", "b_cancel", "bc_race", "bro_next", "b_yes1",
      "b_no1"}},
    {Face::kSans, {"b_back2", "b_add", "b_delete", "b_select", "b_yes", "b_no"}},
    {Face::kSans, {"b_on", "b_off"}},
};

// The size at which Pic's caption fits its button with a clear margin at both ends.
double OwnCaptionSize(cairo_t* cr, Face face, const Picture& pic) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  const double margin = std::min(h * 0.4, 6 + w * 0.08);
  return FitFont(cr, face, std::min(22.0, h * 0.44), true, pic.text, w - 2 * margin);
}

// Selects the caption font of Pic: its group's shared size, or its own when it stands alone.
void UseCaptionFont(cairo_t* cr, const Picture& pic) {
  for (const CaptionGroup& group : kCaptionGroups) {
    if (std::find(std::begin(group.names), std::end(group.names), pic.name) ==
        std::end(group.names)) {
      continue;
    }
    double size = 22;
    for (std::string_view name : group.names) {
      if (const Picture* other = name.empty() ? nullptr : FindPicture(name, pic.archive)) {
        // The group shares one size in each language, set by its longest caption there.
        size = std::min(size,
                        OwnCaptionSize(cr, group.face, pic.english ? InEnglish(*other) : *other));
      }
    }
    UseFont(cr, group.face, size, true);
    return;
  }
  OwnCaptionSize(cr, Face::kSans, pic);
}

void Caption(cairo_t* cr, const Picture& pic, int frame) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  const std::string_view text = pic.text;
  const Hue hue = HueOf(pic.variant);
  UseCaptionFont(cr, pic);
  const double cx = w / 2 - 0.5, cy = h / 2 - 1;
  if (frame == 2) {
    TextCentred(cr, cx + 1, cy + 1, text, kWhite, 0.7);
    TextCentred(cr, cx, cy, text, Hex(0x6E6E6E));
  } else if (hue.outlinedText) {
    TextCentredOutlined(cr, cx, cy, text, hue.text, hue.outline, 1.6);
  } else {
    TextCentred(cr, cx, cy, text, hue.text);
  }
}

}  // namespace

void PaintButton(cairo_t* cr, const Picture& pic, int pattern) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  ButtonBody(cr, w, h, pattern, pic.variant, std::min(14.0, h * 0.32));
  Caption(cr, pic, pattern);
}

void PaintArrowButton(cairo_t* cr, const Picture& pic, int pattern) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  ButtonBody(cr, w, h, pattern, kLookMain, std::min(w, h) * 0.28);
  const double size = std::min(w, h) * 0.52;
  DrawArrowShape(cr, pic.variant, w / 2 - 0.5, h / 2 - 1, size);
  SetColor(cr, pattern == 2 ? Hex(0x777777) : kNavy);
  cairo_fill(cr);
}

void PaintLinkButton(cairo_t* cr, const Picture& pic, int pattern) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  const double r = (h - 3) / 2;
  RoundedRect(cr, 1.5, 2.5, w - 3, h - 3, r);
  SetColor(cr, kBlack, 0.25);
  cairo_fill(cr);
  RoundedRect(cr, 1, 1, w - 3, h - 3, r);
  if (pattern == 1) {
    FillVertical(cr, 1, h - 2, Hex(0xFFE08A), kAmber);
  } else if (pattern == 2) {
    SetColor(cr, Hex(0xCFCFCF));
    cairo_fill(cr);
  } else {
    FillVertical(cr, 1, h - 2, kWhite, kCreamDark);
  }
  RoundedRect(cr, 1.5, 1.5, w - 4, h - 4, r);
  SetColor(cr, pattern == 2 ? Hex(0x909090) : kNavy);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  FitFont(cr, Face::kSans, h * 0.5, true, pic.text, w - 14);
  TextCentred(cr, w / 2 - 1, h / 2 - 1, pic.text, pattern == 2 ? Hex(0x777777) : kNavy);
}

void PaintSlotMark(cairo_t* cr, const Picture& pic, int pattern) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  const double r = (h - 3) / 2;
  RoundedRect(cr, 1, 1, w - 3, h - 3, r);
  // Waiting for a key: the player's blue; a key another action holds: red.
  if (pattern == 1) {
    FillVertical(cr, 1, h - 2, Hex(0xE0544A), Hex(0xA8221C));
  } else {
    FillVertical(cr, 1, h - 2, kNavyLight, kNavy);
  }
  RoundedRect(cr, 1.5, 1.5, w - 4, h - 4, r);
  SetColor(cr, pattern == 1 ? Hex(0xFFD0C0) : kAmber);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

void PaintLogoButton(cairo_t* cr, const Picture& pic, int pattern) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  RoundedRect(cr, 4, 5, w - 6, h - 7, 14);
  SetColor(cr, kBlack, 0.35);
  cairo_fill(cr);
  RoundedRect(cr, 2, 2, w - 6, h - 7, 14);
  FillVertical(cr, 2, h - 5, pattern == 1 ? kNavyLight : Hex(0x26385A),
               pattern == 2 ? Hex(0x555555) : kNavy);
  RoundedRect(cr, 3, 3, w - 8, h - 9, 13);
  SetColor(cr, pattern == 1 ? kAmber : kNavyLight);
  cairo_set_line_width(cr, pattern == 1 ? 2.5 : 1.5);
  cairo_stroke(cr);
  DrawWordMark(cr, w / 2, h * 0.38, h * 0.34);
  UseFont(cr, Face::kSans, h * 0.2, true);
  TextCentred(cr, w / 2, h * 0.77, pic.text, pattern == 1 ? kAmber : kCream);
  if (pattern == 2) {
    RoundedRect(cr, 2, 2, w - 6, h - 7, 14);
    SetColor(cr, Hex(0x808080), 0.6);
    cairo_fill(cr);
  }
}

void PaintEditBox(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  const bool dark = pic.variant == 1;
  RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, 8);
  FillVertical(cr, 0, h, dark ? kNavyLight : kNavy, dark ? Hex(0x6F8FBF) : kNavyLight);
  if (dark) {
    DrawDarkInset(cr, 3, 3, w - 6, h - 6, 6);
  } else {
    RoundedRect(cr, 3, 3, w - 6, h - 6, 6);
    FillVertical(cr, 3, h - 3, Hex(0xE9EEF5), kWhite);
    cairo_save(cr);
    RoundedRect(cr, 3, 3, w - 6, h - 6, 6);
    cairo_clip(cr);
    cairo_rectangle(cr, 3, 3, w - 6, 4);
    SetColor(cr, kNavy, 0.15);
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

void PaintVolumeBar(cairo_t* cr, const Picture& pic, int pattern) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  if (pattern == 0) {  // the knob: only the left h x h square is ever drawn
    const double r = h / 2 - 2;
    cairo_arc(cr, h / 2 + 1, h / 2 + 1.5, r, 0, 2 * kPi);
    SetColor(cr, kBlack, 0.35);
    cairo_fill(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(h * 0.38, h * 0.35, 1, h / 2, h / 2, r);
    AddStop(p, 0, Hex(0xFFF1C4));
    AddStop(p, 0.5, kAmber);
    AddStop(p, 1, kOrange);
    cairo_set_source(cr, p);
    cairo_arc(cr, h / 2, h / 2, r, 0, 2 * kPi);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetColor(cr, kNavy);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.5);
    for (int i = -1; i <= 1; ++i) {
      cairo_move_to(cr, h / 2 + i * 4, h / 2 - 5);
      cairo_line_to(cr, h / 2 + i * 4, h / 2 + 5);
    }
    SetColor(cr, kNavy, 0.7);
    cairo_stroke(cr);
    return;
  }
  // The track: six steps of rising volume.
  RoundedRect(cr, 1, 3, w - 2, h - 6, (h - 6) / 2);
  FillVertical(cr, 3, h - 3, Darker(kNavy, 0.3), kNavyLight);
  const double step = w / 6;
  for (int i = 0; i < 6; ++i) {
    const double bh = 5 + i * 2.4;
    RoundedRect(cr, i * step + step / 2 - 4, h / 2 - bh / 2, 8, bh, 2);
    SetColor(cr, Mix(kGreen, kAmber, i / 5.0), 0.85);
    cairo_fill(cr);
  }
  RoundedRect(cr, 1.5, 3.5, w - 3, h - 7, (h - 7) / 2);
  SetColor(cr, kNavy);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

}  // namespace assetgen
