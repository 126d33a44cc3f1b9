// Tests of Config.cfg and Configdat.cfg: written and read back, damaged files, atomic writes and
// the effect volume.
#include "frontend/Settings.h"

#include <gtest/gtest.h>

#include "game/SoundTable.h"

#include <filesystem>
#include <string>
#include <vector>

#include "engine/Messages.h"
#include "frontend/Profiles.h"
#include "frontend/Registration.h"
#include "frontend/SettingsFixture.h"
#include "online/TextCodec.h"
#include "platform/Files.h"
#include "platform/Text1251.h"

namespace settingstest {
namespace {

std::vector<std::string> Lines(const std::string& content) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += line + "\r\n";
  return out;
}

std::string Encoded(const std::string& value) {
  return online::encode(online::PadToFive(value, '%'));
}

using SettingsTest = SettingsFixture;

TEST_F(SettingsTest, ConfigSurvivesWriteAndRead) {
  form->FullScreen = true;
  form->MusicOn = false;
  form->SoundVolume = 3;
  form->Menu.OptionText = "abc%%";
  form->PlayerName = Ru("Вася");
  frontend::ResetHiScores(form->Menu);
  form->Menu.HiScores[0] = {"1", Ru("Петя"), "5000"};
  form->Menu.HiScores[4].Name.clear();  // an empty name keeps the row's default on reading
  for (int i = 0; i < 10; ++i) {
    form->Menu.Profiles[static_cast<size_t>(i)] = {std::string(1, 'p') += std::to_string(i), i * 7};
  }
  form->Menu.Profiles[2].Name = "max%";
  form->Menu.Profiles[3].Name.clear();
  form->Menu.ProfileCount = 10;
  form->Menu.CurrentProfile = 9;
  ASSERT_TRUE(frontend::WriteConfigFile(*form));
  // Writing strips a trailing "%" from the options text and the player name in memory too.
  EXPECT_EQ(form->Menu.OptionText, "abc");
  EXPECT_EQ(Lines(ReadFile("Config.cfg")).size(), 27u + 20u);
  EXPECT_FALSE(std::filesystem::exists("Config.cfg.tmp"));

  auto loaded = NewForm();
  frontend::ReadConfigFile(*loaded);
  EXPECT_TRUE(loaded->FullScreen);
  EXPECT_TRUE(loaded->Menu.ScreenIsFull);
  EXPECT_TRUE(loaded->OmegaScreen1.FullScreen);
  EXPECT_FALSE(loaded->MusicOn);
  EXPECT_EQ(loaded->SoundVolume, 3);
  EXPECT_EQ(loaded->Menu.OptionText, "abc");
  EXPECT_EQ(loaded->PlayerName, Ru("Вася"));
  EXPECT_EQ(loaded->Menu.HiScores[0].Name, Ru("Петя"));
  EXPECT_EQ(loaded->Menu.HiScores[0].Score, "5000");
  EXPECT_EQ(loaded->Menu.HiScores[4].Name, "Kyrrin");
  EXPECT_EQ(loaded->Menu.HiScores[9].Rank, "10");
  EXPECT_EQ(loaded->Menu.ProfileCount, 10);
  EXPECT_EQ(loaded->Menu.CurrentProfile, 9);
  EXPECT_EQ(loaded->Menu.Profiles[2].Name, "max");
  EXPECT_EQ(loaded->Menu.Profiles[3].Name, "");
  EXPECT_EQ(loaded->Menu.Profiles[9].Name, "p9");
  EXPECT_EQ(loaded->Menu.Profiles[9].ProfileTag, 63);
}

TEST_F(SettingsTest, ConfigWithoutProfilesEndsAfterLine27AndFlagsDecodeAsWritten) {
  form->FullScreen = false;
  form->MusicOn = true;
  const std::vector<std::string> lines = Lines(frontend::FormatConfig(*form));
  ASSERT_EQ(lines.size(), 27u);
  EXPECT_EQ(online::decode(lines[0]), "false");
  // "true" is four bytes: it comes back with a NUL in front and still reads as true.
  EXPECT_EQ(online::decode(lines[1]), std::string("\0true", 5));
  // Numbers are padded to blocks of ten, text to blocks of five; empty text is an empty line.
  EXPECT_EQ(online::decode(lines[2]), "0%%%%%%%%%");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(online::decode(lines[5]), "Kyrrin%%%%");

  auto loaded = NewForm();
  frontend::ParseConfig(Join(lines), *loaded);
  EXPECT_TRUE(loaded->MusicOn);
  EXPECT_FALSE(loaded->FullScreen);
  EXPECT_EQ(loaded->Menu.ProfileCount, 0);
}

TEST_F(SettingsTest, MissingOrEmptyConfigLeavesTheDefaults) {
  form->PlayerName = "x";
  form->Menu.HiScores[0].Name = "y";
  frontend::ReadConfigFile(*form);
  EXPECT_EQ(form->PlayerName, "");
  EXPECT_EQ(form->Menu.HiScores[0].Name, "Kyrrin");
  EXPECT_EQ(form->Menu.ProfileCount, 0);
  EXPECT_FALSE(form->FullScreen);

  WriteFile("Config.cfg", "");
  frontend::ReadConfigFile(*form);
  EXPECT_TRUE(form->MusicOn);
  EXPECT_EQ(form->Menu.HiScores[9].Score, "100");
  EXPECT_FALSE(form->OmegaScreen1.FullScreen);
}

TEST_F(SettingsTest, DamagedConfigLinesKeepTheirDefaultsAndTheRestIsRead) {
  form->SoundVolume = 2;
  form->PlayerName = "Anna";
  for (int i = 0; i < 3; ++i)
    frontend::AddProfile(form->Menu, std::string(1, 'n') += std::to_string(i));
  for (auto& profile : form->Menu.Profiles) profile.ProfileTag = 5;
  std::vector<std::string> lines = Lines(frontend::FormatConfig(*form));
  lines[0] = "#!garbage!#";                     // not a flag: the window stays
  lines[2] = Encoded("2x");                     // not a number
  lines[4] = online::encode("\x01\x02zz\x98");  // control bytes: not text the game writes
  lines[6] = Encoded("lots");                   // a score that is no number
  lines[26] = Encoded("12");                    // current profile outside the three
  lines[28] = "????";                           // a tag that decodes to nothing
  auto loaded = NewForm();
  loaded->SoundVolume = 4;
  frontend::ParseConfig(Join(lines), *loaded);
  EXPECT_FALSE(loaded->FullScreen);
  EXPECT_EQ(loaded->SoundVolume, 4);
  EXPECT_EQ(loaded->PlayerName, "n0");  // the damaged name line gives way to the current profile
  EXPECT_EQ(loaded->Menu.HiScores[0].Score, "1000");
  EXPECT_EQ(loaded->Menu.ProfileCount, 3);
  EXPECT_EQ(loaded->Menu.CurrentProfile, 0);
  EXPECT_EQ(loaded->Menu.Profiles[0].ProfileTag, 0);
  EXPECT_EQ(loaded->Menu.Profiles[1].ProfileTag, 5);
  EXPECT_EQ(loaded->Menu.Profiles[2].Name, "n2");

  // Numbers out of range are brought into range.
  lines[2] = Encoded("9");
  lines[25] = Encoded("99");
  auto high = NewForm();
  frontend::ParseConfig(Join(lines), *high);
  EXPECT_EQ(high->SoundVolume, 5);
  EXPECT_EQ(high->Menu.ProfileCount, 3);  // only three profiles are in the file
  lines[2] = Encoded("-1");
  lines[25] = Encoded("-4");
  auto low = NewForm();
  frontend::ParseConfig(Join(lines), *low);
  EXPECT_EQ(low->SoundVolume, 0);
  EXPECT_EQ(low->Menu.ProfileCount, 0);
  EXPECT_EQ(low->Menu.CurrentProfile, 0);

  // Names longer than the name entry allows are cut to its twelve letters wherever they stand.
  const std::string longName(100000, 'w');
  for (size_t line : {4u, 5u, 6u, 28u}) lines[line - 1] = online::encode(longName);
  lines[25] = Encoded("3");
  auto cut = NewForm();
  frontend::ParseConfig(Join(lines), *cut);
  EXPECT_EQ(cut->Menu.OptionText, std::string(12, 'w'));
  EXPECT_EQ(cut->PlayerName, std::string(12, 'w'));
  EXPECT_EQ(cut->Menu.HiScores[0].Name, std::string(12, 'w'));
  EXPECT_EQ(cut->Menu.Profiles[0].Name, std::string(12, 'w'));
}

// Found by fuzzing: a high-score name of padding only was read as an empty name, which the file
// then wrote as an empty line and read back as the row's default.
TEST_F(SettingsTest, HighScoreNameOfPaddingOnlyKeepsTheDefaultAndSurvivesAWrite) {
  std::vector<std::string> lines = Lines(frontend::FormatConfig(*form));
  lines[5] = online::encode("%%%%%");
  auto loaded = NewForm();
  frontend::ParseConfig(Join(lines), *loaded);
  EXPECT_EQ(loaded->Menu.HiScores[0].Name, "Kyrrin");
  const std::string written = frontend::FormatConfig(*loaded);
  auto again = NewForm();
  frontend::ParseConfig(written, *again);
  EXPECT_EQ(frontend::FormatConfig(*again), written);
}

// Found by fuzzing: a name cut to twelve letters kept the padding it was cut at, and lost it on
// the next read.
TEST_F(SettingsTest, NameCutToTwelveLettersDropsThePaddingItEndsIn) {
  std::vector<std::string> lines = Lines(frontend::FormatConfig(*form));
  lines[5] = online::encode("Ann%%%%%%%%%%%X");
  auto loaded = NewForm();
  frontend::ParseConfig(Join(lines), *loaded);
  EXPECT_EQ(loaded->Menu.HiScores[0].Name, "Ann");
  const std::string written = frontend::FormatConfig(*loaded);
  auto again = NewForm();
  frontend::ParseConfig(written, *again);
  EXPECT_EQ(frontend::FormatConfig(*again), written);
}

TEST_F(SettingsTest, ConfigCutShortOrNotCodecTextKeepsWhatIsMissing) {
  form->SoundVolume = 1;
  for (int i = 0; i < 4; ++i)
    frontend::AddProfile(form->Menu, std::string(1, 'n') += std::to_string(i));
  const std::vector<std::string> lines = Lines(frontend::FormatConfig(*form));
  // Cut inside the third profile: the first two and the third's name remain.
  std::vector<std::string> cut(lines.begin(), lines.begin() + 32);
  auto loaded = NewForm();
  frontend::ParseConfig(Join(cut), *loaded);
  EXPECT_EQ(loaded->SoundVolume, 1);
  EXPECT_EQ(loaded->Menu.ProfileCount, 3);
  EXPECT_EQ(loaded->Menu.CurrentProfile, 0);  // profile 3 is no longer there
  EXPECT_EQ(loaded->Menu.Profiles[2].Name, "n2");
  // A file of bytes that are neither the codec's nor valid text.
  std::string binary;
  for (int i = 0; i < 600; ++i) binary += static_cast<char>((i * 37) % 256);
  auto garbage = NewForm();
  garbage->SoundVolume = 2;
  WriteFile("Config.cfg", binary);
  frontend::ReadConfigFile(*garbage);
  EXPECT_EQ(garbage->SoundVolume, 2);
  EXPECT_EQ(garbage->Menu.HiScores[3].Score, "700");
  EXPECT_GE(garbage->Menu.ProfileCount, 0);
  EXPECT_LE(garbage->Menu.ProfileCount, 10);
}

TEST_F(SettingsTest, ProgressSurvivesWriteAndRead) {
  form->Score = 1234;
  form->TracksOpen = 7;
  form->TrucksOpen = 4;
  form->NextUnlockScore = 2500;
  form->UnlockLevel = 6;
  form->Race.Tracks[0].BestMin = 1;
  form->Race.Tracks[0].BestSec = 5;
  form->Race.Tracks[0].BestHund = 7;
  form->Race.Tracks[24].BestMin = 3;
  ASSERT_TRUE(frontend::WriteProgressFile(*form));
  EXPECT_EQ(Lines(ReadFile("Configdat.cfg")).size(), 80u);
  auto loaded = NewForm();
  frontend::ReadProgressFile(*loaded);
  EXPECT_EQ(loaded->Score, 1234);
  EXPECT_EQ(loaded->TracksOpen, 7);
  EXPECT_EQ(loaded->TrucksOpen, 4);
  EXPECT_EQ(loaded->NextUnlockScore, 2500);
  EXPECT_EQ(loaded->UnlockLevel, 6);
  EXPECT_EQ(loaded->Race.Tracks[0].BestMin, 1);
  EXPECT_EQ(loaded->Race.Tracks[0].BestSec, 5);
  EXPECT_EQ(loaded->Race.Tracks[0].BestHund, 7);
  EXPECT_EQ(loaded->Race.Tracks[1].BestMin, 1000);
  EXPECT_EQ(loaded->Race.Tracks[24].BestMin, 3);
}

TEST_F(SettingsTest, DamagedProgressKeepsDefaultsAndRanges) {
  std::vector<std::string> lines = Lines(frontend::FormatProgress(*form));
  ASSERT_EQ(lines.size(), 80u);
  lines[0] = Encoded("12a");  // score: no number
  lines[1] = Encoded("40");   // tracks above twelve
  lines[2] = Encoded("9");    // trucks above five
  lines[4] = Encoded("12");   // unlock level above nine
  lines[5] = Encoded("-3");   // track 0: a negative hundredths part
  lines[6] = Encoded("10");
  lines[7] = Encoded("2");
  lines[8] = Encoded("50");  // track 1: fine
  lines[9] = Encoded("30");
  lines[10] = Encoded("4");
  auto loaded = NewForm();
  loaded->Score = 55;
  frontend::ParseProgress(Join(lines), *loaded);
  EXPECT_EQ(loaded->Score, 55);
  EXPECT_EQ(loaded->TracksOpen, 12);
  EXPECT_EQ(loaded->TrucksOpen, 5);
  EXPECT_EQ(loaded->UnlockLevel, 9);
  EXPECT_EQ(loaded->Race.Tracks[0].BestMin, 1000);
  EXPECT_EQ(loaded->Race.Tracks[0].BestHund, 0);
  EXPECT_EQ(loaded->Race.Tracks[1].BestMin, 4);
  EXPECT_EQ(loaded->Race.Tracks[1].BestHund, 50);

  lines[1] = Encoded("0");
  lines[2] = Encoded("-2");
  lines[4] = Encoded("-1");
  lines.resize(9);  // cut short inside track 1
  auto low = NewForm();
  frontend::ParseProgress(Join(lines), *low);
  EXPECT_EQ(low->TracksOpen, 3);
  EXPECT_EQ(low->TrucksOpen, 5);
  EXPECT_EQ(low->UnlockLevel, 0);
  EXPECT_EQ(low->Race.Tracks[1].BestMin, 1000);

  WriteFile("Configdat.cfg", std::string("\xff\xfe\x00\x01 not a settings file", 25));
  auto garbage = NewForm();
  frontend::ReadProgressFile(*garbage);
  EXPECT_EQ(garbage->TracksOpen, 3);
  EXPECT_EQ(garbage->NextUnlockScore, 300);
}

TEST_F(SettingsTest, InstalledSeamsReadAndWriteBothFiles) {
  frontend::InstallSettingsFiles(*form);
  ASSERT_TRUE(form->ReadConfigFiles && form->WriteConfigFiles);
  form->Score = 990;
  form->PlayerName = "Ivan";
  form->WriteConfigFiles();
  auto loaded = NewForm();
  frontend::InstallSettingsFiles(*loaded);
  loaded->ReadConfigFiles();
  EXPECT_EQ(loaded->Score, 990);
  EXPECT_EQ(loaded->PlayerName, "Ivan");
}

TEST_F(SettingsTest, WritesReplaceTheFileWholeAndFailuresAreReportedOnce) {
  std::string error;
  ASSERT_TRUE(platform::WriteFileAtomically("Config.cfg", "old\r\n", error));
  ASSERT_TRUE(platform::WriteFileAtomically("Config.cfg", "new\r\n", error));
  EXPECT_EQ(ReadFile("Config.cfg"), "new\r\n");
  EXPECT_FALSE(platform::WriteFileAtomically("missing/Config.cfg", "x", error));
  EXPECT_FALSE(error.empty());

  // A folder where the file cannot be created: a directory stands in the temporary file's way.
  std::filesystem::create_directory("Configdat.cfg.tmp");
  int messages = 0;
  engine::SetMessageHandler([&messages](const std::string&, const std::string&) { ++messages; });
  form->Score = 70;
  EXPECT_FALSE(frontend::WriteProgressFile(*form));
  EXPECT_FALSE(frontend::WriteProgressFile(*form));
  engine::SetMessageHandler({});
  EXPECT_EQ(messages, 1);
  EXPECT_EQ(form->Score, 70);
  EXPECT_FALSE(std::filesystem::exists("Configdat.cfg"));
}

TEST(EffectVolume, StepsMapOntoSeventyFiveToHundred) {
  const int32_t expected[] = {75, 80, 85, 90, 95, 100};
  for (int32_t step = 0; step <= 5; ++step) EXPECT_EQ(game::EffectVolume(step), expected[step]);
  EXPECT_EQ(game::EffectVolume(-3), 75);
  EXPECT_EQ(game::EffectVolume(8), 100);
}

TEST_F(SettingsTest, ApplySoundVolumeSetsEverySound) {
  for (const char* name : {"check", "check2", "coin"}) form->Sound3D.SoundList.Add().Name = name;
  form->SoundVolume = 2;
  form->ApplySoundVolume();
  for (int i = 0; i < form->Sound3D.SoundList.Count(); ++i) {
    EXPECT_EQ(form->Sound3D.SoundList.Items(i)->Volume, 85);
  }
}

}  // namespace
}  // namespace settingstest
