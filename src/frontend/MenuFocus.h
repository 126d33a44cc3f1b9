// The keyboard focus of a menu screen: which of its buttons the arrows, Tab, Enter and Space act
// on, worked out over plain rectangles so it needs no screen.
#pragma once

#include <cstdint>
#include <span>

namespace frontend {

// One thing the focus can rest on, in the screen's order; an unusable one (hidden, disabled) is
// skipped.
struct FocusTarget {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool usable = true;
};

enum class FocusStep { kNext, kPrevious, kLeft, kRight, kUp, kDown };

class MenuFocus {
 public:
  // The target the focus rests on, or -1.
  int32_t Index() const { return index_; }
  bool Shown() const { return shown_; }
  // A mouse move hides the focus; a new screen forgets it as well.
  void Hide() { shown_ = false; }
  void Reset() {
    shown_ = false;
    index_ = -1;
  }
  // A navigation key. A hidden focus appears on the target under the pointer, else on the first
  // usable one, without moving; a shown one moves: Tab and Shift+Tab through the screen's order,
  // an arrow to the nearest target that way (or on through the order when none lies that way).
  void Step(std::span<const FocusTarget> targets, FocusStep step, int32_t pointerX,
            int32_t pointerY);
  // Enter or Space: the target to press, or -1 while hidden or resting on an unusable one.
  int32_t Pressed(std::span<const FocusTarget> targets) const;

 private:
  int32_t index_ = -1;
  bool shown_ = false;
};

}  // namespace frontend
