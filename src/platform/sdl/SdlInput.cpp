// Keyboard, text, mouse, window-close and game-controller input read from SDL's event queue.
#include "platform/sdl/SdlInput.h"

#include "platform/Text1251.h"
#include "platform/sdl/KeyMap.h"
#include "platform/sdl/Letterbox.h"

namespace platform {

SdlInput::SdlInput(SDL_Window* window, int bufferWidth, int bufferHeight, bool useControllers)
    : window_(window),
      bufferWidth_(bufferWidth),
      bufferHeight_(bufferHeight),
      useControllers_(useControllers) {
  SDL_StartTextInput();
  if (useControllers_) {
    // Controllers already plugged in also arrive as "device added" events; opening twice is
    // harmless because OpenController skips known ones.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) OpenController(i);
  }
}

SdlInput::~SdlInput() {
  for (auto& [id, controller] : controllers_) SDL_GameControllerClose(controller);
  SDL_StopTextInput();
}

bool SdlInput::Poll(InputEvent& event) {
  if (pending_.empty()) {
    SDL_PumpEvents();
    SDL_Event e;
    while (SDL_PollEvent(&e)) Translate(e);
  }
  if (pending_.empty()) return false;
  event = std::move(pending_.front());
  pending_.pop_front();
  return true;
}

void SdlInput::MousePosition(int& x, int& y) {
  x = mouseX_;
  y = mouseY_;
}

void SdlInput::ToBuffer(int windowX, int windowY, int& x, int& y) const {
  int w = bufferWidth_, h = bufferHeight_;
  int pw = w, ph = h;
  if (window_ != nullptr) {
    SDL_GetWindowSize(window_, &w, &h);
    SDL_GetWindowSizeInPixels(window_, &pw, &ph);
  }
  const Scaling scaling = scaling_ ? scaling_() : Scaling::kLetterbox;
  WindowToBuffer(scaling, w, h, pw, ph, bufferWidth_, bufferHeight_, windowX, windowY, x, y);
}

void SdlInput::OpenController(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (controllers_.count(id) != 0) return;
  if (SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex)) {
    controllers_[id] = controller;
  }
}

void SdlInput::Translate(const SDL_Event& e) {
  InputEvent out;
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      bool down = e.type == SDL_KEYDOWN;
      // Alt+F4 asks to close the window, as on the desktop the game was made for; the game decides.
      if (down && e.key.keysym.sym == SDLK_F4 && (e.key.keysym.mod & KMOD_ALT) != 0) {
        if (e.key.repeat == 0) {
          out.type = InputEvent::Type::kCloseRequest;
          pending_.push_back(out);
        }
        closeChordHeld_ = true;
        break;
      }
      if (!down && e.key.keysym.sym == SDLK_F4 && closeChordHeld_) {
        closeChordHeld_ = false;  // the F4 of Alt+F4 was never reported as pressed
        break;
      }
      // Alt+Enter switches the display mode from any screen; its Enter never reaches the game.
      const bool enter = e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER;
      if (down && enter && (e.key.keysym.mod & KMOD_ALT) != 0) {
        if (e.key.repeat == 0) {
          out.type = InputEvent::Type::kToggleFullScreen;
          pending_.push_back(out);
        }
        screenChordHeld_ = true;
        break;
      }
      if (!down && enter && screenChordHeld_) {
        screenChordHeld_ = false;
        break;
      }
      int vk = VirtualKeyFromSdl(e.key.keysym.sym, e.key.keysym.scancode);
      if (vk == 0) break;
      // Held keys repeat as further key-downs, as they do on Windows.
      out.type = down ? InputEvent::Type::kKeyDown : InputEvent::Type::kKeyUp;
      out.key = vk;
      pending_.push_back(out);
      break;
    }
    case SDL_TEXTINPUT: {
      out.text = Utf8To1251(e.text.text);
      if (out.text.empty()) break;
      out.type = InputEvent::Type::kText;
      pending_.push_back(out);
      break;
    }
    case SDL_MOUSEMOTION: {
      ToBuffer(e.motion.x, e.motion.y, mouseX_, mouseY_);
      out.type = InputEvent::Type::kMouseMove;
      out.x = mouseX_;
      out.y = mouseY_;
      pending_.push_back(out);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (e.button.button == SDL_BUTTON_LEFT) {
        out.button = InputEvent::Button::kLeft;
      } else if (e.button.button == SDL_BUTTON_RIGHT) {
        out.button = InputEvent::Button::kRight;
      } else if (e.button.button == SDL_BUTTON_MIDDLE) {
        out.button = InputEvent::Button::kMiddle;
      } else {
        break;
      }
      ToBuffer(e.button.x, e.button.y, mouseX_, mouseY_);
      out.type =
          e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Type::kMouseDown : InputEvent::Type::kMouseUp;
      out.x = mouseX_;
      out.y = mouseY_;
      // SDL counts presses within its double-click time (the desktop's where it knows it).
      if (e.type == SDL_MOUSEBUTTONDOWN && e.button.clicks > 1) out.clicks = e.button.clicks;
      pending_.push_back(out);
      break;
    }
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
        out.type = InputEvent::Type::kCloseRequest;
        pending_.push_back(out);
      }
      break;
    case SDL_QUIT:
      out.type = InputEvent::Type::kCloseRequest;
      pending_.push_back(out);
      break;
    case SDL_CONTROLLERDEVICEADDED:
      if (useControllers_) OpenController(e.cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED: {
      scratch_.clear();
      pads_.Removed(e.cdevice.which, scratch_);
      auto it = controllers_.find(e.cdevice.which);
      if (it != controllers_.end()) {
        SDL_GameControllerClose(it->second);
        controllers_.erase(it);
        out.type = InputEvent::Type::kControllerLost;
        scratch_.push_back(out);
      }
      pending_.insert(pending_.end(), scratch_.begin(), scratch_.end());
      break;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      scratch_.clear();
      pads_.Button(e.cbutton.which, static_cast<SDL_GameControllerButton>(e.cbutton.button),
                   e.type == SDL_CONTROLLERBUTTONDOWN, scratch_);
      pending_.insert(pending_.end(), scratch_.begin(), scratch_.end());
      break;
    case SDL_CONTROLLERAXISMOTION:
      scratch_.clear();
      pads_.Axis(e.caxis.which, static_cast<SDL_GameControllerAxis>(e.caxis.axis), e.caxis.value,
                 scratch_);
      pending_.insert(pending_.end(), scratch_.begin(), scratch_.end());
      break;
    default:
      break;
  }
}

}  // namespace platform
