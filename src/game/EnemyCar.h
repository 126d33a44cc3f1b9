// TEnemyCar: an opponent truck driven by a small rule-based pilot along the race path.
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

// Side of the square around each of sensors 0..2 that the walls test.
constexpr double kWallSensorSquare = 80;

// Sensor roles.
constexpr size_t kSensorFrontLeft = 0;
constexpr size_t kSensorFrontRight = 1;
constexpr size_t kSensorFarAhead = 2;
constexpr size_t kSensorNearAhead = 3;
constexpr size_t kSensorLeftSide = 4;

// What the pilot decided for this frame.
struct PilotRequests {
  bool Accelerate = false;
  bool Brake = false;
  bool TurnLeft = false;
  bool TurnRight = false;
};

class TEnemyCar : public TCar {
 public:
  // The race's way of making an opponent: the picture frame is drawn by lot (Random(3)). Counts
  // itself in OpponentCount and takes its place in Opponents[slot].
  TEnemyCar(TForm1& form, double centreX, double centreY, int32_t truckIndex,
            const std::string& name, double heading, int32_t slot, int32_t number);
  // The same with a chosen picture frame.
  TEnemyCar(TForm1& form, double centreX, double centreY, int32_t truckIndex,
            const std::string& name, double heading, int32_t patternIndex, int32_t slot,
            int32_t number);
  ~TEnemyCar() override;

  void Move(float moveCount) override;

  // Parts of Move, in the order Move runs them.
  // Looks for trucks in the two boxes ahead: a truck close ahead asks for braking, one further
  // ahead asks for a swerve away from it.
  void SenseTrucks();
  // Decides and applies this frame's accelerate / brake / turn requests; returns them.
  PilotRequests RunPilot();
  // An opponent lost for kHopelessFrames (no new best Progress) is put back on the path at the
  // point before its target, facing it, where the player cannot see it happen: both places off the
  // screen. Returns true when it did.
  bool PutBackWhenLost();
  void UpdateProgress();
  void UpdateRacePosition();
  // Puts the five probe points around the rear pivot.
  void PlaceSensors();
  // Lowers the wall flags; once a frame, before the walls move, since a wall only raises them.
  void LowerWallSensors();
  void TruckContact();
  // This truck's reaction to touching another truck (only this truck changes).
  void ContactResponse(const TCar& other);

  int32_t OpponentSlot = 0;
  int32_t TargetPoint = 1;
  // Never shown: its Rotation holds the direction toward the target point.
  engine::TSprite* TargetArrow = nullptr;
  bool TouchingPlayer = false;
  std::array<TSensor, 5> Sensors{};
  // The bounds of the wall-sensing squares around sensors 0..2, kept by PlaceSensors: a wall
  // apart from them touches none of the three.
  Box WallSensorBounds{};
  bool AvoidRight = false;
  bool AvoidLeft = false;
  bool AvoidBrake = false;
  bool Released = false;
  int32_t OpponentNumber = 0;
  double LateralOffset = 0;
  int32_t OffsetPeriod = 0;
  int32_t OffsetCounter = 1;
  // The best Progress so far and the pilot's frames since it last grew.
  double BestProgress = -1e9;
  int32_t FramesSinceBest = 0;
};

// Pilot frames without a new best Progress after which an opponent counts as lost.
inline constexpr int32_t kHopelessFrames = 600;

// The direction from C toward T in degrees, from the unit vector n = (C - T) / |C - T|, exactly as
// the pilot works it out (straight down when T and C share their x).
double TargetDirection(double targetX, double targetY, double centreX, double centreY, double nx,
                       double ny);

}  // namespace game
