// Builds both picture archives, reads them back through the engine and checks they reproduce.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "engine/OilArchive.h"
#include "engine/PngCodec.h"
#include "game/Language.h"
#include "game/ThemeCatalogue.h"
#include "pictures/English.h"
#include "pictures/Pictures.h"

namespace assetgen {
namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class PicturesArchive : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::string((std::filesystem::temp_directory_path() /
                            ("pictures_archive_test_" + std::to_string(::getpid())))
                               .string());
    std::string error;
    ok_ = WritePictures(*dir_, error);
    error_ = new std::string(error);
  }
  static void TearDownTestSuite() {
    std::error_code ec;
    std::filesystem::remove_all(*dir_, ec);
    delete dir_;
    delete error_;
  }
  static std::string* dir_;
  static std::string* error_;
  static bool ok_;
};

std::string* PicturesArchive::dir_ = nullptr;
std::string* PicturesArchive::error_ = nullptr;
bool PicturesArchive::ok_ = false;

TEST_F(PicturesArchive, BothArchivesLoadThroughTheEngineReader) {
  ASSERT_TRUE(ok_) << *error_;
  const struct {
    const char* file;
    Archive archive;
  } files[] = {{"data1.oil", Archive::kMenu}, {"data2.oil", Archive::kRace}};
  for (const auto& f : files) {
    const std::vector<uint8_t> bytes = ReadFile(*dir_ + "/" + f.file);
    ASSERT_FALSE(bytes.empty()) << f.file;
    std::vector<engine::OilItem> items;
    std::string error;
    ASSERT_TRUE(engine::ReadOilArchive(bytes.data(), bytes.size(), items, error)) << error;
    size_t index = 0;
    for (const Picture& pic : kPictures) {
      if (pic.archive != f.archive) continue;
      ASSERT_LT(index, items.size());
      const engine::OilItem& item = items[index++];
      EXPECT_EQ(item.name, pic.name);
      EXPECT_EQ(item.tileWidth, pic.tileWidth) << pic.name;
      EXPECT_EQ(item.tileHeight, pic.tileHeight) << pic.name;
      platform::Pixels pixels;
      ASSERT_TRUE(engine::DecodePng(item.png.data(), item.png.size(), pixels)) << pic.name;
      EXPECT_EQ(pixels.width, pic.Width()) << pic.name;
      EXPECT_EQ(pixels.height, pic.Height()) << pic.name;
    }
    EXPECT_EQ(index, items.size()) << f.file;
  }
}

// Every scenery archive holds every themed picture at the size the game's sprites take from it.
TEST_F(PicturesArchive, EveryThemeHoldsTheThemedPicturesAtTheirSizes) {
  ASSERT_TRUE(ok_) << *error_;
  for (const game::SceneryTheme& theme : game::kSceneryThemes) {
    const std::string file = std::string(theme.Archive).substr(5);  // after "Data\\"
    const std::vector<uint8_t> bytes = ReadFile(*dir_ + "/" + file);
    std::vector<engine::OilItem> items;
    std::string error;
    ASSERT_TRUE(engine::ReadOilArchive(bytes.data(), bytes.size(), items, error)) << file << error;
    for (const game::ThemedPicture& themed : game::kThemedPictures) {
      const auto item = std::find_if(items.begin(), items.end(), [&](const engine::OilItem& i) {
        return i.name == themed.Name;
      });
      ASSERT_NE(item, items.end()) << file << " lacks " << themed.Name;
      EXPECT_EQ(item->tileWidth, themed.TileWidth) << file << " " << themed.Name;
      EXPECT_EQ(item->tileHeight, themed.TileHeight) << file << " " << themed.Name;
      platform::Pixels pixels;
      ASSERT_TRUE(engine::DecodePng(item->png.data(), item->png.size(), pixels)) << themed.Name;
      EXPECT_EQ(pixels.width, themed.Width) << file << " " << themed.Name;
      EXPECT_EQ(pixels.height, themed.Height) << file << " " << themed.Name;
    }
  }
}

