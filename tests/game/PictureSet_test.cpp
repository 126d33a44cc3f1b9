// The English pictures take the place of their Russian namesakes at load and on a switch; a missing
// English archive leaves the Russian pictures with one message.
#include "game/PictureSet.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/Messages.h"
#include "game/RaceFixture.h"

namespace racetest {
namespace {

class PictureSetTest : public RaceFixture {
 protected:
  PictureSetTest() {
    folder_ =
        std::filesystem::temp_directory_path() / ("picture_set_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_ / "Data");
    for (const char* name : {"data1.oil", "data1_en.oil"}) {
      std::filesystem::copy_file(std::string(VORNAKEL_GAME_DIR) + "/Data/" + name,
                                 folder_ / "Data" / name);
    }
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    engine::SetMessageHandler(
        [this](const std::string& text, const std::string&) { messages.push_back(text); });
  }
  ~PictureSetTest() override {
    engine::SetMessageHandler(nullptr);
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }
  std::vector<std::string> messages;

 private:
  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

TEST_F(PictureSetTest, EnglishPicturesReplaceTheirNamesakesOnlyAndAMissingSetIsReportedOnce) {
  engine::TImageListCollection russian, english, english2;
  bool reported = false;
  ASSERT_TRUE(
      game::LoadPictureArchive(russian, "Data\\data1.oil", game::Language::Russian, reported));
  ASSERT_TRUE(
      game::LoadPictureArchive(english, "Data\\data1.oil", game::Language::English, reported));
  EXPECT_TRUE(messages.empty());
  ASSERT_EQ(english.Count(), russian.Count());
  for (int i = 0; i < russian.Count(); ++i)
    EXPECT_EQ(english.Items(i)->Name, russian.Items(i)->Name);
  // Words are redrawn; pictures without words stay the very same.
  EXPECT_NE(english.Find("b_opt")->PicturePixels().argb,
            russian.Find("b_opt")->PicturePixels().argb);
  EXPECT_EQ(english.Find("font")->PicturePixels().argb, russian.Find("font")->PicturePixels().argb);
  EXPECT_EQ(english.Find("b_opt")->TileHeight, russian.Find("b_opt")->TileHeight);

  // A switch redraws the loaded pictures in place: the sprites' items stay valid.
  form->OmegaImageList1.ImageList().Assign(russian);
  engine::TImageListItem* option = form->OmegaImageList1.Find("b_opt");
  game::SwitchLanguage(*form, game::Language::English);
  EXPECT_EQ(form->Lang, game::Language::English);
  EXPECT_EQ(form->OmegaImageList1.Find("b_opt"), option);
  EXPECT_EQ(option->PicturePixels().argb, english.Find("b_opt")->PicturePixels().argb);
  game::SwitchLanguage(*form, game::Language::Russian);
  EXPECT_EQ(option->PicturePixels().argb, russian.Find("b_opt")->PicturePixels().argb);

  std::filesystem::remove("Data/data1_en.oil");
  ASSERT_TRUE(
      game::LoadPictureArchive(english, "Data\\data1.oil", game::Language::English, reported));
  ASSERT_TRUE(
      game::LoadPictureArchive(english2, "Data\\data1.oil", game::Language::English, reported));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("data1_en.oil"), std::string::npos) << messages[0];
  EXPECT_EQ(english2.Find("b_opt")->PicturePixels().argb,
            russian.Find("b_opt")->PicturePixels().argb);
}

}  // namespace
}  // namespace racetest
