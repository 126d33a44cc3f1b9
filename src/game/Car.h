// TCar: the truck sprite the player's truck and the opponents share — driving values, corners,
// road probes, shadow, and the reactions to walls.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/OmegaSprite.h"
#include "game/CarShadow.h"
#include "game/RaceState.h"
#include "game/RoadGeometry.h"

namespace game {

class TForm1;
class TGroundPoint;

struct CarCorner {
  double x = 0;
  double y = 0;
  int32_t index = 0;
  double radius = 0;
};

class TCar : public engine::TSprite {
 public:
  TCar(TForm1& form, double centreX, double centreY, int32_t truckIndex, const std::string& name,
       double heading, int32_t patternIndex);
  ~TCar() override;

  void OnCollision(engine::TSprite& /*other*/, int32_t /*x*/, int32_t /*y*/) override {}

  // The Up-arrow rule: accelerate below top speed, clamp above it.
  void Accelerate();
  // The Down-arrow rule: brake, then reverse down to ReverseLimit.
  void Brake();
  // Steering with its own speed conditions (no minimum-speed guard).
  void TurnRight();
  void TurnLeft();
  // Rolling friction, then skid friction; a skid never turns the speed negative.
  void ApplyFriction();
  // One frame of a spin-out: the truck turns by SpinRate and slows down; ends below 1 degree.
  void SpinStep();
  // One frame of a boost: when it runs out, exactly what the boost added is taken back.
  void BoostStep();
  // The direction of travel follows the nose by `step` (no clamping), unless skidding or spinning;
  // then the skid ends (except at exactly 0.1 px a frame with the nose 0.1 degree off).
  void FollowNose(double step);
  // One frame of a slow-down: when it runs out, speed and acceleration double again and the grip
  // is multiplied by gripBack (the player's grip was cut to a third, an opponent's never).
  void SlowStep(double gripBack);
  // SpinRate one SpinDecay nearer to 0.
  void DecaySpin();
  // Corners around the rear pivot and the two road probes.
  void UpdateCornersAndProbes();
  // The invisible direction markers follow the truck.
  void UpdateArrows();
  // Two skid marks under the rear wheels, every fifth call.
  void LeaveSkidMarks();

  Point2 Centre() const;
  Quad CornerQuad() const;

  TForm1& Form;

  int32_t Health = 100;
  double WorldX = 0, WorldY = 0;
  double SteerRate = 0;
  double Grip = 0;
  double SkidFollow = 0.5;
  double CoastDecel = 0.011;
  double Speed = 0;
  double MaxSpeed = 0;
  double ReverseLimit = -2.0;
  double AccelRate = 0;
  double BrakeRate = 0.03;
  double Accel = 0;
  double Heading = 0;
  double MoveDir = 0;
  double RollFriction = 0.003;
  double SkidFriction = 0.008;
  bool Skidding = false;
  std::array<CarCorner, 4> Corners{};
  // Bounds of Corners, kept with them for the contact tests' quick rejection.
  Box CornerBounds{};
  std::array<double, 4> CornerOffsets{};
  std::array<bool, kOpponentSlots> Colliding{};
  std::array<bool, kOpponentSlots> WasColliding{};
  double SpinRate = 0;
  double SpinDecay = 1.0;
  TGroundPoint* FrontPoint = nullptr;
  TGroundPoint* CentrePoint = nullptr;
  double GroundFactor = 1.0;
  int32_t LapCount = 0;
  double Progress = 0;
  int32_t RacePosition = 1;
  int32_t TruckIndex = 0;
  bool CanFinish = true;
  double SkidRadius = 0;
  double SkidAngleLeft = 0;
  double SkidAngleRight = 0;
  TCarTen* Shadow = nullptr;
  bool Spinning = false;
  bool SlowActive = false;
  int32_t SlowTimer = 0;
  bool BoostActive = false;
  int32_t BoostTimer = 0;
  // Marker on the radar strip; the race display may leave it null.
  engine::TSprite* RadarBlip = nullptr;
  int32_t SkidMarkCounter = 0;
  // Never shown: they hold the Heading and MoveDir angles for whoever reads them.
  engine::TSprite* HeadingArrow = nullptr;
  engine::TSprite* DirArrow = nullptr;
};

// A truck touching a wall: pushed away from it, turned by up to 8 degrees, slowed (never sped
// up); the player also takes damage by its speed.
void ApplyWallContact(TForm1& form, TCar& truck, const engine::TSprite& wall);

// A marker sprite of the race display that does nothing by itself: picture by name, hidden or
// shown, centred or placed by its top-left corner.
engine::TSprite* MakeMarker(TForm1& form, const std::string& picture, const std::string& name,
                            int32_t z, int32_t pattern, float centerX, float centerY);

}  // namespace game
