// The state of the current game and race: catalogues, level parameters, the race clock, the road
// plan, the path, the finish records and references to the race's trucks.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/LevelParameters.h"
#include "game/RoadCode.h"

namespace game {

class TForm1;
class TPlayer;
class TEnemyCar;
class TRoadPart;
class TFinishLine;
class TBegArrows;
class TWreck;

// Largest road length the level progression reaches, and the room the road tables need for it.
constexpr int32_t kMaxRoadLength = 250;
// RoadLength + 1 generated entries, one closing turn and twenty straights.
constexpr int32_t kRoadPlanSize = kMaxRoadLength + 22;
// One path point per plan entry but the last, plus eight beyond the road end; index 0 unused.
constexpr int32_t kPathPointSize = kRoadPlanSize + 8;
// Opponent slots of the truck tables.
constexpr int32_t kOpponentSlots = 21;
// Finish records 1..9: every opponent of the biggest race can be recorded; index 0 unused.
constexpr int32_t kFinishRecordSize = 10;
constexpr int32_t kTrackTableSize = 25;
constexpr int32_t kTruckModelCount = 5;

// One entry of the track catalogue.
struct TrackInfo {
  std::string Name;
  std::string Picture;
  std::string DataFile;
  bool Unlocked = false;
  int32_t BestHund = 0;
  int32_t BestSec = 0;
  int32_t BestMin = 1000;  // 1000 = no time yet
  std::string LengthText;
  int32_t Laps = 0;
  int32_t RivalCount = 0;
};

// One entry of the truck catalogue.
struct TruckModel {
  std::string Name;
  std::string Picture;  // selection picture
  bool Unlocked = false;
  double MaxSpeed = 0;
  double AccelRate = 0;
  double SteerRate = 0;
  double Grip = 0;
};

struct PathPointXY {
  double x = 0;
  double y = 0;
};

// Centre-line offsets of one piece kind at the bottom (entry) and top (exit) edge of its picture.
struct PieceOffset {
  int32_t EntryX = 0;
  int32_t ExitX = 0;
};

struct FinishRecord {
  int32_t Truck = 0;  // opponent slot
  int32_t Hund = 0;
  int32_t Sec = 0;
  int32_t Min = 0;
};

// Hooks for race objects made elsewhere: a pickup near a road piece, a skid mark on the ground.
using PickupPlacer = void (*)(TForm1& form, double x, double y);
using SkidMarkMaker = void (*)(TForm1& form, double centreX, double centreY);

struct RaceState {
  // Catalogues (built once at start-up, kept for the whole program).
  std::array<TrackInfo, kTrackTableSize> Tracks{};
  int32_t LastTrackIndex = 11;
  int32_t SelectedTrack = 0;
  std::array<TruckModel, kTruckModelCount> TruckModels{};
  int32_t SelectedTruck = 0;
  int32_t LastTruckIndex = 4;

  // Level parameters of the current game.
  LevelParameters Level;

  // Spare trucks left in this game.
  int32_t Lives = 3;

  // The race clock, counting down.
  int32_t TimeLeftMin = 0;
  int32_t TimeLeftSec = 0;
  int32_t TimeLeftHund = 0;

  // Race bookkeeping.
  int32_t TruckCount = 0;
  std::array<PathPointXY, kOpponentSlots + 1> StartGrid{};  // slots 1..21
  int32_t FinishPlace = 0;
  int32_t FinishMin = 0;
  int32_t FinishSec = 0;
  int32_t FinishHund = 0;
  std::array<FinishRecord, kFinishRecordSize> FinishRecords{};  // 1..9
  int32_t NextFinishPlace = 1;
  bool Paused = false;
  bool Destroyed = false;
  int32_t DelayCounter = 0;

  // Road plan: piece kind and ground kind per piece, highest valid index, per-kind offsets.
  std::array<uint8_t, kRoadPlanSize> RoadPlan{};
  std::array<uint8_t, kRoadPlanSize> SceneryPlan{};
  int32_t RoadPieceCount = 0;
  std::array<PieceOffset, 7> PieceOffsets{};

  // Road building: where the next piece goes while laying, and which plan entry comes next.
  double RoadX = 0;
  double RoadY = 0;
  int32_t RoadPlanIndex = 0;
  TRoadPart* LastRoadPiece = nullptr;

  // The race path (1-based) with running lengths in tenths of a pixel.
  std::array<PathPointXY, kPathPointSize> PathPoint{};
  std::array<double, kPathPointSize> PathLength{};
  int32_t PathPointCount = 0;
  TFinishLine* FinishLine = nullptr;

  // Trucks. Opponents are registered by their own driving code; the slots hold null otherwise.
  TPlayer* Player = nullptr;
  std::array<TEnemyCar*, kOpponentSlots> Opponents{};
  int32_t OpponentCount = 0;
  double PlayerTotal = 0;
  std::array<double, kOpponentSlots> OpponentTotal{};
  // World origin subtracted once from a truck's start point to give its WorldX/WorldY.
  double WorldOriginX = 0;
  double WorldOriginY = 0;

  // Optional makers of pickups and skid marks; left null nothing is made.
  PickupPlacer PlacePickup = nullptr;
  SkidMarkMaker MakeSkidMark = nullptr;

  // --- display and race flow ---
  // Prize of the current race: set at the setup, divided by the place, tallied into Score.
  int32_t RacePrize = 0;
  // Score as the race was set up, and on entering the results screen. A threshold the score
  // reaches anywhere between the start of the race (coins included) and the end of the tally
  // unlocks the next step.
  int32_t ScoreAtRaceStart = 0;
  int32_t ScoreBeforeTally = 0;
  // Result lines shown on the results screen (0..4).
  int32_t ResultLines = 0;
  // The form's mouse-press count when the results screen opened: a press since then skips the
  // tally.
  uint32_t MousePressesAtResults = 0;
  // Hundredths the race clock has counted in this race: the time driven, whatever extra time
  // was picked up.
  int32_t ElapsedHund = 0;
  // The code of this race's road (the results screen shows it), and how many roads were set up
  // since the program started.
  RoadCode Road;
  uint32_t RoadsSetUp = 0;
  // The ring of arrows around the grid until the start; null once gone.
  TBegArrows* StartArrows = nullptr;
  // The burnt-out player truck while it waits for the respawn; null otherwise.
  TWreck* Wreck = nullptr;
  // An overlay opened from the race (pause, the leave question) goes back to this state, the race
  // (12) or the burning wreck (27), with the clock running again only if it ran when it opened.
  uint8_t ResumeState = 12;
  bool ClockWasRunning = false;
};

}  // namespace game
