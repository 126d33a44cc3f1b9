// The race recorder: frames with their inputs and clock calls, identical empty frames merged.
#include "game/ReplayRecorder.h"

#include <ctime>

#include "engine/Random.h"
#include "game/MainForm.h"

namespace game {

RaceStart CaptureRaceStart(const TForm1& form) {
  const RaceState& race = form.Race;
  RaceStart s;
  s.randSeed = engine::RandSeed();
  s.level = form.LevelNumber;
  s.score = form.Score;
  s.lives = race.Lives;
  s.parameters = race.Level;
  s.selectedTruck = race.SelectedTruck;
  s.selectedTrack = race.SelectedTrack;
  s.tracksOpen = form.TracksOpen;
  s.trucksOpen = form.TrucksOpen;
  s.unlockLevel = form.UnlockLevel;
  s.nextUnlockScore = form.NextUnlockScore;
  s.delayCounter = race.DelayCounter;
  s.finishPlace = race.FinishPlace;
  s.difficulty = static_cast<uint8_t>(form.GameDifficulty);
  s.devKeys = form.DevKeys;
  s.devWinUsed = form.DevWinUsed;
  s.clockRunning = form.RaceTimer.Enabled;
  s.keyDown = form.KeyDown;
  s.keyReleased = form.KeyReleased;
  return s;
}

void ReplayRecorder::GameStarting() {
  RaceEnded();
  if (!keepSession_) replay_.races.clear();
}

void ReplayRecorder::RaceStarting(const TForm1& form) {
  if (!enabled_) return;
  if (open_) RaceEnded();
  ReplayRace& race = replay_.races.emplace_back();
  race.start = CaptureRaceStart(form);
  race.startedInFrame = inFrame_;
  race.summary.recordedUtc = static_cast<int64_t>(std::time(nullptr));
  // The start itself stands for frame 0: the clock calls after it are counted on it.
  current_ = ReplayFrame{};
  currentRan_ = true;
  open_ = true;
}

void ReplayRecorder::Commit() {
  std::vector<ReplayFrame>& frames = replay_.races.back().frames;
  const bool same = frames.size() > 1 && current_.events.empty() && frames.back().events.empty() &&
                    current_.clockBefore == frames.back().clockBefore &&
                    current_.clockAfter == frames.back().clockAfter &&
                    frames.back().repeat < UINT32_MAX;
  if (same) {
    ++frames.back().repeat;
  } else {
    frames.push_back(std::move(current_));
  }
  current_ = ReplayFrame{};
  currentRan_ = false;
}

void ReplayRecorder::RaceEnded() {
  if (!open_) return;
  // A frame that ran to its end belongs to the race; the frame or input that ends the race does
  // not (it leads out of the race, and playback stops before it).
  if (currentRan_ && !inFrame_) Commit();
  current_ = ReplayFrame{};
  currentRan_ = false;
  open_ = false;
}

void ReplayRecorder::FrameStarting() {
  inFrame_ = true;
  if (!open_) return;
  if (currentRan_) Commit();
  currentRan_ = true;
}

void ReplayRecorder::Clock() {
  if (!open_) return;
  if (currentRan_) {
    ++current_.clockAfter;
    return;
  }
  // Clock calls between two inputs before a frame keep their place among them.
  std::vector<ReplayEvent>& events = current_.events;
  if (events.empty()) {
    ++current_.clockBefore;
    return;
  }
  if (events.back().kind == ReplayEvent::Kind::kClock) {
    ++events.back().a;
  } else {
    events.push_back(ReplayEvent::Of(ReplayEvent::Kind::kClock, 1));
  }
}

void ReplayRecorder::FrameShown() {
  if (open_ && currentRan_ && !inFrame_) Commit();
}

void ReplayRecorder::Input(const ReplayEvent& event) {
  if (!open_) return;
  if (currentRan_) Commit();
  current_.events.push_back(event);
}

void ReplayRecorder::RaceResult(int32_t place, int32_t raceHund, std::string roadCode) {
  if (!open_) return;
  RaceSummary& summary = replay_.races.back().summary;
  summary.place = place;
  summary.raceHund = raceHund;
  summary.roadCode = std::move(roadCode);
}

const Replay& ReplayRecorder::Finish() {
  const bool wasInFrame = inFrame_;
  inFrame_ = false;
  RaceEnded();
  inFrame_ = wasInFrame;
  return replay_;
}

}  // namespace game
