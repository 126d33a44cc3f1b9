// A game on the null devices: level parameters race by race, the start sequence, the race clock,
// finish and results tally, unlock steps, resets and respawns, teardown.
#include "game/RaceFlow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "game/Car.h"
#include "game/EasyRules.h"
#include "game/EnemyCar.h"
#include "game/HudSprites.h"
#include "game/HudText.h"
#include "game/Player.h"
#include "game/RaceFixture.h"
#include "game/RoadPieces.h"

namespace {

using game::ClockTick;

class RaceFlowTest : public racetest::RaceFixture {
 protected:
  RaceFlowTest() {
    for (const char* name : {"speeder", "radar", "svetophor", "redlight", "yellowlight",
                             "greenlight", "undermenu", "scr_raceover"})
      AddPicture(name, 40, 40);
    AddPicture("healthbar", 101, 12);
    AddPicture("speedarrow", 12, 64);
    AddPicture("backlight", 24, 24);
    AddPicture("radarcar2", 12, 12);
    AddPicture("begarrows", 150, 150);
    AddPicture("dim", 32, 32);
    AddPicture("exploid", 192, 192);
    form->GameImagesPending = false;
    form->SoundOn = false;
    // The overlays of the menus, as far as the race needs them: each records its entry.
    for (uint8_t code : {game::gsRaceMenu, game::gsGameOver, game::gsPause, game::gsTimeUp}) {
      game::StateHandlers handlers;
      handlers.enter = [this, code] {
        entered.push_back(code);
        form->GameState = code;
        form->RaceTimer.Enabled = false;
      };
      handlers.frame = [] {};
      form->States.Register(code, handlers);
    }
  }

  void Frame() { form->RunStateFrame(form->GameState); }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
  }
  // A new game with the start lights already over.
  void StartRacing() {
    form->StartGame();
    Frames(game::kStartArrowsGoneTick + 1);
    ASSERT_EQ(form->ScreenTick, game::kStartArrowsGoneTick + 1);
  }
  void Press(int key) { form->KeyReleased[static_cast<size_t>(key)] = true; }
  std::string Clock() const {
    const game::RaceState& race = form->Race;
    return game::ClockText(race.TimeLeftMin, race.TimeLeftSec, race.TimeLeftHund);
  }

  std::vector<uint8_t> entered;
};

TEST_F(RaceFlowTest, LevelParametersGrowRaceByRace) {
  form->StartGame();
  game::RaceState& race = form->Race;
  EXPECT_EQ(form->GameState, game::gsRace);
  EXPECT_EQ(form->LevelNumber, 1);
  EXPECT_EQ(race.Lives, 3);
  EXPECT_EQ(race.OpponentCount, 3);
  EXPECT_EQ(race.RacePrize, 500);
  EXPECT_EQ(Clock(), "1:00:00");
  ASSERT_NE(race.Player, nullptr);
  EXPECT_NE(race.Player->HealthBar, nullptr);
  for (int i = 0; i < 3; ++i) EXPECT_NE(race.Opponents[static_cast<size_t>(i)], nullptr);

  struct Expected {
    const char* clock;
    int opponents, roadLength, minRun, maxRun;
  };
  const Expected levels[] = {
      {"1:06:00", 4, 110, 4, 10}, {"1:11:00", 5, 130, 3, 10}, {"1:16:00", 6, 150, 2, 9},
      {"1:21:00", 7, 170, 1, 8},  {"1:26:00", 8, 190, 1, 7},  {"1:31:00", 9, 210, 1, 6},
      {"1:36:00", 9, 230, 1, 5},  {"1:41:00", 9, 250, 1, 4},  {"1:46:00", 9, 250, 1, 3},
      {"1:51:00", 9, 250, 1, 3},
  };
  const int spritesAtFirstStart = form->OmegaSprite1.Count();
  int level = 1;
  for (const Expected& e : levels) {
    game::NextRace(*form);
    ++level;
    SCOPED_TRACE("race " + std::to_string(level));
    EXPECT_EQ(form->LevelNumber, level);
    EXPECT_EQ(Clock(), e.clock);
    EXPECT_EQ(race.OpponentCount, e.opponents);
    EXPECT_EQ(race.Level.RoadLength, e.roadLength);
    EXPECT_EQ(race.Level.RoadMinRun, e.minRun);
    EXPECT_EQ(race.Level.RoadMaxRun, e.maxRun);
    EXPECT_EQ(race.RacePrize, 500 * level);
    EXPECT_EQ(race.Level.BonusParamA, 400 + level - 1);
    EXPECT_EQ(race.Level.BonusParamB, 200 + level - 1);
    EXPECT_EQ(form->ScreenTick, 0) << "every race starts with the lights";
  }
  EXPECT_LT(form->OmegaSprite1.Count(), spritesAtFirstStart + 100)
      << "each race's sprites went with its teardown";
}

