// Menus without a mouse: the keyboard focus over the current screen's buttons, for every screen.
#pragma once

#include <functional>

#include "game/MainForm.h"

namespace frontend {

// Before every frame the arrows, Tab and Shift+Tab move the focus over the button list of the
// screen and Enter or Space press the focused button; a mouse move hides the focus. Returns the
// drawing to call over the buttons (the focus outline).
std::function<void()> InstallMenuFocus(game::TForm1& form);

}  // namespace frontend
