// The screen and sound settings: vornakel.ini round trip with damaged values, and the page over the
// options screen (applied and saved at once, the options' pending changes kept, full screen as
// Alt+Enter).
#include "frontend/ScreenSettings.h"

#include <gtest/gtest.h>

#include "frontend/GameIni.h"
#include "frontend/Settings.h"
#include "frontend/SettingsFixture.h"

namespace settingstest {
namespace {

using platform::Scaling;

class ScreenSettingsTest : public ScreenFixture {};

TEST_F(ScreenSettingsTest, RoundTripKeepsOtherKeysAndDamageGivesDefaults) {
  frontend::IniDocument ini = frontend::IniDocument::Parse(
      "[general]\nlanguage = ru\nscaling = integer\nvsync = on\nmusic_volume = 2\n");
  game::ScreenSoundSettings read = frontend::ScreenSoundIn(ini);
  EXPECT_EQ(read.Scaling, Scaling::kInteger);
  EXPECT_TRUE(read.VSync);
  EXPECT_EQ(read.MusicVolume, 2);
  read.MusicVolume = 0;
  frontend::SetScreenSound(ini, read);
  EXPECT_EQ(ini.Serialize(),
            "[general]\nlanguage = ru\nscaling = integer\nvsync = on\nmusic_volume = 0\n");

  for (const char* damaged :
       {"[general]\nscaling = 2x\nvsync = maybe\nmusic_volume = 9\n",
        "[general]\nscaling =\nvsync = ON\nmusic_volume = -1\n", "[general]\nmusic_volume = 3x\n",
        "[general\nscaling = integer\n", "\x01\xff[general]\nmusic_volume = 4.5\n", ""}) {
    const game::ScreenSoundSettings d =
        frontend::ScreenSoundIn(frontend::IniDocument::Parse(damaged));
    EXPECT_EQ(d.Scaling, Scaling::kLetterbox) << damaged;
    EXPECT_FALSE(d.VSync) << damaged;
    EXPECT_EQ(d.MusicVolume, game::kMaxMusicVolume) << damaged;
  }

  // Through the file: what one run writes, the next reads at start-up.
  form->ScreenSound = read;
  ASSERT_TRUE(frontend::WriteScreenSound(*form));
  auto next = NewForm();
  frontend::ReadScreenSound(*next);
  EXPECT_EQ(next->ScreenSound.Scaling, Scaling::kInteger);
  EXPECT_EQ(next->ScreenSound.MusicVolume, 0);
}

TEST_F(ScreenSettingsTest, PageAppliesAtOnceAndTheOptionsKeepTheirPendingChanges) {
  auto slot = [this](int i) { return form->Menu.Buttons[static_cast<size_t>(i)]; };
  form->GameState = game::gsMainMenu;
  form->EnterState(game::gsOptions);
  ClickOn(slot(5));  // music off, not applied yet
  ClickOn(slot(6));  // "Экран и звук"
  ASSERT_EQ(form->GameState, game::gsScreenPage);

  // Slots: 0 full screen, 1 scaling, 2 vsync, 3 music down, 4 music up, 5 language, 6 back.
  ClickOn(slot(1));
  EXPECT_EQ(form->ScreenSound.Scaling, Scaling::kInteger);
  ClickOn(slot(3));
  ClickOn(slot(4));
  ClickOn(slot(4));  // stops at the top
  ClickOn(slot(3));
  EXPECT_EQ(form->ScreenSound.MusicVolume, 4);
  EXPECT_EQ(form->Sound3D.ModList.Find("menumusic")->Volume, 94);
  // The null device shows nothing, so it refuses vertical sync: the switch stays off.
  ClickOn(slot(2));
  EXPECT_FALSE(form->ScreenSound.VSync);
  EXPECT_TRUE(form->ScreenSound.VSyncRefused);
  const game::ScreenSoundSettings saved = frontend::ScreenSoundIn(frontend::ReadGameIni());
  EXPECT_EQ(saved.Scaling, Scaling::kInteger);
  EXPECT_EQ(saved.MusicVolume, 4);
  EXPECT_FALSE(saved.VSync);
  // Full screen changes the mode at once, as Alt+Enter does, and the switch follows Alt+Enter.
  ClickOn(slot(0));
  EXPECT_TRUE(form->OmegaScreen1.FullScreen);
  EXPECT_TRUE(form->FullScreen);
  EXPECT_EQ(slot(0)->States[0].Image, form->MenuImage("b_on"));
  form->SwitchDisplayMode();
  Frame();
  EXPECT_FALSE(form->OmegaScreen1.FullScreen);
  EXPECT_EQ(slot(0)->States[0].Image, form->MenuImage("b_off"));
  ClickOn(slot(0));

  Release(27);
  Frame();
  ASSERT_EQ(form->GameState, game::gsOptions);
  EXPECT_FALSE(form->MusicOn);  // still pending
  EXPECT_EQ(form->Menu.FullScreenSwitch->States[0].Image, form->MenuImage("b_on"));
  ClickOn(slot(1));  // cancel undoes the music, not the display mode in use
  EXPECT_TRUE(form->MusicOn);
  EXPECT_TRUE(form->OmegaScreen1.FullScreen);
  auto loaded = NewForm();
  frontend::ReadConfigFile(*loaded);
  EXPECT_TRUE(loaded->FullScreen) << "Config.cfg keeps the mode in use";
}

}  // namespace
}  // namespace settingstest
