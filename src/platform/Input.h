// Input as the game sees it: Windows virtual-key codes, controller buttons, code page 1251
// characters, back-buffer mouse pixels.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct InputEvent {
  enum class Type : uint8_t {
    kKeyDown,           // key = virtual-key code
    kKeyUp,             // key = virtual-key code
    kText,              // text = code page 1251 characters
    kMouseMove,         // x, y in back-buffer pixels
    kMouseDown,         // button, x, y
    kMouseUp,           // button, x, y
    kCloseRequest,      // window close box, Alt+F4
    kToggleFullScreen,  // Alt+Enter: window and full screen change places at once
    kControllerLost,    // a game controller in use was unplugged
    kPadDown,           // key = controller button (PadButton)
    kPadUp,             // key = controller button (PadButton)
  };
  enum class Button : uint8_t { kLeft, kRight, kMiddle };

  Type type = Type::kKeyDown;
  int key = 0;
  std::string text;
  int x = 0;
  int y = 0;
  Button button = Button::kLeft;
  // kMouseDown: quick presses in a row at one spot, counted by the system with its double-click
  // time (2 = the second press of a double click).
  int clicks = 1;
};

class InputSource {
 public:
  virtual ~InputSource() = default;
  // Takes the next pending event; false when none is waiting.
  virtual bool Poll(InputEvent& event) = 0;
  // The last known mouse position in back-buffer pixels.
  virtual void MousePosition(int& x, int& y) = 0;
};

}  // namespace platform
