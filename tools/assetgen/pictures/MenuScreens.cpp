// Painters of the full menu pictures: main menu, backdrop, logo, track and truck choice, maps.
#include <algorithm>
#include <cmath>

#include "game/ThemeCatalogue.h"
#include "game/TrackCatalogue.h"
#include "pictures/English.h"
#include "pictures/Manifest.h"
#include "pictures/Style.h"
#include "pictures/Themes.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHorizon = 318;
constexpr double kVanishX = 420;
// On the track screen the next arrow ("bc_next", 60 x 60) comes to rest at (380, 131), over the
// top of the track picture at (312, 156). The picture leaves its top rows clear for it: the map
// starts six pixels below the arrow.
constexpr double kTrackPictureY = 156;
constexpr double kTrackMapTop = 131 + 60 + 6 - kTrackPictureY;

void Sky(cairo_t* cr, double w) {
  cairo_rectangle(cr, 0, 0, w, kHorizon + 2);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, kHorizon);
  AddStop(p, 0, Hex(0x0F1830));
  AddStop(p, 0.45, Hex(0x33366B));
  AddStop(p, 0.8, Hex(0xC2566B));
  AddStop(p, 1, Hex(0xF6A347));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Stars in the darker top.
  Rng rng(SeedOf("stars"));
  for (int i = 0; i < 90; ++i) {
    const double x = rng.Range(0, w), y = rng.Range(0, kHorizon * 0.5);
    cairo_arc(cr, x, y, rng.Range(0.5, 1.4), 0, 2 * kPi);
    SetColor(cr, palette::kWhite, (1 - y / (kHorizon * 0.5)) * rng.Range(0.4, 0.9));
    cairo_fill(cr);
  }
  // The setting sun.
  Glow(cr, kVanishX, kHorizon - 10, 260, Hex(0xFFB347), 0.55);
  cairo_arc(cr, kVanishX, kHorizon - 4, 62, kPi, 2 * kPi);
  FillVertical(cr, kHorizon - 66, kHorizon, Hex(0xFFE9A8), Hex(0xFF8C42));
}

void Mountains(cairo_t* cr, double w, uint64_t seed, double baseY, double height, Rgb c) {
  Rng rng(seed);
  cairo_move_to(cr, 0, kHorizon + 2);
  double x = 0;
  cairo_line_to(cr, 0, baseY - rng.Range(0.2, 0.6) * height);
  while (x < w) {
    x += rng.Range(40, 90);
    cairo_line_to(cr, x, baseY - rng.Range(0.25, 1.0) * height);
  }
  cairo_line_to(cr, w, kHorizon + 2);
  cairo_close_path(cr);
  SetColor(cr, c);
  cairo_fill(cr);
}

// The land below the horizon with a road running from the viewer to the sun.
void Land(cairo_t* cr, double w, double h) {
  cairo_rectangle(cr, 0, kHorizon, w, h - kHorizon);
  FillVertical(cr, kHorizon, h, Hex(0x6E4A3A), Hex(0x2E2A30));
  auto roadEdge = [&](double side, double widthAtBottom, double& x) {
    x = kVanishX + side * widthAtBottom;
  };
  double left = 0, right = 0;
  roadEdge(-1, 330, left);
  roadEdge(1, 330, right);
  cairo_move_to(cr, kVanishX - 6, kHorizon);
  cairo_line_to(cr, kVanishX + 6, kHorizon);
  cairo_line_to(cr, right, h);
  cairo_line_to(cr, left, h);
  cairo_close_path(cr);
  FillVertical(cr, kHorizon, h, Hex(0x8A6A66), Hex(0x3C3F48));
  // Kerbs along both edges, widening toward the viewer.
  for (int side = -1; side <= 1; side += 2) {
    const int stripes = 14;
    for (int i = 0; i < stripes; ++i) {
      const double t0 = std::pow(static_cast<double>(i) / stripes, 2.2);
      const double t1 = std::pow(static_cast<double>(i + 1) / stripes, 2.2);
      const double y0 = kHorizon + t0 * (h - kHorizon), y1 = kHorizon + t1 * (h - kHorizon);
      const double x0 = kVanishX + side * (6 + t0 * 324), x1 = kVanishX + side * (6 + t1 * 324);
      const double k0 = 1 + t0 * 26, k1 = 1 + t1 * 26;
      cairo_move_to(cr, x0, y0);
      cairo_line_to(cr, x1, y1);
      cairo_line_to(cr, x1 + side * k1, y1);
      cairo_line_to(cr, x0 + side * k0, y0);
      cairo_close_path(cr);
      SetColor(cr, i % 2 ? palette::kWhite : palette::kRed, 0.85);
      cairo_fill(cr);
    }
    // Centre dashes.
    if (side == 1) {
      for (int i = 1; i < 14; i += 2) {
        const double t0 = std::pow(i / 14.0, 2.2), t1 = std::pow((i + 0.6) / 14.0, 2.2);
        const double y0 = kHorizon + t0 * (h - kHorizon), y1 = kHorizon + t1 * (h - kHorizon);
        cairo_move_to(cr, kVanishX - 0.5 - t0 * 5, y0);
        cairo_line_to(cr, kVanishX + 0.5 + t0 * 5, y0);
        cairo_line_to(cr, kVanishX + 0.5 + t1 * 5, y1);
        cairo_line_to(cr, kVanishX - 0.5 - t1 * 5, y1);
        cairo_close_path(cr);
        SetColor(cr, Hex(0xF2E9C9), 0.8);
        cairo_fill(cr);
      }
    }
  }
}

