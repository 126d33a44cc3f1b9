// Input as the game sees it: Windows virtual-key codes, controller buttons, code page 1251
// characters, back-buffer mouse pixels.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The virtual-key codes the game reacts to (letters are their capitals, digits 48 to 57).
constexpr int kVkBack = 8;
constexpr int kVkTab = 9;
constexpr int kVkReturn = 13;
constexpr int kVkShift = 16;
constexpr int kVkControl = 17;
constexpr int kVkEscape = 27;
constexpr int kVkSpace = 32;
constexpr int kVkEnd = 35;
constexpr int kVkHome = 36;
constexpr int kVkLeft = 37;
constexpr int kVkUp = 38;
constexpr int kVkRight = 39;
constexpr int kVkDown = 40;
constexpr int kVkDelete = 46;
constexpr int kVkH = 72;
constexpr int kVkP = 80;
constexpr int kVkZ = 90;
constexpr int kVkNumpad8 = 104;
constexpr int kVkF1 = 112;

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
