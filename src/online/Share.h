// TShareScreen: the exit screen read from wdata\config.ini: a picture with link buttons and an exit
// button that unlocks when its countdown runs out.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/OmegaFont.h"
#include "engine/OmegaImageList.h"
#include "engine/OmegaScreen.h"
#include "platform/FontRasterizer.h"
#include "platform/Shell.h"

namespace online {

// The target word of the exit button.
inline constexpr std::string_view kExitTarget = "exit";

// The pictures of a button, by index into ImagePath / ImageIndex.
enum TButtonImage : int { biNormal = 0, biHover = 1, biDisabled = 2 };

// One button of the exit screen (a picture with a hover rectangle, not a GUI widget).
struct TButton {
  std::string Target;  // a file to open, or "exit"
  std::array<std::string, 3> ImagePath;
  std::array<int32_t, 3> ImageIndex{-1, -1, -1};  // in the exit screen's image list
  // Hover picture position; X3 and Y3 are kept with the button but never drawn.
  int32_t X1 = 0, Y1 = 0, X3 = 0, Y3 = 0;
  // Normal picture position, which is also the top-left of the hover rectangle W x H.
  int32_t X2 = 0, Y2 = 0, W = 0, H = 0;
  // Disabled picture position (exit button only) and two values kept with it.
  int32_t XD = 0, YD = 0, A = 0, B = 0;
  bool Hovered = false;
  bool Enabled = true;
  bool Visible = true;

  bool IsExit() const { return Target == kExitTarget; }
  // The pointer is over the button when it lies in the hover rectangle, edges included.
  bool Contains(int32_t x, int32_t y) const {
    return x >= X2 && x <= X2 + W && y >= Y2 && y <= Y2 + H;
  }
};

class TShareScreen {
 public:
  static constexpr std::string_view kDescriptionPath = "wdata\\config.ini";
  static constexpr std::string_view kFontName = "Verdana";
  // Descriptions and pictures larger than these are not ours.
  static constexpr uintmax_t kMaxDescriptionBytes = 1 << 20;
  static constexpr uintmax_t kMaxPictureBytes = 64u << 20;

  // Pictures go into List; the countdown text draws on Screen through Fonts (either may be null:
  // no text).
  TShareScreen(engine::TOmegaImageList& list, engine::TOmegaScreen* screen,
               platform::FontRasterizer* fonts);
  TShareScreen(const TShareScreen&) = delete;
  TShareScreen& operator=(const TShareScreen&) = delete;

  // Reads the description file and, when it is valid, loads its pictures and sets up the countdown
  // font. A missing or broken file leaves the screen invalid (nothing to show). Returns Valid.
  bool Load(std::string_view descriptionPath = kDescriptionPath);
  // Reads the description from its text (pictures and targets must still exist as files).
  bool Parse(std::string_view text);

  // Folder relative paths start from; empty: the working directory.
  std::string BaseDir;

  bool Valid = true;
  int32_t ButtonCount = 0;
  std::string BackgroundPath;
  int32_t BackgroundIndex = -1;
  // Frames until the exit button unlocks (100 per second of the description, less one second).
  int32_t Countdown = 0;
  int32_t TextX = 0;  // centre of the countdown text
  int32_t TextY = 0;
  int32_t TextRed = 0;
  int32_t TextGreen = 0;
  int32_t TextBlue = 0;
  bool FixedSize = false;
  int32_t FontSize = 0;
  std::vector<TButton> Buttons;  // in file order; the exit button is last

  // The countdown still runs: the window must stay open.
  bool Busy() const { return Countdown > 0; }
  // One frame of the countdown.
  void Tick() {
    if (Countdown > 0) --Countdown;
  }
  // Marks the buttons under the pointer (back-buffer pixels).
  void UpdateHover(int32_t mouseX, int32_t mouseY);
  // Draws the background, the buttons and, while it runs, the countdown; unlocks the exit button
  // once the countdown is over.
  void Draw();
  // A left click: every hovered button acts in list order. The exit button asks for the window to
  // close; a link opens its target through the shell when the file still exists.
  void Click(platform::Shell* shell, const std::function<void()>& requestClose);
  // The number shown while the countdown runs ("" once it is over).
  std::string CountdownText() const;
  // Path of a file named in the description, as this system opens it.
  std::string Resolve(std::string_view gamePath) const;

  engine::TOmegaFont& Font() { return font_; }
  TButton* ExitButton() { return Buttons.empty() ? nullptr : &Buttons.back(); }

 private:
  class Reader;
  bool LoadPictures();
  void SetUpFont();

  engine::TOmegaImageList& list_;
  engine::TOmegaFont font_;
};

}  // namespace online
