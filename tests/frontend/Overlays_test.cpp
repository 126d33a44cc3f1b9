// The screens over the race: leaving the race, pause, game over, time's up, the final score and
// the end of a game with or without sending the score.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "frontend/MenuFixture.h"
#include "game/EnemyCar.h"
#include "game/Player.h"
#include "game/RaceFlow.h"
#include "online/TextCodec.h"
#include "platform/Text1251.h"

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

TEST_F(OverlayTest, PauseDuringTheExplosionKeepsTheWreckAndTheClockRunsOn) {
  StartRace();
  game::RaceState& race = form->Race;
  Frame(100);
  race.Destroyed = true;
  Frame();
  ASSERT_EQ(form->GameState, game::gsExploded);
  Frame(50);
  const int32_t tick = form->ScreenTick;
  std::vector<double> speeds;
  for (int i = 0; i < race.OpponentCount; ++i)
    speeds.push_back(race.Opponents[static_cast<size_t>(i)]->Speed);
  for (int key : {80, 27}) {
    Press(key);
    Frame();
    ASSERT_NE(form->GameState, game::gsExploded);
    EXPECT_FALSE(form->RaceTimer.Enabled);
    // P resumes the pause; "no" answers the leave question.
    if (key == 80) {
      Press(80);
      Frame();
    } else {
      ClickSlot(0);
    }
    EXPECT_EQ(form->GameState, game::gsExploded) << "back to the burning wreck, key " << key;
    EXPECT_TRUE(form->RaceTimer.Enabled) << "the clock runs on, key " << key;
  }
  // Only the two frames that opened the overlays counted.
  EXPECT_EQ(form->ScreenTick, tick + 2) << "the explosion goes on where it was";
  for (int i = 0; i < race.OpponentCount; ++i)
    EXPECT_GT(race.Opponents[static_cast<size_t>(i)]->Speed, 0.5 * speeds[static_cast<size_t>(i)])
        << "opponent " << i << " keeps its speed: no second start";

  // The respawn races against the clock again.
  Frame(game::kExplosionFrames - tick - 2);
  ASSERT_EQ(form->GameState, game::gsRace);
  EXPECT_EQ(race.Lives, 2);
  EXPECT_TRUE(form->RaceTimer.Enabled);
  auto left = [&] { return race.TimeLeftMin * 6000 + race.TimeLeftSec * 100 + race.TimeLeftHund; };
  const int32_t before = left();
  for (int i = 0; i < 5; ++i) form->RaceTimerTimer();
  EXPECT_EQ(left(), before - 5);
}

