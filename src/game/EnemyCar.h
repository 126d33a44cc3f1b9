// TEnemyCar: an opponent truck. This holds what the road, the walls and the finish line read and
// write of an opponent; its pilot is added by the opponent driving code.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/Car.h"

namespace game {

// A probe point ahead of or beside an opponent; walls set the wall flag of probes 0..2.
struct TSensor {
  double X = 0;
  double Y = 0;
  double Radius = 0;
  double AngleOffset = 0;
  bool WallHit = false;
};

class TEnemyCar : public TCar {
 public:
  // Counts itself in OpponentCount; the race setup stores it in Opponents[slot].
  TEnemyCar(TForm1& form, double centreX, double centreY, int32_t truckIndex,
            const std::string& name, double heading, int32_t patternIndex, int32_t slot,
            int32_t number);
  ~TEnemyCar() override;

  int32_t OpponentSlot = 0;
  int32_t TargetPoint = 1;
  bool TouchingPlayer = false;
  std::array<TSensor, 5> Sensors{};
  bool AvoidRight = false;
  bool AvoidLeft = false;
  bool AvoidBrake = false;
  bool Released = false;
  int32_t OpponentNumber = 0;
  double LateralOffset = 0;
  int32_t OffsetPeriod = 0;
  int32_t OffsetCounter = 1;
};

}  // namespace game