// A big truck facing the viewer. The menu's two glints (48 x 48 at (376, 353) and (403, 370))
// sparkle on its chrome grille.
void FrontTruck(cairo_t* cr, const Picture& pic) {
  using namespace palette;
  const Rgb body = Hex(0xC9352F);
  Ellipse(cr, 420, 474, 190, 22);  // shadow on the road
  SetColor(cr, kBlack, 0.45);
  cairo_fill(cr);
  for (double x : {300.0, 492.0}) {  // tyres
    RoundedRect(cr, x, 404, 48, 72, 10);
    FillVertical(cr, 404, 476, Hex(0x2A2D33), Hex(0x111317));
  }
  for (double x : {270.0, 546.0}) {  // mirrors on their arms
    cairo_move_to(cr, x < 400 ? 302 : 538, 236);
    cairo_line_to(cr, x + 12, 232);
    cairo_set_line_width(cr, 4);
    SetColor(cr, Hex(0x30343C));
    cairo_stroke(cr);
    RoundedRect(cr, x, 200, 24, 56, 5);
    FillVertical(cr, 200, 256, Hex(0x3A3F48), Hex(0x1B1E24));
  }
  // Cab.
  RoundedRect(cr, 296, 158, 248, 262, 26);
  cairo_pattern_t* p = cairo_pattern_create_linear(296, 0, 544, 0);
  AddStop(p, 0, Darker(body, 0.35));
  AddStop(p, 0.25, body);
  AddStop(p, 0.45, Lighter(body, 0.25));
  AddStop(p, 1, Darker(body, 0.45));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Amber stripe, windscreen, roof lamps.
  cairo_rectangle(cr, 296, 290, 248, 12);
  SetColor(cr, kAmber);
  cairo_fill(cr);
  RoundedRect(cr, 312, 184, 216, 96, 14);
  cairo_pattern_t* glass = cairo_pattern_create_linear(312, 184, 470, 300);
  AddStop(glass, 0, Hex(0x9CC4E8));
  AddStop(glass, 0.35, Hex(0x3E5F8C));
  AddStop(glass, 0.5, Hex(0xF6C38A));
  AddStop(glass, 0.56, Hex(0x3E5F8C));
  AddStop(glass, 1, Hex(0x1B2740));
  cairo_set_source(cr, glass);
  cairo_fill(cr);
  cairo_pattern_destroy(glass);
  RoundedRect(cr, 340, 146, 160, 16, 6);
  SetColor(cr, Hex(0x1B1E24));
  cairo_fill(cr);
  for (int i = 0; i < 5; ++i) {
    Glow(cr, 356 + i * 32, 154, 14, kAmber, 0.7);
    cairo_arc(cr, 356 + i * 32, 154, 4.5, 0, 2 * kPi);
    SetColor(cr, Hex(0xFFE9A8));
    cairo_fill(cr);
  }
  // Chrome grille.
  RoundedRect(cr, 352, 312, 136, 92, 10);
  FillVertical(cr, 312, 404, Hex(0xF1F4F8), Hex(0x7C8591));
  for (double y = 322; y < 398; y += 10) {
    RoundedRect(cr, 362, y, 116, 5, 2);
    SetColor(cr, Hex(0x2A2E36));
    cairo_fill(cr);
  }
  // Headlights.
  for (double x : {322.0, 518.0}) {
    Glow(cr, x, 360, 46, Hex(0xFFF1C2), 0.65);
    cairo_arc(cr, x, 360, 16, 0, 2 * kPi);
    FillVertical(cr, 344, 376, kWhite, Hex(0xFFE08A));
  }
  // Bumper.
  RoundedRect(cr, 286, 404, 268, 28, 10);
  FillVertical(cr, 404, 432, Hex(0xE8ECF1), Hex(0x6B7280));
  RoundedRect(cr, 392, 412, 56, 14, 3);  // number plate
  SetColor(cr, kCream);
  cairo_fill(cr);
  UseFont(cr, Face::kSansCondensed, 11, true);
  // The English set writes the same plate in Latin letters of the same shapes.
  TextCentred(cr, 420, 419, Say(pic, "В 777 Р", "B 777 P"), kNavy);
}