TEST_F(RaceFlowTest, StartLevelStartsAsIfThoseRacesWereWon) {
  form->StartLevel = 9;
  form->StartGame();
  const game::RaceState& race = form->Race;
  EXPECT_EQ(form->LevelNumber, 9);
  EXPECT_EQ(race.OpponentCount, 9);
  EXPECT_EQ(race.Level.RoadLength, 250);
  EXPECT_EQ(Clock(), "1:41:00");
  EXPECT_EQ(race.Lives, 3);
  EXPECT_EQ(form->Score, 0);
}

TEST_F(RaceFlowTest, EasyGamesTimeTheRoadChargeAWallOncePerHitAndRetryWithASpareTruck) {
  // The clock follows the road: race 9's road is nearly three times race 1's.
  form->GameDifficulty = game::Difficulty::Easy;
  form->StartLevel = 9;
  form->StartGame();
  const int32_t race9 = form->Race.TimeLeftMin * 60 + form->Race.TimeLeftSec;
  EXPECT_EQ(race9, game::EasyTimeLimitSeconds(form->Race));
  form->LeaveState(game::gsRace);
  form->StartLevel = 0;
  StartRacing();
  game::RaceState& race = form->Race;
  const int32_t race1 = game::EasyTimeLimitSeconds(race);
  EXPECT_EQ(race.Level.TimeLimitMin * 60 + race.Level.TimeLimitSec, 60)
      << "the classic limit is untouched";
  EXPECT_GT(race9, 2 * race1);
  EXPECT_GE(race1, 60) << "never less than the classic clock";

  // A wall on the truck's right; a head-on hit at 9 pixels a frame costs 18 once, however long
  // the truck then leans on the wall; a later shallow scrape costs 3. Classic charges 27 a frame.
  game::TPlayer& player = *race.Player;
  auto* wall = new engine::TSprite(&form->OmegaSprite1);
  wall->Width = 36;
  wall->Height = 160;
  auto hit = [&](double moveDir, double speed) {
    wall->SetX(static_cast<float>(player.X + player.Width / 2.0 + 10));
    wall->SetY(static_cast<float>(player.Y + player.Height / 2.0 - 80));
    player.MoveDir = player.Heading = moveDir;
    player.Speed = speed;
    game::ApplyWallContact(*form, player, *wall);
  };
  hit(0, 9);
  EXPECT_EQ(player.Health, 82);
  for (int i = 0; i < 90; ++i) {
    hit(0, 1);
    if (i % 2 == 0) player.WallFreeFrames += 2;  // the push lets go now and then
  }
  EXPECT_EQ(player.Health, 82) << "leaning on the wall costs nothing more";
  player.WallFreeFrames = game::kWallHitGapFrames + 1;
  hit(-80, 9);
  EXPECT_EQ(player.Health, 79);
  form->GameDifficulty = game::Difficulty::Classic;
  hit(-80, 9);
  hit(-80, 9);
  EXPECT_EQ(player.Health, 79 - 27 - 27);

  // Time's up with a spare truck: the truck is spent on a fresh race of the same number.
  form->GameDifficulty = game::Difficulty::Easy;
  form->EnterState(game::gsTimeUp);
  ASSERT_TRUE(game::TimeUpRetries(*form));
  const auto oldPlan = race.RoadPlan;
  game::RetryRaceAfterTimeUp(*form);
  EXPECT_EQ(form->GameState, game::gsRace);
  EXPECT_EQ(form->LevelNumber, 1);
  EXPECT_EQ(race.Lives, 2);
  EXPECT_EQ(form->ScreenTick, 0) << "the start lights again";
  EXPECT_EQ(race.Player->Health, 100);
  EXPECT_NE(race.RoadPlan, oldPlan) << "a new road";
  EXPECT_EQ(race.TimeLeftMin * 60 + race.TimeLeftSec, game::EasyTimeLimitSeconds(race));
  race.Lives = 1;
  EXPECT_FALSE(game::TimeUpRetries(*form)) << "the last truck ends the game";
  race.Lives = 3;
  form->GameDifficulty = game::Difficulty::Classic;
  EXPECT_FALSE(game::TimeUpRetries(*form));
}

