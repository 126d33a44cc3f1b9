// The flow of a game and its races: level parameters, race set-up and teardown, the race clock,
// resets of the player's truck, the results tally and the unlock progression.
#pragma once

#include <cstdint>

#include "game/RaceState.h"

namespace game {

class TForm1;

// Frames of the start sequence: lights until 250, the arrows fade until 300.
constexpr int32_t kLightsGreenTick = 250;
constexpr int32_t kStartArrowsGoneTick = 300;
// Frames from the finish to the results screen, and of the explosion before a respawn.
constexpr int32_t kFinishDelay = 150;
constexpr int32_t kExplosionFrames = 200;

// --- game and level ---
// Score plus points, held at the largest score instead of wrapping round.
int32_t AddedScore(int32_t score, int32_t points);
// The level parameters as a game starts them.
void ResetLevelParameters(RaceState& race);
// Raises the level parameters for race LevelNumber (called after LevelNumber went up).
void LevelUp(TForm1& form);
// A new game's values (score, spare trucks, the truck's paint pattern), raised race by race up to
// race level, as if the races before it had been won.
void BeginGameAt(TForm1& form, int32_t pattern, int32_t level);
// Loads the race archive the first time a race needs it, over one "loading" frame.
void LoadRacePictures(TForm1& form);
// From the truck screen towards a race: the game music and the click, the menu scene gone, the
// race pictures loaded.
void LeaveMenusForRace(TForm1& form);
// Starts a new game at race 1 (or at form.StartLevel), loading the race pictures the first time.
void StartGameFlow(TForm1& form);
// The results screen's next-race button: keeps the best time, tears the race down and starts the
// next one.
void NextRace(TForm1& form);

// --- race set-up and teardown ---
// StartGrid slots 1..21: odd slots left and 100 pixels apart, even slots right and 40 lower.
void FillStartGrid(RaceState& race);
// The display, the trucks on the grid, the road, the path and the finish line of a new race.
void SetupRace(TForm1& form);
// Enters state 12 from the start: fonts, set-up, health, start arrows.
void EnterRace(TForm1& form);
// Removes every race sprite but the cursor, and the references to them.
void TeardownRace(TForm1& form);

// --- during a race ---
enum class ClockTick { kCounted, kWarning, kTimeUp };
// One 10 ms step of the race clock: kWarning when the last ten seconds tick away, kTimeUp when it
// was already at 0:00:00.
ClockTick TickRaceClock(RaceState& race);
// The move pass of a race frame. The walls only raise the opponents' wall sensors, so the pass
// starts with them lowered: a sensor one wall raised stays raised whatever the later walls see.
void MoveRaceSprites(TForm1& form);
// A truck that fell far back stands again on the path point before the next one, facing up.
void ResetFellBackTruck(TForm1& form);
// After the explosion: back on the road two path points behind the nearest one, one spare truck
// fewer.
void RespawnTruck(TForm1& form);
// Index of the path point nearest to (x, y); 1 when there is none (a point wins only when
// strictly nearer).
int32_t NearestPathPoint(const RaceState& race, double x, double y);

// --- results and progression ---
// 3: nothing left to unlock; 2: a track step (levels 0, 2, 4) or 1: a truck step, when the score
// went from below the next threshold (scoreFrom) to it or past it (scoreTo); 0 otherwise.
int32_t UnlockTest(const TForm1& form, int32_t scoreFrom, int32_t scoreTo);
// Performs the unlock step of UnlockLevel and moves on to the next threshold.
void UnlockNext(TForm1& form);
// Keeps an elapsed race time as the track's best when it is strictly better; true when kept.
bool RecordBestTime(TrackInfo& track, int32_t elapsedHund);

// Registers states 16 (results) and 27 (destroyed truck) — state 12 lives in RaceFlow.cpp.
void RegisterResultsState(TForm1& form);
void RegisterExplodedState(TForm1& form);

}  // namespace game