// A sign post behind a column of buttons, so the buttons read as road signs.
void SignPost(cairo_t* cr, double x, double top, double bottom) {
  cairo_rectangle(cr, x - 5 + 3, top, 10, bottom - top);
  SetColor(cr, palette::kBlack, 0.3);
  cairo_fill(cr);
  cairo_rectangle(cr, x - 5, top, 10, bottom - top);
  cairo_pattern_t* p = cairo_pattern_create_linear(x - 5, 0, x + 5, 0);
  AddStop(p, 0, Hex(0x9AA1AB));
  AddStop(p, 0.4, Hex(0xE3E7EC));
  AddStop(p, 1, Hex(0x5B616B));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

}  // namespace

void PaintMainBack(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  Sky(cr, w);
  Mountains(cr, w, SeedOf("far hills"), kHorizon - 20, 70, Hex(0x4A3F6B));
  Mountains(cr, w, SeedOf("near hills"), kHorizon + 2, 38, Hex(0x2C2746));
  Land(cr, w, h);
  FrontTruck(cr, pic);
  // Posts carrying the button signs: left (27..256, 87..467), right (606..800, 124..423).
  SignPost(cr, 142, 100, h);
  SignPost(cr, 706, 140, h);
  DrawWordMark(cr, 420, 62, 62);
  UseFont(cr, Face::kSans, 19, true);
  TextCentredOutlined(cr, 420, 114, Say(pic, "Гонки на грузовиках", "Truck Racing"), kCream, kNavy,
                      2);
  // The greeting plate: the game writes "Привет, ...!" in black Gungsuh 11 centred on x 675 from
  // y 517 down, its capitals on 521..531 and its commas to 534. The plate is centred on that and
  // stays clear of the "change player" link below it at y 540.
  constexpr double kPlateX = 675 - 110, kPlateY = 512, kPlateW = 220, kPlateH = 26;
  RoundedRect(cr, kPlateX + 2, kPlateY + 2, kPlateW, kPlateH, 8);
  SetColor(cr, kBlack, 0.35);
  cairo_fill(cr);
  RoundedRect(cr, kPlateX, kPlateY, kPlateW, kPlateH, 8);
  FillVertical(cr, kPlateY, kPlateY + kPlateH, kCream, kCreamDark);
  RoundedRect(cr, kPlateX + 0.5, kPlateY + 0.5, kPlateW - 1, kPlateH - 1, 8);
  SetColor(cr, kNavy);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

void PaintMenuBackground(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  cairo_rectangle(cr, 0, 0, w, h);
  FillVertical(cr, 0, h, Hex(0x22345A), Hex(0x0E1526));
  // Broad diagonal speed stripes.
  cairo_save(cr);
  for (int i = -4; i < 14; ++i) {
    const double x = i * 90;
    cairo_move_to(cr, x, h);
    cairo_line_to(cr, x + 40, h);
    cairo_line_to(cr, x + 40 + h * 0.6, 0);
    cairo_line_to(cr, x + h * 0.6, 0);
    cairo_close_path(cr);
    SetColor(cr, kWhite, i % 3 == 0 ? 0.05 : 0.025);
    cairo_fill(cr);
  }
  cairo_restore(cr);
  // A faint road grid sinking into the distance at the bottom.
  cairo_set_line_width(cr, 1.5);
  for (int i = -10; i <= 10; ++i) {
    cairo_move_to(cr, w / 2 + i * 12, h * 0.72);
    cairo_line_to(cr, w / 2 + i * 90, h);
  }
  for (int i = 0; i < 6; ++i) {
    const double y = h * 0.72 + std::pow(i / 6.0, 1.8) * h * 0.28;
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, w, y);
  }
  SetColor(cr, kAmber, 0.08);
  cairo_stroke(cr);
  // Vignette.
  cairo_pattern_t* v = cairo_pattern_create_radial(w / 2, h / 2, h * 0.3, w / 2, h / 2, w * 0.7);
  AddStop(v, 0, kBlack, 0);
  AddStop(v, 1, kBlack, 0.55);
  cairo_set_source(cr, v);
  cairo_paint(cr);
  cairo_pattern_destroy(v);
  DrawChequer(cr, 0, 0, w, 12, 66, 2);
  DrawChequer(cr, 0, h - 12, w, 12, 66, 2);
}

