// The SDL window and everything the game needs from it: renderer, fonts, clock, input and shell.
#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <vector>

#include "platform/sdl/SdlAudioDevice.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlFontRasterizer.h"
#include "platform/sdl/SdlInput.h"
#include "platform/sdl/SdlRenderDevice.h"
#include "platform/sdl/SdlShell.h"

namespace platform {
namespace {

// Keeps every shared library loaded so far (the GL driver that SDL loaded for the renderer above
// all) in memory until the process ends. SDL unloads the driver when video stops; loading it again
// for the next window costs a good tenth of a second, and its allocations, made from a library no
// longer mapped, would show up in leak checks as leaks nobody can name or suppress.
void PinLoadedLibraries() {
  std::vector<std::string> names;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* list) {
        if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
          static_cast<std::vector<std::string>*>(list)->push_back(info->dlpi_name);
        }
        return 0;
      },
      &names);
  // Opening an already loaded library again with RTLD_NODELETE only marks it; nothing new loads.
  for (const std::string& name : names) {
    dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
}

}  // namespace

std::unique_ptr<SdlPlatform> SdlPlatform::Create(const SdlOptions& options, std::string& error) {
  std::unique_ptr<SdlPlatform> p(new SdlPlatform());
  p->headless_ = options.headless;

  // Ctrl+C in a terminal ends the program; as a quit request the game would refuse it.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Closing the window is only a request; the game decides whether to stop.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  if (options.headless) {
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  } else {
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);  // back to the user's choice after a headless run
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  }

  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    error = std::string("Could not start SDL video: ") + SDL_GetError();
    return nullptr;
  }
  p->subsystems_ = SDL_INIT_VIDEO | SDL_INIT_EVENTS;
  // The system fonts are found while the renderer starts.
  p->fonts_ = std::make_unique<SdlFontRasterizer>();
  // Controllers are optional; a headless run takes its input from scripts only.
  bool controllers = !options.headless && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (controllers) p->subsystems_ |= SDL_INIT_GAMECONTROLLER;

  // The renderer draws in 2D only: without a depth buffer in the window a software rasteriser
  // (Mesa's llvmpipe) has less to keep for every frame and may take its rectangle paths.
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);

  // The window may be resized freely (the picture keeps its aspect inside it) and draws at the
  // display's own pixel density.
  Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (options.fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  p->window_ = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED,
                                SDL_WINDOWPOS_CENTERED, options.width, options.height, flags);
  if (p->window_ == nullptr) {
    error = std::string("Could not open the window: ") + SDL_GetError();
    return nullptr;
  }
  SDL_SetWindowMinimumSize(p->window_, options.width / 2, options.height / 2);

  p->renderer_ = SdlRenderDevice::Create(p->window_, options.width, options.height,
                                         options.softwareRenderer, options.headless, error);
  if (!p->renderer_) return nullptr;
  PinLoadedLibraries();
  if (!p->fonts_->Usable()) {
    // Not fatal: text drawn with system fonts is left out.
    std::fprintf(stderr, "Vornakel: system fonts are not available (%s).\n", SDL_GetError());
  }
  p->clock_ = std::make_unique<SdlClock>();
  p->input_ = std::make_unique<SdlInput>(p->window_, options.width, options.height, controllers);
  SdlRenderDevice* renderer = p->renderer_.get();
  p->input_->FollowScaling([renderer] { return renderer->CurrentScaling(); });
  p->shell_ = std::make_unique<SdlShell>(p->window_, !options.headless);
  // Without a sound card the game plays on silently.
  p->audio_ = std::make_unique<SdlAudioDevice>();
  return p;
}

SdlPlatform::~SdlPlatform() {
  audio_.reset();
  shell_.reset();
  input_.reset();
  fonts_.reset();
  renderer_.reset();
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  if (subsystems_ != 0) SDL_QuitSubSystem(subsystems_);
}

RenderDevice& SdlPlatform::Renderer() {
  return *renderer_;
}
FontRasterizer& SdlPlatform::Fonts() {
  return *fonts_;
}
Clock& SdlPlatform::SystemClock() {
  return *clock_;
}
InputSource& SdlPlatform::Input() {
  return *input_;
}
Shell& SdlPlatform::DesktopShell() {
  return *shell_;
}
AudioDevice& SdlPlatform::Audio() {
  return *audio_;
}

}  // namespace platform
