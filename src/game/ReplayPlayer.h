// Plays a recorded race back on a form: restores its start, then feeds each frame's input and
// runs its race-clock calls, with no clock of its own.
#pragma once

#include <cstdint>

#include "game/Replay.h"

namespace game {

class TForm1;

// The form should be one of its own (not the player's): the race changes its score, progress and
// unlocks as it did when it was recorded. Its recorder is switched off.
class ReplayPlayer {
 public:
  ReplayPlayer(TForm1& form, const ReplayRace& race);
  // Restores the start, loads the race's pictures and sets the race up as it was.
  void Begin();
  // Runs the next recorded frame. False when the race has no more, or was torn down (it went
  // another way than recorded).
  bool Step();
  // Frames run so far (the start counts as one when the race began inside a frame).
  uint64_t FramesRun() const { return framesRun_; }

 private:
  void Feed(const ReplayEvent& event);
  void RunClock(uint32_t calls);

  TForm1& form_;
  const ReplayRace& race_;
  size_t next_ = 1;
  uint32_t repeatDone_ = 0;
  uint64_t framesRun_ = 0;
  uint64_t tornDownAtStart_ = 0;
};

// Puts a recorded start into the form: generator, progress, level parameters, keys.
void RestoreRaceStart(TForm1& form, const RaceStart& start);

}  // namespace game
