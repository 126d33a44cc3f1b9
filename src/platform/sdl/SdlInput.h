// Keyboard, text, mouse, window-close and game-controller input read from SDL's event queue.
#pragma once

#include <SDL.h>

#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "platform/Input.h"
#include "platform/RenderDevice.h"
#include "platform/sdl/GamepadKeys.h"

namespace platform {

class SdlInput final : public InputSource {
 public:
  // window: the game's window (mouse positions are mapped from it); bufferWidth/Height: back-buffer
  // size. useControllers opens game controllers as they are plugged in.
  SdlInput(SDL_Window* window, int bufferWidth, int bufferHeight, bool useControllers);
  ~SdlInput() override;
  SdlInput(const SdlInput&) = delete;
  SdlInput& operator=(const SdlInput&) = delete;

  bool Poll(InputEvent& event) override;
  void MousePosition(int& x, int& y) override;

  // Mouse positions follow the picture as the renderer places it (letterboxed or whole steps).
  void FollowScaling(std::function<Scaling()> scaling) { scaling_ = std::move(scaling); }

  // Translates one SDL event into game events (public so it can be fed without a real device).
  void Translate(const SDL_Event& event);

 private:
  void ToBuffer(int windowX, int windowY, int& x, int& y) const;
  void OpenController(int deviceIndex);

  SDL_Window* window_;
  int bufferWidth_;
  int bufferHeight_;
  bool useControllers_;
  std::function<Scaling()> scaling_;
  int mouseX_ = 0;
  int mouseY_ = 0;
  bool closeChordHeld_ = false;
  bool screenChordHeld_ = false;  // the Enter of Alt+Enter is down
  std::deque<InputEvent> pending_;
  std::vector<InputEvent> scratch_;
  GamepadKeys pads_;
  std::map<SDL_JoystickID, SDL_GameController*> controllers_;
};

}  // namespace platform
