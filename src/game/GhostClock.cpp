// The ghost's lockstep with the player's race clock.
#include "game/GhostClock.h"

namespace game {

bool GhostBehind(const RaceMoment& ghost, const RaceMoment& player) {
  if (ghost.over) return false;
  if (player.elapsedHund <= 0)
    return ghost.elapsedHund <= 0 && ghost.screenTick < player.screenTick;
  return ghost.elapsedHund < player.elapsedHund;
}

}  // namespace game