TEST_F(RaceFlowTest, LongGamesCarryTheTimeLimitIntoTheNextMinute) {
  game::RaceState& race = form->Race;
  game::ResetLevelParameters(race);
  for (int level = 2; level <= 13; ++level) {
    form->LevelNumber = level;
    game::LevelUp(*form);
  }
  EXPECT_EQ(race.Level.TimeLimitMin, 2) << "1:56 plus five seconds passes the minute";
  EXPECT_EQ(race.Level.TimeLimitSec, 1) << "and keeps the spare second";
  race.Level.TimeLimitSec = 55;
  form->LevelNumber = 14;
  game::LevelUp(*form);
  EXPECT_EQ(race.Level.TimeLimitMin, 3) << "exactly sixty seconds are a minute too";
  EXPECT_EQ(race.Level.TimeLimitSec, 0);
}

TEST_F(RaceFlowTest, StartLightsReleaseEveryTruckAtTick250) {
  form->StartGame();
  game::RaceState& race = form->Race;
  ASSERT_NE(race.StartArrows, nullptr);
  Frames(game::kLightsGreenTick);
  EXPECT_FALSE(race.Player->ControlsOn);
  EXPECT_FALSE(form->RaceTimer.Enabled);
  for (int i = 0; i < race.OpponentCount; ++i) {
    EXPECT_FALSE(race.Opponents[static_cast<size_t>(i)]->Released);
    EXPECT_DOUBLE_EQ(race.Opponents[static_cast<size_t>(i)]->Speed, 0);
  }
  Frame();  // tick 250
  EXPECT_TRUE(race.Player->ControlsOn);
  EXPECT_TRUE(form->RaceTimer.Enabled);
  for (int i = 0; i < race.OpponentCount; ++i)
    EXPECT_TRUE(race.Opponents[static_cast<size_t>(i)]->Released);
  const int alphaBefore = race.StartArrows->Alpha;
  Frame();
  EXPECT_EQ(race.StartArrows->Alpha, alphaBefore - 5);
  Frames(49);  // ticks 252..300
  EXPECT_EQ(race.StartArrows, nullptr);
  Frames(10);
  EXPECT_EQ(form->ScreenTick, 301) << "the tick stops once the start is over";
}

TEST_F(RaceFlowTest, ClockCountsDownBeepsTheLastTenSecondsThenTimeRunsOut) {
  game::RaceState& race = form->Race;
  race.TimeLeftMin = 1;
  race.TimeLeftSec = 0;
  race.TimeLeftHund = 0;
  EXPECT_EQ(game::TickRaceClock(race), ClockTick::kCounted);
  EXPECT_EQ(Clock(), "0:59:99");

  race.TimeLeftMin = 0;
  race.TimeLeftSec = 10;
  race.TimeLeftHund = 0;
  race.ElapsedHund = 0;
  int warnings = 0;
  int ticks = 0;
  ClockTick tick = ClockTick::kCounted;
  while ((tick = game::TickRaceClock(race)) != ClockTick::kTimeUp && ticks < 5000) {
    if (tick == ClockTick::kWarning) ++warnings;
    ++ticks;
  }
  EXPECT_EQ(ticks, 1000);
  EXPECT_EQ(warnings, 10);
  EXPECT_EQ(Clock(), "0:00:00");
  EXPECT_EQ(race.ElapsedHund, 1000);

  // The timer's callback at 0:00:00 ends the race.
  form->RaceTimer.Enabled = true;
  form->RaceTimerTimer();
  EXPECT_EQ(entered, std::vector<uint8_t>{game::gsTimeUp});
  EXPECT_FALSE(form->RaceTimer.Enabled);
}

