// The screens over the race: leaving the race, pause, game over, time's up, the final score and
// the end of a game with or without sending the score.
#include <gtest/gtest.h>

#include "frontend/MenuFixture.h"
#include "game/Player.h"

namespace frontendtest {
namespace {

class OverlayTest : public MenuFixture {
 protected:
  // A race running past its start lights.
  void StartRace() {
    ToMainMenu();
    ClickSlot(0);
    Press(13);
    Frame();
    ASSERT_EQ(form->GameState, game::gsTruckSelect);
    Press(13);
    Frame();
    ASSERT_EQ(form->GameState, game::gsRace);
    Frame(260);
    ASSERT_EQ(form->GameState, game::gsRace);
    ASSERT_NE(form->Race.Player, nullptr);
  }
  // From the final score through its button to the question.
  void ThroughFinalScore() {
    ASSERT_EQ(form->GameState, game::gsYourScore);
    EXPECT_FALSE(form->Menu.Buttons[0]->Visible);
    Frame(200);
    EXPECT_FALSE(form->Menu.Buttons[0]->Visible);
    Frame(2);
    ASSERT_TRUE(form->Menu.Buttons[0]->Visible);
    ClickSlot(0);
    ASSERT_EQ(form->GameState, game::gsSendScore);
  }
};

TEST_F(OverlayTest, EscOpensTheQuestionAndEscOrNoResumesTheRace) {
  StartRace();
  Press(27);
  Frame();
  ASSERT_EQ(form->GameState, game::gsRaceMenu);
  EXPECT_FALSE(form->RaceTimer.Enabled);
  EXPECT_TRUE(form->Menu.Cursor->Visible);
  Frame(5);
  Press(27);
  Frame();
  EXPECT_EQ(form->GameState, game::gsRace);
  EXPECT_TRUE(form->RaceTimer.Enabled);
  EXPECT_FALSE(form->Menu.Cursor->Visible);
  EXPECT_EQ(form->Menu.OverlayScreen, nullptr);
  Press(27);
  Frame();
  ClickSlot(0);  // no
  EXPECT_EQ(form->GameState, game::gsRace);
  EXPECT_EQ(form->Menu.ButtonList, nullptr);
}

TEST_F(OverlayTest, PauseStopsTheClockUntilEscPOrF1) {
  StartRace();
  for (int key : {80, 112, 27}) {
    Press(80);
    Frame();
    ASSERT_EQ(form->GameState, game::gsPause);
    const int32_t hundredths = form->Race.TimeLeftSec * 100 + form->Race.TimeLeftHund;
    EXPECT_FALSE(form->RaceTimer.Enabled);
    Frame(10);
    EXPECT_EQ(form->Race.TimeLeftSec * 100 + form->Race.TimeLeftHund, hundredths);
    Press(key);
    Frame();
    EXPECT_EQ(form->GameState, game::gsRace);
    EXPECT_TRUE(form->RaceTimer.Enabled);
  }
}

TEST_F(OverlayTest, EscAndPInOneFrameLeaveOnlyThePauseOpen) {
  StartRace();
  // What the race frame does with both keys released at once.
  form->EnterState(game::gsRaceMenu);
  form->EnterState(game::gsPause);
  ASSERT_EQ(form->GameState, game::gsPause);
  // The question's buttons went with it: nothing on screen can end the game.
  EXPECT_EQ(form->Menu.ButtonList, nullptr);
  Press(80);
  Frame();
  EXPECT_EQ(form->GameState, game::gsRace);
}

TEST_F(OverlayTest, LeavingTheRaceEndsTheGameWithoutSending) {
  StartRace();
  form->Score = 950;
  Press(27);
  Frame();
  Press(13);
  Frame();
  ThroughFinalScore();
  ClickSlot(0);  // no
  // 950 beats the second row (900): the table shows it.
  EXPECT_EQ(form->GameState, game::gsHiScores);
  EXPECT_EQ(form->Menu.HiScores[1].Score, "950");
  EXPECT_EQ(form->Race.Player, nullptr);
  EXPECT_NE(form->Menu.MenuLights[0], nullptr);
  EXPECT_TRUE(http->urls.empty());
  EXPECT_TRUE(form->Menu.Cursor->Visible);
  Press(27);
  Frame();
  EXPECT_EQ(form->GameState, game::gsMainMenu);
}

TEST_F(OverlayTest, SendingTheScoreAsksTheServerAfterTheTable) {
  StartRace();
  form->Score = 5;
  Press(27);
  Frame();
  ClickSlot(1);  // yes, leave the race
  ThroughFinalScore();
  ClickSlot(1);  // yes, send
  EXPECT_EQ(form->GameState, game::gsMainMenu);
  ASSERT_EQ(http->urls.size(), 2u);
  EXPECT_NE(http->urls[0].find("version&prg=Vornakel"), std::string::npos);
  EXPECT_NE(http->urls[1].find("hs&prg=Vornakel&inf="), std::string::npos);
  EXPECT_TRUE(shell_.messages.empty());
}

TEST_F(OverlayTest, TimeUpAndGameOverShowTheirNoticeForTwoHundredFrames) {
  for (uint8_t notice : {game::gsTimeUp, game::gsGameOver}) {
    SCOPED_TRACE(notice);
    if (form->GameState != game::gsRace) StartRace();
    form->PlayerName += "%%";
    form->EnterState(notice);
    EXPECT_EQ(form->GameState, notice);
    EXPECT_FALSE(form->RaceTimer.Enabled);
    EXPECT_EQ(form->PlayerName.find('%'), std::string::npos);
    Frame(199);
    EXPECT_EQ(form->GameState, notice);
    Frame();
    ASSERT_EQ(form->GameState, game::gsYourScore);
    ThroughFinalScore();
    ClickSlot(0);
    EXPECT_EQ(form->GameState, game::gsMainMenu);
  }
}

}  // namespace
}  // namespace frontendtest
