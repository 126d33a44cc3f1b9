// The ghost's lockstep: frame by frame through the lights, then by the race clock alone.
#include "game/GhostClock.h"

#include <gtest/gtest.h>

namespace {

using game::GhostBehind;
using game::RaceMoment;

TEST(GhostClock, LightsByFrameThenClockOnlyAndNeverPastTheEnd) {
  // The lights: the ghost follows the player's frames and never starts its clock first.
  EXPECT_TRUE(GhostBehind({.screenTick = 10}, {.screenTick = 11}));
  EXPECT_FALSE(GhostBehind({.screenTick = 11}, {.screenTick = 11}));
  EXPECT_FALSE(GhostBehind({.elapsedHund = 1, .screenTick = 250}, {.screenTick = 251}));
  // The player's clock runs: the ghost finishes its lights, then keeps up hundredth by hundredth,
  // whatever the frame counters say.
  EXPECT_TRUE(GhostBehind({.screenTick = 249}, {.elapsedHund = 2, .screenTick = 250}));
  EXPECT_TRUE(GhostBehind({.elapsedHund = 500, .screenTick = 301}, {.elapsedHund = 501}));
  EXPECT_FALSE(GhostBehind({.elapsedHund = 501}, {.elapsedHund = 501, .screenTick = 301}));
  EXPECT_FALSE(GhostBehind({.elapsedHund = 503}, {.elapsedHund = 501}));
  // A run that is over (across the line, or out of frames) waits where it is.
  EXPECT_FALSE(GhostBehind({.elapsedHund = 100, .over = true}, {.elapsedHund = 900}));
}

}  // namespace
