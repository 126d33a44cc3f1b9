// The race flow: the race, results and destroyed-truck states, and the race clock.
#include "game/MainForm.h"

namespace game {

void TForm1::RegisterRaceStates() {}

void TForm1::RaceTimerTimer() {}

std::string TForm1::RaceTraceFields() const {
  return "";
}

}  // namespace game
