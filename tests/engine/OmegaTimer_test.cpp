// Frame timer: firing at the target rate, stall clamping, the slow-frame warning and FPS counting.
#include "engine/OmegaTimer.h"

#include <gtest/gtest.h>

#include "platform/null/VirtualClock.h"

namespace {

struct TimerFixture : ::testing::Test {
  platform::VirtualClock clock;
  engine::TOmegaTimer timer{&clock};
  int fired = 0;

  void SetUp() override {
    timer.SetTargetFPS(90);
    timer.SetMinFPS(10);
    timer.SetMaxFPS(120);
    timer.SetFPSWarningFrames(10);
    timer.OnTimer = [this](engine::TOmegaTimer&) { ++fired; };
    timer.SetEnabled(true);
  }
};

TEST_F(TimerFixture, FiresOnlyOnceAFullFrameHasPassed) {
  clock.Advance(11000);
  EXPECT_FALSE(timer.Tick());
  clock.Advance(200);
  EXPECT_TRUE(timer.Tick());
  EXPECT_EQ(fired, 1);
  EXPECT_NEAR(timer.Delta(), 11200.0 / 11111.0, 1e-4);
  EXPECT_FALSE(timer.Tick());
  EXPECT_EQ(timer.TicksUntilDue(), 11111u);
}

TEST_F(TimerFixture, StallCountsAsOneSlowFrameAndTenRaiseTheWarning) {
  for (int i = 1; i <= 10; ++i) {
    clock.Advance(2000000);
    ASSERT_TRUE(timer.Tick());
    EXPECT_FLOAT_EQ(timer.Delta(), 100000.0f / 11111.0f);
    EXPECT_FLOAT_EQ(timer.DeltaSecs(), 0.1f);
    EXPECT_EQ(timer.SlowFrameCount(), i);
    EXPECT_EQ(timer.FPSWarning(), i == 10);
  }
  clock.Advance(2000000);
  timer.Tick();
  EXPECT_EQ(timer.SlowFrameCount(), 10);
  EXPECT_TRUE(timer.FPSWarning());
  clock.Advance(11112);
  timer.Tick();
  EXPECT_FALSE(timer.FPSWarning());
  EXPECT_EQ(timer.SlowFrameCount(), 0);
}

TEST_F(TimerFixture, ReEnablingResetsFpsAndMeasuresFromThatMoment) {
  for (int i = 0; i < 100; ++i) {
    clock.Advance(11112);
    timer.Tick();
  }
  EXPECT_EQ(timer.FPS(), 89);
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Tick());
  clock.Advance(5000000);
  timer.SetEnabled(true);
  EXPECT_EQ(timer.FPS(), 0);
  clock.Advance(11112);
  EXPECT_TRUE(timer.Tick());
  EXPECT_NEAR(timer.Delta(), 1.0, 0.001);
}

TEST_F(TimerFixture, WithoutTargetTheMaximumRateLimits) {
  timer.SetTargetFPS(0);
  clock.Advance(8000);
  EXPECT_FALSE(timer.Tick());
  clock.Advance(400);
  EXPECT_TRUE(timer.Tick());
  EXPECT_FLOAT_EQ(timer.Delta(), timer.DeltaSecs());
}

}  // namespace
