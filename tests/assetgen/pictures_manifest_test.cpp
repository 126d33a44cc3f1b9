// Checks the picture manifest against every picture the game looks up and the places it draws them.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/Manifest.h"

namespace assetgen {
namespace {

struct Lookup {
  std::string_view name;
  Archive archive;
  int patterns;  // the highest pattern the game shows, plus one
};

// Every name the game asks an image list for, with the patterns it uses.
const std::vector<Lookup>& GameLookups() {
  static const std::vector<Lookup> lookups = [] {
    std::vector<Lookup> l = {
        {"logo", kMenu, 1},
        {"mainback", kMenu, 1},
        {"undermenu", kMenu, 1},
        {"mousecursor", kMenu, 8},
        {"light1", kMenu, 1},
        {"light2", kMenu, 1},
        {"chooseline", kMenu, 1},
        {"bar", kMenu, 1},
        {"dim", kMenu, 5},
        {"arrows", kMenu, 3},
        {"groundpoint", kMenu, 1},
        {"scr_help", kMenu, 1},
        {"scr_help2", kMenu, 1},
        {"scr_help3", kMenu, 1},
        {"scr_help4", kMenu, 1},
        {"scr_hiscr", kMenu, 1},
        {"scr_clearhiscr", kMenu, 1},
        {"scr_ExitTheGame", kMenu, 1},
        {"scr_add", kMenu, 1},
        {"scr_opt", kMenu, 1},
        {"scr_change", kMenu, 1},
        {"scr_delete", kMenu, 1},
        {"scr_choose", kMenu, 1},
        {"scr_choosecar", kMenu, 1},
        {"tr_notav", kMenu, 1},
        {"e_name", kMenu, 1},
        {"Edit", kMenu, 1},
        {"opt_bar", kMenu, 2},
        {"undermenu", kRace, 1},
        {"scr_exitgame", kRace, 1},
        {"scr_gameover", kRace, 1},
        {"scr_timesup", kRace, 1},
        {"scr_yourscore", kRace, 1},
        {"scr_send", kRace, 1},
        {"scr_raceover", kRace, 1},
        {"speeder", kRace, 1},
        {"radar", kRace, 1},
        {"panel", kRace, 1},
        {"healthbar", kRace, 1},
        {"speedarrow", kRace, 1},
        {"backlight", kRace, 1},
        {"radarcar1", kRace, 1},
        {"radarcar2", kRace, 1},
        {"begarrows", kRace, 1},
        {"dim", kRace, 5},
        {"arrows", kRace, 3},
        {"groundpoint", kRace, 1},
        {"svetophor", kRace, 1},
        {"redlight", kRace, 1},
        {"yellowlight", kRace, 1},
        {"greenlight", kRace, 1},
        {"r_str", kTheme, 1},
        {"r_left", kTheme, 1},
        {"r_right", kTheme, 1},
        {"r_str_right", kTheme, 1},
        {"r_str_left", kTheme, 1},
        {"r_right_str", kTheme, 1},
        {"r_left_str", kTheme, 1},
        {"wall1", kTheme, 1},
        {"wall2", kTheme, 1},
        {"inplace", kRace, 1},
        {"startline", kRace, 1},
        {"fline", kRace, 1},
        {"trees", kTheme, 6},
        {"desert", kTheme, 6},
        {"houses", kTheme, 6},
        {"bonus1", kRace, 1},
        {"bonus2", kRace, 1},
        {"bonus3", kRace, 1},
        {"luga", kRace, 1},
        {"kolodec1", kRace, 1},
        {"kolodec2", kRace, 1},
        {"bomb", kRace, 1},
        {"repair", kRace, 1},
        {"life", kRace, 1},
        {"time", kRace, 1},
        {"shipi", kRace, 1},
        {"speedup", kRace, 1},
        {"boxes", kRace, 2},
        {"barier", kRace, 2},
        {"exploid", kRace, 8},
        {"exploid2", kRace, 8},
        {"exploid3", kRace, 8},
        {"smoke", kRace, 4},
    };
    static const std::vector<std::string> generated = [] {
      std::vector<std::string> g;
      for (int i = 1; i <= 12; ++i) g.push_back("tr_track" + std::to_string(i));
      for (int i = 1; i <= 5; ++i) {
        g.push_back("c_car" + std::to_string(i));
        g.push_back("car" + std::to_string(i));
        g.push_back("carten" + std::to_string(i));
        g.push_back("wreck" + std::to_string(i));
      }
      for (int i = 1; i <= 4; ++i) g.push_back("back" + std::to_string(i));
      return g;
    }();
    for (const std::string& n : generated) {
      const Archive archive = n.rfind("car", 0) == 0 || n.rfind("wreck", 0) == 0 ? kRace
                              : n.rfind("back", 0) == 0                          ? kTheme
                                                                                 : kMenu;
      l.push_back({n, archive, n.rfind("car", 0) == 0 && n.size() == 4 ? 3 : 1});
    }
    // Buttons: frame 0 normal, 1 highlighted, 2 disabled.
    for (std::string_view b :
         {"b_stgame",     "b_opt",       "b_hiscr",  "b_help",     "b_visit", "b_exit",
          "b_logo",       "b_presshere", "b_back",   "b_next",     "b_prev",  "b_clrhiscr",
          "b_viewwhiscr", "b_yes",       "b_no",     "b_add",      "b_no1",   "b_yes1",
          "bro_next",     "b_apply",     "b_cancel", "b_on",       "b_off",   "b_menuleft",
          "b_menuright",  "b_up",        "b_down",   "b_delete",   "b_back2", "b_select",
          "bc_next",      "bc_prev",     "bc_race",  "bc_classic", "bc_easy", "b_seedrace",
          "b_daily"}) {
      l.push_back({b, kMenu, 3});
    }
    return l;
  }();
  return lookups;
}

TEST(PicturesManifest, EveryLookedUpPictureExistsWithItsPatterns) {
  for (const Lookup& l : GameLookups()) {
    const Picture* p = FindPicture(l.name, l.archive);
    ASSERT_NE(p, nullptr) << l.name << " in archive " << static_cast<int>(l.archive);
    EXPECT_GE(p->patterns, l.patterns) << l.name;
    EXPECT_GE(p->columns * p->rows, p->patterns) << l.name << ": the tile grid is too small";
    EXPECT_GT(p->tileWidth, 0) << l.name;
    EXPECT_GT(p->tileHeight, 0) << l.name;
  }
}

TEST(PicturesManifest, NamesAreUniquePerArchiveAndFontComesFirst) {
  std::set<std::pair<int, std::string_view>> seen;
  for (const Picture& p : kPictures) {
    EXPECT_TRUE(seen.insert({static_cast<int>(p.archive), p.name}).second) << p.name;
    EXPECT_NE(p.paint, nullptr) << p.name;
  }
  // The bitmap font reads image 0 of the menu list: one cell per character of its 109-character
  // set.
  const Picture& first = kPictures[0];
  EXPECT_EQ(first.archive, kMenu);
  EXPECT_GE(first.patterns, 109);
  EXPECT_GE(first.columns * first.rows, 109);
}

TEST(PicturesManifest, SizesFollowTheLayout) {
  for (std::string_view n :
       {"r_str", "r_left", "r_right", "r_str_right", "r_str_left", "r_right_str", "r_left_str"}) {
    EXPECT_EQ(FindPicture(n, kTheme)->tileHeight, 300) << n;  // pieces are laid 300 apart
  }
  for (std::string_view n : {"back1", "back2", "back3", "back4"}) {
    EXPECT_EQ(FindPicture(n, kTheme)->tileWidth, 800) << n;  // tiles sit 800 apart
    EXPECT_EQ(FindPicture(n, kTheme)->tileHeight, 300) << n;
  }
  for (auto [n, a] : {std::pair{"mainback", kMenu},
                      {"undermenu", kMenu},
                      {"scr_choose", kMenu},
                      {"undermenu", kRace}}) {
    EXPECT_EQ(FindPicture(n, a)->Width(), 800) << n;
    EXPECT_EQ(FindPicture(n, a)->Height(), 600) << n;
  }
  // Overlays at (60, 90) and cards at (55, 80) stay on screen.
  for (const Picture& p : kPictures) {
    if (p.name.rfind("scr_", 0) != 0 || p.name == "scr_choose") continue;
    const bool card = p.name.rfind("scr_help", 0) == 0 || p.name == "scr_ExitTheGame";
    EXPECT_LE((card ? 55 : 60) + p.tileWidth, 800) << p.name;
    EXPECT_LE((card ? 80 : 90) + p.tileHeight, 600) << p.name;
  }
  EXPECT_EQ(FindPicture("speeder", kRace)->tileWidth, 800);
  EXPECT_EQ(431 + FindPicture("speeder", kRace)->tileHeight, 600);
}

TEST(PicturesManifest, ShadowsAndPortraitsFollowTheModelsRacePicture) {
  // Model i races as this picture; its shadow is "carten" i+1 and its portrait "c_car" i+1.
  const char* race[] = {"car1", "car4", "car5", "car2", "car3"};
  for (int i = 0; i < 5; ++i) {
    const Picture* car = FindPicture(race[i], kRace);
    const Picture* shadow = FindPicture("carten" + std::to_string(i + 1), kRace);
    const Picture* portrait = FindPicture("c_car" + std::to_string(i + 1), kMenu);
    ASSERT_TRUE(car && shadow && portrait);
    EXPECT_EQ(shadow->tileWidth, car->tileWidth) << race[i];
    EXPECT_EQ(shadow->tileHeight, car->tileHeight) << race[i];
    EXPECT_EQ(shadow->variant, car->variant) << race[i];
    EXPECT_EQ(portrait->variant, car->variant) << race[i];
    // The burnt-out truck covers the truck it replaces exactly.
    const Picture* wreck = FindPicture("wreck" + std::string(race[i] + 3), kRace);
    ASSERT_TRUE(wreck);
    EXPECT_EQ(wreck->tileWidth, car->tileWidth) << race[i];
    EXPECT_EQ(wreck->tileHeight, car->tileHeight) << race[i];
    EXPECT_EQ(wreck->variant, car->variant) << race[i];
  }
}

struct Placed {
  std::string_view name;
  int x, y;
};

struct Rect {
  int x, y, w, h;
};

Rect RectOf(const Placed& p) {
  const Picture* s = FindPicture(p.name, kMenu);
  return s ? Rect{p.x, p.y, s->tileWidth, s->tileHeight} : Rect{p.x, p.y, 0, 0};
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

TEST(PicturesManifest, WidgetsOfEachScreenFitAndDoNotOverlap) {
  const std::vector<std::vector<Placed>> screens = {
      {{"b_stgame", 56, 411},
       {"b_opt", 27, 350},
       {"b_hiscr", 68, 87},
       {"b_help", 694, 124},
       {"b_visit", 637, 239},
       {"b_exit", 606, 371},
       {"b_logo", 270, 510},
       {"b_presshere", 605, 540}},
      {{"b_back", 97, 415}, {"b_next", 516, 415}, {"b_prev", 308, 415}},
      {{"b_clrhiscr", 331, 455}, {"b_viewwhiscr", 328, 428}, {"b_back", 116, 430}},
      {{"b_yes", 278, 327}, {"b_no", 415, 378}},
      {{"b_add", 330, 426}, {"e_name", 200, 276}},
      {{"b_yes1", 200, 420}, {"b_no1", 412, 420}},
      {{"bro_next", 308, 420}},
      {{"bro_next", 310, 400}},
      {{"b_apply", 206, 420},
       {"b_cancel", 416, 420},
       {"b_on", 646, 194},
       {"b_off", 646, 245},
       {"b_menuleft", 453, 323},
       {"b_menuright", 653, 323},
       {"Edit", 466, 377}},
      {{"b_up", 206, 209},
       {"b_down", 575, 209},
       {"b_add", 257, 420},
       {"b_delete", 408, 420},
       {"b_back2", 103, 420},
       {"b_select", 560, 420}},
      {{"bc_next", 521, 254},
       {"bc_prev", 257, 254},
       {"b_back", 201, 425},
       {"bc_race", 407, 425},
       {"c_car1", 320, 228}},
      {{"bc_next", 380, 131},
       {"bc_prev", 234, 323},
       {"b_back", 9, 524},
       {"bc_race", 642, 524},
       {"b_seedrace", 9, 466}},
      {{"e_name", 200, 264}, {"b_back", 116, 440}, {"b_daily", 315, 440}, {"bc_race", 534, 440}},
  };
  for (const auto& screen : screens) {
    for (size_t i = 0; i < screen.size(); ++i) {
      const Rect a = RectOf(screen[i]);
      EXPECT_GT(a.w, 0) << screen[i].name;
      EXPECT_GE(a.x, 0) << screen[i].name;
      EXPECT_LE(a.x + a.w, 800) << screen[i].name << " at " << screen[i].x;
      EXPECT_LE(a.y + a.h, 600) << screen[i].name << " at " << screen[i].y;
      for (size_t j = i + 1; j < screen.size(); ++j) {
        EXPECT_FALSE(Overlap(a, RectOf(screen[j])))
            << screen[i].name << " overlaps " << screen[j].name;
      }
    }
  }
  // The volume bar (482, 323, 168 x 28) sits between its two keys.
  const Rect bar{482, 323, 168, 28};
  EXPECT_FALSE(Overlap(bar, RectOf({"b_menuleft", 453, 323})));
  EXPECT_FALSE(Overlap(bar, RectOf({"b_menuright", 653, 323})));
  EXPECT_EQ(FindPicture("opt_bar", kMenu)->tileWidth, 168);
  EXPECT_EQ(FindPicture("opt_bar", kMenu)->tileHeight, 28);
}

}  // namespace
}  // namespace assetgen