void PaintLogo(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  Glow(cr, w / 2, h * 0.42, w * 0.42, Hex(0xF6A347), 0.35);
  DrawWordMark(cr, w / 2 + 36, h * 0.4, 72);
  DrawChequer(cr, w * 0.16, h * 0.68, w * 0.68, 14, 40, 2);
  UseFont(cr, Face::kSans, 24, true);
  TextCentredOutlined(cr, w / 2, h * 0.84, Say(pic, "Гонки на грузовиках", "Truck Racing"), kCream,
                      kNavy, 2.2);
}

void PaintTrackChoice(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  // Dims the main menu behind it, the more toward the bottom, where the menu's empty greeting
  // plate would otherwise show beside the race button.
  cairo_rectangle(cr, 0, 0, w, h);
  SetColor(cr, Hex(0x0B1020), 0.78);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 440, w, h - 440);
  cairo_pattern_t* foot = cairo_pattern_create_linear(0, 440, 0, 505);
  AddStop(foot, 0, Hex(0x0B1020), 0);
  AddStop(foot, 1, Hex(0x0B1020), 0.85);
  cairo_set_source(cr, foot);
  cairo_fill(cr);
  cairo_pattern_destroy(foot);
  // Title strip: the game writes the track's name centred on x 419 at y 68 in dark teal.
  RoundedRect(cr, 249, 56, 340, 40, 12);
  SetColor(cr, kAmber);
  cairo_fill(cr);
  RoundedRect(cr, 253, 60, 332, 32, 10);
  FillVertical(cr, 60, 92, kCream, kCreamDark);
  UseFont(cr, Face::kSans, 14, true);
  TextCentred(cr, 419, 38, pic.text, kAmber);
  // Frame of the track picture at (312, 156), 214 x 190. The next arrow rests on the frame's broad
  // top; the map's well starts below it.
  RoundedRect(cr, 304, 148, 230, 206, 12);
  SetColor(cr, kBlack, 0.4);
  cairo_fill(cr);
  RoundedRect(cr, 302, 146, 230, 206, 12);
  FillVertical(cr, 146, 352, kAmber, kOrange);
  const double wellTop = kTrackPictureY + kTrackMapTop - 2;
  cairo_rectangle(cr, 310, wellTop, 218, 348 - wellTop);
  SetColor(cr, kNavy);
  cairo_fill(cr);
  // Information panel: labels at x 335, values centred on x 480, rows from y 385, 425, 463 and 501
  // in white Arial 13, whose capitals fall 4..16 pixels below the row's y. Rules run midway between
  // the rows; the panel ends short of the race button at (642, 524).
  static constexpr double kRowMiddles[] = {385 + 9.5, 425 + 9.5, 463 + 9.5, 501 + 9.5};
  const double panelTop = 372, panelBottom = kRowMiddles[3] + (kRowMiddles[0] - panelTop);
  DrawDarkInset(cr, 318, panelTop, 316, panelBottom - panelTop, 12);
  for (int i = 1; i < 4; ++i) {
    const double y = std::round((kRowMiddles[i - 1] + kRowMiddles[i]) / 2) + 0.5;
    cairo_move_to(cr, 330, y);
    cairo_line_to(cr, 622, y);
  }
  SetColor(cr, kNavyLight, 0.8);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void PaintTruckChoice(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  DrawCard(cr, pic.tileWidth, pic.tileHeight, pic.text);
  // Positions below are the screen places minus the card's corner (60, 90).
  UseFont(cr, Face::kSans, 14, true);
  TextCentred(cr, 340, 100,
              Say(pic, "← → — грузовик, ↑ ↓ — сложность, Enter — в гонку",
                  "← → truck, ↑ ↓ difficulty, Enter to race"),
              kNavyLight);
  // Frame of the truck picture at (320, 228), 200 x 104: three pixels round it, so it stays clear
  // of the arrow keys beside it (their faces end at 314 and start at 523) and of the first value
  // bar at y 341.
  RoundedRect(cr, 257, 135, 206, 110, 12);
  FillVertical(cr, 135, 245, kAmber, kOrange);
  // Value bars at x 397 (screen), rows at y 341, 361, 380, 400, 14 tall, scaled up to 240.
  static constexpr const char* kLabels[][2] = {
      {"Скорость", "Speed"}, {"Разгон", "Pickup"}, {"Поворот", "Turning"}, {"Сцепление", "Grip"}};
  static constexpr double kRows[] = {341, 361, 380, 400};
  for (int i = 0; i < 4; ++i) {
    const double y = kRows[i] - 90;
    UseFont(cr, Face::kSans, 14, true);
    TextRight(cr, 328, y + 7, kLabels[i][pic.english ? 1 : 0], kNavy);
    RoundedRect(cr, 335, y - 2, 244, 18, 5);
    SetColor(cr, Hex(0x2A3550));
    cairo_fill(cr);
  }
  // The difficulty switch (120 x 40 at (590, 250) on screen) under its label.
  UseFont(cr, Face::kSans, 14, true);
  TextCentred(cr, 590, 145, Say(pic, "Сложность", "Difficulty"), kNavy);
}

