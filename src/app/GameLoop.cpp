// The frame loop.
#include "app/GameLoop.h"

#include <chrono>
#include <fstream>
#include <thread>

#include "engine/PngCodec.h"
#include "game/RoadCode.h"
#include "platform/QuitSignals.h"

namespace app {
namespace {

using Type = platform::InputEvent::Type;

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

int ButtonNumber(platform::InputEvent::Button button) {
  switch (button) {
    case platform::InputEvent::Button::kRight:
      return 1;
    case platform::InputEvent::Button::kMiddle:
      return 2;
    case platform::InputEvent::Button::kLeft:
      break;
  }
  return 0;
}

}  // namespace

GameLoop::GameLoop(const Options& options, game::TForm1& form, platform::InputSource& input,
                   platform::Clock& clock, platform::VirtualClock* fastClock,
                   platform::RenderDevice& device)
    : options_(options),
      form_(form),
      input_(input),
      clock_(clock),
      fastClock_(fastClock),
      device_(device) {
  if (!options_.tracePath.empty()) {
    trace_ = std::fopen(options_.tracePath.c_str(), "w");
    if (trace_ == nullptr) {
      std::fprintf(stderr, "vornakel: cannot write the trace file %s\n",
                   options_.tracePath.c_str());
    }
  }
  if (!options_.roadCodesPath.empty()) {
    roadCodes_ = std::fopen(options_.roadCodesPath.c_str(), "w");
    if (roadCodes_ == nullptr) {
      std::fprintf(stderr, "vornakel: cannot write the road codes file %s\n",
                   options_.roadCodesPath.c_str());
    }
  }
  if (fastClock_ == nullptr) device_.SetBeforeShow([this] { HoldForShow(); });
}

GameLoop::~GameLoop() {
  device_.SetBeforeShow(nullptr);
  if (trace_ != nullptr) std::fclose(trace_);
  if (roadCodes_ != nullptr) std::fclose(roadCodes_);
}

bool GameLoop::PumpInput() {
  if (platform::QuitSignalled()) {
    form_.CloseFromOutside();
    return false;
  }
  if (OnBeforeInput) OnBeforeInput(frame_ + 1);
  platform::InputEvent event;
  while (input_.Poll(event)) {
    switch (event.type) {
      case Type::kKeyDown:
        form_.FormKeyDown(event.key);
        break;
      case Type::kKeyUp:
        form_.FormKeyUp(event.key);
        break;
      case Type::kText:
        form_.FormText(event.text);
        break;
      case Type::kMouseMove:
        form_.FormMouseMove(event.x, event.y);
        break;
      case Type::kMouseDown:
        form_.FormMouseDown(ButtonNumber(event.button), event.x, event.y, event.clicks);
        break;
      case Type::kMouseUp:
        form_.FormMouseUp(ButtonNumber(event.button), event.x, event.y);
        break;
      case Type::kControllerLost:
        form_.FormControllerLost();
        break;
      case Type::kPadDown:
        form_.FormPadDown(event.key);
        break;
      case Type::kPadUp:
        form_.FormPadUp(event.key);
        break;
      case Type::kToggleFullScreen:
        // The device is rebuilt: a replay being watched ends first, its pictures with it.
        form_.Takeover.reset();
        if (form_.SwitchDisplayMode) form_.SwitchDisplayMode();
        break;
      case Type::kCloseRequest:
        // The window manager (or Alt+F4) asks: the game keeps the player's progress and goes.
        form_.CloseFromOutside();
        return false;
    }
  }
  return !form_.Closed();
}

void GameLoop::ServiceRaceTimer() {
  // A replay watched in the window holds the player's race clock as it holds the rest.
  const bool enabled = form_.RaceTimer.Enabled && !form_.Takeover;
  const uint64_t interval =
      clock_.Frequency() * static_cast<uint64_t>(form_.RaceTimer.Interval) / 1000;
  const uint64_t now = clock_.Ticks();
  if (!enabled || interval == 0) {
    raceTimerWasEnabled_ = false;
    return;
  }
  if (!raceTimerWasEnabled_) {
    raceTimerWasEnabled_ = true;
    nextRaceTick_ = now + interval;
    return;
  }
  // After a long stall the clock resumes from now instead of racing to catch up.
  if (fastClock_ == nullptr && now > nextRaceTick_ + 10 * interval) nextRaceTick_ = now;
  while (now >= nextRaceTick_ && form_.RaceTimer.Enabled) {
    form_.RaceTimerTimer();
    nextRaceTick_ += interval;
  }
}

bool GameLoop::SaveScreenshot(const std::string& path) {
  platform::Pixels pixels;
  if (!device_.ReadFrame(pixels)) return false;
  const std::vector<uint8_t> png = engine::EncodePng(pixels);
  if (png.empty()) return false;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

void GameLoop::AfterFrame(double cpuMs, bool drawn) {
  if (frame_ == 0) firstFrame_ = std::chrono::steady_clock::now();
  ++frame_;
  if (drawn) ++drawnFrames_;
  if (OnAfterFrame) OnAfterFrame();
  // Pacing is what the player sees: the intervals between drawn race frames.
  if (options_.pacing && drawn) {
    const auto now = std::chrono::steady_clock::now();
    const bool inRace = form_.GameState == game::gsRace;
    if (inRace && lastFrameInRace_) {
      raceIntervals_.push_back(
          std::chrono::duration<double, std::milli>(now - lastRaceFrame_).count());
    }
    lastFrameInRace_ = inRace;
    lastRaceFrame_ = now;
  }
  if (options_.bench && drawn) {
    const auto start = std::chrono::steady_clock::now();
    device_.Finish();
    const double frameMs = cpuMs + MillisecondsSince(start);
    stats_.Add(cpuMs, frameMs);
    if (form_.GameState == game::gsRace) raceStats_.Add(cpuMs, frameMs);
  }
  for (const ScreenshotRequest& shot : options_.screenshots) {
    if (shot.frame == frame_ && !SaveScreenshot(shot.path)) {
      std::fprintf(stderr, "vornakel: could not save the screenshot %s\n", shot.path.c_str());
      exitCode_ = 3;
    }
  }
  if (trace_ != nullptr) {
    std::fprintf(trace_, "frame=%lld %s\n", static_cast<long long>(frame_),
                 form_.TraceLine().c_str());
  }
  if (roadCodes_ != nullptr && form_.Race.RoadsSetUp != roadsLogged_) {
    roadsLogged_ = form_.Race.RoadsSetUp;
    std::fprintf(roadCodes_, "frame=%lld level=%d code=%s\n", static_cast<long long>(frame_),
                 form_.LevelNumber, game::EncodeRoadCode(form_.Race.Road).c_str());
    std::fflush(roadCodes_);
  }
  form_.Replays.FrameShown();
}

void GameLoop::HoldForShow() {
  const double perMs = static_cast<double>(std::max<uint64_t>(clock_.Frequency(), 1)) / 1000.0;
  const double readyMs =
      static_cast<double>(static_cast<int64_t>(clock_.Ticks()) - frameDue_) / perMs;
  // A frame that started a whole frame late (after a stall, or the first one) goes out at once.
  if (readyMs < 0 || readyMs > 1000.0 / 90) return;
  const double waitMs = showBeat_.Show(readyMs) - readyMs;
  if (waitMs < 0.05) return;
  clock_.SleepMicroseconds(static_cast<uint64_t>(waitMs * 1000));
  heldMs_ += waitMs;
}

void GameLoop::WaitForFrame() {
  // Sleep until about a millisecond before the next frame is due, then spin.
  const uint64_t due = form_.OmegaTimer1.TicksUntilDue();
  const uint64_t micros = due * 1000000 / std::max<uint64_t>(clock_.Frequency(), 1);
  if (micros > 1500) {
    clock_.SleepMicroseconds(std::min<uint64_t>(micros - 1000, 10000));
  } else {
    std::this_thread::yield();
  }
}

int GameLoop::Run() {
  // One virtual frame is a hair over 1/90 s, so the timer fires on every pass.
  const uint64_t fastStep = fastClock_ != nullptr ? fastClock_->Frequency() / 90 + 1 : 0;
  while (true) {
    // Between frames the loop only waits and keeps the race clock: input is read once, as a frame
    // falls due, rather than on every pass of the last millisecond's spin (each read asks the
    // display server).
    if (fastClock_ == nullptr && form_.OmegaTimer1.TicksUntilDue() > 0) {
      ServiceRaceTimer();
      WaitForFrame();
      continue;
    }
    if (!PumpInput()) break;
    if (fastClock_ != nullptr) fastClock_->Advance(fastStep);
    // Live frames keep to 90 a second of the clock by catching up: with vertical sync a present
    // waits for the display (60 times a second on most), and without it each frame would start a
    // little after it fell due (reading input, waking late from the wait) and the race would drift
    // to 88-89 frames a second. A frame that is late already runs without drawing, and only the
    // latest of them is shown.
    const bool catchUp = fastClock_ == nullptr;
    form_.OmegaTimer1.SetCatchUp(catchUp);
    const bool drawn = !catchUp || form_.OmegaTimer1.FramesDue() <= 1;
    form_.OmegaScreen1.SetSkipDrawing(!drawn);
    frameDue_ = form_.OmegaTimer1.NextDue();
    heldMs_ = 0;
    const auto start = std::chrono::steady_clock::now();
    const bool fired = form_.OmegaTimer1.Tick();
    const double cpuMs = MillisecondsSince(start) - heldMs_;
    form_.OmegaScreen1.SetSkipDrawing(false);
    ServiceRaceTimer();
    if (fired) {
      AfterFrame(cpuMs, drawn);
      if (options_.frames >= 0 && frame_ >= options_.frames) break;
      if (form_.Closed()) break;
      continue;
    }
    if (fastClock_ != nullptr) continue;
    WaitForFrame();
  }
  if (options_.bench) {
    std::printf("%s\n", stats_.Summary().c_str());
    if (raceStats_.Count() > 0) std::printf("race %s\n", raceStats_.Summary().c_str());
    const double seconds = MillisecondsSince(firstFrame_) / 1000.0;
    if (frame_ > 1 && seconds > 0) {
      std::printf("pace seconds=%.2f logic_fps=%.1f drawn_fps=%.1f vsync=%s\n", seconds,
                  static_cast<double>(frame_ - 1) / seconds,
                  static_cast<double>(drawnFrames_ - 1) / seconds, device_.VSync() ? "on" : "off");
    }
  }
  if (options_.pacing) std::printf("race %s\n", FrameStats::PacingSummary(raceIntervals_).c_str());
  return exitCode_;
}

}  // namespace app
