// TOmegaTimer: fires the frame handler at the target rate and measures frame times.
#include "engine/OmegaTimer.h"

namespace engine {

TOmegaTimer::TOmegaTimer(platform::Clock* clock)
    : clock_(clock), frequency_(static_cast<int64_t>(clock->Frequency())) {
  if (frequency_ <= 0) frequency_ = 1000;
  longestTicks_ = frequency_ / minFPS_;
  shortestTicks_ = frequency_ / maxFPS_;
}

void TOmegaTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (value) {
    lastTick_ = static_cast<int64_t>(clock_->Ticks());
    fpsWindowStart_ = lastTick_;
    fps_ = 0;
    frameCounter_ = 0;
  }
}

void TOmegaTimer::SetTargetFPS(int32_t value) {
  if (value == targetFPS_) return;
  targetFPS_ = value;
  if (value > 0) targetTicks_ = frequency_ / value;
}

void TOmegaTimer::SetMinFPS(int32_t value) {
  if (value == minFPS_) return;
  minFPS_ = value;
  if (value > 0) longestTicks_ = frequency_ / value;
}

void TOmegaTimer::SetMaxFPS(int32_t value) {
  if (value == maxFPS_) return;
  maxFPS_ = value;
  if (value > 0) shortestTicks_ = frequency_ / value;
}

void TOmegaTimer::SetFPSWarningFrames(int32_t value) {
  if (value == fpsWarningFrames_) return;
  fpsWarningFrames_ = value;
  fpsWarning_ = false;
  slowFrames_ = 0;
}

void TOmegaTimer::Fire(int64_t now) {
  if (OnTimer) OnTimer(*this);
  const bool onSchedule = catchUp_ && targetTicks_ > 0 && now - lastTick_ < longestTicks_;
  lastTick_ = onSchedule ? lastTick_ + targetTicks_ : now;
  ++frameCounter_;
}

bool TOmegaTimer::Tick() {
  if (!enabled_) return false;
  const auto now = static_cast<int64_t>(clock_->Ticks());
  if (now - fpsWindowStart_ >= frequency_) {
    fps_ = frameCounter_;
    frameCounter_ = 0;
    fpsWindowStart_ = now;
  }
  int64_t elapsed = now - lastTick_;
  if (lossyMode_) {
    delta_ = targetTicks_ > 0 ? static_cast<float>(elapsed) / static_cast<float>(targetTicks_) : 0;
    deltaSecs_ = static_cast<float>(elapsed) / static_cast<float>(frequency_);
    Fire(now);
    return true;
  }
  if (minFPS_ > 0 && elapsed > longestTicks_) {
    // A long stall counts as one frame of 1/MinFPS second.
    elapsed = longestTicks_;
    if (slowFrames_ < fpsWarningFrames_) {
      ++slowFrames_;
      if (slowFrames_ >= fpsWarningFrames_) fpsWarning_ = true;
    }
  } else {
    fpsWarning_ = false;
    slowFrames_ = 0;
  }
  if (maxFPS_ > 0 && elapsed < shortestTicks_) return false;
  if (targetFPS_ <= 0) {
    delta_ = deltaSecs_ = static_cast<float>(elapsed) / static_cast<float>(frequency_);
    Fire(now);
    return true;
  }
  if (elapsed < targetTicks_) return false;
  delta_ = static_cast<float>(elapsed) / static_cast<float>(targetTicks_);
  deltaSecs_ = static_cast<float>(elapsed) / static_cast<float>(frequency_);
  Fire(now);
  return true;
}

uint64_t TOmegaTimer::TicksUntilDue() {
  if (!enabled_ || targetFPS_ <= 0) return 0;
  const auto now = static_cast<int64_t>(clock_->Ticks());
  const int64_t due = lastTick_ + targetTicks_;
  return due > now ? static_cast<uint64_t>(due - now) : 0;
}

int32_t TOmegaTimer::FramesDue() {
  if (!enabled_ || targetTicks_ <= 0) return 0;
  const int64_t behind = static_cast<int64_t>(clock_->Ticks()) - lastTick_;
  if (behind < targetTicks_) return 0;
  if (!catchUp_ || behind >= longestTicks_) return 1;
  return static_cast<int32_t>(behind / targetTicks_);
}

}  // namespace engine
