// The keyboard focus of a menu screen over plain rectangles.
#include "frontend/MenuFocus.h"

#include <cstdlib>
#include <limits>

namespace frontend {

namespace {

bool Usable(std::span<const FocusTarget> targets, int32_t index) {
  return index >= 0 && index < static_cast<int32_t>(targets.size()) &&
         targets[static_cast<size_t>(index)].usable;
}

// The next usable target after from in the screen's order (direction +1 or -1), wrapping round;
// from itself when it is the only one, -1 when none is usable.
int32_t Cycle(std::span<const FocusTarget> targets, int32_t from, int32_t direction) {
  const auto count = static_cast<int32_t>(targets.size());
  if (count == 0) return -1;
  int32_t index = from < 0 ? (direction > 0 ? -1 : count) : from;
  for (int32_t i = 0; i < count; ++i) {
    index = (index + direction + count) % count;
    if (Usable(targets, index)) return index;
  }
  return -1;
}

// Twice the centre, so halves stay whole.
int32_t CentreX2(const FocusTarget& t) {
  return 2 * t.left + t.width;
}
int32_t CentreY2(const FocusTarget& t) {
  return 2 * t.top + t.height;
}

// The nearest usable target whose centre lies that way of from's centre: distance along the way
// plus twice the distance across it, so a target straight ahead beats a closer one off to the side.
int32_t Nearest(std::span<const FocusTarget> targets, int32_t from, FocusStep step) {
  const FocusTarget& origin = targets[static_cast<size_t>(from)];
  int32_t best = -1;
  int64_t bestScore = std::numeric_limits<int64_t>::max();
  for (int32_t i = 0; i < static_cast<int32_t>(targets.size()); ++i) {
    if (i == from || !Usable(targets, i)) continue;
    const FocusTarget& t = targets[static_cast<size_t>(i)];
    const int32_t dx = CentreX2(t) - CentreX2(origin);
    const int32_t dy = CentreY2(t) - CentreY2(origin);
    int32_t along = 0;
    int32_t across = 0;
    switch (step) {
      case FocusStep::kLeft:
        along = -dx, across = dy;
        break;
      case FocusStep::kRight:
        along = dx, across = dy;
        break;
      case FocusStep::kUp:
        along = -dy, across = dx;
        break;
      default:
        along = dy, across = dx;
        break;
    }
    if (along <= 0) continue;
    const int64_t score = int64_t{along} + 2 * int64_t{std::abs(across)};
    if (score < bestScore) {
      bestScore = score;
      best = i;
    }
  }
  return best;
}

int32_t UnderPointer(std::span<const FocusTarget> targets, int32_t x, int32_t y) {
  int32_t found = -1;
  // The last one wins, as the pointer's click would.
  for (int32_t i = 0; i < static_cast<int32_t>(targets.size()); ++i) {
    const FocusTarget& t = targets[static_cast<size_t>(i)];
    if (Usable(targets, i) && x >= t.left && x <= t.left + t.width && y >= t.top &&
        y <= t.top + t.height)
      found = i;
  }
  return found;
}

}  // namespace

void MenuFocus::Step(std::span<const FocusTarget> targets, FocusStep step, int32_t pointerX,
                     int32_t pointerY) {
  if (!shown_ || !Usable(targets, index_)) {
    shown_ = true;
    index_ = UnderPointer(targets, pointerX, pointerY);
    if (index_ < 0) index_ = Cycle(targets, -1, +1);
    return;
  }
  if (step == FocusStep::kNext || step == FocusStep::kPrevious) {
    index_ = Cycle(targets, index_, step == FocusStep::kNext ? +1 : -1);
    return;
  }
  const int32_t nearest = Nearest(targets, index_, step);
  const bool forward = step == FocusStep::kRight || step == FocusStep::kDown;
  index_ = nearest >= 0 ? nearest : Cycle(targets, index_, forward ? +1 : -1);
}

int32_t MenuFocus::Pressed(std::span<const FocusTarget> targets) const {
  return shown_ && Usable(targets, index_) ? index_ : -1;
}

}  // namespace frontend