TEST_F(RaceFlowTest, FinishWaits150FramesThenTalliesThePrizeDividedByThePlace) {
  StartRacing();
  game::RaceState& race = form->Race;
  // What the finish line does when the player crosses it in fourth place.
  race.FinishPlace = 4;
  race.FinishMin = 0;
  race.FinishSec = 5;
  race.FinishHund = 12;
  race.Paused = true;
  race.DelayCounter = 0;
  form->RaceTimer.Enabled = false;
  form->Score = 40;
  Frames(150);
  EXPECT_EQ(form->GameState, game::gsRace);
  Frame();
  ASSERT_EQ(form->GameState, game::gsRaceOver);
  EXPECT_EQ(race.RacePrize, 125);
  EXPECT_EQ(race.ScoreBeforeTally, 40);
  ASSERT_NE(form->Menu.Buttons[0], nullptr);
  EXPECT_FALSE(form->Menu.Buttons[0]->Visible);
  EXPECT_NE(form->Menu.OverlayScreen, nullptr);

  Frames(351);
  EXPECT_EQ(race.ResultLines, 4);
  EXPECT_EQ(form->Score, 40) << "the tally starts after tick 350";
  Frames(125);
  EXPECT_EQ(form->Score, 165);
  EXPECT_EQ(race.RacePrize, 0);
  EXPECT_FALSE(form->Menu.Buttons[0]->Visible);
  Frames(102);
  EXPECT_TRUE(form->Menu.Buttons[0]->Visible) << "the button appears once the tally is over";
  EXPECT_EQ(form->Score, 165);
}

TEST_F(RaceFlowTest, EnterSpaceOrAClickFinishTheTallyAsIfItHadCountedToTheEnd) {
  game::RaceState& race = form->Race;
  // Over the line second with a 250-point prize; 40 points before it, the next unlock at 200.
  auto finishSecond = [&] {
    StartRacing();
    race.FinishPlace = 2;
    race.Paused = true;
    race.DelayCounter = 0;
    form->RaceTimer.Enabled = false;
    form->Score = 40;
    race.ScoreAtRaceStart = 40;
    form->NextUnlockScore = 200;
    form->UnlockLevel = 0;
    Frames(151);
    ASSERT_EQ(form->GameState, game::gsRaceOver);
  };
  for (int skip : {13, 32, 0}) {
    SCOPED_TRACE(skip);
    finishSecond();
    Frames(skip == 32 ? 400 : 20);  // before the lines are out, or in the middle of the count
    if (skip == 0) {
      form->FormMouseDown(0, 120, 200);
      form->FormMouseUp(0, 120, 200);
    } else {
      Press(skip);
    }
    Frame();
    EXPECT_EQ(race.ResultLines, 4);
    EXPECT_EQ(form->Score, 290);
    EXPECT_EQ(race.RacePrize, 0);
    EXPECT_TRUE(form->Menu.Buttons[0]->Visible);
    EXPECT_EQ(form->UnlockLevel, 1) << "the unlock the count would have reached";
    EXPECT_EQ(form->TracksOpen, 5);
    Frames(400);
    EXPECT_EQ(race.ResultLines, 4) << "the lines stay out";
    EXPECT_EQ(form->Score, 290);
    EXPECT_EQ(form->GameState, game::gsRaceOver) << "only the button goes on to the next race";
    form->LeaveState(game::gsRaceOver);
    form->LeaveState(game::gsRace);
  }
}

