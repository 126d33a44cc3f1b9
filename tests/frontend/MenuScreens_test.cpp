// The menu screens outside the race: first run, name entry, main menu and every screen reached from
// it and left again, help pages, the pointer, and the pictures the screens ask for.
#include <gtest/gtest.h>

#include "engine/OmegaImageList.h"
#include "frontend/MenuFixture.h"
#include "frontend/MenuKit.h"
#include "platform/Text1251.h"

namespace frontendtest {
namespace {

using game::TForm1;

TEST_F(MenuFixture, FirstRunGoesFromTheLogoThroughNameEntryToTheMainMenu) {
  EXPECT_EQ(FramesUntilStateLeaves(400), game::gsNameEntry);
  // Nothing but spaces is no name.
  Type("   ");
  Press(13);
  Frame();
  ClickSlot(0);
  EXPECT_EQ(form->GameState, game::gsNameEntry);
  // A Latin keyboard types the Russian letters on the same keys; Backspace takes one back.
  form->Menu.NameEdit->SetText("");
  Type("Dfczz");
  form->FormKeyDown(8);
  form->FormKeyUp(8);
  Frame();
  EXPECT_EQ(form->Menu.NameEdit->Text, Ru("Вася"));
  Type(Ru("!"));
  ClickSlot(0);
  EXPECT_EQ(form->GameState, game::gsMainMenu);
  EXPECT_EQ(form->PlayerName, Ru("Вася!"));
  EXPECT_EQ(form->Menu.ProfileCount, 1);
  EXPECT_EQ(form->LevelNumber, 1);
  EXPECT_NE(form->Menu.MenuLights[0], nullptr);
  // Only the new player is saved; the progress file waits for quitting.
  EXPECT_TRUE(std::filesystem::exists("Config.cfg"));
  EXPECT_FALSE(std::filesystem::exists("Configdat.cfg"));
}

TEST_F(MenuFixture, NameEntryKeepsTwelveCharactersAndTrimsSpaces) {
  FramesUntilStateLeaves(400);
  Type(Ru("  Абвгдежзийклмн"));
  EXPECT_EQ(form->Menu.NameEdit->Text.size(), 12u);
  Press(13);
  Frame();
  EXPECT_EQ(form->GameState, game::gsMainMenu);
  EXPECT_EQ(form->PlayerName, Ru("Абвгдежзий"));
}

// Each main-menu button leads to its screen, and each screen's Esc and back button return.
TEST_F(MenuFixture, EveryScreenIsReachedAndLeftWithEscAndWithItsButtons) {
  ToMainMenu();
  ExpectEveryPictureFound();
  struct Case {
    int slot;
    uint8_t screen;
    int backSlot;  // -1: no back button of ours
  };
  for (const Case& c :
       {Case{1, game::gsOptions, -1}, Case{2, game::gsHiScores, 2}, Case{3, game::gsHelp, 0},
        Case{5, game::gsExitGame, 1}, Case{7, game::gsProfileList, -1}}) {
    SCOPED_TRACE(c.screen);
    ClickSlot(c.slot);
    ASSERT_EQ(form->GameState, c.screen);
    Frame(3);
    ExpectEveryPictureFound();
    Press(27);
    Frame();
    ASSERT_EQ(form->GameState, game::gsMainMenu);
    if (c.backSlot < 0) continue;
    ClickSlot(c.slot);
    ClickSlot(c.backSlot);
    EXPECT_EQ(form->GameState, game::gsMainMenu);
    EXPECT_EQ(form->MenuScreen, nullptr);
  }
  // Esc on the main menu asks whether to quit.
  Press(27);
  Frame();
  EXPECT_EQ(form->GameState, game::gsExitGame);
}

TEST_F(MenuFixture, ClearingTheHighScoresAsksFirst) {
  ToMainMenu();
  form->Menu.HiScores[0].Name = "Someone";
  ClickSlot(2);
  ClickSlot(0);
  ASSERT_EQ(form->GameState, game::gsClearHiScores);
  ExpectEveryPictureFound();
  ClickSlot(1);  // no
  ASSERT_EQ(form->GameState, game::gsHiScores);
  EXPECT_EQ(form->Menu.HiScores[0].Name, "Someone");
  ClickSlot(0);
  Press(27);
  Frame();
  ASSERT_EQ(form->GameState, game::gsHiScores);
  ClickSlot(0);
  ClickSlot(0);  // yes
  EXPECT_EQ(form->GameState, game::gsHiScores);
  EXPECT_EQ(form->Menu.HiScores[0].Name, "Kyrrin");
  EXPECT_EQ(form->Menu.ClearTitle, nullptr);
}

TEST_F(MenuFixture, TheOnlineTableAndTheLinksOpenThroughTheShell) {
  ToMainMenu();
  ClickSlot(2);
  ClickSlot(1);
  ASSERT_EQ(shell_.opened.size(), 1u);
  EXPECT_NE(shell_.opened[0].find("show&type=0"), std::string::npos);
  EXPECT_EQ(shell_.opened[0].find("lang="), std::string::npos);
  form->Lang = game::Language::English;
  ClickSlot(1);
  ASSERT_EQ(shell_.opened.size(), 2u);
  EXPECT_NE(shell_.opened[1].find("show&type=0&lang=en"), std::string::npos);
  form->Lang = game::Language::Russian;
  Press(27);
  Frame();
  // Without the shortcut files the link buttons open nothing.
  ClickSlot(4);
  ClickSlot(6);
  EXPECT_EQ(shell_.opened.size(), 2u);
  EXPECT_EQ(form->GameState, game::gsMainMenu);
}

TEST_F(MenuFixture, HelpPagesStopAtOneAndFour) {
  ToMainMenu();
  ClickSlot(3);
  const auto pictureOfPage = [&] { return form->MenuScreen->Image->Name; };
  EXPECT_EQ(form->Menu.HelpPage, 1);
  ClickSlot(2);  // previous on page 1
  EXPECT_EQ(form->Menu.HelpPage, 1);
  EXPECT_EQ(pictureOfPage(), "scr_help");
  for (const char* picture : {"scr_help2", "scr_help3", "scr_help4", "scr_help4"}) {
    ClickSlot(1);
    EXPECT_EQ(pictureOfPage(), picture);
  }
  EXPECT_EQ(form->Menu.HelpPage, 4);
  ClickSlot(2);
  EXPECT_EQ(form->Menu.HelpPage, 3);
  EXPECT_EQ(pictureOfPage(), "scr_help3");
  // A double click turns one page, not two.
  DoubleClickSlot(2);
  EXPECT_EQ(form->Menu.HelpPage, 2);
  // Coming back starts on page 1.
  Press(27);
  Frame();
  ClickSlot(3);
  EXPECT_EQ(form->Menu.HelpPage, 1);
}

TEST_F(MenuFixture, QuittingWritesTheSettingsAndEndsOnTheExitScreen) {
  ToMainMenu();
  ClickSlot(5);
  ClickSlot(1);  // no
  EXPECT_EQ(form->GameState, game::gsMainMenu);
  std::filesystem::remove("Configdat.cfg");
  ClickSlot(5);
  Press(13);
  Frame();
  EXPECT_EQ(form->GameState, game::gsExitScreen);
  EXPECT_TRUE(std::filesystem::exists("Config.cfg"));
  EXPECT_TRUE(std::filesystem::exists("Configdat.cfg"));
  EXPECT_TRUE(form->Closed());
}

TEST_F(MenuFixture, TheZKeyAddsTenPointsOnTheMainMenu) {
  ToMainMenu();
  const int32_t score = form->Score;
  Press(90);
  Frame();
  Press(90);
  Frame();
  EXPECT_EQ(form->Score, score + 20);
}

TEST_F(MenuFixture, ThePointerFollowsTheMouseAndAnimatesEveryFifthFrame) {
  ToMainMenu();
  ClickAt(123, 456);
  Frame();
  engine::TSprite* cursor = form->Menu.Cursor;
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->X, 123);
  EXPECT_EQ(cursor->Y, 456);
  EXPECT_EQ(cursor->Name, "cursor");
  EXPECT_EQ(cursor->Z, 90000);
  auto* pointer = static_cast<frontend::TCursor*>(cursor);
  pointer->Counter = 5;
  pointer->SetPatternIndex(7);
  pointer->Move(0);
  EXPECT_EQ(pointer->PatternIndex, 0);
  for (int i = 0; i < 4; ++i) pointer->Move(0);
  EXPECT_EQ(pointer->PatternIndex, 0);
  pointer->Move(0);
  EXPECT_EQ(pointer->PatternIndex, 1);
}

// Every picture the menus name is in the archives the build generates.
TEST(MenuPictures, EveryPictureTheScreensNameIsInTheArchives) {
  engine::TImageListCollection menu;
  engine::TImageListCollection race;
  ASSERT_TRUE(menu.LoadFromFile(std::string(VORNAKEL_GAME_DIR) + "/Data/data1.oil"));
  ASSERT_TRUE(race.LoadFromFile(std::string(VORNAKEL_GAME_DIR) + "/Data/data2.oil"));
  for (const char* name : {"mousecursor", "undermenu",       "mainback",       "light1",
                           "light2",      "scr_add",         "e_name",         "b_add",
                           "b_stgame",    "b_opt",           "b_hiscr",        "b_help",
                           "b_visit",     "b_exit",          "b_logo",         "b_presshere",
                           "scr_help",    "scr_help2",       "scr_help3",      "scr_help4",
                           "b_back",      "b_next",          "b_prev",         "scr_hiscr",
                           "b_clrhiscr",  "b_viewwhiscr",    "scr_clearhiscr", "b_yes",
                           "b_no",        "scr_ExitTheGame", "scr_choose",     "scr_choosecar",
                           "tr_notav",    "bc_next",         "bc_prev",        "bc_race",
                           "bar",         "b_no1",           "b_yes1",         "bro_next",
                           "c_car1",      "c_car2",          "c_car3",         "c_car4",
                           "c_car5"}) {
    EXPECT_NE(menu.Find(name), nullptr) << name;
  }
  for (int i = 1; i <= 12; ++i) {
    const std::string name = "tr_track" + std::to_string(i);
    EXPECT_NE(menu.Find(name), nullptr) << name;
  }
  for (const char* name :
       {"undermenu", "scr_exitgame", "scr_gameover", "scr_timesup", "scr_send", "scr_yourscore"}) {
    EXPECT_NE(race.Find(name), nullptr) << name;
  }
}

}  // namespace
}  // namespace frontendtest
