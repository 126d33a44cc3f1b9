// Tests of the high-score rows' difficulties: kept in vornakel.ini, matched back to their rows,
// and Classic wherever the file cannot say.
#include "frontend/HiScoreDifficulty.h"
#include "frontend/GameIni.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "frontend/Profiles.h"
#include "frontend/Settings.h"
#include "frontend/SettingsFixture.h"

namespace settingstest {
namespace {

using game::Difficulty;
using HiScoreDifficultyTest = SettingsFixture;

std::vector<Difficulty> Marks(const game::MenuState& menu) {
  std::vector<Difficulty> marks;
  for (const auto& row : menu.HiScores) marks.push_back(row.GameDifficulty);
  return marks;
}

TEST_F(HiScoreDifficultyTest, RowsKeepTheirDifficultyAndAnythingUnmatchedIsClassic) {
  const std::string file = frontend::kGameIniFileName;
  // The finished game's difficulty enters with it and moves down with its row.
  form->PlayerName = "Ann";
  form->Score = 950;
  form->GameDifficulty = Difficulty::Easy;
  ASSERT_TRUE(frontend::EnterHiScore(*form));
  ASSERT_TRUE(frontend::EnterHiScore(form->Menu, "Bob%", 5000, Difficulty::Easy));
  EXPECT_EQ(form->Menu.HiScores[2].Name, "Ann");
  EXPECT_EQ(form->Menu.HiScores[2].GameDifficulty, Difficulty::Easy);
  ASSERT_TRUE(frontend::WriteConfigFile(*form));
  const std::string written = ReadFile(file);

  auto loaded = NewForm();
  frontend::ReadConfigFile(*loaded);
  EXPECT_EQ(Marks(loaded->Menu), Marks(form->Menu));
  EXPECT_EQ(loaded->Menu.HiScores[0].Name, "Bob") << "padding goes as Config.cfg drops it";
  EXPECT_EQ(loaded->Menu.HiScores[0].GameDifficulty, Difficulty::Easy);

  // Config.cfg saved once more without its companion: the older file still marks Ann's row,
  // which moved down; the new row it does not know is Classic.
  ASSERT_TRUE(frontend::EnterHiScore(form->Menu, "Cid", 3000, Difficulty::Easy));
  ASSERT_TRUE(frontend::WriteConfigFile(*form));
  WriteFile(file, written);
  loaded = NewForm();
  frontend::ReadConfigFile(*loaded);
  EXPECT_EQ(loaded->Menu.HiScores[1].GameDifficulty, Difficulty::Classic);
  EXPECT_EQ(loaded->Menu.HiScores[3].Name, "Ann");
  EXPECT_EQ(loaded->Menu.HiScores[3].GameDifficulty, Difficulty::Easy);

  // A damaged line costs only itself; keys of other versions stay in the file.
  const std::vector<Difficulty> expected = Marks(loaded->Menu);
  WriteFile(file, "junk line\n[later]\nkey = kept\n" + written);
  loaded = NewForm();
  frontend::ReadConfigFile(*loaded);
  EXPECT_EQ(Marks(loaded->Menu), expected);
  ASSERT_TRUE(frontend::WriteConfigFile(*loaded));
  EXPECT_NE(ReadFile(file).find("key = kept"), std::string::npos);

  // Missing (a table from before difficulties), damaged, or not a file at all: all Classic.
  const std::vector<Difficulty> allClassic(10, Difficulty::Classic);
  for (const std::string& damage :
       {std::string(), std::string("\x01\xff\n\n  \n", 6),
        std::string("[hiscores]\nrow1 = hard 950 ABCDEFGH\nrow2 = easy 950\nrow3 = easy\n")}) {
    WriteFile(file, damage);
    loaded = NewForm();
    frontend::ReadConfigFile(*loaded);
    EXPECT_EQ(Marks(loaded->Menu), allClassic) << damage.substr(0, 20);
  }
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  loaded = NewForm();
  frontend::ReadConfigFile(*loaded);
  EXPECT_EQ(Marks(loaded->Menu), allClassic);
  std::filesystem::remove(file);

  // Clearing the table clears the marks, and the next save says so.
  frontend::ResetHiScores(form->Menu);
  EXPECT_EQ(Marks(form->Menu), allClassic);
  ASSERT_TRUE(frontend::WriteConfigFile(*form));
  EXPECT_EQ(ReadFile(file).find("easy"), std::string::npos);
}

}  // namespace
}  // namespace settingstest
