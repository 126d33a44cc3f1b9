// The random road plan: which piece kind and which ground kind each road piece of a race gets.
#pragma once

#include <string>

#include "game/RaceState.h"

namespace game {

enum PieceKind : uint8_t {
  Straight = 0,
  DiagLeft = 1,
  DiagRight = 2,
  TurnRight = 3,
  TurnLeft = 4,
  BackFromRight = 5,
  BackFromLeft = 6,
};

// Centre-line x at the bottom (entry) and top (exit) edge of each piece picture.
inline constexpr PieceOffset kPieceOffsets[7] = {
    {142, 142}, {502, 203}, {203, 502}, {138, 278}, {344, 206}, {206, 344}, {278, 138},
};

// Fills RoadPlan and SceneryPlan 0..Level.RoadLength from the level parameters and sets
// RoadPieceCount.
// The track's data file is carried for the caller's sake only; the road is always random.
void GenerateRoadPlan(RaceState& race, const std::string& dataFile);
// Appends the turn back to straight and twenty straight pieces.
void CloseRoadPlan(RaceState& race);
void FillPieceOffsets(RaceState& race);

}  // namespace game
