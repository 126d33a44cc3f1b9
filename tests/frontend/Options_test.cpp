// Tests of the options screen on a started form: the switches, the volume, apply, cancel and Esc,
// and what reaches Config.cfg.
#include <gtest/gtest.h>

#include <string>

#include "frontend/Settings.h"
#include "frontend/SettingsFixture.h"
#include "platform/Text1251.h"

namespace settingstest {
namespace {

class OptionsTest : public ScreenFixture {
 protected:
  void EnterOptions() {
    form->GameState = game::gsMainMenu;
    form->EnterState(game::gsOptions);
    ASSERT_EQ(form->GameState, game::gsOptions);
  }
  engine::TOmegaButton* Slot(int slot) { return form->Menu.Buttons[static_cast<size_t>(slot)]; }
  // Slots: 0 apply, 1 cancel, 2 full screen, 3 volume down, 4 volume up, 5 music, 6 controls.
  void Apply() { ClickOn(Slot(0)); }
  void Cancel() { ClickOn(Slot(1)); }

  // The settings a fresh form reads back from Config.cfg.
  std::unique_ptr<game::TForm1> Reread() {
    auto loaded = NewForm();
    frontend::ReadConfigFile(*loaded);
    return loaded;
  }
};

TEST_F(OptionsTest, ApplyKeepsTheScreensValuesAndSwitchesTheDisplay) {
  form->SoundVolume = 2;
  EnterOptions();
  ClickOn(Slot(4));  // volume up
  ClickOn(Slot(5));  // music off
  ClickOn(Slot(2));  // full screen on: not yet
  EXPECT_TRUE(form->FullScreen);
  EXPECT_FALSE(form->OmegaScreen1.FullScreen);
  EXPECT_EQ(form->Menu.VolumeBar->Position, 3);
  form->Menu.NameEdit->SetText(Ru("Ура%"));
  Apply();
  EXPECT_TRUE(form->OmegaScreen1.FullScreen);
  EXPECT_TRUE(form->Menu.ScreenIsFull);
  EXPECT_EQ(form->SoundVolume, 3);
  EXPECT_FALSE(form->MusicOn);
  EXPECT_EQ(form->Menu.OptionText, Ru("Ура"));  // writing strips the trailing "%"
  EXPECT_EQ(form->Menu.ButtonList, nullptr);

  auto loaded = Reread();
  EXPECT_TRUE(loaded->FullScreen);
  EXPECT_FALSE(loaded->MusicOn);
  EXPECT_EQ(loaded->SoundVolume, 3);
  EXPECT_EQ(loaded->Menu.OptionText, Ru("Ура"));
}

TEST_F(OptionsTest, CancelRestoresButTheFileHoldsTheScreensValues) {
  form->SoundVolume = 4;
  EnterOptions();
  ClickOn(Slot(3));  // volume down
  ClickOn(Slot(5));  // music off
  ClickOn(Slot(2));  // full screen on
  Cancel();
  EXPECT_FALSE(form->FullScreen);
  EXPECT_FALSE(form->OmegaScreen1.FullScreen);
  EXPECT_TRUE(form->MusicOn);
  EXPECT_EQ(form->SoundVolume, 4);
  // The effects are back at the restored volume, not the cancelled one.
  EXPECT_EQ(form->Sound3D.SoundList.Find("check")->Volume, 95);

  // Leaving wrote the file before the values were restored.
  auto loaded = Reread();
  EXPECT_TRUE(loaded->FullScreen);
  EXPECT_FALSE(loaded->MusicOn);
  EXPECT_EQ(loaded->SoundVolume, 3);
}

TEST_F(OptionsTest, AltEnterSwitchesTheDisplayAtOnceAndCancelKeepsIt) {
  form->SwitchDisplayMode();  // from the main menu
  EXPECT_TRUE(form->OmegaScreen1.FullScreen);
  EXPECT_TRUE(form->FullScreen);
  EnterOptions();
  const auto* on = form->MenuImage("b_on");
  EXPECT_EQ(form->Menu.FullScreenSwitch->States[0].Image, on);
  ClickOn(Slot(2));  // pending: window
  form->SwitchDisplayMode();
  EXPECT_FALSE(form->OmegaScreen1.FullScreen);
  form->SwitchDisplayMode();
  EXPECT_EQ(form->Menu.FullScreenSwitch->States[0].Image, on) << "the switch shows the mode in use";
  Cancel();
  EXPECT_TRUE(form->OmegaScreen1.FullScreen) << "Cancel keeps what Alt+Enter chose";
  EXPECT_TRUE(form->FullScreen);
}

TEST_F(OptionsTest, EscRestoresWithoutTouchingTheMusic) {
  form->SoundVolume = 1;
  EnterOptions();
  ClickOn(Slot(5));  // music off
  ClickOn(Slot(4));
  Frame();
  EXPECT_EQ(form->Sound3D.SoundList.Find("coin")->Volume, 85);
  Release(27);
  Frame();
  EXPECT_TRUE(form->MusicOn);
  EXPECT_EQ(form->SoundVolume, 1);
  EXPECT_EQ(form->Menu.ButtonList, nullptr);
  EXPECT_EQ(form->MenuScreen, nullptr);
}

TEST_F(OptionsTest, VolumeStopsAtTheEndsAndTheBarDrivesIt) {
  form->SoundVolume = 5;
  EnterOptions();
  ClickOn(Slot(4));
  EXPECT_EQ(form->SoundVolume, 5);
  for (int i = 0; i < 7; ++i) ClickOn(Slot(3));
  EXPECT_EQ(form->SoundVolume, 0);
  // Dragging the bar: the frame takes its position and sets every effect's volume.
  form->Menu.VolumeBar->SetPosition(2);
  Frame();
  EXPECT_EQ(form->SoundVolume, 2);
  for (int i = 0; i < form->Sound3D.SoundList.Count(); ++i) {
    EXPECT_EQ(form->Sound3D.SoundList.Items(i)->Volume, 85);
  }
  // A click on the bar's first step.
  ClickAt(form->Menu.VolumeBar->Left + 3, form->Menu.VolumeBar->Top + 5);
  Frame();
  EXPECT_EQ(form->SoundVolume, 0);
}

TEST_F(OptionsTest, TheControlsScreenComesBackToThePendingChangesAndCancelStillRestores) {
  frontend::RegisterControlsState(*form);
  EnterOptions();
  ClickOn(Slot(5));  // music off
  ClickOn(Slot(2));  // full screen on, pending
  ClickOn(Slot(7));  // «Управление»
  ASSERT_EQ(form->GameState, game::gsControls);
  ClickAt(320, 192);  // accelerate's first key: waits for a key
  Release('W');
  Release(27);
  Frame();
  ASSERT_EQ(form->GameState, game::gsOptions);
  EXPECT_EQ(form->Bindings.Slot(game::DriveAction::kAccelerate, 0), 'W');
  EXPECT_TRUE(form->FullScreen);
  EXPECT_FALSE(form->MusicOn);
  Cancel();
  EXPECT_FALSE(form->FullScreen);
  EXPECT_TRUE(form->MusicOn);
}

TEST_F(OptionsTest, TheSwitchesShowTheirState) {
  EnterOptions();
  engine::TImageListItem* off = form->OmegaImageList1.Find("b_off");
  engine::TImageListItem* on = form->OmegaImageList1.Find("b_on");
  EXPECT_EQ(form->Menu.FullScreenSwitch->States[0].Image, off);
  EXPECT_EQ(form->Menu.MusicSwitch->States[0].Image, on);
  ClickOn(form->Menu.FullScreenSwitch);
  ClickOn(form->Menu.MusicSwitch);
  EXPECT_EQ(form->Menu.FullScreenSwitch->States[0].Image, on);
  EXPECT_EQ(form->Menu.MusicSwitch->States[0].Image, off);
  // Clicking the text box starts the caret blinking.
  EXPECT_FALSE(form->Menu.EditActive);
  ClickOn(form->Menu.NameEdit);
  EXPECT_TRUE(form->Menu.EditActive);
}

}  // namespace
}  // namespace settingstest
