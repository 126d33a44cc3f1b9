// The frame loop: routes input to the form, fires frames at 90 per second (or as fast as possible
// on a virtual clock), services the 10 ms race clock, and takes screenshots, traces and frame
// timings.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/FrameStats.h"
#include "app/Options.h"
#include "app/ShowBeat.h"
#include "game/MainForm.h"
#include "platform/Clock.h"
#include "platform/Input.h"
#include "platform/RenderDevice.h"
#include "platform/null/VirtualClock.h"

namespace app {

class GameLoop {
 public:
  // fastClock is the virtual clock the form's timer runs on in --fast mode (null otherwise).
  GameLoop(const Options& options, game::TForm1& form, platform::InputSource& input,
           platform::Clock& clock, platform::VirtualClock* fastClock,
           platform::RenderDevice& device);
  ~GameLoop();
  GameLoop(const GameLoop&) = delete;
  GameLoop& operator=(const GameLoop&) = delete;

  // Runs until the window closes or the frame limit is reached. Returns the process exit code.
  int Run();
  // The number of the frame about to run (frames count from 1).
  int64_t NextFrame() const { return frame_ + 1; }
  const FrameStats& Stats() const { return stats_; }
  // Called before input of each frame is polled (scripted input follows the frame number).
  std::function<void(int64_t frame)> OnBeforeInput;
  // Called after each frame has run (the audio recording follows the frames).
  std::function<void()> OnAfterFrame;

 private:
  bool PumpInput();
  void ServiceRaceTimer();
  // Sleeps until about a millisecond before the next frame is due; within that, yields once.
  void WaitForFrame();
  // Holds a drawn frame until its beat before it goes to the window (live frames without vsync).
  void HoldForShow();
  void AfterFrame(double cpuMs, bool drawn);
  bool SaveScreenshot(const std::string& path);

  const Options& options_;
  game::TForm1& form_;
  platform::InputSource& input_;
  platform::Clock& clock_;
  platform::VirtualClock* fastClock_;
  platform::RenderDevice& device_;
  FrameStats stats_;
  // The same samples for the frames of a running race alone, without the menus around it.
  FrameStats raceStats_;
  // Milliseconds between consecutive frames of a running race (--pacing).
  std::vector<double> raceIntervals_;
  std::chrono::steady_clock::time_point lastRaceFrame_{};
  bool lastFrameInRace_ = false;
  std::FILE* trace_ = nullptr;
  // Each road set up, written once (--road-codes).
  std::FILE* roadCodes_ = nullptr;
  uint32_t roadsLogged_ = 0;
  int64_t frame_ = 0;
  int64_t drawnFrames_ = 0;
  // When the first frame ran, for the frame rates --bench prints.
  std::chrono::steady_clock::time_point firstFrame_;
  // The tick the running frame was due at, and the beat frames are shown at.
  int64_t frameDue_ = 0;
  ShowBeat showBeat_;
  double heldMs_ = 0;  // how long the running frame was held, which is no work of its own
  bool raceTimerWasEnabled_ = false;
  uint64_t nextRaceTick_ = 0;
  int exitCode_ = 0;
};

}  // namespace app
