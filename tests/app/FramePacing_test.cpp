// The frame loop keeps 90 logic frames a second of the clock when every present waits for a 60 Hz
// display (late frames run without drawing), and when frames start a little late without it; and
// without vsync, frames that take uneven times to draw still reach the window at an even beat.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "app/GameLoop.h"
#include "game/MainForm.h"
#include "platform/null/NullPlatform.h"
#include "platform/null/NullRenderDevice.h"

namespace {

// Microsecond clock that moves a little on every look, as a real one does while the loop spins,
// and wakes a little late from a sleep, as a real kernel does.
class SpinningClock : public platform::Clock {
 public:
  uint64_t Ticks() override { return now += 20; }
  uint64_t Frequency() override { return 1000000; }
  void SleepMicroseconds(uint64_t micros) override { now += micros + oversleep; }
  uint64_t now = 1000000;
  uint64_t oversleep = 0;
};

// A device whose present waits for the next refresh of a 60 Hz display while vsync is on.
class SixtyHertzDevice : public platform::NullRenderDevice {
 public:
  explicit SixtyHertzDevice(SpinningClock& clock) : clock_(clock) {}
  bool SetVSync(bool on) override {
    vsync_ = on;
    return true;
  }
  bool VSync() const override { return vsync_; }
  void Present() override {
    NullRenderDevice::Present();
    if (vsync_) clock_.now = (clock_.now / kRefresh + 1) * kRefresh;
  }
  static constexpr uint64_t kRefresh = 1000000 / 60;

 private:
  SpinningClock& clock_;
  bool vsync_ = false;
};

// A device that takes 2 ms and 8 ms to draw its frames, by turns, and notes when each frame
// reaches the window (after the frame loop's hold).
class UnevenDevice : public platform::NullRenderDevice {
 public:
  explicit UnevenDevice(SpinningClock& clock) : clock_(clock) {}
  void SetBeforeShow(std::function<void()> hold) override { hold_ = std::move(hold); }
  void Present() override {
    NullRenderDevice::Present();
    clock_.now += shown.size() % 2 == 0 ? 2000 : 8000;
    if (hold_) hold_();
    shown.push_back(clock_.now);
  }
  std::vector<uint64_t> shown;

 private:
  SpinningClock& clock_;
  std::function<void()> hold_;
};

struct Paced {
  int64_t logicFrames = 0;
  int presents = 0;
  double seconds = 0;
};

Paced RunTenSeconds(SpinningClock& clock, platform::NullRenderDevice& device) {
  platform::NullFontRasterizer fonts;
  platform::StderrShell shell;
  platform::NoInput input;
  game::TForm1 form({&device, &fonts, &clock, &shell, nullptr});
  form.OmegaScreen1.Start();
  Paced run;
  form.OmegaTimer1.OnTimer = [&](engine::TOmegaTimer&) {
    ++run.logicFrames;
    form.OmegaScreen1.BeginScene();
    form.OmegaScreen1.Clear(0, 0, 0, 255);
    form.OmegaScreen1.EndScene();
  };
  form.OmegaTimer1.SetEnabled(true);
  app::Options options;
  options.frames = 900;
  const uint64_t start = clock.now;
  app::GameLoop loop(options, form, input, clock, nullptr, device);
  loop.Run();
  run.presents = device.presents;
  run.seconds = static_cast<double>(clock.now - start) / 1e6;
  return run;
}

Paced RunTenSeconds(bool vsync, uint64_t oversleep = 0) {
  SpinningClock clock;
  clock.oversleep = oversleep;
  SixtyHertzDevice device(clock);
  device.SetVSync(vsync);
  return RunTenSeconds(clock, device);
}

TEST(FramePacingTest, VSyncKeepsNinetyLogicFramesASecondAndShowsOnlyTheLatest) {
  const Paced synced = RunTenSeconds(true);
  EXPECT_EQ(synced.logicFrames, 900);
  EXPECT_NEAR(synced.logicFrames / synced.seconds, 90.0, 0.5);
  EXPECT_NEAR(synced.presents / synced.seconds, 60.0, 1.0);
  // Without vsync every frame is drawn and presented, as ever, and frames that start a little
  // late (a sleep that overran) are made up, so the race does not drift below 90 a second.
  const Paced unsynced = RunTenSeconds(false, 1500);
  EXPECT_EQ(unsynced.presents, 900);
  EXPECT_NEAR(unsynced.logicFrames / unsynced.seconds, 90.0, 0.5);
}

TEST(FramePacingTest, FramesDrawnInUnevenTimesReachTheWindowAtAnEvenBeat) {
  SpinningClock clock;
  clock.oversleep = 100;
  UnevenDevice device(clock);
  const Paced run = RunTenSeconds(clock, device);
  EXPECT_EQ(run.presents, 900);
  EXPECT_NEAR(run.logicFrames / run.seconds, 90.0, 0.5);
  // Once the beat is known (a third of a second), every interval is a frame within a millisecond;
  // shown as drawn they would swing by 6 ms.
  std::vector<double> intervals;
  for (size_t i = 32; i < device.shown.size(); ++i)
    intervals.push_back(static_cast<double>(device.shown[i] - device.shown[i - 1]) / 1000.0);
  EXPECT_GT(*std::min_element(intervals.begin(), intervals.end()), 1000.0 / 90 - 1);
  EXPECT_LT(*std::max_element(intervals.begin(), intervals.end()), 1000.0 / 90 + 1);
}

}  // namespace