TEST_F(RaceFlowTest, EnterOnlySkipsTheCoastAfterTheLineUnlessDevKeysWinOutright) {
  StartRacing();
  game::RaceState& race = form->Race;
  Press(13);
  Frame();
  EXPECT_EQ(form->GameState, game::gsRace) << "no win before the line";
  EXPECT_TRUE(form->RaceTimer.Enabled);

  // Over the line in third place: Enter skips the coast and keeps the place.
  race.FinishPlace = 3;
  race.Paused = true;
  race.DelayCounter = 0;
  form->RaceTimer.Enabled = false;
  Frames(10);
  Press(13);
  Frame();
  EXPECT_EQ(form->GameState, game::gsRaceOver);
  EXPECT_EQ(race.FinishPlace, 3);
  EXPECT_EQ(race.RacePrize, 166);
  EXPECT_FALSE(form->DevWinUsed);

  form->DevKeys = true;
  StartRacing();
  Press(13);
  Frame();
  EXPECT_EQ(form->GameState, game::gsRaceOver);
  EXPECT_FALSE(form->RaceTimer.Enabled);
  EXPECT_EQ(race.FinishPlace, 1);
  EXPECT_EQ(race.RacePrize, 500);
  EXPECT_TRUE(form->DevWinUsed);
  form->LeaveState(game::gsRaceOver);
  form->LeaveState(game::gsRace);
  form->StartGame();
  EXPECT_FALSE(form->DevWinUsed) << "a new game starts clean";
}

TEST_F(RaceFlowTest, EscAndPauseInOneFrameOpenBothOverlaysInOrder) {
  StartRacing();
  Press(27);
  Press(80);
  Frame();
  EXPECT_EQ(entered, (std::vector<uint8_t>{game::gsRaceMenu, game::gsPause}));
  EXPECT_EQ(form->GameState, game::gsPause);
}

TEST_F(RaceFlowTest, AnUnpluggedControllerPausesARaceOnly) {
  StartRacing();
  form->FormControllerLost();
  Frame();
  EXPECT_EQ(form->GameState, game::gsPause);
  form->FormControllerLost();
  Frame();
  EXPECT_EQ(form->GameState, game::gsPause) << "a pause stays a pause";
}

TEST_F(RaceFlowTest, PausedClockKeepsItsValue) {
  StartRacing();
  form->RaceTimerTimer();
  EXPECT_EQ(Clock(), "0:59:99");
  Press(112);  // F1
  Frame();
  ASSERT_EQ(form->GameState, game::gsPause);
  EXPECT_FALSE(form->RaceTimer.Enabled) << "the loop calls the clock only while it runs";
  EXPECT_EQ(Clock(), "0:59:99");
  // Resuming assigns the state without an entry: the clock goes on from the same value.
  form->GameState = game::gsRace;
  form->RaceTimer.Enabled = true;
  form->RaceTimerTimer();
  EXPECT_EQ(Clock(), "0:59:98");
}

TEST_F(RaceFlowTest, TruckThatFellBackStandsOnThePathPointBeforeTheNextOne) {
  StartRacing();
  game::RaceState& race = form->Race;
  game::TPlayer* player = race.Player;
  player->NextPathPoint = 5;
  player->BackTravel = -1001;
  player->Heading = 90;
  Frame();
  EXPECT_EQ(player->NextPathPoint, 4);
  EXPECT_NEAR(race.PathPoint[4].x, player->X, 1e-3);
  EXPECT_NEAR(race.PathPoint[4].y, player->Y, 1e-3);
  EXPECT_DOUBLE_EQ(player->Heading, -90);
  EXPECT_DOUBLE_EQ(player->Speed, 0);
  EXPECT_DOUBLE_EQ(player->BackTravel, 0);
  EXPECT_TRUE(player->Blinking);
  EXPECT_TRUE(player->ControlsOn);
}

