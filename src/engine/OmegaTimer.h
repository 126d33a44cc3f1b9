// TOmegaTimer: fires the frame handler at the target rate and measures frame times, FPS and slow
// frames.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Clock.h"

namespace engine {

class TOmegaTimer {
 public:
  explicit TOmegaTimer(platform::Clock* clock);

  std::function<void(TOmegaTimer&)> OnTimer;

  void SetEnabled(bool value);
  void SetTargetFPS(int32_t value);
  void SetMinFPS(int32_t value);
  void SetMaxFPS(int32_t value);
  void SetFPSWarningFrames(int32_t value);
  void SetLossyMode(bool value) { lossyMode_ = value; }
  // Keeps the frames on a fixed 90-a-second schedule instead of counting from the last one, so a
  // frame that came late (a present waiting for the display) is made up by the next ones. Up to
  // MinFPS's worth of frames is caught up; after a longer stall the schedule restarts from now.
  void SetCatchUp(bool value) { catchUp_ = value; }
  bool CatchUp() const { return catchUp_; }

  bool Enabled() const { return enabled_; }
  int32_t TargetFPS() const { return targetFPS_; }
  int32_t MinFPS() const { return minFPS_; }
  int32_t MaxFPS() const { return maxFPS_; }
  int32_t FPSWarningFrames() const { return fpsWarningFrames_; }
  bool LossyMode() const { return lossyMode_; }

  // Measurements of the frame just fired.
  float Delta() const { return delta_; }
  float DeltaSecs() const { return deltaSecs_; }
  int32_t FPS() const { return fps_; }
  bool FPSWarning() const { return fpsWarning_; }
  int32_t SlowFrameCount() const { return slowFrames_; }

  // One pass of the idle loop: fires OnTimer when its time has come. Returns true when it fired.
  bool Tick();
  // Clock ticks left until the next frame is due (0 when it is due now).
  uint64_t TicksUntilDue();
  // The tick the next frame is due at (it may have passed).
  int64_t NextDue() const { return lastTick_ + targetTicks_; }
  // Frames whose time has come (more than one only while catching up).
  int32_t FramesDue();
  uint64_t Frequency() const { return frequency_; }

 private:
  void Fire(int64_t now);

  platform::Clock* clock_;
  int64_t frequency_;
  int64_t lastTick_ = 0;
  int64_t fpsWindowStart_ = 0;
  float delta_ = 0;
  float deltaSecs_ = 0;
  int32_t fps_ = 0;
  int32_t frameCounter_ = 0;
  bool fpsWarning_ = false;
  int32_t slowFrames_ = 0;
  int32_t fpsWarningFrames_ = 10;
  bool enabled_ = false;
  int32_t targetFPS_ = 0;
  int32_t minFPS_ = 10;
  int32_t maxFPS_ = 120;
  bool lossyMode_ = false;
  bool catchUp_ = false;
  int64_t targetTicks_ = 0;
  int64_t longestTicks_ = 0;
  int64_t shortestTicks_ = 0;
};

}  // namespace engine
