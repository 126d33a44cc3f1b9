// Race playback: the recorded start restored, then the frames fed one by one.
#include "game/ReplayPlayer.h"

#include <algorithm>

#include "engine/Random.h"
#include "game/MainForm.h"
#include "game/RaceFlow.h"
#include "game/RaceTheme.h"

namespace game {

void RestoreRaceStart(TForm1& form, const RaceStart& s) {
  RaceState& race = form.Race;
  engine::SetRandSeed(s.randSeed);
  form.LevelNumber = s.level;
  form.Score = s.score;
  race.Lives = s.lives;
  race.Level = s.parameters;
  race.Level.PlayerPattern = std::clamp(s.parameters.PlayerPattern, 0, 2);
  // A damaged start must not index past the catalogues.
  race.SelectedTruck = std::clamp(s.selectedTruck, 0, kTruckModelCount - 1);
  race.SelectedTrack = std::clamp(s.selectedTrack, 0, kTrackTableSize - 1);
  form.TracksOpen = s.tracksOpen;
  form.TrucksOpen = s.trucksOpen;
  form.MarkUnlocked();
  form.UnlockLevel = s.unlockLevel;
  form.NextUnlockScore = s.nextUnlockScore;
  race.DelayCounter = s.delayCounter;
  race.FinishPlace = s.finishPlace;
  form.GameDifficulty = s.difficulty == 1 ? Difficulty::Easy : Difficulty::Classic;
  form.DevKeys = s.devKeys;
  form.DevWinUsed = s.devWinUsed;
  form.RaceTimer.Enabled = s.clockRunning;
  form.KeyDown = s.keyDown;
  form.KeyReleased = s.keyReleased;
}

ReplayPlayer::ReplayPlayer(TForm1& form, const ReplayRace& race) : form_(form), race_(race) {
  form_.Replays.SetEnabled(false);
}

void ReplayPlayer::Begin() {
  // The pictures first: loading them must not come between the restored generator and the race.
  LoadRacePictures(form_);
  const int32_t track = std::clamp(race_.start.selectedTrack, 0, kTrackTableSize - 1);
  LoadRaceTheme(form_, track);
  RestoreRaceStart(form_, race_.start);
  tornDownAtStart_ = form_.Replays.TornDown();
  form_.EnterState(gsRace);
  if (!race_.frames.empty()) RunClock(race_.frames[0].clockAfter);
  next_ = 1;
  repeatDone_ = 0;
  framesRun_ = race_.startedInFrame ? 1 : 0;
}

bool ReplayPlayer::Step() {
  // A recorded race ends before its teardown: one torn down here went another way (or the file
  // was made up), and what follows would drive the menus.
  if (next_ >= race_.frames.size() || form_.Replays.TornDown() != tornDownAtStart_) return false;
  const ReplayFrame& frame = race_.frames[next_];
  RunClock(frame.clockBefore);
  if (repeatDone_ == 0) {
    for (const ReplayEvent& event : frame.events) {
      Feed(event);
      if (form_.Replays.TornDown() != tornDownAtStart_) return false;
    }
  }
  form_.OmegaTimer1Timer();
  RunClock(frame.clockAfter);
  ++framesRun_;
  if (++repeatDone_ >= frame.repeat) {
    ++next_;
    repeatDone_ = 0;
  }
  return true;
}

void ReplayPlayer::RunClock(uint32_t calls) {
  // The frame loop calls the clock only while it runs; so does playback, whatever the file says.
  for (uint32_t i = 0; i < calls && form_.RaceTimer.Enabled; ++i) form_.RaceTimerTimer();
}

void ReplayPlayer::Feed(const ReplayEvent& e) {
  using Kind = ReplayEvent::Kind;
  switch (e.kind) {
    case Kind::kKeyDown:
      form_.PressKey(e.a);
      break;
    case Kind::kKeyUp:
      form_.ReleaseKey(e.a);
      break;
    case Kind::kText:
      form_.FormText(e.text);
      break;
    case Kind::kMouseMove:
      form_.FormMouseMove(e.a, e.b);
      break;
    case Kind::kMouseDown:
      form_.FormMouseDown(e.a, e.b, e.c, e.d);
      break;
    case Kind::kMouseUp:
      form_.FormMouseUp(e.a, e.b, e.c);
      break;
    case Kind::kControllerLost:
      form_.FormControllerLost();
      break;
    case Kind::kClock:
      RunClock(static_cast<uint32_t>(std::max(e.a, 0)));
      break;
  }
}

}  // namespace game
