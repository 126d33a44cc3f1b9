// Tests of the profile screens on a started form: the list's buttons and keys, adding, deleting,
// and the pulsing bar.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "frontend/Profiles.h"
#include "frontend/ProfilesStates.h"
#include "frontend/ReplayStore.h"
#include "frontend/Settings.h"
#include "frontend/SettingsFixture.h"

namespace settingstest {
namespace {

class ProfileScreensTest : public ScreenFixture {
 protected:
  void EnterList() {
    form->GameState = game::gsMainMenu;
    form->EnterState(game::gsProfileList);
    ASSERT_EQ(form->GameState, game::gsProfileList);
  }
  engine::TOmegaButton* Slot(int slot) { return form->Menu.Buttons[static_cast<size_t>(slot)]; }
  // List slots: 0 up, 1 down, 2 add, 3 delete, 4 back, 5 select.
  void AddThroughScreen(const std::string& name) {
    ClickOn(Slot(2));
    ASSERT_EQ(form->GameState, game::gsProfileAdd);
    form->Menu.NameEdit->SetText(name);
    Release(13);
    Frame();
  }
};

TEST_F(ProfileScreensTest, AddingThroughTheAddScreen) {
  EnterList();
  Frame();
  // With nobody in the list only "add" can be pressed, and Esc does nothing.
  EXPECT_FALSE(Slot(0)->Enabled);
  EXPECT_FALSE(Slot(3)->Enabled);
  EXPECT_FALSE(Slot(4)->Enabled);
  EXPECT_TRUE(Slot(2)->Enabled);
  Release(27);
  Frame();
  EXPECT_EQ(form->GameState, game::gsProfileList);

  ClickOn(Slot(2));
  ASSERT_EQ(form->GameState, game::gsProfileAdd);
  // A blank name is refused by Enter and by the (disabled) button.
  form->Menu.NameEdit->SetText("   ");
  Release(13);
  Frame();
  EXPECT_FALSE(form->Menu.Buttons[0]->Enabled);
  ClickOn(form->Menu.Buttons[0]);
  EXPECT_EQ(form->GameState, game::gsProfileAdd);
  form->Menu.NameEdit->SetText("  Ann ");
  Release(13);
  Frame();
  EXPECT_EQ(form->GameState, game::gsProfileList);
  EXPECT_EQ(form->Menu.ProfileCount, 1);
  EXPECT_EQ(form->PlayerName, "Ann");
  // Leaving the add screen saved the new player.
  auto loaded = NewForm();
  frontend::ReadConfigFile(*loaded);
  EXPECT_EQ(loaded->Menu.ProfileCount, 1);
  EXPECT_EQ(loaded->Menu.Profiles[0].Name, "Ann");

  // Esc on the add screen goes back to the list without adding.
  ClickOn(Slot(2));
  Release(27);
  Frame();
  EXPECT_EQ(form->GameState, game::gsProfileList);
  EXPECT_EQ(form->Menu.ProfileCount, 1);
}

TEST_F(ProfileScreensTest, TheListStopsAtTenAndMovesItsCursor) {
  for (int i = 0; i < 9; ++i)
    frontend::AddProfile(form->Menu, std::string(1, 'a') += std::to_string(i));
  form->Menu.CurrentProfile = 0;
  EnterList();
  AddThroughScreen("last");
  EXPECT_EQ(form->Menu.ProfileCount, 10);
  EXPECT_EQ(form->Menu.ProfileCursor, 9);
  Frame();
  EXPECT_FALSE(Slot(2)->Enabled);
  ClickOn(Slot(2));
  EXPECT_EQ(form->GameState, game::gsProfileList);

  Release(40);  // Down at the bottom stays
  Frame();
  EXPECT_EQ(form->Menu.ProfileCursor, 9);
  ClickOn(Slot(0));
  Release(38);
  Frame();
  EXPECT_EQ(form->Menu.ProfileCursor, 7);
  ClickOn(Slot(5));  // select
  EXPECT_EQ(form->Menu.CurrentProfile, 7);
  EXPECT_EQ(form->PlayerName, "a7");
  Release(27);
  Frame();
  EXPECT_EQ(form->Menu.ChooseLine, nullptr);
  EXPECT_EQ(form->PlayerName, "a7");
}

TEST_F(ProfileScreensTest, DeletingAskesFirstAndKeepsTheCurrentPlayer) {
  for (const char* name : {"a", "b", "c", "d/e"}) frontend::AddProfile(form->Menu, name);
  // Each player's replays; "d:e" and "d/e" share a folder, which stays while one of them is left.
  for (const char* name : {"a", "b", "d:e"}) {
    std::filesystem::create_directories(frontend::PlayerReplayFolder(name));
    std::ofstream(frontend::PlayerReplayFolder(name) + "/last.vrp") << "x";
  }
  form->Menu.CurrentProfile = 2;
  EnterList();
  Release(38);
  Frame();
  Release(38);
  Frame();
  ASSERT_EQ(form->Menu.ProfileCursor, 0);
  ClickOn(Slot(3));
  ASSERT_EQ(form->GameState, game::gsProfileDelete);
  ClickOn(form->Menu.Buttons[1]);  // "no"
  EXPECT_EQ(form->GameState, game::gsProfileList);
  EXPECT_EQ(form->Menu.ProfileCount, 4);
  form->Menu.ProfileCursor = 0;
  ClickOn(Slot(3));
  Frame();
  ClickOn(form->Menu.Buttons[0]);  // "yes"
  EXPECT_EQ(form->GameState, game::gsProfileList);
  EXPECT_EQ(form->Menu.ProfileCount, 3);
  EXPECT_EQ(form->PlayerName, "c");
  EXPECT_EQ(form->Menu.ProfileCursor, 1);  // the list opens on the current player
  EXPECT_FALSE(std::filesystem::exists(frontend::PlayerReplayFolder("a")));
  EXPECT_TRUE(std::filesystem::exists(frontend::PlayerReplayFolder("b") + "/last.vrp"));
  EXPECT_TRUE(std::filesystem::exists(frontend::PlayerReplayFolder("d:e") + "/last.vrp"));
}

TEST_F(ProfileScreensTest, TheBarFollowsTheCursorAndPulses) {
  frontend::AddProfile(form->Menu, "a");
  frontend::AddProfile(form->Menu, "b");
  auto* line = new frontend::TChooseLine(*form);
  EXPECT_GE(line->Alpha, 100);
  EXPECT_LT(line->Alpha, 200);
  EXPECT_EQ(line->Z, 610);
  form->Menu.ProfileCursor = 1;
  line->SetAlpha(245);
  line->Move(0);
  EXPECT_EQ(line->Y, 223);
  EXPECT_EQ(line->Alpha, 250);
  line->Move(0);  // at the top: the step turns, the alpha holds this frame
  EXPECT_EQ(line->Alpha, 250);
  EXPECT_EQ(line->Step, -5);
  line->SetAlpha(100);
  line->Move(0);
  EXPECT_EQ(line->Alpha, 100);
  EXPECT_EQ(line->Step, 5);
  line->Move(0);
  EXPECT_EQ(line->Alpha, 105);
  line->Dead();
  form->OmegaSprite1.Dead();
}

}  // namespace
}  // namespace settingstest