// Each English archive holds exactly the pictures with words of the archive beside it, under the
// same names and at the same sizes, so the game can put them in place of the Russian ones.
TEST_F(PicturesArchive, EnglishArchivesHoldEveryPictureWithWordsAtItsSize) {
  ASSERT_TRUE(ok_) << *error_;
  const struct {
    const char* file;
    Archive archive;
    int theme;
  } files[] = {{"data1.oil", Archive::kMenu, 0},
               {"data2.oil", Archive::kRace, 0},
               {"theme_night.oil", Archive::kTheme, kNightTheme}};
  for (const auto& f : files) {
    std::vector<engine::OilItem> base, english;
    std::string error;
    const std::vector<uint8_t> baseBytes = ReadFile(*dir_ + "/" + f.file);
    const std::string englishFile = game::EnglishArchiveName(f.file);
    const std::vector<uint8_t> englishBytes = ReadFile(*dir_ + "/" + englishFile);
    ASSERT_TRUE(engine::ReadOilArchive(baseBytes.data(), baseBytes.size(), base, error)) << error;
    ASSERT_TRUE(engine::ReadOilArchive(englishBytes.data(), englishBytes.size(), english, error))
        << englishFile << ": " << error;
    std::set<std::string> expected;
    for (const Picture& pic : kPictures) {
      const bool inArchive =
          pic.archive == f.archive &&
          (pic.archive != Archive::kTheme || pic.onlyTheme < 0 || pic.onlyTheme == f.theme);
      if (inArchive && HasWords(pic)) expected.insert(std::string(pic.name));
    }
    std::set<std::string> held;
    for (const engine::OilItem& item : english) {
      held.insert(item.name);
      const auto same = std::find_if(base.begin(), base.end(),
                                     [&](const engine::OilItem& b) { return b.name == item.name; });
      ASSERT_NE(same, base.end()) << englishFile << " adds " << item.name;
      EXPECT_EQ(item.tileWidth, same->tileWidth) << item.name;
      EXPECT_EQ(item.tileHeight, same->tileHeight) << item.name;
      platform::Pixels ours, theirs;
      ASSERT_TRUE(engine::DecodePng(item.png.data(), item.png.size(), ours)) << item.name;
      ASSERT_TRUE(engine::DecodePng(same->png.data(), same->png.size(), theirs)) << item.name;
      EXPECT_EQ(ours.width, theirs.width) << item.name;
      EXPECT_EQ(ours.height, theirs.height) << item.name;
      EXPECT_NE(ours.argb, theirs.argb) << item.name << " is not redrawn in English";
    }
    EXPECT_EQ(held, expected) << englishFile;
  }
}

TEST_F(PicturesArchive, SameBytesOnEveryBuild) {
  ASSERT_TRUE(ok_) << *error_;
  std::vector<uint8_t> again;
  std::string error;
  ASSERT_TRUE(BuildArchive(Archive::kMenu, again, error)) << error;
  EXPECT_TRUE(again == ReadFile(*dir_ + "/data1.oil"));
  ASSERT_TRUE(BuildArchive(Archive::kRace, again, error)) << error;
  EXPECT_TRUE(again == ReadFile(*dir_ + "/data2.oil"));
}

TEST_F(PicturesArchive, ContactSheetIsAPicture) {
  const std::string sheet = *dir_ + "/sheet.png";
  std::string error;
  ASSERT_TRUE(WriteContactSheet(sheet, error)) << error;
  const std::vector<uint8_t> bytes = ReadFile(sheet);
  platform::Pixels pixels;
  ASSERT_TRUE(engine::DecodePng(bytes.data(), bytes.size(), pixels));
  EXPECT_GT(pixels.width, 1000);
  EXPECT_GT(pixels.height, 1000);
}

TEST(PicturesWrite, UnwritableFolderIsReportedNotThrown) {
  std::string error;
  EXPECT_FALSE(WritePictures("/proc/no-such-folder/Data", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace assetgen
