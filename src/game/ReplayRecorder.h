// Records every race as it is played: its start, then frame by frame the input the game read and
// the race-clock calls, until the race is torn down.
#pragma once

#include <cstdint>

#include "game/Replay.h"

namespace game {

class TForm1;

class ReplayRecorder {
 public:
  // Off, nothing is recorded (the form that plays a replay back).
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  // Keeps every race of the session instead of only the current game's.
  void KeepSession(bool keep) { keepSession_ = keep; }

  // Hooks of the game: a new game, a race set up (before the set-up reads anything) and torn
  // down, a frame beginning and ending, one race-clock call, one input after translation.
  void GameStarting();
  void RaceStarting(const TForm1& form);
  void RaceTornDown() {
    ++tornDown_;
    RaceEnded();
  }
  void FrameStarting();
  void FrameEnded() { inFrame_ = false; }
  // The frame loop has shown (and traced) the frame: clock calls from now on come before the
  // next frame.
  void FrameShown();
  void Clock();
  void Input(const ReplayEvent& event);
  // The race under way reached its results: its place, time over the line (-1: none) and road.
  void RaceResult(int32_t place, int32_t raceHund, std::string roadCode);

  // Closes a race still running (the game quits) and gives the races recorded: the current or
  // last game's, or the whole session's.
  const Replay& Finish();
  const Replay& Recorded() const { return replay_; }
  bool Recording() const { return open_; }
  // Races torn down on this form, recorded or not (playback stops at the first).
  uint64_t TornDown() const { return tornDown_; }

 private:
  void Commit();
  void RaceEnded();

  Replay replay_;
  // The frame being recorded: its inputs so far, and once it ran, the clock calls after it.
  ReplayFrame current_;
  bool currentRan_ = false;
  bool open_ = false;
  bool inFrame_ = false;
  bool enabled_ = true;
  bool keepSession_ = false;
  uint64_t tornDown_ = 0;
};

// The race start as the form holds it now.
RaceStart CaptureRaceStart(const TForm1& form);

}  // namespace game