namespace {

// The catalogue index of the track whose selection picture is Name (0 when none is).
int TrackOfPicture(std::string_view name) {
  for (int i = 0; i < game::kSceneryThemeCount; ++i) {
    if (name == game::kTrackCatalogue[i].Picture) return i;
  }
  return 0;
}

}  // namespace

void PaintTrackMap(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  // The map shows the scenery of the track that shows this picture.
  const Theme& theme = kThemes[game::ThemeOfTrack(TrackOfPicture(pic.name))];
  const Terrain& land = theme.ground[0];
  // The map fills the picture below the next arrow's place (see kTrackMapTop).
  const double top = kTrackMapTop, mh = h - top;
  cairo_rectangle(cr, 0, top, w, mh);
  FillVertical(cr, top, h, Lit(theme, land.high), Lit(theme, land.low));
  cairo_save(cr);
  cairo_rectangle(cr, 0, top, w, mh);
  cairo_clip(cr);
  Rng rng(SeedOf(pic.name));
  Rng patches(SeedOf(pic.name, 1));
  for (int i = 0; i < 5; ++i) {  // fields of the second terrain
    Ellipse(cr, patches.Range(0, w), patches.Range(top, h), patches.Range(18, 40),
            patches.Range(10, 24));
    SetColor(cr, Lit(theme, theme.ground[1].low), 0.8);
    cairo_fill(cr);
  }
  for (int i = 0; i < 32; ++i) {  // the roadside things as dots
    const double x = rng.Range(0, w), y = rng.Range(top, h), r = rng.Range(2, 5);
    const PropLook& look = theme.props[i % 3][(i / 3) % 6];
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    SetColor(cr, Lit(theme, look.colour), 0.85);
    cairo_fill(cr);
  }
  // A closed circuit whose shape depends on the track.
  double amp[4], phase[4];
  for (int k = 0; k < 4; ++k) {
    amp[k] = rng.Range(0.04, 0.16);
    phase[k] = rng.Range(0, 2 * kPi);
  }
  const int points = 72;
  auto radius = [&](double a) {
    double r = 1;
    for (int k = 0; k < 4; ++k) r += amp[k] * std::sin((k + 2) * a + phase[k]);
    return r;
  };
  double largest = 0;
  for (int i = 0; i < points; ++i) largest = std::max(largest, radius(i * 2 * kPi / points));
  // The loop and its kerbs (8 pixels either side of the line) stay inside the map.
  const double rx = (w / 2 - 12) / largest, ry = (mh / 2 - 12) / largest;
  const double cy = top + mh / 2;
  auto trackPath = [&]() {
    for (int i = 0; i <= points; ++i) {
      const double a = i * 2 * kPi / points;
      const double r = radius(a);
      const double x = w / 2 + std::cos(a) * r * rx, y = cy + std::sin(a) * r * ry;
      if (i == 0) {
        cairo_move_to(cr, x, y);
      } else {
        cairo_line_to(cr, x, y);
      }
    }
    cairo_close_path(cr);
  };
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  trackPath();
  SetColor(cr, kBlack, 0.3);
  cairo_set_line_width(cr, 16);
  cairo_stroke(cr);
  trackPath();
  SetColor(cr, Lit(theme, theme.kerbB));
  cairo_set_line_width(cr, 13);
  cairo_stroke(cr);
  trackPath();
  const double dash[] = {5, 5};
  cairo_set_dash(cr, dash, 2, 0);
  SetColor(cr, Lit(theme, theme.kerbA));
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  trackPath();
  SetColor(cr, Lit(theme, Mix(theme.asphaltLow, theme.asphaltHigh, 0.5)));
  cairo_set_line_width(cr, 9);
  cairo_stroke(cr);
  if (theme.lamps) {  // lamps along the loop
    for (int i = 0; i < points; i += 6) {
      const double a = i * 2 * kPi / points, r = radius(a);
      Glow(cr, w / 2 + std::cos(a) * r * rx * 1.12, cy + std::sin(a) * r * ry * 1.12, 9,
           Hex(0xFFD98A), 0.9);
    }
  }
  if (theme.wet) {  // rain across the map
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 60; ++i) {
      const double x = patches.Range(-20, w), y = patches.Range(top, h);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + 5, y + 12);
    }
    SetColor(cr, Hex(0xC8D8EC), 0.5);
    cairo_stroke(cr);
  }
  // Start and finish at the rightmost point of the loop.
  DrawChequer(cr, w / 2 + radius(0) * rx - 7, cy - 3, 14, 6, 4, 2);
  cairo_restore(cr);
}

