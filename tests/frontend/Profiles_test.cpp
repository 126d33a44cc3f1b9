// Tests of the profile rules (add, delete, select) and the high-score table's entry rule.
#include "frontend/Profiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace frontend {
namespace {

game::MenuState WithProfiles(const std::vector<std::string>& names, int32_t current) {
  game::MenuState menu;
  for (const auto& name : names) AddProfile(menu, name);
  menu.CurrentProfile = current;
  menu.ProfileCursor = current;
  return menu;
}

std::vector<std::string> Names(const game::MenuState& menu) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < menu.ProfileCount; ++i) {
    names.push_back(menu.Profiles[static_cast<size_t>(i)].Name);
  }
  return names;
}

TEST(HiScores, DefaultTable) {
  game::MenuState menu;
  ResetHiScores(menu);
  for (int n = 1; n <= 10; ++n) {
    const auto& row = menu.HiScores[static_cast<size_t>(n - 1)];
    EXPECT_EQ(row.Rank, std::to_string(n));
    EXPECT_EQ(row.Name, "Kyrrin");
    EXPECT_EQ(row.Score, std::to_string(1100 - 100 * n));
  }
}

TEST(HiScores, EqualScoreBeatsTenthDropsRanksStay) {
  game::MenuState menu;
  ResetHiScores(menu);
  menu.HiScores[9].Name = "last";
  EXPECT_TRUE(EnterHiScore(menu, "Ann", 700));
  EXPECT_EQ(menu.HiScores[3].Name, "Ann");
  EXPECT_EQ(menu.HiScores[3].Score, "700");
  EXPECT_EQ(menu.HiScores[4].Score, "700");  // the old 700 moved down one place
  EXPECT_EQ(menu.HiScores[9].Score, "200");
  EXPECT_EQ(menu.HiScores[9].Name, "Kyrrin");  // "last" dropped out
  for (int n = 1; n <= 10; ++n)
    EXPECT_EQ(menu.HiScores[static_cast<size_t>(n - 1)].Rank, std::to_string(n));

  // Equal to the lowest row still enters; below it does not.
  EXPECT_TRUE(EnterHiScore(menu, "Bob", 200));
  EXPECT_EQ(menu.HiScores[9].Name, "Bob");
  EXPECT_FALSE(EnterHiScore(menu, "Cid", 199));
  EXPECT_EQ(menu.HiScores[9].Name, "Bob");
  EXPECT_TRUE(EnterHiScore(menu, "Top", 99999));
  EXPECT_EQ(menu.HiScores[0].Name, "Top");
  EXPECT_EQ(menu.HiScores[1].Score, "1000");
}

TEST(Profiles, AddTrimsRefusesBlankAndEleventh) {
  game::MenuState menu;
  EXPECT_FALSE(AddProfile(menu, "   "));
  EXPECT_FALSE(AddProfile(menu, ""));
  EXPECT_TRUE(AddProfile(menu, "  Ann Lee "));
  EXPECT_EQ(menu.Profiles[0].Name, "Ann Lee");
  for (int i = 1; i < 10; ++i)
    EXPECT_TRUE(AddProfile(menu, std::string(1, 'p') += std::to_string(i)));
  EXPECT_EQ(menu.CurrentProfile, 9);
  EXPECT_FALSE(AddProfile(menu, "eleven"));
  EXPECT_EQ(menu.ProfileCount, 10);
  EXPECT_EQ(CurrentProfileName(menu), "p9");
}

TEST(Profiles, DeleteKeepsTheCurrentPlayer) {
  // Above the current one: the same player stays current, its index drops by one.
  game::MenuState menu = WithProfiles({"a", "b", "c", "d"}, 2);
  menu.ProfileCursor = 0;
  DeleteProfile(menu);
  EXPECT_EQ(Names(menu), (std::vector<std::string>{"b", "c", "d"}));
  EXPECT_EQ(CurrentProfileName(menu), "c");
  EXPECT_EQ(menu.Profiles[3].Name, "");

  // The current one in the middle: the next player becomes current.
  menu = WithProfiles({"a", "b", "c"}, 1);
  DeleteProfile(menu);
  EXPECT_EQ(Names(menu), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(CurrentProfileName(menu), "c");

  // The last one while current: current and cursor step back, the tag is set to 1.
  menu = WithProfiles({"a", "b", "c"}, 2);
  DeleteProfile(menu);
  EXPECT_EQ(Names(menu), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(menu.CurrentProfile, 1);
  EXPECT_EQ(menu.ProfileCursor, 1);
  EXPECT_EQ(menu.Profiles[2].ProfileTag, 1);

  // The only one: nobody is left and the name is empty.
  menu = WithProfiles({"solo"}, 0);
  DeleteProfile(menu);
  EXPECT_EQ(menu.ProfileCount, 0);
  EXPECT_EQ(CurrentProfileName(menu), "");
  DeleteProfile(menu);  // nothing to delete
  EXPECT_EQ(menu.ProfileCount, 0);
}

TEST(Profiles, SelectTakesTheCursorRowOnly) {
  game::MenuState menu = WithProfiles({"a", "b"}, 0);
  menu.ProfileCursor = 1;
  SelectProfile(menu);
  EXPECT_EQ(CurrentProfileName(menu), "b");
  menu.ProfileCursor = 5;
  SelectProfile(menu);
  EXPECT_EQ(menu.CurrentProfile, 1);
}

TEST(Profiles, Trimming) {
  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(TrimSpaces("    "), "");
  EXPECT_TRUE(HasNonSpace(" x"));
  EXPECT_FALSE(HasNonSpace("   "));
}

}  // namespace
}  // namespace frontend
