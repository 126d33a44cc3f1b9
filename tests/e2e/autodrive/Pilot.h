// The autopilot of the test driver: each frame it looks at the running game and decides which keys
// a player would hold in a race and which buttons it would press on the screens around the races.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/MainForm.h"
#include "platform/Input.h"

namespace autodrive {

// What the pilot does in one race.
enum class RacePlan {
  kDrive,  // drive along the road to the finish line
  kWreck,  // ram the walls at speed until the truck is destroyed, again after every respawn
  kEnter,  // end the race with Enter once the lights are green
};

// "drive,wreck": one plan per race of the game, the last one repeats. False on an unknown word.
bool ParsePlan(const std::string& text, std::vector<RacePlan>& plan);

// The keys a player holds this frame.
struct DrivingKeys {
  bool Up = false;
  bool Down = false;
  bool Left = false;
  bool Right = false;
};

// Something to drive around: a hazard on the road or a slower truck, with the room it needs.
struct Obstacle {
  double x = 0;
  double y = 0;
  double radius = 0;
};

// The hazards on the road (bombs, spikes, armed puddles, whole boxes) and the slower opponents.
std::vector<Obstacle> ObstaclesOf(const game::TForm1& form);

// Driving along the race path: steers toward a point ahead on the path, lane pixels to the right
// of it (left when negative), and keeps the speed low enough to make the bends ahead. With
// obstacles given, the lane is chosen anew to keep clear of them.
DrivingKeys SteerAlongPath(const game::RaceState& race, const game::TPlayer& player,
                           const std::vector<Obstacle>* avoid, double& lane);

class Pilot {
 public:
  explicit Pilot(std::vector<RacePlan> plan) : plan_(std::move(plan)) {}

  // Looks at the game as the previous frame left it and appends this frame's input to events.
  void Decide(const game::TForm1& form, int64_t frame, std::vector<platform::InputEvent>& events);

 private:
  RacePlan PlanOfRace(int32_t levelNumber) const;
  void Race(const game::TForm1& form, std::vector<platform::InputEvent>& events);
  void Hold(const DrivingKeys& keys, std::vector<platform::InputEvent>& events);
  void SetKey(int key, bool down, std::vector<platform::InputEvent>& events);
  // Clicks the button of this slot once it has been visible for a short while.
  void ClickWhenShown(const game::TForm1& form, size_t slot, int64_t frame);

  std::vector<RacePlan> plan_;
  std::array<bool, 256> held_{};
  // The game's own key-down flags as the previous frame left them.
  std::array<bool, 256> keyDown_{};
  // A click under way: the pointer moved at clickStart_, pressed 2 frames later, released 2 more.
  int64_t clickStart_ = -1;
  int clickX_ = 0;
  int clickY_ = 0;
  // The frame a button was first seen visible in the current state, and that state.
  int64_t shownSince_ = -1;
  uint8_t shownState_ = 0;
  // The lane the truck keeps, pixels to the right of the path.
  double lane_ = 0;
  // Enter was pressed for the race of this level already.
  int32_t enterLevel_ = 0;
};

}  // namespace autodrive
