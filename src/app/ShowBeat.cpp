// The show beat: a high percentile of how long recent frames took to draw.
#include "app/ShowBeat.h"

#include <algorithm>

namespace app {

double ShowBeat::Show(double readyMs) {
  recent_[next_] = readyMs;
  next_ = (next_ + 1) % recent_.size();
  count_ = std::min(count_ + 1, recent_.size());
  // Too few frames yet to know the beat: show at once.
  if (count_ < 30) return readyMs;
  std::array<double, 180> sorted = recent_;
  const auto end = sorted.begin() + static_cast<std::ptrdiff_t>(count_);
  const auto nth = sorted.begin() + static_cast<std::ptrdiff_t>(count_ * 99 / 100);
  std::nth_element(sorted.begin(), nth, end);
  // A little margin, for the sleep's own wake-up. The beat moves slowly, since a step of its own
  // would be an uneven interval: up by a quarter of a millisecond a frame, down by a twentieth.
  const double target = std::min(*nth + 0.3, kLatestMs);
  beat_ = beat_ == 0 ? target : std::clamp(target, beat_ - 0.05, beat_ + 0.25);
  return std::max(beat_, readyMs);
}

}  // namespace app