TEST_F(OverlayTest, PauseHasNoVeilAndEveryOverlayTitleIsDrawnOnce) {
  form->DevKeys = true;
  StartRace();
  // Quads of each picture in one frame.
  auto quadsOf = [&](const std::vector<const char*>& names) {
    device_.quads.clear();
    device_.Record(true);
    Frame();
    device_.Record(false);
    std::vector<long> counts;
    for (const char* name : names) {
      const engine::TImageListItem* picture = form->GameImageList.Find(name);
      EXPECT_NE(picture, nullptr) << name;
      if (picture == nullptr) return counts;
      counts.push_back(
          std::count_if(device_.quads.begin(), device_.quads.end(),
                        [&](const auto& quad) { return quad.texture == picture->Texture(); }));
    }
    return counts;
  };
  Press(80);
  Frame();
  ASSERT_EQ(form->GameState, game::gsPause);
  EXPECT_EQ(quadsOf({"undermenu"}), std::vector<long>{0});
  Press(80);
  Frame();
  Press(27);
  Frame();
  ASSERT_EQ(form->GameState, game::gsRaceMenu);
  EXPECT_EQ(quadsOf({"undermenu", "scr_exitgame"}), (std::vector<long>{1, 1}));
  ClickSlot(0);
  Press(13);
  Frame();
  ASSERT_EQ(form->GameState, game::gsRaceOver);
  EXPECT_EQ(quadsOf({"undermenu", "scr_raceover"}), (std::vector<long>{1, 1}));
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

TEST_F(OverlayTest, ScoresGoOutBehindTheMenusAndUnsentOnesAreKeptForTheNextSend) {
  for (bool reachable : {false, true}) {
    SCOPED_TRACE(reachable);
    http->reachable = reachable;
    http->urls.clear();
    StartRace();
    form->Score = reachable ? 6 : 5;
    form->GameDifficulty = reachable ? game::Difficulty::Easy : game::Difficulty::Classic;
    Press(27);
    Frame();
    ClickSlot(1);  // yes, leave the race
    ThroughFinalScore();
    ClickSlot(1);  // yes, send
    EXPECT_EQ(form->GameState, game::gsMainMenu);
    EXPECT_NE(scores->StatusText().find(Ru("отправляется")), std::string::npos);
    scores->Sender().Wait();
    Frame();
    EXPECT_TRUE(shell_.messages.empty()) << "no box stops the menus";
    if (!reachable) {
      EXPECT_NE(scores->StatusText().find(Ru("Нет связи")), std::string::npos);
      EXPECT_EQ(scores->Sender().Queued(), 1u);
      EXPECT_TRUE(std::filesystem::exists("unsent_scores.txt"));
      continue;
    }
    // The kept score goes first, then this game's; each is posted with the game's replay, and
    // (the server not knowing that request) sent the plain way.
    ASSERT_EQ(http->urls.size(), 6u);
    EXPECT_NE(http->urls[0].find("version&prg=Vornakel"), std::string::npos);
    EXPECT_EQ(http->urls[1].rfind("POST ", 0), 0u);
    EXPECT_NE(http->urls[1].find("&replay"), std::string::npos);
    EXPECT_NE(http->urls[2].find("hs&prg=Vornakel&inf="), std::string::npos);
    // Each with the difficulty it was played on; a Classic game's payload names none.
    const auto payload = [this](size_t i) {
      return online::decode(http->urls[i].substr(http->urls[i].find("&inf=") + 5));
    };
    EXPECT_EQ(payload(2).find("|dif="), std::string::npos);
    EXPECT_NE(payload(5).find("|dif=easy|"), std::string::npos);
    EXPECT_NE(scores->StatusText().find(Ru("Отправлено результатов: 2")), std::string::npos);
    EXPECT_EQ(scores->Sender().Queued(), 0u);
    EXPECT_FALSE(std::filesystem::exists("unsent_scores.txt"));
  }
}

TEST_F(OverlayTest, AGameWonWithTheDevKeysStaysOffBothTables) {
  form->DevKeys = true;
  StartRace();
  Press(13);
  Frame();
  ASSERT_EQ(form->GameState, game::gsRaceOver);
  EXPECT_TRUE(form->DevWinUsed);
  form->LeaveState(game::gsRaceOver);
  form->Score = 5000;
  form->EnterState(game::gsGameOver);
  Frame(200);
  ThroughFinalScore();
  ClickSlot(1);  // yes, send
  EXPECT_EQ(form->GameState, game::gsMainMenu);
  EXPECT_TRUE(http->urls.empty());
  for (const auto& row : form->Menu.HiScores) EXPECT_NE(row.Score, "5000");
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

TEST_F(OverlayTest, TheTruckScreenPicksEasyWhereTimeUpSpendsASpareTruckOnAFreshRace) {
  ToMainMenu();
  ClickSlot(0);
  Press(13);
  Frame();
  ASSERT_EQ(form->GameState, game::gsTruckSelect);
  Press(38);  // up: the other difficulty
  Frame();
  EXPECT_EQ(form->Menu.DifficultySwitch->States[0].Image->Name, "bc_easy");
  Press(13);
  Frame();
  ASSERT_EQ(form->GameState, game::gsRace);
  EXPECT_EQ(form->GameDifficulty, game::Difficulty::Easy);
  Frame(260);
  form->EnterState(game::gsTimeUp);
  Frame(200);
  EXPECT_EQ(form->GameState, game::gsRace) << "a fresh race instead of the final score";
  EXPECT_EQ(form->Race.Lives, 2);
  EXPECT_EQ(form->LevelNumber, 1);
  EXPECT_EQ(form->ScreenTick, 0) << "with its start lights";
  form->Race.Lives = 1;
  form->EnterState(game::gsTimeUp);
  Frame(200);
  EXPECT_EQ(form->GameState, game::gsYourScore) << "the last truck ends the game";
}

}  // namespace
}  // namespace frontendtest
