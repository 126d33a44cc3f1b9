// When a finished frame goes to the window: at an even beat after its scheduled start, just late
// enough that nearly every frame is drawn by then, so frames reach the screen evenly spaced however
// long each one took to draw.
#pragma once

#include <array>
#include <cstddef>

namespace app {

class ShowBeat {
 public:
  // This frame was wholly drawn readyMs after its scheduled start; returns how long after that
  // start it should be shown (never before it is ready).
  double Show(double readyMs);

  // The beat never comes later than this into the 11.1 ms frame, which leaves time to show the
  // frame and wait for the next.
  static constexpr double kLatestMs = 9.0;

 private:
  // The last two seconds of frames; the beat sits just after all but the slowest 1% of them.
  std::array<double, 180> recent_{};
  double beat_ = 0;
  size_t count_ = 0;
  size_t next_ = 0;
};

}  // namespace app
