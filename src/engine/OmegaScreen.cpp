// TOmegaScreen: frames, blend modes, the screen-wide transform and tint, device resets.
#include "engine/OmegaScreen.h"

#include <algorithm>
#include <cmath>

#include "engine/Messages.h"

namespace engine {
namespace {

using platform::BlendFactor;

// Source and destination factors of blend modes 0..13.
constexpr BlendPair kBlendModes[14] = {
    {BlendFactor::kSrcAlpha, BlendFactor::kInvSrcAlpha},
    {BlendFactor::kOne, BlendFactor::kOne},
    {BlendFactor::kSrcAlpha, BlendFactor::kOne},
    {BlendFactor::kSrcColor, BlendFactor::kInvSrcColor},
    {BlendFactor::kSrcColor, BlendFactor::kOne},
    {BlendFactor::kZero, BlendFactor::kSrcColor},
    {BlendFactor::kZero, BlendFactor::kSrcAlpha},
    {BlendFactor::kZero, BlendFactor::kInvSrcColor},
    {BlendFactor::kZero, BlendFactor::kInvSrcAlpha},
    {BlendFactor::kInvDestColor, BlendFactor::kZero},
    {BlendFactor::kSrcColor, BlendFactor::kSrcColor},
    {BlendFactor::kDestColor, BlendFactor::kDestColor},
    {BlendFactor::kInvSrcColor, BlendFactor::kInvSrcColor},
    {BlendFactor::kInvDestColor, BlendFactor::kInvDestColor},
};

constexpr double kPi = 3.14159265358979323846;

}  // namespace

const BlendPair& TOmegaScreen::BlendFactors(int mode) {
  return (mode >= 0 && mode <= 13) ? kBlendModes[mode] : kBlendModes[0];
}

TOmegaScreen::TOmegaScreen(platform::RenderDevice* device) : device_(device) {}

TOmegaScreen::~TOmegaScreen() {
  if (initialized_) {
    StopComponents();
    if (device_ != nullptr) device_->ShowSystemCursor(true);
  }
}

void TOmegaScreen::SetRed(int value) {
  red_ = value & 255;
}
void TOmegaScreen::SetGreen(int value) {
  green_ = value & 255;
}
void TOmegaScreen::SetBlue(int value) {
  blue_ = value & 255;
}
void TOmegaScreen::SetAlpha(int value) {
  alpha_ = value & 255;
}

int TOmegaScreen::MaxTextureSize() const {
  return device_ != nullptr ? device_->MaxTextureSize() : 0;
}

void TOmegaScreen::AddComponent(ScreenComponent* component) {
  if (std::find(components_.begin(), components_.end(), component) != components_.end()) return;
  components_.push_back(component);
  if (initialized_) component->ScreenStartup();
}

void TOmegaScreen::RemoveComponent(ScreenComponent* component) {
  components_.erase(std::remove(components_.begin(), components_.end(), component),
                    components_.end());
}

bool TOmegaScreen::IsFullScreenSize(int width, int height) {
  constexpr int kSizes[][2] = {{800, 600}, {640, 400}, {640, 480},  {1024, 768},
                               {320, 200}, {320, 240}, {1280, 1024}};
  for (const auto& size : kSizes) {
    if (size[0] == width && size[1] == height) return true;
  }
  return false;
}

bool TOmegaScreen::Start() {
  if (device_ == nullptr) return false;
  if (FullScreen && !IsFullScreenSize(Width, Height)) {
    Width = 800;
    Height = 600;
  }
  if (device_->IsFullScreen() != FullScreen && !device_->Reset(FullScreen)) return false;
  device_->ShowSystemCursor(ShowMouseCursor);
  initialized_ = true;
  active_ = true;
  blendMode_ = -1;
  SetBlendMode(0);
  device_->SetLinearFilter(linearFilter_);
  StartComponents();
  return true;
}

void TOmegaScreen::StartComponents() {
  // A copy: a component may add or remove others while it starts.
  const auto components = components_;
  for (ScreenComponent* component : components) component->ScreenStartup();
}

void TOmegaScreen::StopComponents() {
  const auto components = components_;
  for (ScreenComponent* component : components) component->ScreenShutdown();
}

bool TOmegaScreen::ResetDevice() {
  StopComponents();
  if (!device_->Reset(FullScreen)) return false;
  device_->ShowSystemCursor(ShowMouseCursor);
  const int mode = blendMode_;
  blendMode_ = -1;
  SetBlendMode(mode < 0 ? 0 : mode);
  device_->SetLinearFilter(linearFilter_);
  StartComponents();
  return true;
}

void TOmegaScreen::Clear(int red, int green, int blue, int alpha) {
  if (!initialized_ || skipDrawing_) return;
  device_->Clear(static_cast<uint32_t>(alpha & 255) << 24 | static_cast<uint32_t>(red & 255) << 16 |
                 static_cast<uint32_t>(green & 255) << 8 | static_cast<uint32_t>(blue & 255));
}

void TOmegaScreen::BeginScene() {
  inScene_ = false;
  if (!initialized_ || skipDrawing_) return;
  switch (device_->TestState()) {
    case platform::DeviceState::kLost:
      return;
    case platform::DeviceState::kNeedsReset:
      // The frame after a reset is skipped as well; the next one draws again.
      ResetDevice();
      return;
    case platform::DeviceState::kReady:
      break;
  }
  if (active_) inScene_ = true;
}

void TOmegaScreen::EndScene() {
  if (!inScene_) return;
  inScene_ = false;
  device_->Present();
}

void TOmegaScreen::SetBlendMode(int mode) {
  if (mode == blendMode_ || mode == -1) return;
  const BlendPair& pair = BlendFactors(mode);
  if (initialized_) device_->SetBlend(pair.source, pair.destination);
  blendMode_ = mode;
}

void TOmegaScreen::SetFilter(bool linear) {
  linearFilter_ = linear;
  if (initialized_) device_->SetLinearFilter(linear);
}

void TOmegaScreen::ToggleFullScreen() {
  if (!initialized_) {
    FullScreen = !FullScreen;
    return;
  }
  active_ = false;
  FullScreen = !FullScreen;
  if (!ResetDevice()) ShowMessage("Could not reset the Direct3D device.", "Error");
  initialized_ = true;
  active_ = true;
}

void TOmegaScreen::DrawQuad(platform::TextureId texture, const platform::Vertex (&corners)[4]) {
  if (!inScene_) return;
  platform::Vertex out[4];
  // The game never turns, scales or shifts the whole screen; skip the maths when it does not.
  const bool moved = Rotation != 0 || ScaleX != 1 || ScaleY != 1 || OffsetX != 0 || OffsetY != 0;
  const double angle = moved ? Rotation * kPi / 180.0 : 0.0;
  const double cosA = moved ? std::cos(angle) : 1.0;
  const double sinA = moved ? std::sin(angle) : 0.0;
  for (int i = 0; i < 4; ++i) {
    out[i] = corners[i];
    const uint32_t c = corners[i].color;
    const uint32_t a = ((c >> 24) * static_cast<uint32_t>(alpha_)) >> 8;
    const uint32_t r = (((c >> 16) & 255) * static_cast<uint32_t>(red_)) >> 8;
    const uint32_t g = (((c >> 8) & 255) * static_cast<uint32_t>(green_)) >> 8;
    const uint32_t b = ((c & 255) * static_cast<uint32_t>(blue_)) >> 8;
    out[i].color = a << 24 | r << 16 | g << 8 | b;
    if (!moved) continue;
    const double dx = corners[i].x - CenterX;
    const double dy = corners[i].y - CenterY;
    out[i].x = static_cast<float>(OffsetX + CenterX + cosA * ScaleX * dx - sinA * ScaleY * dy);
    out[i].y = static_cast<float>(OffsetY + CenterY + sinA * ScaleX * dx + cosA * ScaleY * dy);
  }
  device_->DrawQuad(texture, out);
}

}  // namespace engine