TEST_F(RaceFlowTest, DestroyedTruckRespawnsTwoPointsBackThenTheLastOneEndsTheGame) {
  StartRacing();
  game::RaceState& race = form->Race;
  game::TPlayer* player = race.Player;
  // Carry the truck up the road to path point 6.
  game::ShiftWorld(*form, player->X - race.PathPoint[6].x, player->Y - race.PathPoint[6].y);
  race.Destroyed = true;
  Frame();
  ASSERT_EQ(form->GameState, game::gsExploded);
  EXPECT_EQ(player->Health, 1);
  EXPECT_FALSE(player->ControlsOn);
  Frames(199);
  EXPECT_EQ(form->GameState, game::gsExploded);
  EXPECT_TRUE(form->RaceTimer.Enabled) << "the clock runs on while the truck burns";

  // The respawn point is taken from the positions of the 200th frame; the truck hardly moves.
  const int nearest = game::NearestPathPoint(race, player->X, player->Y);
  Frame();
  EXPECT_EQ(form->GameState, game::gsRace);
  EXPECT_EQ(race.Lives, 2);
  EXPECT_EQ(player->Health, 100);
  EXPECT_FALSE(race.Destroyed);
  EXPECT_TRUE(player->ControlsOn);
  EXPECT_TRUE(player->Blinking);
  EXPECT_EQ(form->ScreenTick, 301) << "no second start sequence";
  ASSERT_GT(nearest, 2);
  const game::PathPointXY& respawn = race.PathPoint[static_cast<size_t>(nearest - 2)];
  EXPECT_NEAR(respawn.x, player->X, 1e-3) << "two points behind the nearest one";
  EXPECT_NEAR(respawn.y, player->Y, 1e-3);

  // With one spare truck left, the next wreck ends the game.
  race.Lives = 1;
  race.Destroyed = true;
  Frames(201);
  EXPECT_EQ(entered, std::vector<uint8_t>{game::gsGameOver});
}

TEST_F(RaceFlowTest, RespawnNeverGoesBeforeTheFirstPathPoint) {
  form->StartGame();
  game::RaceState& race = form->Race;
  game::TPlayer* player = race.Player;
  race.Lives = 3;
  ASSERT_LE(game::NearestPathPoint(race, player->X, player->Y), 2);
  game::RespawnTruck(*form);
  EXPECT_NEAR(race.PathPoint[1].x, player->X, 1e-3);
  EXPECT_NEAR(race.PathPoint[1].y, player->Y, 1e-3);
  EXPECT_EQ(race.Lives, 2);
  EXPECT_EQ(race.StartArrows, nullptr);
}

TEST_F(RaceFlowTest, UnlockThresholdsReachedExactlyCountAndTrucksNeverClose) {
  form->UnlockLevel = 0;
  form->NextUnlockScore = 300;
  EXPECT_EQ(game::UnlockTest(*form, 300, 800), 0) << "already reached before the race";
  EXPECT_EQ(game::UnlockTest(*form, 100, 299), 0) << "not reached";
  EXPECT_EQ(game::UnlockTest(*form, 100, 300), 2) << "landing exactly on it";
  EXPECT_EQ(game::UnlockTest(*form, 299, 301), 2);
  form->UnlockLevel = 1;
  EXPECT_EQ(game::UnlockTest(*form, 299, 301), 1);
  form->UnlockLevel = 9;
  EXPECT_EQ(game::UnlockTest(*form, 299, 301), 3);

  form->UnlockLevel = 0;
  form->NextUnlockScore = 300;
  form->TracksOpen = 3;
  form->TrucksOpen = 2;
  const int thresholds[] = {700, 1200, 2200, 2700, 4700, 6700, 9200, 13200, 17700, 22200};
  const int tracksOpen[] = {5, 5, 7, 7, 9, 9, 10, 11, 12, 12};
  const int trucksOpen[] = {2, 3, 3, 4, 4, 5, 5, 5, 5, 5};
  for (int step = 0; step < 10; ++step) {
    game::UnlockNext(*form);
    EXPECT_EQ(form->NextUnlockScore, thresholds[step]) << "step " << step;
    EXPECT_EQ(form->TracksOpen, tracksOpen[step]) << "step " << step;
    EXPECT_EQ(form->TrucksOpen, trucksOpen[step]) << "step " << step;
  }
  EXPECT_EQ(form->UnlockLevel, 8);
  for (int i = 3; i <= 11; ++i) EXPECT_TRUE(form->Race.Tracks[static_cast<size_t>(i)].Unlocked);
  for (int i = 2; i <= 4; ++i) EXPECT_TRUE(form->Race.TruckModels[static_cast<size_t>(i)].Unlocked);

  form->TrucksOpen = 5;
  form->UnlockLevel = 1;
  game::UnlockNext(*form);
  EXPECT_EQ(form->TrucksOpen, 5) << "a truck step never lowers the open trucks";
}

