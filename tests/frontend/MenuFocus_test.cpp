// The menus' keyboard focus over plain rectangles: where it appears, how it moves, when it presses.
#include "frontend/MenuFocus.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using frontend::FocusStep;
using frontend::FocusTarget;

// A row of three (the middle one disabled), one below the row's right end, one far down-left.
std::vector<FocusTarget> Layout() {
  return {{0, 0, 100, 40, true},
          {200, 0, 100, 40, false},
          {400, 0, 100, 40, true},
          {380, 200, 100, 40, true},
          {0, 400, 100, 40, true}};
}

TEST(MenuFocusTest, AppearsUnderThePointerOrOnTheFirstAndHidesOnAMouseMove) {
  const std::vector<FocusTarget> targets = Layout();
  frontend::MenuFocus focus;
  EXPECT_EQ(focus.Pressed(targets), -1);
  focus.Step(targets, FocusStep::kDown, 420, 210);  // the first key only shows it
  EXPECT_EQ(focus.Pressed(targets), 3);
  focus.Hide();
  EXPECT_EQ(focus.Pressed(targets), -1);
  focus.Step(targets, FocusStep::kNext, 250, 20);  // over the disabled one: the first instead
  EXPECT_EQ(focus.Pressed(targets), 0);
  focus.Reset();
  EXPECT_FALSE(focus.Shown());
  EXPECT_EQ(focus.Index(), -1);
}

TEST(MenuFocusTest, TabFollowsTheOrderAndArrowsTakeTheNearestThatWaySkippingDisabled) {
  const std::vector<FocusTarget> targets = Layout();
  frontend::MenuFocus focus;
  const auto step = [&](FocusStep s) {
    focus.Step(targets, s, -1, -1);
    return focus.Index();
  };
  step(FocusStep::kNext);
  EXPECT_EQ(step(FocusStep::kNext), 2);  // 1 is disabled
  EXPECT_EQ(step(FocusStep::kNext), 3);
  EXPECT_EQ(step(FocusStep::kNext), 4);
  EXPECT_EQ(step(FocusStep::kNext), 0);  // round again
  EXPECT_EQ(step(FocusStep::kRight), 2);
  EXPECT_EQ(step(FocusStep::kDown), 3);  // nearly straight below beats far off to the side
  EXPECT_EQ(step(FocusStep::kDown), 4);
  EXPECT_EQ(step(FocusStep::kUp), 0);
  EXPECT_EQ(step(FocusStep::kUp), 4);  // nothing that way: back through the order
  EXPECT_EQ(step(FocusStep::kRight), 3);
  EXPECT_EQ(step(FocusStep::kUp), 2);
  EXPECT_EQ(step(FocusStep::kPrevious), 0);
}

TEST(MenuFocusTest, PressesOnlyAShownUsableTarget) {
  std::vector<FocusTarget> targets = Layout();
  frontend::MenuFocus focus;
  focus.Step(targets, FocusStep::kNext, -1, -1);
  EXPECT_EQ(focus.Pressed(targets), 0);
  targets[0].usable = false;  // hidden or disabled since
  EXPECT_EQ(focus.Pressed(targets), -1);
  focus.Step(targets, FocusStep::kRight, -1, -1);  // shows again on the first usable one
  EXPECT_EQ(focus.Pressed(targets), 2);
  EXPECT_EQ(focus.Pressed({}), -1);
}

}  // namespace
