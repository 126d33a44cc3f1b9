// The easy difficulty's clock, wall damage and retry after time's up.
#include "game/EasyRules.h"

#include <algorithm>
#include <cmath>

#include "engine/Random.h"
#include "game/MainForm.h"
#include "game/Player.h"
#include "game/RoadGeometry.h"

namespace game {

namespace {

// Tuned with the autopilot over races 1-12 (scripts/difficulty-table): its median race finishes
// with some 13-33 s left and about one race in sixteen runs out; the road's length explains its
// time better than the race number does, since later roads bend more but stop growing at race 9.
constexpr double kClockPixelsPerSecond = 645;
// Damage per pixel a frame of speed into the wall (the classic rule charges 3 per pixel a frame
// of speed on every frame of contact).
constexpr double kWallDamagePerSpeed = 2;

}  // namespace

int32_t EasyTimeLimitSeconds(const RaceState& race) {
  // The path's last eight points run on past the finish line.
  const int32_t finishPoint = std::clamp(race.PathPointCount - 8, 1, kPathPointSize - 1);
  const double pixels = race.PathLength[static_cast<size_t>(finishPoint)] * 10;
  const auto byRoad = static_cast<int32_t>(std::ceil(pixels / kClockPixelsPerSecond));
  // Never less time than the classic rules give the same race.
  return std::max(byRoad, race.Level.TimeLimitMin * 60 + race.Level.TimeLimitSec);
}

void SetEasyClock(RaceState& race) {
  const int32_t seconds = EasyTimeLimitSeconds(race);
  race.TimeLeftMin = seconds / 60;
  race.TimeLeftSec = seconds % 60;
  race.TimeLeftHund = 0;
}

int32_t EasyWallDamage(TPlayer& player, double strength) {
  if (player.WallFreeFrames > kWallHitGapFrames) player.WallHitCharged = 0;
  player.WallFreeFrames = 0;
  const int32_t hit = NearestInt(kWallDamagePerSpeed * std::max(strength, 0.0));
  if (hit <= player.WallHitCharged) return 0;
  const int32_t charge = hit - player.WallHitCharged;
  player.WallHitCharged = hit;
  return charge;
}

bool TimeUpRetries(const TForm1& form) {
  return form.GameDifficulty == Difficulty::Easy && form.Race.Lives > 1;
}

void RetryRaceAfterTimeUp(TForm1& form) {
  --form.Race.Lives;
  // A seed race tries its own road again; the career's next road follows on from the generator.
  if (form.SeedRace.Active) engine::SetRandSeed(form.SeedRace.Code.Seed);
  form.LeaveState(gsRace);
  form.EnterState(gsRace);
}

}  // namespace game
