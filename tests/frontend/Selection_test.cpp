// Track and truck selection: the way there from the main menu, wrapping, locked tracks, the
// information panel's best time, the value bars and the keys.
#include <gtest/gtest.h>

#include "frontend/MenuFixture.h"

namespace frontendtest {
namespace {

class SelectionTest : public MenuFixture {
 protected:
  void ToTrackScreen() {
    ToMainMenu();
    ClickSlot(0);
    ASSERT_EQ(form->GameState, game::gsTrackSelect);
  }
};

TEST_F(SelectionTest, StartLeadsToTracksThenTrucksAndEscGoesBackToTheMenu) {
  ToTrackScreen();
  Frame(30);  // the buttons slide in
  ExpectEveryPictureFound();
  EXPECT_EQ(form->Menu.Buttons[0]->Left, 380);
  EXPECT_EQ(form->Menu.Buttons[1]->Left, 234);
  EXPECT_EQ(form->Menu.Buttons[2]->Left, 9);
  EXPECT_EQ(form->Menu.Buttons[3]->Left, 642);
  ClickSlot(3);
  ASSERT_EQ(form->GameState, game::gsTruckSelect);
  ExpectEveryPictureFound();
  Press(27);
  Frame();
  EXPECT_EQ(form->GameState, game::gsMainMenu);
  ClickSlot(0);
  Press(27);
  Frame();
  EXPECT_EQ(form->GameState, game::gsMainMenu);
  ClickSlot(0);
  Frame(30);
  ClickSlot(2);
  EXPECT_EQ(form->GameState, game::gsMainMenu);
  ClickSlot(0);
  Press(13);
  Frame();
  ASSERT_EQ(form->GameState, game::gsTruckSelect);
  ClickSlot(2);
  EXPECT_EQ(form->GameState, game::gsMainMenu);
  EXPECT_EQ(form->Menu.TruckImage, nullptr);
  EXPECT_EQ(form->Menu.SpeedBar, nullptr);
}

TEST_F(SelectionTest, TracksWrapAndALockedTrackCannotBeContinuedFrom) {
  ToTrackScreen();
  Press(37);  // left from the first track
  Frame();
  EXPECT_EQ(form->Race.SelectedTrack, 11);
  EXPECT_EQ(form->Menu.TrackImage->Image->Name, "tr_notav");
  EXPECT_FALSE(form->Menu.Buttons[3]->Visible);
  Press(13);
  Frame();
  EXPECT_EQ(form->GameState, game::gsTrackSelect);
  Press(39);
  Frame();
  EXPECT_EQ(form->Race.SelectedTrack, 0);
  EXPECT_TRUE(form->Menu.Buttons[3]->Visible);
  EXPECT_EQ(form->Menu.TrackImage->Image->Name, form->Race.Tracks[0].Picture);
  // Two keys in one frame: only the first in the order Esc, Enter, right, left counts.
  Press(39);
  Press(37);
  Frame();
  EXPECT_EQ(form->Race.SelectedTrack, 1);
  EXPECT_TRUE(form->KeyReleased[37]);
}

TEST_F(SelectionTest, TrucksWrapAndTheBarsShowTheModel) {
  ToTrackScreen();
  ClickSlot(3);
  ASSERT_EQ(form->GameState, game::gsTruckSelect);
  form->Race.SelectedTruck = 4;
  Press(39);
  Frame();
  EXPECT_EQ(form->Race.SelectedTruck, 0);
  const game::TruckModel& speeder = form->Race.TruckModels[0];
  EXPECT_FLOAT_EQ(form->Menu.SpeedBar->ScaleX, static_cast<float>(speeder.MaxSpeed / 15));
  EXPECT_FLOAT_EQ(form->Menu.AccelBar->ScaleX, static_cast<float>(speeder.AccelRate * 10 + 0.1));
  EXPECT_FLOAT_EQ(form->Menu.SteerBar->ScaleX, static_cast<float>(speeder.SteerRate + 0.2));
  EXPECT_FLOAT_EQ(form->Menu.GripBar->ScaleX, static_cast<float>(speeder.Grip));
  EXPECT_NEAR(form->Menu.SpeedBar->ScaleX, 0.6, 1e-6);
  EXPECT_NEAR(form->Menu.GripBar->ScaleX, 0.85, 1e-6);
  Press(37);
  Frame();
  EXPECT_EQ(form->Race.SelectedTruck, 4);
  EXPECT_EQ(form->Menu.TruckImage->Image->Name, form->Race.TruckModels[4].Picture);
}

TEST_F(SelectionTest, ALockedTruckStartsOnlyFromTheButton) {
  ToTrackScreen();
  ClickSlot(3);
  form->Race.TruckModels[form->Race.SelectedTruck].Unlocked = false;
  Press(13);
  Frame();
  EXPECT_EQ(form->GameState, game::gsTruckSelect);
  form->GameImagesPending = false;  // the race pictures come with the fixture's archive below
  form->GameImageList.ImageList().LoadFromFile(std::string(VORNAKEL_GAME_DIR) + "/Data/data2.oil");
  form->GameImageList.Initialize();
  ClickSlot(3);
  EXPECT_EQ(form->GameState, game::gsRace);
  EXPECT_EQ(form->Menu.MenuLights[0], nullptr);
  EXPECT_EQ(form->Menu.ButtonList, nullptr);
}

}  // namespace
}  // namespace frontendtest

namespace frontendtest {
namespace {

TEST(TrackInfo, BestTimeShowsPaddedSecondsAndHundredthsOrDashes) {
  game::TrackInfo track;
  track.Unlocked = true;
  track.BestMin = 1;
  track.BestSec = 5;
  track.BestHund = 7;
  EXPECT_EQ(frontend::BestTimeText(track), "1:05:07");
  track.BestMin = 12;
  track.BestSec = 59;
  track.BestHund = 10;
  EXPECT_EQ(frontend::BestTimeText(track), "12:59:10");
  track.BestMin = 1000;
  EXPECT_EQ(frontend::BestTimeText(track), "--:--:--");
  track.BestMin = 1;
  track.Unlocked = false;
  EXPECT_EQ(frontend::BestTimeText(track), "--:--:--");
}

}  // namespace
}  // namespace frontendtest
