// The frame loop's clock on SDL's performance counter.
#include "platform/sdl/SdlClock.h"

#include <SDL_timer.h>

#include <chrono>
#include <thread>

namespace platform {

uint64_t SdlClock::Ticks() {
  return SDL_GetPerformanceCounter();
}

uint64_t SdlClock::Frequency() {
  return SDL_GetPerformanceFrequency();
}

void SdlClock::SleepMicroseconds(uint64_t micros) {
  std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

}  // namespace platform
