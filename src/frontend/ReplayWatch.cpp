// A replay watched in the window: each race on a fresh quiet form sharing the window, the
// generator swapped in and out around its frames, the player's form and music held meanwhile.
#include "frontend/ReplayWatch.h"

#include <chrono>
#include <string>

#include "engine/OmegaFont.h"
#include "engine/Random.h"
#include "frontend/Frontend.h"
#include "frontend/MenuKit.h"
#include "frontend/MenuStates.h"
#include "game/HudText.h"
#include "game/Phrases.h"
#include "platform/Input.h"

namespace frontend {

namespace {

constexpr const char* kMusic[] = {"menumusic", "gamemusic", "losemusic"};

int64_t NowMicros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

platform::DeviceState PlaybackDevice::TestState() {
  const platform::DeviceState state = window_.TestState();
  if (state == platform::DeviceState::kNeedsReset) needsReset_ = true;
  return state == platform::DeviceState::kReady ? state : platform::DeviceState::kLost;
}

void PlaybackDevice::Present() {
  if (holding_) {
    held_ = true;
    return;
  }
  window_.Present();
}

ReplayWatch::ReplayWatch(game::TForm1& host, game::Replay replay, size_t firstRace)
    : host_(host),
      replay_(std::move(replay)),
      race_(firstRace),
      device_(*host.Services.device),
      audio_(host.Services.clock),
      pressedAt_(NowMicros()) {
  // Played without sound (the sound card serves the player's form alone): its music waits.
  for (size_t i = 0; i < std::size(kMusic); ++i) {
    engine::TModListItem* module = host_.Sound3D.ModList.Find(kMusic[i]);
    musicPaused_[i] = module != nullptr && module->Loaded() && module->IsPlaying();
    if (musicPaused_[i]) module->Stop();
  }
}

ReplayWatch::~ReplayWatch() {
  Finish();
}

bool ReplayWatch::StartRace() {
  if (race_ >= replay_.races.size()) return false;
  engine::LentGenerator swap(seed_);
  game::PlatformServices services = host_.Services;
  services.device = &device_;
  services.audio = &audio_;
  form_ = std::make_unique<game::TForm1>(services);
  RegisterFrontend(*form_);
  MakeQuiet(*form_);
  form_->Lang = host_.Lang;
  form_->FixedSeed = true;
  form_->NeverVSync = true;
  form_->SoundOn = false;
  form_->FormCreate();
  form_->SoundOn = false;
  form_->MusicOn = false;
  if (form_->Closed()) {
    form_.reset();
    return false;
  }
  player_ = std::make_unique<game::ReplayPlayer>(*form_, replay_.races[race_]);
  device_.Hold(true);
  player_->Begin();
  device_.TakeHeld();
  hold_ = -1;
  skip_ = false;
  return true;
}

void ReplayWatch::EndRace() {
  if (form_ == nullptr) return;
  engine::LentGenerator swap(seed_);
  player_.reset();
  font_.reset();
  keysFont_.reset();
  form_->FormDestroy();
  form_.reset();
}

void ReplayWatch::Finish() {
  if (finished_) return;
  finished_ = true;
  EndRace();
  // The window's blend mode is the player's form's again.
  const engine::BlendPair& blend =
      engine::TOmegaScreen::BlendFactors(host_.OmegaScreen1.BlendMode());
  if (host_.Services.device != nullptr && host_.OmegaScreen1.Initialized())
    host_.Services.device->SetBlend(blend.source, blend.destination);
  for (size_t i = 0; i < std::size(kMusic); ++i) {
    if (musicPaused_[i]) host_.PlayMusic(kMusic[i]);
  }
}

bool ReplayWatch::Frame() {
  if (leave_ || device_.WindowNeedsReset()) {
    Finish();
    return false;
  }
  if (form_ == nullptr && !StartRace()) {
    Finish();
    return false;
  }
  if (hold_ == 0 || skip_) {
    EndRace();
    ++race_;
    if (!StartRace()) {
      Finish();
      return false;
    }
  }
  if (hold_ > 0) {
    --hold_;
    Redraw();
    return true;
  }
  if (paused_) {
    Redraw();
    return true;
  }
  if (!Advance()) {
    hold_ = kHoldFrames;
    Redraw();
  }
  if (startMicros_ < 0) startMicros_ = NowMicros() - pressedAt_;
  return true;
}

bool ReplayWatch::Advance() {
  engine::LentGenerator swap(seed_);
  device_.Hold(true);
  bool more = true;
  for (int32_t i = 0; i < speed_ && more; ++i) {
    form_->OmegaScreen1.SetSkipDrawing(i + 1 < speed_);
    more = player_->Step();
  }
  form_->OmegaScreen1.SetSkipDrawing(false);
  if (more) ShowHeld();
  device_.Hold(false);
  return more;
}

void ReplayWatch::ShowHeld() {
  device_.Hold(true);
  if (!device_.TakeHeld()) {
    // The frame drew nothing of its own (skipped, or a frame without a scene): draw it here.
    Redraw();
    return;
  }
  form_->OmegaScreen1.BeginScene();
  DrawBanner();
  device_.Hold(false);
  form_->OmegaScreen1.EndScene();
}

void ReplayWatch::Redraw() {
  if (form_ == nullptr) return;
  engine::LentGenerator swap(seed_);
  if (form_->Menu.OverlayScreen != nullptr) {
    DrawFrozenRace(*form_, form_->Menu.OverlayScreen);
  } else {
    DrawFrozenScene(*form_);
    game::ShowScreenHud(*form_);
  }
  DrawBanner();
  device_.Hold(false);
  form_->OmegaScreen1.EndScene();
}

void ReplayWatch::DrawBanner() {
  game::TForm1& form = *form_;
  if (!font_) {
    font_ = std::make_unique<engine::TOmegaFont>(&form.OmegaScreen1, form.Services.fonts);
    font_->SetFont("Arial", 14, platform::FontStyle{true, false, false, false});
    keysFont_ = std::make_unique<engine::TOmegaFont>(&form.OmegaScreen1, form.Services.fonts);
    keysFont_->SetFont("Arial", 11, platform::FontStyle{});
  }
  std::string line =
      game::Say(host_.Lang, game::Phrase::ReplayBanner) + "  x" + std::to_string(speed_);
  if (replay_.races.size() > 1) {
    line += "   " + game::Say(host_.Lang, game::Phrase::ReplayRace) + std::to_string(race_ + 1) +
            game::Say(host_.Lang, game::Phrase::ReplayOf) + std::to_string(replay_.races.size());
  }
  if (paused_) line += "   " + game::Say(host_.Lang, game::Phrase::Pause);
  const std::string& keys = game::Say(host_.Lang, game::Phrase::ReplayKeys);
  const int32_t keysWidth = keysFont_->TextWidth(keys);
  const int32_t width = std::max(font_->TextWidth(line), keysWidth) + 24;
  const int32_t left = 400 - width / 2;
  // At the top, between the start lights and the progress bar: the HUD below stays readable.
  FillBox(form, static_cast<float>(left), 4, static_cast<float>(left + width), 52, 0xB0000000);
  font_->SetColor(engine::PackARGB(255, 255, 220, 90));
  font_->TextOut(400 - font_->TextWidth(line) / 2, 9, line);
  keysFont_->SetColor(engine::PackARGB(255, 220, 220, 220));
  keysFont_->TextOut(400 - keysWidth / 2, 31, keys);
}

void ReplayWatch::KeyDown(int vk) {
  switch (vk) {
    case platform::kVkEscape:
      leave_ = true;
      break;
    case platform::kVkSpace:
      paused_ = !paused_;
      break;
    case platform::kVkRight:
      speed_ = std::min(speed_ * 2, kMaxSpeed);
      break;
    case platform::kVkLeft:
      speed_ = std::max(speed_ / 2, 1);
      break;
    case platform::kVkReturn:
      // On to the next race (or back, after the last).
      if (form_ != nullptr) skip_ = true;
      break;
    default:
      break;
  }
}

void InstallReplayWatching(game::TForm1& form) {
  form.WatchReplay = [&form](bool wholeGame) {
    const game::Replay& recorded = form.Replays.Recorded();
    if (recorded.races.empty()) return;
    WatchRaces(form, recorded, wholeGame ? 0 : recorded.races.size() - 1);
  };
}

bool WatchRaces(game::TForm1& form, game::Replay replay, size_t firstRace) {
  if (firstRace >= replay.races.size() || form.Services.device == nullptr) return false;
  Click(form);
  form.Takeover = std::make_shared<ReplayWatch>(form, std::move(replay), firstRace);
  return true;
}

}  // namespace frontend
