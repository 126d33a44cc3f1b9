// A monotonic high-resolution clock the frame loop paces itself by.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint64_t Ticks() = 0;
  virtual uint64_t Frequency() = 0;  // ticks per second
  // Sleeps roughly this long (a real clock) or advances the virtual time (a test clock).
  virtual void SleepMicroseconds(uint64_t micros) = 0;
};

}  // namespace platform
