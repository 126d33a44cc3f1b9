// A damaged or missing scenery archive is reported once and the race wears the default theme, or
// plain pictures of the right sizes when that is missing too.
#include "game/RaceTheme.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Messages.h"
#include "game/RaceFixture.h"
#include "game/SpriteSetup.h"
#include "game/ThemeCatalogue.h"

namespace racetest {
namespace {

class RaceThemeTest : public RaceFixture {
 protected:
  RaceThemeTest() {
    folder_ = std::filesystem::temp_directory_path() / ("race_theme_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_ / "Data");
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    engine::SetMessageHandler(
        [this](const std::string& text, const std::string&) { messages.push_back(text); });
  }
  ~RaceThemeTest() override {
    engine::SetMessageHandler(nullptr);
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }
  std::vector<std::string> messages;

 private:
  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

TEST_F(RaceThemeTest, BrokenArchivesFallBackToTheDefaultThenToPlainPicturesReportedOnce) {
  const std::string meadow = std::string(VORNAKEL_GAME_DIR) + "/Data/theme_meadow.oil";
  ASSERT_TRUE(std::filesystem::exists(meadow)) << "build the assets target first";
  std::filesystem::copy_file(meadow, "Data/theme_meadow.oil");
  std::ofstream("Data/theme_snow.oil") << "not an image archive";

  game::LoadRaceTheme(*form, 3);  // snow: damaged
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("theme_snow.oil"), std::string::npos) << messages[0];
  EXPECT_EQ(form->LoadedTheme, 3);
  engine::TImageListItem* ground = game::GameImage(*form, "back1");
  ASSERT_NE(ground, nullptr);
  EXPECT_EQ(ground, form->ThemeImageList.Find("back1"));
  EXPECT_TRUE(ground->HasPicture());
  EXPECT_TRUE(game::ThemeFits(form->ThemeImageList.ImageList(), form->GameImageList.ImageList()));
  form->LoadedTheme = -1;  // the next game on the same track: no second report
  game::LoadRaceTheme(*form, 3);
  EXPECT_EQ(messages.size(), 1u);

  std::filesystem::remove("Data/theme_meadow.oil");  // rain missing, the default missing too
  game::LoadRaceTheme(*form, 5);
  EXPECT_EQ(messages.size(), 3u);
  for (const game::ThemedPicture& themed : game::kThemedPictures) {
    const engine::TImageListItem* item = form->ThemeImageList.Find(themed.Name);
    ASSERT_NE(item, nullptr) << themed.Name;
    EXPECT_EQ(item->TileWidth, themed.TileWidth) << themed.Name;
    EXPECT_EQ(item->TileHeight, themed.TileHeight) << themed.Name;
  }
  const platform::Pixels backPixels = form->ThemeImageList.Find("back1")->PicturePixels();
  ASSERT_GT(backPixels.width, 10);
  EXPECT_EQ(backPixels.argb[static_cast<size_t>(10 * backPixels.width + 10)] >> 24, 0xFFu)
      << "no ground";
}

// In English the night's lit dashboard comes from the theme's English archive, silently.
TEST_F(RaceThemeTest, EnglishNightWearsTheEnglishLitDashboard) {
  for (const char* name : {"theme_night.oil", "theme_night_en.oil"}) {
    std::filesystem::copy_file(std::string(VORNAKEL_GAME_DIR) + "/Data/" + name,
                               std::string("Data/") + name);
  }
  form->Lang = game::Language::English;
  game::LoadRaceTheme(*form, 4);
  EXPECT_TRUE(messages.empty());
  engine::TImageListCollection english;
  ASSERT_TRUE(english.LoadFromFile("Data/theme_night_en.oil"));
  const engine::TImageListItem* dashboard = form->ThemeImageList.Find("speeder");
  ASSERT_NE(dashboard, nullptr);
  EXPECT_EQ(dashboard->PicturePixels().argb, english.Find("speeder")->PicturePixels().argb);
}

TEST(RaceThemeFit, APictureOfAnotherSizeSpoilsTheTheme) {
  engine::TImageListCollection shared;
  engine::TImageListCollection theme;
  for (const game::ThemedPicture& themed : game::kThemedPictures) {
    engine::TImageListItem* item = theme.Add();
    item->Name = themed.Name;
    item->SetPicture(platform::Pixels{themed.Width, themed.Height,
                                      std::vector<uint32_t>(static_cast<size_t>(themed.Width) *
                                                            static_cast<size_t>(themed.Height))});
    item->SetTileWidth(themed.TileWidth);
    item->SetTileHeight(themed.TileHeight);
  }
  EXPECT_TRUE(game::ThemeFits(theme, shared));
  theme.Find("wall1")->SetTileHeight(150);  // a shorter wall would move the collisions
  EXPECT_FALSE(game::ThemeFits(theme, shared));
}

}  // namespace
}  // namespace racetest
