// Generates the road plan: alternating straight and diagonal runs opened by turn pieces, and ground
// terrain that flips every 10..19 pieces.
#include "game/RoadPlan.h"

#include <algorithm>

#include "engine/Random.h"

namespace game {

using engine::Random;

void GenerateRoadPlan(RaceState& race, const std::string& /*dataFile*/) {
  // The tables are sized for the longest road; a longer request is cut to fit.
  const int32_t length = std::clamp(race.Level.RoadLength, 0, kMaxRoadLength);
  const int32_t minRun = race.Level.RoadMinRun;
  const int32_t maxRun = race.Level.RoadMaxRun;
  // Entries past this race's plan must read as straight road on plain ground, whatever an earlier
  // (longer) race left in them.
  race.RoadPlan.fill(0);
  race.SceneryPlan.fill(0);

  int32_t run = 0;
  int32_t target = 0;
  int32_t direction = 0;  // 0 straight, 1 left family, 2 right family
  for (int32_t j = 0; j <= length; ++j) {
    uint8_t& piece = race.RoadPlan[static_cast<size_t>(j)];
    if (run == target) {
      if (direction == 0) {
        direction = Random(2) + 1;
        piece = direction == 1 ? TurnLeft : TurnRight;
      } else {
        piece = direction == 1 ? BackFromLeft : BackFromRight;
        direction = 0;
      }
      run = 0;
      target = Random(maxRun - minRun) + minRun + 2;
    } else {
      piece = static_cast<uint8_t>(direction);
    }
    ++run;
  }

  bool second = false;
  int32_t count = 0;
  int32_t distance = 5;
  for (int32_t j = 0; j < length; ++j) {
    uint8_t& ground = race.SceneryPlan[static_cast<size_t>(j)];
    if (count == distance) {
      ground = second ? 2 : 3;
      second = !second;
      count = 0;
      distance = Random(10) + 10;
    } else {
      ground = second ? 1 : 0;
    }
    ++count;
  }
  race.SceneryPlan[static_cast<size_t>(length)] = second ? 2 : 0;
  race.RoadPieceCount = length;
}

void CloseRoadPlan(RaceState& race) {
  const int32_t last = std::clamp(race.RoadPieceCount, 0, kMaxRoadLength);
  const uint8_t p = race.RoadPlan[static_cast<size_t>(last)];
  uint8_t closing = Straight;
  if (p == DiagLeft || p == TurnLeft) closing = BackFromLeft;
  if (p == DiagRight || p == TurnRight) closing = BackFromRight;
  race.RoadPlan[static_cast<size_t>(last + 1)] = closing;
  for (int32_t j = last + 2; j <= last + 21; ++j) race.RoadPlan[static_cast<size_t>(j)] = Straight;
  race.RoadPieceCount = last + 21;
}

void FillPieceOffsets(RaceState& race) {
  for (size_t k = 0; k < race.PieceOffsets.size(); ++k) race.PieceOffsets[k] = kPieceOffsets[k];
}

}  // namespace game