void PaintTrackLocked(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double w = pic.tileWidth, h = pic.tileHeight;
  // Like the maps, it leaves the next arrow's place clear.
  const double top = kTrackMapTop, mh = h - top;
  cairo_rectangle(cr, 0, top, w, mh);
  FillVertical(cr, top, h, Hex(0x5A6270), Hex(0x2E333C));
  cairo_set_line_width(cr, 12);
  Ellipse(cr, w / 2, top + mh * 0.4, w * 0.34, mh * 0.3);
  SetColor(cr, kWhite, 0.12);
  cairo_stroke(cr);
  // Padlock.
  const double cx = w / 2, cy = top + mh * 0.4;
  cairo_arc(cr, cx, cy - 14, 17, kPi, 2 * kPi);
  cairo_set_line_width(cr, 7);
  SetColor(cr, Hex(0xC9CED6));
  cairo_stroke(cr);
  RoundedRect(cr, cx - 26, cy - 14, 52, 42, 7);
  FillVertical(cr, cy - 14, cy + 28, kAmber, kOrange);
  cairo_arc(cr, cx, cy + 3, 5, 0, 2 * kPi);
  cairo_rectangle(cr, cx - 2, cy + 3, 4, 12);
  SetColor(cr, kNavy);
  cairo_fill(cr);
  UseFont(cr, Face::kSans, 17, true);
  TextCentred(cr, w / 2, h - 18, pic.text, kCream);
}

}  // namespace assetgen
