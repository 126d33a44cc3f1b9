// The results screen: the prize divided by the place, tallied into the score one point a frame
// (or at once when the player asks), the unlock steps the tally passes, the best time of the track
// and the step to the next race.
#include <algorithm>
#include <functional>
#include <string>

#include "engine/OmegaGUI.h"
#include "game/HudText.h"
#include "game/MainForm.h"
#include "game/Player.h"
#include "game/RaceFlow.h"
#include "game/RoadCode.h"
#include "game/SpriteSetup.h"

namespace game {

namespace {

// The results tally starts this long after the screen appears; the result lines come in before.
constexpr int32_t kTallyStartTick = 350;
// DelayCounter while the tally runs; it drops to 0 when the prize is used up and counts to 101.
constexpr int32_t kTallyRunning = 2000;
constexpr int32_t kTallyDone = 101;
constexpr int kKeyEnter = 13;
constexpr int kKeySpace = 32;

// Enter, Space (a pad's A and X) or a click anywhere: the player does not want to watch the count.
bool SkipAsked(TForm1& form) {
  bool asked = form.MousePresses != form.Race.MousePressesAtResults;
  for (int key : {kKeyEnter, kKeySpace}) {
    bool& released = form.KeyReleased[static_cast<size_t>(key)];
    asked = asked || released;
    released = false;
  }
  return asked;
}

// Ends the tally at once with the score and unlocks it would have come to: every result line
// shown, the whole prize added, and the next-race button out.
void FinishTally(TForm1& form) {
  RaceState& race = form.Race;
  race.ResultLines = 4;
  form.ScreenTick = std::max(form.ScreenTick, kTallyStartTick + 1);
  if (race.DelayCounter > 1000) {
    form.Score = AddedScore(form.Score, race.RacePrize);
    race.RacePrize = 0;
  }
  race.DelayCounter = kTallyDone;
}

// Where the results card's replay button sits, left of the next-race button.
constexpr int32_t kReplayButtonLeft = 120;

// A picture button of the results card at (left, 420), in the given slot.
engine::TOmegaButton* AddResultsButton(TForm1& form, int slot, const char* picture, int32_t left,
                                       std::function<void()> onClick) {
  auto* button = form.Menu.ButtonList->Add<engine::TOmegaButton>();
  button->Name = std::to_string(slot);
  button->Caption.clear();
  if (engine::TImageListItem* image = form.MenuImage(picture)) button->ShowPicture(image);
  button->SetLeft(left);
  button->SetTop(420);
  button->OnClick = [onClick = std::move(onClick)](engine::TOmegaGUIComponent*) { onClick(); };
  return button;
}

void EnterResults(TForm1& form) {
  RaceState& race = form.Race;
  MenuState& menu = form.Menu;
  form.KeyDown.fill(false);
  form.KeyReleased.fill(false);
  form.GameState = gsRaceOver;
  form.OmegaFont1.SetFont("Gungsuh", 15, platform::FontStyle{true, false, false, false});
  form.OmegaFont1.SetColor(engine::PackARGB(255, 21, 16, 137));
  if (race.Player != nullptr) race.Player->Visible = true;
  race.ResultLines = 0;

  menu.ButtonList = form.OmegaGUI1.AddList("GUI2");
  menu.Buttons.fill(nullptr);
  menu.Buttons[0] = AddResultsButton(form, 0, "bro_next", 308, [&form] { NextRace(form); });
  menu.Buttons[0]->Visible = false;
  // The race just run can be watched again at once. A form that plays a replay has the button too
  // (the keyboard focus must go the same way as it did), but it does nothing there.
  menu.Buttons[1] = AddResultsButton(form, 1, "b_replay", kReplayButtonLeft, [&form] {
    if (form.WatchReplay) form.WatchReplay(false);
  });

  if (form.SoundOn) form.PlaySound("finish");
  auto* overlay = new engine::TSprite(&form.OmegaSprite1);
  SetPicture(*overlay, GameImage(form, "scr_raceover"));
  overlay->SetName("raceover");
  overlay->SetZ(2000);
  overlay->SetX(60);
  overlay->SetY(90);
  // Hidden from the scene pass: the frame draws it once, over the veil.
  overlay->Visible = false;
  menu.OverlayScreen = overlay;

  // Only a race driven over the finish line has a time (Enter ends a race without one).
  std::string code = EncodeRoadCode(race.Road);
  code.erase(std::remove(code.begin(), code.end(), '-'), code.end());
  form.Replays.RaceResult(race.FinishPlace, race.Paused ? race.ElapsedHund : -1, std::move(code));
  // A place of 0 cannot come from a finish; it would only divide by zero.
  race.RacePrize /= std::max(race.FinishPlace, 1);
  form.ScreenTick = 0;
  race.DelayCounter = kTallyRunning;
  if (menu.Cursor != nullptr) menu.Cursor->Visible = true;
  race.ScoreBeforeTally = form.Score;
  race.MousePressesAtResults = form.MousePresses;
}

void ResultsFrame(TForm1& form) {
  RaceState& race = form.Race;
  MenuState& menu = form.Menu;
  form.OmegaScreen1.Clear(0, 0, 0, 0);
  form.OmegaScreen1.BeginScene();
  form.OmegaSprite1.Draw();
  if (engine::TImageListItem* veil = form.GameImageList.Find("undermenu")) veil->Draw(0, 0, 0);
  if (engine::TSprite* overlay = menu.OverlayScreen) {
    overlay->Visible = true;
    overlay->Draw();
    overlay->Visible = false;
  }
  form.OmegaGUI1.Draw();
  if (menu.Cursor != nullptr) menu.Cursor->Move(0);

  if (race.DelayCounter != kTallyDone && SkipAsked(form)) FinishTally(form);
  const int32_t t = form.ScreenTick;
  if (t == 70) race.ResultLines = 1;
  if (t == 140) race.ResultLines = 2;
  if (t == 210) race.ResultLines = 3;
  if (t == 280) race.ResultLines = 4;
  if (t > kTallyStartTick && race.DelayCounter > 1000) {
    if (race.RacePrize > 0) {
      form.Score = AddedScore(form.Score, 1);
      --race.RacePrize;
    } else {
      race.DelayCounter = 0;
    }
  }
  if (race.DelayCounter >= 0 && race.DelayCounter <= 100) {
    ++race.DelayCounter;
  } else if (race.DelayCounter == kTallyDone) {
    if (menu.Buttons[0] != nullptr) menu.Buttons[0]->Visible = true;
    // Repeats every frame: each passing test performs one more step.
    // A seed race unlocks nothing: its score is not the career's.
    const int32_t verdict =
        form.SeedRace.Active ? 0 : UnlockTest(form, race.ScoreAtRaceStart, form.Score);
    if (verdict == 1 || verdict == 2) UnlockNext(form);
  }
  ++form.ScreenTick;
  ShowRaceResults(form);
  ShowRoadCode(form);
  if (form.MenuFrameOverlay) form.MenuFrameOverlay();
  if (menu.Cursor != nullptr) menu.Cursor->Draw();
  form.OmegaScreen1.EndScene();
}

void LeaveResults(TForm1& form) {
  MenuState& menu = form.Menu;
  if (menu.OverlayScreen != nullptr) menu.OverlayScreen->Dead();
  menu.OverlayScreen = nullptr;
  if (menu.ButtonList != nullptr) form.OmegaGUI1.FreeList(menu.ButtonList);
  menu.ButtonList = nullptr;
  menu.Buttons.fill(nullptr);
  form.OmegaSprite1.Dead();
}

void UnlockTrack(TForm1& form, int32_t tracksOpen, int32_t first, int32_t last) {
  form.TracksOpen = tracksOpen;
  for (int32_t i = first; i <= last && i < kTrackTableSize; ++i)
    form.Race.Tracks[static_cast<size_t>(i)].Unlocked = true;
}

void UnlockTruck(TForm1& form, int32_t trucksOpen, int32_t entry) {
  // Never fewer open trucks than before: the saved progress must keep every truck won.
  form.TrucksOpen = std::max(form.TrucksOpen, trucksOpen);
  if (entry >= 0 && entry < kTruckModelCount)
    form.Race.TruckModels[static_cast<size_t>(entry)].Unlocked = true;
}

}  // namespace

int32_t UnlockTest(const TForm1& form, int32_t scoreFrom, int32_t scoreTo) {
  if (form.UnlockLevel >= 9) return 3;
  const int32_t next = form.NextUnlockScore;
  if (scoreFrom < next && next <= scoreTo) {
    const int32_t level = form.UnlockLevel;
    return level == 0 || level == 2 || level == 4 ? 2 : 1;
  }
  return 0;
}

void UnlockNext(TForm1& form) {
  switch (form.UnlockLevel) {
    case 0:
      UnlockTrack(form, 5, 3, 4);
      break;
    case 1:
      UnlockTruck(form, 3, 2);
      break;
    case 2:
      UnlockTrack(form, 7, 5, 6);
      break;
    case 3:
      UnlockTruck(form, 4, 3);
      break;
    case 4:
      UnlockTrack(form, 9, 7, 8);
      break;
    case 5:
      UnlockTruck(form, 5, 4);
      break;
    case 6:
      UnlockTrack(form, 10, 9, 9);
      break;
    case 7:
      UnlockTrack(form, 11, 10, 10);
      break;
    case 8:
      UnlockTrack(form, 12, 11, 11);
      break;
    default:
      break;
  }
  const int32_t level =
      std::clamp(form.UnlockLevel, 0, static_cast<int32_t>(form.UnlockSteps.size()) - 1);
  form.NextUnlockScore =
      AddedScore(form.NextUnlockScore, form.UnlockSteps[static_cast<size_t>(level)]);
  if (form.UnlockLevel < 8) ++form.UnlockLevel;
}

bool RecordBestTime(TrackInfo& track, int32_t elapsedHund) {
  if (elapsedHund < 0) return false;
  const int32_t minutes = elapsedHund / 6000;
  const int32_t seconds = elapsedHund / 100 % 60;
  const int32_t hundredths = elapsedHund % 100;
  const bool better =
      minutes < track.BestMin ||
      (minutes == track.BestMin &&
       (seconds < track.BestSec || (seconds == track.BestSec && hundredths < track.BestHund)));
  if (!better) return false;
  track.BestMin = minutes;
  track.BestSec = seconds;
  track.BestHund = hundredths;
  return true;
}

void NextRace(TForm1& form) {
  RaceState& race = form.Race;
  form.PlaySound("check");
  // A seed race is one race: its results lead back to the seed screen, keeping nothing.
  if (form.SeedRace.Active && form.SeedRace.Finish) {
    form.SeedRace.Finish(gsRaceOver);
    return;
  }
  // Only a race driven over the finish line has a time (Enter ends a race without one).
  if (race.Paused && race.SelectedTrack >= 0 && race.SelectedTrack < kTrackTableSize)
    RecordBestTime(race.Tracks[static_cast<size_t>(race.SelectedTrack)], race.ElapsedHund);
  // The race's unlocks and best time are kept at once, whatever ends the program later.
  if (form.WriteConfigFiles) form.WriteConfigFiles();
  race.ResultLines = 0;
  form.LeaveState(gsRaceOver);
  form.LeaveState(gsRace);
  ++form.LevelNumber;
  LevelUp(form);
  form.EnterState(gsRace);
}

void RegisterResultsState(TForm1& form) {
  StateHandlers results;
  results.enter = [&form] { EnterResults(form); };
  results.frame = [&form] { ResultsFrame(form); };
  results.leave = [&form] { LeaveResults(form); };
  form.States.Register(gsRaceOver, results);
}

}  // namespace game
