// When a ghost (a recorded run driven again beside the player's race) is behind the player.
#pragma once

#include <cstdint>

namespace game {

// Where a race stands on its clock: the hundredths driven, the start sequence's frame counter
// (the lights until its clock starts) and whether the run is over (over the line, or no more
// recorded frames).
struct RaceMoment {
  int32_t elapsedHund = 0;
  int32_t screenTick = 0;
  bool over = false;
};

// True while the ghost should run another frame to be where its run was at the player's time on
// the clock. Before the player's clock starts the two go frame by frame through the lights (the
// ghost never starts its clock first); afterwards only the clocks count, since the frames of the
// two sessions need not fall at the same clock times.
bool GhostBehind(const RaceMoment& ghost, const RaceMoment& player);

}  // namespace game
