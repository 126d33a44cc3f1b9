// The rules of the easy difficulty: a clock measured from the road, walls charged once per hit,
// and a spare truck that buys a fresh race when the time runs out.
#pragma once

#include <cstdint>

#include "game/RaceState.h"

namespace game {

class TForm1;
class TPlayer;

// Frames without touching a wall after which the next touch is a new hit.
constexpr int32_t kWallHitGapFrames = 30;

// Whole seconds of the easy clock for the race's road: so much per pixel of path from the grid to
// the finish line, and never less than the classic time limit of the race.
int32_t EasyTimeLimitSeconds(const RaceState& race);
// Sets the race clock to the easy time limit (after the path is measured).
void SetEasyClock(RaceState& race);

// Damage of a wall touch on the easy difficulty. strength is the speed into the wall (pixels per
// frame across it): a hit costs its strength once, and touching the wall again within
// kWallHitGapFrames only costs what a harder push adds, so scraping or leaning on a barrier
// costs what the first touch did.
int32_t EasyWallDamage(TPlayer& player, double strength);

// True when the easy difficulty gives another try now that the time ran out: a spare truck left.
bool TimeUpRetries(const TForm1& form);
// The spare truck is spent and the same race number starts afresh: new road, start lights.
void RetryRaceAfterTimeUp(TForm1& form);

}  // namespace game
