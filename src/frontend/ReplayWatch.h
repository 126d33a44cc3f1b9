// Watching replays in the game window: a race played back on a quiet form of its own that draws
// into the player's window, with pause, speeds and a way back to the screen the player left.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "game/FrameTakeover.h"
#include "game/MainForm.h"
#include "game/Replay.h"
#include "game/ReplayPlayer.h"
#include "platform/RenderDevice.h"
#include "platform/null/NullAudioDevice.h"

namespace engine {
class TOmegaFont;
}

namespace frontend {

// The player's window as the playback form sees it: drawing goes through, but the form never
// resets the device, changes its presentation or cursor, and its presents wait until the banner
// is drawn over the frame.
class PlaybackDevice final : public platform::RenderDevice {
 public:
  explicit PlaybackDevice(platform::RenderDevice& window) : window_(window) {}
  int Width() const override { return window_.Width(); }
  int Height() const override { return window_.Height(); }
  int MaxTextureSize() const override { return window_.MaxTextureSize(); }
  // A device the player's form must reset is left to it: the playback skips its frames.
  platform::DeviceState TestState() override;
  bool Reset(bool /*fullScreen*/) override { return false; }
  bool IsFullScreen() const override { return false; }
  void ShowSystemCursor(bool /*show*/) override {}
  platform::TextureId CreateTexture(int width, int height, const uint32_t* argb) override {
    return window_.CreateTexture(width, height, argb);
  }
  void DestroyTexture(platform::TextureId texture) override { window_.DestroyTexture(texture); }
  void Clear(uint32_t argb) override { window_.Clear(argb); }
  void SetBlend(platform::BlendFactor source, platform::BlendFactor destination) override {
    window_.SetBlend(source, destination);
  }
  void SetLinearFilter(bool linear) override { window_.SetLinearFilter(linear); }
  void DrawQuad(platform::TextureId texture, const platform::Vertex (&corners)[4]) override {
    window_.DrawQuad(texture, corners);
  }
  void Present() override;
  void Finish() override { window_.Finish(); }
  bool ReadFrame(platform::Pixels& out) override { return window_.ReadFrame(out); }
  bool VSync() const override { return window_.VSync(); }

  // While holding, a present is only noted (TakeHeld tells whether one came).
  void Hold(bool hold) { holding_ = hold; }
  bool TakeHeld() {
    const bool held = held_;
    held_ = false;
    return held;
  }
  bool WindowNeedsReset() const { return needsReset_; }

 private:
  platform::RenderDevice& window_;
  bool holding_ = false;
  bool held_ = false;
  bool needsReset_ = false;
};

// Plays races of a replay, one after another, in the place of the player's form.
class ReplayWatch final : public game::FrameTakeover {
 public:
  // The last frame of a race stays this long before the next race or the way back.
  static constexpr int32_t kHoldFrames = 135;
  static constexpr int32_t kMaxSpeed = 8;

  ReplayWatch(game::TForm1& host, game::Replay replay, size_t firstRace);
  ~ReplayWatch() override;
  ReplayWatch(const ReplayWatch&) = delete;
  ReplayWatch& operator=(const ReplayWatch&) = delete;

  bool Frame() override;
  void KeyDown(int vk) override;
  void KeyUp(int /*vk*/) override {}

  int32_t Speed() const { return speed_; }
  bool Paused() const { return paused_; }
  size_t RaceIndex() const { return race_; }
  // The form the race plays on (null between races).
  game::TForm1* Playback() { return form_.get(); }
  const game::ReplayPlayer* Player() const { return player_.get(); }
  // Microseconds from the press to the first frame of the replay shown, once it was.
  int64_t StartMicros() const { return startMicros_; }

 private:
  bool StartRace();
  void EndRace();
  void Finish();
  // One shown frame: speed_ recorded frames, the last of them drawn. False when the race ran out.
  bool Advance();
  // The race as it stands, redrawn (paused, or held at its end).
  void Redraw();
  void DrawBanner();
  void ShowHeld();

  game::TForm1& host_;
  game::Replay replay_;
  size_t race_;
  PlaybackDevice device_;
  platform::NullAudioDevice audio_;
  std::unique_ptr<game::TForm1> form_;
  std::unique_ptr<game::ReplayPlayer> player_;
  std::unique_ptr<engine::TOmegaFont> font_;
  std::unique_ptr<engine::TOmegaFont> keysFont_;
  // The generator as the replay's race left it (the player's form keeps its own).
  uint32_t seed_ = 0;
  int32_t speed_ = 1;
  bool paused_ = false;
  bool leave_ = false;
  bool skip_ = false;
  int32_t hold_ = -1;
  // The music modules the player's form had playing, started again afterwards.
  std::array<bool, 3> musicPaused_{};
  int64_t pressedAt_ = 0;
  int64_t startMicros_ = -1;
  bool finished_ = false;
};

// Fills form.WatchReplay: the results and final-score buttons show the race just run or the
// game's races in the window.
void InstallReplayWatching(game::TForm1& form);

// Shows races [firstRace, end) of the replay in the form's window; false when it holds none.
bool WatchRaces(game::TForm1& form, game::Replay replay, size_t firstRace);

}  // namespace frontend
