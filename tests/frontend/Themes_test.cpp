// Scenery themes: a race runs the same on all twelve tracks' scenery, each track wearing its own.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "frontend/MenuFixture.h"
#include "game/ThemeCatalogue.h"

namespace frontendtest {
namespace {

// A fresh game folder and form that races on one track from the main menu.
class ThemeRun : public MenuFixture {
 public:
  void TestBody() override {}

  // The race's trace with the accelerator held; Ground gets a digest of the theme's meadow tile.
  std::vector<std::string> Race(int track, size_t& ground) {
    std::vector<std::string> trace;
    ToMainMenu();
    form->TracksOpen = game::kSceneryThemeCount;
    form->MarkUnlocked();
    ClickSlot(0);
    form->Race.SelectedTrack = track;
    Press(13);  // the track screen's continue
    Frame();
    Press(13);  // the truck screen's race
    Frame();
    EXPECT_EQ(form->GameState, game::gsRace) << "track " << track;
    EXPECT_EQ(form->LoadedTheme, track);
    const engine::TImageListItem* back = form->ThemeImageList.Find("back1");
    ground = back != nullptr ? std::hash<std::string>{}(std::string(
                                   reinterpret_cast<const char*>(back->PicturePixels().argb.data()),
                                   back->PicturePixels().argb.size() * 4))
                             : 0;
    form->FormKeyDown(38);
    for (int i = 0; i < 1200; ++i) {
      Frame();
      trace.push_back(form->TraceLine());
    }
    return trace;
  }
};

TEST(SceneryThemes, EveryTrackWearsItsOwnSceneryAndRacesTheSame) {
  std::vector<std::string> first;
  std::set<size_t> grounds;
  for (int track = 0; track < game::kSceneryThemeCount; ++track) {
    ThemeRun run;
    size_t ground = 0;
    const std::vector<std::string> trace = run.Race(track, ground);
    grounds.insert(ground);
    if (track == 0) {
      first = trace;
      ASSERT_NE(first.back().find("state=12"), std::string::npos) << first.back();
      continue;
    }
    ASSERT_EQ(trace.size(), first.size());
    for (size_t i = 0; i < trace.size(); ++i)
      ASSERT_EQ(trace[i], first[i]) << "track " << track << ", frame " << i;
  }
  EXPECT_EQ(grounds.size(), static_cast<size_t>(game::kSceneryThemeCount));
  EXPECT_EQ(grounds.count(0), 0u) << "a theme without its ground";
}

}  // namespace
}  // namespace frontendtest
