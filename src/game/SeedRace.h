// Seed races: one race outside the career on the road a code names, while the career waits.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "game/Difficulty.h"
#include "game/LevelParameters.h"
#include "game/RoadCode.h"

namespace game {

class TForm1;

// What a seed race borrows from the career and gives back when it ends.
struct CareerHold {
  int32_t LevelNumber = 1;
  int32_t Score = 0;
  int32_t Lives = 3;
  int32_t SelectedTrack = 0;
  LevelParameters Level;
  Difficulty GameDifficulty = Difficulty::Classic;
  bool DevWinUsed = false;
};

struct SeedRaceRun {
  // A road was picked on the seed screen: the truck screen's race button drives it.
  bool Chosen = false;
  // The race under way is a seed race: no score, unlock, best time or settings file changes.
  bool Active = false;
  RoadCode Code;
  // The day whose road Code is ("YYYY-MM-DD"); empty for a typed code.
  std::string DailyDate;
  // The harness's "today" ("YYYY-MM-DD"); empty: the UTC date now.
  std::string FixedToday;
  // Hundredths driven in the last seed race that crossed the finish line; -1 when it did not.
  int32_t FinishHund = -1;
  // Ends a seed race from the state it stands in (results, a notice, the leave question) and
  // opens the seed screen; the front end sets it.
  std::function<void(uint8_t from)> Finish;
  // Sets up the player's best run on Code as a ghost beside the race just set up (the front end
  // sets it; it leaves the generator as it was).
  std::function<void()> StartGhost;
  // The seed screen's switch (kept in vornakel.ini): the ghost drives in seed races.
  bool GhostShown = true;
  CareerHold Held;
};

// The code of the race being set up: the generator as it stands, the race number, the track and
// the difficulty. Reading it never moves the generator.
RoadCode RoadCodeNow(const TForm1& form);
// The day the daily road is for: the harness's fixed day or the UTC date.
std::string SeedRaceToday(const TForm1& form);
// From the truck screen: holds the career, sets up the race of SeedRace.Code (its race number,
// track and difficulty, the generator at its seed) with the selected truck, and starts it.
void StartSeedRace(TForm1& form);
// Gives the career back what the seed race held (the race states must be left already).
void EndSeedRace(TForm1& form);

}  // namespace game
