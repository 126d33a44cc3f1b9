// The frame loop keeps 90 logic frames a second of the clock when every present waits for a 60 Hz
// display (late frames run without drawing), and when frames start a little late without it.
#include <gtest/gtest.h>

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

struct Paced {
  int64_t logicFrames = 0;
  int presents = 0;
  double seconds = 0;
};

Paced RunTenSeconds(bool vsync, uint64_t oversleep = 0) {
  SpinningClock clock;
  clock.oversleep = oversleep;
  SixtyHertzDevice device(clock);
  device.SetVSync(vsync);
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

}  // namespace