TEST_F(RaceFlowTest, ThresholdsPassedByCoinsOrTheTallyUnlockEachOfThem) {
  form->DevKeys = true;
  StartRacing();
  game::RaceState& race = form->Race;
  EXPECT_EQ(race.ScoreAtRaceStart, 0);
  // Coins of the race carry the score from 0 past the first threshold before the tally.
  form->Score = 450;
  form->UnlockLevel = 0;
  form->NextUnlockScore = 300;
  form->TracksOpen = 3;
  Press(13);  // a win: the whole prize of 500
  Frame();
  ASSERT_EQ(form->GameState, game::gsRaceOver);
  Frames(351 + 500 + 110);
  EXPECT_EQ(form->Score, 950);
  // 300 and 700 lie within (0, 950]; 1200 does not.
  EXPECT_EQ(form->UnlockLevel, 2);
  EXPECT_EQ(form->NextUnlockScore, 1200);
  EXPECT_EQ(form->TracksOpen, 5);
  EXPECT_TRUE(race.Tracks[3].Unlocked);
  EXPECT_TRUE(race.Tracks[4].Unlocked);

  // The next race's tally of 1000 lands exactly on the threshold.
  game::NextRace(*form);
  EXPECT_EQ(race.ScoreAtRaceStart, 950);
  form->NextUnlockScore = 1950;
  Frames(game::kStartArrowsGoneTick + 1);
  Press(13);
  Frame();
  Frames(351 + 1000 + 110);
  EXPECT_EQ(form->Score, 1950);
  EXPECT_EQ(form->UnlockLevel, 3);
}

TEST_F(RaceFlowTest, ScoresAndThresholdsStopAtTheTopInsteadOfWrapping) {
  constexpr int32_t kTop = 2147483647;
  EXPECT_EQ(game::AddedScore(kTop - 5, 10), kTop);
  EXPECT_EQ(game::AddedScore(kTop - 5, 3), kTop - 2);
  form->UnlockLevel = 8;
  form->NextUnlockScore = kTop - 100;
  game::UnlockNext(*form);
  EXPECT_EQ(form->NextUnlockScore, kTop);
}

TEST_F(RaceFlowTest, BestTimeIsTheElapsedTimeKeptWhenStrictlyBetter) {
  game::TrackInfo track;
  EXPECT_EQ(track.BestMin, 1000);
  EXPECT_TRUE(game::RecordBestTime(track, 5234));
  EXPECT_EQ(track.BestMin, 0);
  EXPECT_EQ(track.BestSec, 52);
  EXPECT_EQ(track.BestHund, 34);
  EXPECT_FALSE(game::RecordBestTime(track, 5234));
  EXPECT_FALSE(game::RecordBestTime(track, 6001));
  EXPECT_TRUE(game::RecordBestTime(track, 5233));
  EXPECT_EQ(track.BestHund, 33);

  // Only a race driven over the line records a time.
  StartRacing();
  game::RaceState& race = form->Race;
  race.SelectedTrack = 2;
  race.ElapsedHund = 4321;
  race.Paused = false;
  game::NextRace(*form);
  EXPECT_EQ(race.Tracks[2].BestMin, 1000);
  race.ElapsedHund = 4321;
  race.Paused = true;
  game::NextRace(*form);
  EXPECT_EQ(race.Tracks[2].BestSec, 43);
  EXPECT_EQ(race.Tracks[2].BestHund, 21);
}

TEST_F(RaceFlowTest, TeardownLeavesNoRaceSpriteAndTraceStops) {
  form->StartGame();
  const std::string trace = form->RaceTraceFields();
  EXPECT_EQ(trace.rfind(" level=1 lives=3 score=0 clock=1:00:00 place=", 0), 0u) << trace;
  EXPECT_NE(trace.find(" finished=0 opp="), std::string::npos) << trace;
  const std::string opp = trace.substr(trace.find("opp=") + 4);
  EXPECT_EQ(std::count(opp.begin(), opp.end(), ','), 2) << opp;

  form->Race.Player->Health = 40;
  Frame();
  form->LeaveState(game::gsRace);
  EXPECT_EQ(form->OmegaSprite1.Count(), 0);
  EXPECT_EQ(form->Race.Player, nullptr);
  EXPECT_EQ(form->GameImageList.Find("healthbar")->TileWidth, 101);
  EXPECT_EQ(form->RaceTraceFields(), "");
}

}  // namespace
