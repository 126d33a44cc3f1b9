// TOmegaScreen: the drawing device's owner: frames, blend modes, the screen-wide transform and
// tint, resets.
#pragma once

#include <vector>

#include "platform/RenderDevice.h"

namespace engine {

// Something that keeps device resources (textures, fonts): started once the device exists, shut
// down before it is rebuilt, started again after.
class ScreenComponent {
 public:
  virtual ~ScreenComponent() = default;
  virtual void ScreenStartup() = 0;
  virtual void ScreenShutdown() = 0;
};

// Source and destination factors of one blend mode.
struct BlendPair {
  platform::BlendFactor source;
  platform::BlendFactor destination;
};

class TOmegaScreen {
 public:
  // The factors of blend modes 0..13; any other mode blends as 0.
  static const BlendPair& BlendFactors(int mode);

  // The device may be null until Start; the screen never owns it.
  explicit TOmegaScreen(platform::RenderDevice* device = nullptr);
  ~TOmegaScreen();
  TOmegaScreen(const TOmegaScreen&) = delete;
  TOmegaScreen& operator=(const TOmegaScreen&) = delete;

  // Screen-wide transform applied to every vertex.
  float ScaleX = 1.0f;
  float ScaleY = 1.0f;
  int CenterX = 0;
  int CenterY = 0;
  int OffsetX = 0;
  int OffsetY = 0;
  float Rotation = 0.0f;
  bool ShowMouseCursor = true;
  int Width = 800;
  int Height = 600;
  bool FullScreen = false;

  // Screen-wide tint, 0..255 each.
  void SetRed(int value);
  void SetGreen(int value);
  void SetBlue(int value);
  void SetAlpha(int value);
  int Red() const { return red_; }
  int Green() const { return green_; }
  int Blue() const { return blue_; }
  int Alpha() const { return alpha_; }

  void SetDevice(platform::RenderDevice* device) { device_ = device; }
  platform::RenderDevice* Device() const { return initialized_ ? device_ : nullptr; }
  bool Initialized() const { return initialized_; }
  bool Active() const { return active_; }
  bool InScene() const { return inScene_; }
  int BlendMode() const { return blendMode_; }
  int MaxTextureSize() const;

  // Components are started in the order they were added (image lists before fonts and the GUI).
  void AddComponent(ScreenComponent* component);
  void RemoveComponent(ScreenComponent* component);

  // Brings the device up and starts every component. Returns false when there is no device.
  bool Start();
  void Clear(int red, int green, int blue, int alpha);
  void BeginScene();
  void EndScene();
  void SetBlendMode(int mode);
  void SetFilter(bool linear);
  void ToggleFullScreen();
  // While set, frames run without drawing: Clear, the quads and the present are dropped (a frame
  // made only to catch up with the clock, whose picture the next frame replaces at once).
  void SetSkipDrawing(bool skip) { skipDrawing_ = skip; }
  bool SkipDrawing() const { return skipDrawing_; }
  // Applies the screen-wide transform and tint to the four corners and draws them with the texture.
  void DrawQuad(platform::TextureId texture, const platform::Vertex (&corners)[4]);

  // The full-screen sizes a device accepts; any other size falls back to 800 x 600.
  static bool IsFullScreenSize(int width, int height);

 private:
  void StartComponents();
  void StopComponents();
  bool ResetDevice();

  platform::RenderDevice* device_ = nullptr;
  std::vector<ScreenComponent*> components_;
  int red_ = 255;
  int green_ = 255;
  int blue_ = 255;
  int alpha_ = 255;
  int blendMode_ = -1;
  bool linearFilter_ = false;
  bool initialized_ = false;
  bool active_ = false;
  bool inScene_ = false;
  bool skipDrawing_ = false;
};

}  // namespace engine
