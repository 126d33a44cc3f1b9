// The parameters a game's level sets for each of its races: rivals, road, prize, pickups, clock.
#pragma once

#include <cstdint>

namespace game {

struct LevelParameters {
  int32_t OpponentsPerRace = 3;
  // Plan entries of the road, and the bounds of the stretch between two turns.
  int32_t RoadLength = 90;
  int32_t RoadMinRun = 5;
  int32_t RoadMaxRun = 10;
  int32_t RacePrizeBase = 500;
  // The pickup lottery: coins below B, hazards up to A, extras above.
  int32_t BonusParamA = 400;
  int32_t BonusParamB = 200;
  int32_t TimeLimitMin = 1;
  int32_t TimeLimitSec = 0;
  int32_t TimeLimitHund = 0;
  int32_t PlayerPattern = 0;

  bool operator==(const LevelParameters&) const = default;
};

}  // namespace game
