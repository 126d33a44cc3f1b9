// The SDL window and everything the game needs from it: renderer, fonts, clock, input and shell.
#pragma once

#include <memory>
#include <string>

#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/FontRasterizer.h"
#include "platform/Input.h"
#include "platform/RenderDevice.h"
#include "platform/Shell.h"

struct SDL_Window;

namespace platform {

class SdlRenderDevice;
class SdlFontRasterizer;
class SdlClock;
class SdlInput;
class SdlShell;
class SdlAudioDevice;

struct SdlOptions {
  // No window on a display: SDL's offscreen video driver (GL through EGL) and silent audio.
  bool headless = false;
  // Desktop full screen with the picture letterboxed.
  bool fullScreen = false;
  // Skip the accelerated renderer and draw with SDL's software renderer.
  bool softwareRenderer = false;
  std::string title = "Vornakel";  // UTF-8
  int width = 800;                 // back buffer and window client area
  int height = 600;
};

class SdlPlatform {
 public:
  // Starts SDL's video, makes the window and the renderer. Returns null with a message in `error`
  // when no window or no renderer at all can be made.
  static std::unique_ptr<SdlPlatform> Create(const SdlOptions& options, std::string& error);
  ~SdlPlatform();
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  RenderDevice& Renderer();
  FontRasterizer& Fonts();
  Clock& SystemClock();
  InputSource& Input();
  Shell& DesktopShell();
  AudioDevice& Audio();

  // The concrete devices, for what only the SDL build offers (renderer name, batching counters).
  SdlRenderDevice& SdlRenderer() { return *renderer_; }
  SDL_Window* Window() const { return window_; }
  bool Headless() const { return headless_; }

 private:
  SdlPlatform() = default;

  bool headless_ = false;
  unsigned subsystems_ = 0;  // SDL subsystems this platform started and must stop
  SDL_Window* window_ = nullptr;
  std::unique_ptr<SdlRenderDevice> renderer_;
  std::unique_ptr<SdlFontRasterizer> fonts_;
  std::unique_ptr<SdlClock> clock_;
  std::unique_ptr<SdlInput> input_;
  std::unique_ptr<SdlShell> shell_;
  std::unique_ptr<SdlAudioDevice> audio_;
};

}  // namespace platform
