// The opponent truck's shared state: registration in the race and its bookkeeping fields.
#include "game/EnemyCar.h"

#include "game/MainForm.h"

namespace game {

TEnemyCar::TEnemyCar(TForm1& form, double centreX, double centreY, int32_t truckIndex,
                     const std::string& name, double heading, int32_t patternIndex, int32_t slot,
                     int32_t number)
    : TCar(form, centreX, centreY, truckIndex, name, heading, patternIndex) {
  SetName("enemycar");
  ++form.Race.OpponentCount;
  TargetPoint = 1;
  OpponentSlot = slot;
  Released = false;
  OpponentNumber = number;
  OffsetCounter = 1;
  Spinning = false;
  SpinDecay = 0.06;
}

TEnemyCar::~TEnemyCar() {
  RaceState& race = Form.Race;
  if (OpponentSlot >= 0 && OpponentSlot < kOpponentSlots &&
      race.Opponents[static_cast<size_t>(OpponentSlot)] == this)
    race.Opponents[static_cast<size_t>(OpponentSlot)] = nullptr;
}

}  // namespace game
