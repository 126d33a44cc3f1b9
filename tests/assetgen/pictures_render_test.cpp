// Checks drawn pictures where the game relies on their content: road bands, veils, frames, noses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/Canvas.h"
#include "pictures/English.h"
#include "pictures/Pictures.h"

namespace assetgen {
namespace {

uint32_t At(const platform::Pixels& p, int x, int y) {
  return p.argb[static_cast<size_t>(y) * p.width + x];
}
int Alpha(uint32_t c) {
  return static_cast<int>(c >> 24);
}

platform::Pixels Render(std::string_view name, Archive archive) {
  const Picture* pic = FindPicture(name, archive);
  EXPECT_NE(pic, nullptr) << name;
  return pic ? RenderPicture(*pic) : platform::Pixels{};
}

// True when Utf8 holds a Cyrillic letter (U+0400..U+04FF: lead bytes 0xD0..0xD3).
bool HasCyrillic(std::string_view utf8) {
  return std::any_of(utf8.begin(), utf8.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0xD0 && b <= 0xD3;
  });
}

// Every caption has its English form, and every picture of the English set says nothing in
// Russian and cuts no word off at its tile's edge.
TEST(PicturesRender, EnglishPicturesSpeakEnglishInsideTheirTiles) {
  for (const EnglishCaption& c : kEnglishCaptions) {
    EXPECT_TRUE(FindPicture(c.name, kMenu) || FindPicture(c.name, kRace)) << c.name;
  }
  for (const Picture& pic : kPictures) {
    if (!HasWords(pic)) continue;
    Picture english = InEnglish(pic);
    if (pic.archive == Archive::kTheme) english.theme = std::max(pic.onlyTheme, 0);
    if (!pic.text.empty()) {
      EXPECT_FALSE(english.text.empty()) << pic.name << ": no caption";
    }
    std::vector<DrawnText> said;
    RecordDrawnText(&said);
    RenderPicture(english);
    RecordDrawnText(nullptr);
    EXPECT_FALSE(said.empty()) << pic.name;
    for (const DrawnText& t : said) {
      EXPECT_FALSE(HasCyrillic(t.utf8)) << pic.name << " says \"" << t.utf8 << "\"";
      EXPECT_TRUE(t.inside) << pic.name << ": \"" << t.utf8 << "\" is cut off";
    }
  }
}

TEST(PicturesRender, PicturesHaveTheManifestSize) {
  for (std::string_view n : {"font", "mousecursor", "b_stgame", "opt_bar"}) {
    const platform::Pixels p = Render(n, kMenu);
    const Picture* s = FindPicture(n, kMenu);
    EXPECT_EQ(p.width, s->Width()) << n;
    EXPECT_EQ(p.height, s->Height()) << n;
    EXPECT_EQ(p.argb.size(), static_cast<size_t>(p.width) * p.height) << n;
  }
}

// The road's drivable band (centre line from EntryX at the bottom to ExitX at the top, half-width
// HalfWidth across) must be where the asphalt is drawn, so that the pieces join.
TEST(PicturesRender, RoadPiecesMatchTheirDrivableBand) {
  struct Piece {
    std::string_view name;
    int entryX, exitX, halfWidth;
  };
  const Piece pieces[] = {{"r_str", 142, 142, 150},      {"r_left", 502, 203, 184},
                          {"r_right", 203, 502, 184},    {"r_str_right", 138, 278, 170},
                          {"r_str_left", 344, 206, 170}, {"r_right_str", 206, 344, 170},
                          {"r_left_str", 278, 138, 170}};
  for (const Piece& piece : pieces) {
    const platform::Pixels p = Render(piece.name, kTheme);
    ASSERT_EQ(p.height, 300);
    for (auto [y, centre] : {std::pair{1, piece.exitX}, {298, piece.entryX}}) {
      EXPECT_EQ(Alpha(At(p, centre, y)), 255) << piece.name << " centre at y " << y;
      // Asphalt reaches most of the band on both sides ...
      EXPECT_EQ(Alpha(At(p, centre - piece.halfWidth * 2 / 3, y)), 255) << piece.name;
      EXPECT_EQ(Alpha(At(p, centre + piece.halfWidth * 2 / 3, y)), 255) << piece.name;
      // ... and nothing is drawn well outside it.
      for (int x : {centre - piece.halfWidth - 40, centre + piece.halfWidth + 40}) {
        if (x >= 0 && x < p.width) {
          EXPECT_EQ(Alpha(At(p, x, y)), 0) << piece.name << " x " << x;
        }
      }
    }
  }
}

TEST(PicturesRender, OpaqueBackdropsAndTranslucentRaceVeil) {
  for (auto [n, a] : {std::pair{"mainback", kMenu},
                      {"undermenu", kMenu},
                      {"back1", kTheme},
                      {"back2", kTheme},
                      {"back3", kTheme},
                      {"back4", kTheme}}) {
    const platform::Pixels p = Render(n, a);
    // Ground tiles are drawn 10 % taller over the next tile down; only those rows may fade.
    const int solidRows = std::string_view(n).rfind("back", 0) == 0 ? p.height * 9 / 10 : p.height;
    int holes = 0;
    for (int i = 0; i < p.width * solidRows; ++i) holes += Alpha(p.argb[i]) != 255;
    EXPECT_EQ(holes, 0) << n;
  }
  // In a race the frozen scene must show through the veil behind the overlays.
  const platform::Pixels veil = Render("undermenu", kRace);
  for (uint32_t c : veil.argb) {
    ASSERT_GT(Alpha(c), 60);
    ASSERT_LT(Alpha(c), 230);
  }
}

TEST(PicturesRender, ButtonFramesDiffer) {
  for (std::string_view n : {"b_stgame", "b_yes", "b_up", "b_presshere", "b_logo"}) {
    const Picture* s = FindPicture(n, kMenu);
    const platform::Pixels p = Render(n, kMenu);
    int diff01 = 0, diff02 = 0;
    for (int y = 0; y < s->tileHeight; ++y) {
      for (int x = 0; x < s->tileWidth; ++x) {
        diff01 += At(p, x, y) != At(p, x, y + s->tileHeight);
        diff02 += At(p, x, y) != At(p, x, y + 2 * s->tileHeight);
      }
    }
    EXPECT_GT(diff01, s->tileWidth) << n << ": highlighted looks like normal";
    EXPECT_GT(diff02, s->tileWidth) << n << ": disabled looks like normal";
  }
}

// A button's gloss is brightest at its top edge and fades toward the middle, on every button alike.
TEST(PicturesRender, ButtonGlossFadesDownward) {
  for (std::string_view n : {"b_back", "b_next", "b_yes", "b_stgame"}) {
    const platform::Pixels p = Render(n, kMenu);
    const int h = FindPicture(n, kMenu)->tileHeight;
    const uint32_t top = At(p, 10, 5), low = At(p, 10, h * 2 / 5);
    EXPECT_GT((top >> 8) & 0xFF, (low >> 8) & 0xFF) << n;
  }
}

// The main menu's signs are lettered alike: the capitals their captions begin with are equally
// tall.
TEST(PicturesRender, MainMenuSignsShareOneLetterSize) {
  std::vector<int> heights;
  for (std::string_view n : {"b_stgame", "b_opt", "b_hiscr", "b_help", "b_visit", "b_exit"}) {
    const platform::Pixels p = Render(n, kMenu);
    const Picture* s = FindPicture(n, kMenu);
    auto ink = [&](int x, int y) { return ((At(p, x, y) >> 8) & 0xFF) < 80; };  // navy on amber
    int left = s->tileWidth, top = s->tileHeight, bottom = 0;
    for (int x = 8; x < s->tileWidth - 8 && left == s->tileWidth; ++x) {
      for (int y = 6; y < s->tileHeight - 7; ++y) left = ink(x, y) ? x : left;
    }
    for (int x = left; x < left + 6; ++x) {
      for (int y = 6; y < s->tileHeight - 7; ++y) {
        if (ink(x, y)) top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    heights.push_back(bottom - top);
  }
  for (int h : heights) EXPECT_NEAR(h, heights.front(), 1);
}

// Trucks are drawn nose toward the bottom of the picture: headlights at the bottom, none at the
// top.
TEST(PicturesRender, TrucksFaceDown) {
  for (std::string_view n : {"car1", "car2", "car3", "car4", "car5"}) {
    const Picture* s = FindPicture(n, kRace);
    const platform::Pixels p = Render(n, kRace);
    for (int pattern = 0; pattern < 3; ++pattern) {
      auto headlights = [&](int y0, int y1) {
        int count = 0;
        for (int y = y0; y < y1; ++y) {
          for (int x = pattern * s->tileWidth; x < (pattern + 1) * s->tileWidth; ++x) {
            const uint32_t c = At(p, x, y);
            const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
            count += Alpha(c) == 255 && r >= 253 && g >= 242 && b >= 195 && b <= 212;  // #FFF6CC
          }
        }
        return count;
      };
      const int band = s->tileHeight / 8;
      EXPECT_GT(headlights(s->tileHeight - band, s->tileHeight), 4) << n << " pattern " << pattern;
      EXPECT_EQ(headlights(0, band), 0) << n << " pattern " << pattern;
    }
  }
}

// The game writes high-score row n (1..10) from y 213 + 17 n on screen, its letters reaching 4 to
// 17 pixels below that; the card lies at (60, 90). Odd rows are striped under all of their letters,
// even rows not, and the three cups sit in rows 1 to 3.
TEST(PicturesRender, HiScoreStripesAndCupsFollowTheTableRows) {
  const platform::Pixels card = Render("scr_hiscr", kMenu);
  auto rowY = [](int n) { return 213 + 17 * n - 90; };
  const uint32_t stripe = At(card, 320, rowY(1) + 10), plain = At(card, 320, rowY(2) + 10);
  ASSERT_NE(stripe, plain);
  for (int n = 1; n <= 10; ++n) {
    for (int y = rowY(n) + 4; y <= rowY(n) + 17; ++y) {
      EXPECT_EQ(At(card, 320, y), n % 2 ? stripe : plain) << "row " << n << " y " << y;
    }
    int cup = 0;  // anything but the stripes left of the ranks (centred on x 244 on screen)
    for (int y = rowY(n) + 1; y <= rowY(n) + 17; ++y) {
      for (int x = 124; x < 230; ++x) cup += At(card, x, y) != stripe && At(card, x, y) != plain;
    }
    if (n <= 3) {
      EXPECT_GT(cup, 20) << "row " << n << " has no cup";
    } else {
      EXPECT_EQ(cup, 0) << "row " << n;
    }
  }
}

// On the track screen the next arrow rests at (380, 131) over the track picture at (312, 156):
// every map leaves that place clear, so the arrow never hides part of a track.
TEST(PicturesRender, TrackMapsLeaveTheNextArrowClear) {
  const Picture* arrow = FindPicture("bc_next", kMenu);
  for (int i = 1; i <= 13; ++i) {
    const std::string name = i <= 12 ? "tr_track" + std::to_string(i) : "tr_notav";
    const platform::Pixels map = Render(name, kMenu);
    for (int y = 0; y < 131 + arrow->tileHeight - 156; ++y) {
      for (int x = 380 - 312; x < 380 - 312 + arrow->tileWidth; ++x) {
        ASSERT_EQ(Alpha(At(map, x, y)), 0) << name << " at " << x << "," << y;
      }
    }
    EXPECT_EQ(Alpha(At(map, map.width / 2, map.height - 2)), 255) << name;
  }
}

TEST(PicturesRender, GlyphCellsHoldGlyphsExceptSpace) {
  const Picture* s = FindPicture("font", kMenu);
  const platform::Pixels p = Render("font", kMenu);
  for (int slot = 0; slot < 109; ++slot) {
    const int x0 = (slot % s->columns) * s->tileWidth, y0 = (slot / s->columns) * s->tileHeight;
    int ink = 0;
    for (int y = y0; y < y0 + s->tileHeight; ++y) {
      for (int x = x0; x < x0 + s->tileWidth; ++x) {
        const uint32_t c = At(p, x, y);
        ink += Alpha(c) > 128;
        if (Alpha(c) > 0) {
          ASSERT_EQ(c & 0xFFFFFF, 0xFFFFFFu) << "glyphs are white, slot " << slot;
        }
      }
    }
    if (slot == 0) {
      EXPECT_EQ(ink, 0) << "space";
    } else {
      EXPECT_GT(ink, 3) << "slot " << slot;
    }
  }
}

// The dashboard leaves the player's truck visible and puts the dial under the needle's pivot.
TEST(PicturesRender, DashboardFitsTheDisplayPlaces) {
  const platform::Pixels dash = Render("speeder", kRace);
  const Picture* needle = FindPicture("speedarrow", kRace);
  const double pivotY = 463 - 0.9 * needle->tileWidth + 0.9 * needle->tileHeight - 431;
  EXPECT_EQ(Alpha(At(dash, 683, static_cast<int>(pivotY))), 255);
  for (int y = 0; y < 120; ++y) EXPECT_EQ(Alpha(At(dash, 396, y)), 0) << "y " << y;
  // Read-out windows are light: the game writes the place, clock, spares and score in dark grey.
  for (auto [x, y] : {std::pair{90, 506}, {98, 537}, {114, 568}, {735, 574}}) {
    const uint32_t c = At(dash, x, y - 431);
    EXPECT_GT(((c >> 8) & 0xFF), 180) << x << "," << y;
  }
}

}  // namespace
}  // namespace assetgen
