// Tests of the exit screen state on a main form with null devices: closing at once without a
// screen, the countdown, the close test, the clicks and the links opened on the way out.
#include "frontend/ExitState.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/FakeFontRasterizer.h"
#include "online/GoToLink.h"
#include "online/ShareFixture.h"
#include "platform/null/NullRenderDevice.h"
#include "platform/null/VirtualClock.h"

namespace exittest {
namespace {

using sharetest::Join;
using sharetest::TwoButtonLines;

// A form whose working directory is a scratch folder holding whatever the test writes there.
class ExitStateTest : public ::testing::Test {
 protected:
  ~ExitStateTest() override { form.reset(); }

  // Builds the form as the game does: the exit screen is read when the states are registered.
  void StartGame() {
    form = std::make_unique<game::TForm1>(
        game::PlatformServices{&device_, &fonts_, &clock_, &shell_, nullptr});
    frontend::RegisterExitState(*form);
    form->OmegaScreen1.Start();
    form->OmegaGUI1.Start();
    form->GameState = game::gsLogo;  // a state the form always has
  }
  // Leaving the game.
  void Quit() { form->EnterState(game::gsExitScreen); }
  void Click(int x, int y, int button = 0) {
    form->FormMouseMove(x, y);
    form->FormMouseDown(button, x, y);
    form->FormMouseUp(button, x, y);
  }

  sharetest::ScratchDir dir_;
  sharetest::WorkingDir inDir_{dir_.Path()};
  platform::NullRenderDevice device_;
  enginetest::FakeFontRasterizer fonts_;
  platform::VirtualClock clock_;
  sharetest::RecordingShell shell_;
  std::unique_ptr<game::TForm1> form;
};

TEST_F(ExitStateTest, WithoutAValidDescriptionTheWindowClosesAtOnce) {
  StartGame();  // no wdata folder at all
  EXPECT_FALSE(form->FormCloseQuery());
  Quit();
  EXPECT_EQ(form->GameState, game::gsExitScreen);
  EXPECT_TRUE(form->Closed());
  EXPECT_FALSE(form->OmegaGUI1.Hooked());
  EXPECT_TRUE(device_.cursorShown);

  // Broken files (every kind of bad line is tried on the exit screen itself).
  sharetest::WriteTwoButtonFiles(dir_);
  for (size_t broken : {0, 5, 16}) {
    std::vector<std::string> lines = TwoButtonLines();
    lines.resize(broken);
    dir_.Write("wdata\\config.ini", Join(lines));
    StartGame();
    Quit();
    EXPECT_TRUE(form->Closed()) << broken;
  }
}

TEST_F(ExitStateTest, TheScreenCountsDownAndOnlyThenLetsTheWindowClose) {
  sharetest::WriteTwoButtonFiles(dir_);
  std::vector<std::string> lines = TwoButtonLines();
  lines[14] = std::string(1, '2');  // 100 frames
  dir_.Write("wdata\\config.ini", Join(lines));
  StartGame();
  Quit();
  ASSERT_FALSE(form->Closed());
  EXPECT_TRUE(form->ExitScreenBusy());

  const int presents = device_.presents;
  for (int frame = 1; frame < 100; ++frame) form->OmegaTimer1Timer();
  EXPECT_EQ(device_.presents, presents + 99);
  EXPECT_FALSE(form->FormCloseQuery());
  // The exit button clicked before the countdown is over: nothing happens. A link still works.
  Click(310, 410);
  Click(50, 30);
  EXPECT_FALSE(form->Closed());
  EXPECT_EQ(shell_.opened, std::vector<std::string>{"site.url"});

  form->OmegaTimer1Timer();  // the hundredth frame: the countdown is over
  EXPECT_TRUE(form->FormCloseQuery());
  Click(310, 410, 1);  // the right button does nothing
  EXPECT_FALSE(form->Closed());
  Click(310, 410);
  EXPECT_TRUE(form->Closed());
}

TEST_F(ExitStateTest, ShortcutsAndTheLauncherOpenOnlyExistingFiles) {
  StartGame();
  form->FormDestroy();
  EXPECT_FALSE(online::OpenWebsite(shell_));
  EXPECT_TRUE(shell_.opened.empty());
  for (const char* name : {"website.url", "moregames.url", "play.url", "fscommand\\wgame.exe"})
    dir_.Write(name, "[InternetShortcut]\nURL=https://example.org/\n");
  EXPECT_TRUE(online::OpenWebsite(shell_));
  EXPECT_TRUE(online::OpenMoreGames(shell_));
  form->FormDestroy();
  EXPECT_EQ(shell_.opened, (std::vector<std::string>{"website.url", "moregames.url", "play.url",
                                                     "fscommand\\wgame.exe"}));
}

}  // namespace
}  // namespace exittest
