// vornakel.ini: each player's difficulty kept beside Config.cfg, other lines left alone, damage
// read as Classic, and a deleted player's section gone.
#include "frontend/ProfileSettings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "frontend/GameIni.h"
#include "frontend/SettingsFixture.h"
#include "platform/Text1251.h"

namespace {

using game::Difficulty;

class ProfileSettingsTest : public settingstest::SettingsFixture {};

TEST_F(ProfileSettingsTest, DifficultyPerPlayerRoundTripsKeepsOtherLinesAndReadsDamageAsClassic) {
  const std::string vasya = Ru("Вася");
  const std::string odd = Ru("Ко\"т\\ [1]");  // quotes, a backslash and brackets in a name
  const std::string theirs = "; kept\n[general]\nvsync = on\n[profile \"x\"]\nghost = 1\n";

  // Round trip through the text, each player on its own, every other line kept in its place.
  frontend::IniDocument ini = frontend::IniDocument::Parse(theirs);
  for (const std::string& name : {vasya, odd, std::string("x")})
    frontend::SetProfileDifficulty(ini, name, Difficulty::Easy);
  const std::string text = ini.Serialize();
  EXPECT_EQ(text.rfind("; kept\n[general]\nvsync = on\n", 0), 0u) << text;
  EXPECT_NE(text.find("ghost = 1\ndifficulty = easy\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[profile \"Вася\"]\ndifficulty = easy\n"), std::string::npos) << text;
  ini = frontend::IniDocument::Parse(text);
  for (const std::string& name : {vasya, odd, std::string("x")})
    EXPECT_EQ(frontend::ProfileDifficultyIn(ini, name), Difficulty::Easy) << name;
  EXPECT_EQ(frontend::ProfileDifficultyIn(ini, Ru("Петя")), Difficulty::Classic);
  frontend::SetProfileDifficulty(ini, vasya, Difficulty::Classic);
  EXPECT_EQ(frontend::ProfileDifficultyIn(ini, vasya), Difficulty::Classic);
  EXPECT_EQ(frontend::ProfileDifficultyIn(ini, odd), Difficulty::Easy);

  // Damage: unknown words, stray lines, an unclosed header, binary noise all read as Classic.
  for (const char* damaged :
       {"[profile \"Вася\"]\ndifficulty = hard\n", "[profile \"Вася\"\ndifficulty = easy\n",
        "difficulty = easy\n", "\x01\xff\xfe[profile \"\xd0\"]\x00=\n", ""}) {
    EXPECT_EQ(frontend::ProfileDifficultyIn(frontend::IniDocument::Parse(damaged), vasya),
              Difficulty::Classic)
        << damaged;
  }

  // The file: the screen's choice is written for the current player only and read back at the
  // next start; a deleted player's section goes.
  frontend::AddProfile(form->Menu, vasya);
  frontend::AddProfile(form->Menu, Ru("Петя"));
  form->Menu.CurrentProfile = 0;
  EXPECT_EQ(frontend::OfferedDifficulty(*form), Difficulty::Classic) << "no file: Classic";
  frontend::ChooseDifficulty(*form, Difficulty::Easy);
  auto next = NewForm();
  next->Menu = form->Menu;
  next->Menu.DifficultyOwner.reset();
  EXPECT_EQ(frontend::OfferedDifficulty(*next), Difficulty::Easy);
  next->Menu.CurrentProfile = 1;
  EXPECT_EQ(frontend::OfferedDifficulty(*next), Difficulty::Classic) << "per player";
  next->ForcedDifficulty = Difficulty::Easy;
  EXPECT_EQ(frontend::OfferedDifficulty(*next), Difficulty::Easy) << "the harness's choice wins";
  form->Menu.ProfileCursor = 0;
  frontend::DeleteProfile(form->Menu);
  frontend::ForgetDeletedProfile(*form, vasya);
  EXPECT_EQ(ReadFile(frontend::kGameIniFileName).find("Вася"), std::string::npos);

  // A file that cannot be read or written: Classic, and the choice lives on in memory.
  std::filesystem::remove(frontend::kGameIniFileName);
  std::filesystem::create_directory(frontend::kGameIniFileName);
  form->Menu.DifficultyOwner.reset();
  EXPECT_EQ(frontend::OfferedDifficulty(*form), Difficulty::Classic);
  frontend::ChooseDifficulty(*form, Difficulty::Easy);
  EXPECT_TRUE(form->Menu.SettingsWriteReported);
  EXPECT_EQ(frontend::OfferedDifficulty(*form), Difficulty::Easy);
}

}  // namespace
