// The frame loop's clock on SDL's performance counter.
#pragma once

#include "platform/Clock.h"

namespace platform {

class SdlClock final : public Clock {
 public:
  uint64_t Ticks() override;
  uint64_t Frequency() override;
  void SleepMicroseconds(uint64_t micros) override;
};

}  // namespace platform
