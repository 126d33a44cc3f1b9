// The sounds of the trucks themselves: engines whose note follows speed and throttle, and the
// knocks of wall and truck contacts.
#pragma once

#include <array>
#include <cstdint>

#include "game/RaceState.h"
#include "platform/AudioDevice.h"

namespace game {

class TForm1;
class TCar;

// Gains (0..1) and playback rates of the two engine loops: "s1" idles at 30 power strokes a
// second, "s2" works hard at 80.
struct EngineNote {
  float idleGain = 0;
  float idleRate = 1;
  float revGain = 0;
  float revRate = 1;
};

// load is the speed as a share of the model's top speed (a boost goes past 1); throttle 0..1. The
// engine's strokes rise with both; both loops are pitched to the same stroke rate and cross-fade
// between 42 and 66 strokes a second.
EngineNote EngineNoteFor(double load, double throttle);

// Level one step nearer to target, never past it.
float StepToward(float level, float target, float step);

// Frames an engine takes to fade fully in or out (200 ms).
constexpr int32_t kEngineFadeFrames = 18;
// Frames between two knocks of one truck: a long scrape knocks about five times a second.
constexpr int64_t kKnockGapFrames = 18;

// At most one knock per truck every kKnockGapFrames.
class KnockLimiter {
 public:
  KnockLimiter() { last_.fill(-kKnockGapFrames); }
  // truck: 0 the player, 1 + slot an opponent; frame: a running count. True when it may sound now
  // (and then it counts as sounded).
  bool Allow(int32_t truck, int64_t frame);

 private:
  std::array<int64_t, kOpponentSlots + 1> last_{};
};

class TruckSounds {
 public:
  // Once a frame, whatever the state: the engines follow their trucks while the race runs and fade
  // out everywhere else (pause, overlays, results, menus) and when sound is off.
  void Update(TForm1& form);
  // A truck touching a wall at speed; facing is the cosine between its direction and the wall.
  void WallKnock(TForm1& form, const TCar& truck, double speed, double facing);
  // Two trucks touching at closingSpeed (heard from the first of them).
  void TruckKnock(TForm1& form, const TCar& truck, double closingSpeed);

 private:
  struct Engine {
    platform::VoiceId idle = 0;
    platform::VoiceId rev = 0;
    int32_t slot = -1;  // the opponent it follows (the player's engine keeps -1)
    float level = 0;    // the fade
    float throttle = 0;
    double load = 0;
  };

  // truck is null when the engine has nothing to follow; it then keeps its last note.
  void Drive(TForm1& form, Engine& engine, const TCar* truck, float target);
  void AssignOpponents(TForm1& form, float master);
  void Knock(TForm1& form, const TCar& truck, double strength);

  static constexpr size_t kEngines = 4;  // the player's, then up to three nearest opponents'
  std::array<Engine, kEngines> engines_{};
  KnockLimiter limiter_;
  int64_t frame_ = 0;
};

}  // namespace game
