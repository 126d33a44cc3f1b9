// A clock that only moves when told to: tests and the deterministic --fast harness run on it.
#pragma once

#include "platform/Clock.h"

namespace platform {

class VirtualClock : public Clock {
 public:
  // Microsecond ticks.
  uint64_t Ticks() override { return now_; }
  uint64_t Frequency() override { return 1000000; }
  void SleepMicroseconds(uint64_t micros) override { now_ += micros; }
  void Advance(uint64_t ticks) { now_ += ticks; }
  void Set(uint64_t ticks) { now_ = ticks; }

 private:
  uint64_t now_ = 1000000;
};

}  // namespace platform
