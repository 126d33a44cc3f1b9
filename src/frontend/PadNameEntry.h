// Name boxes with only a controller: the letter picker of the first-name and new-player screens.
#pragma once

#include <functional>

#include "game/MainForm.h"

namespace frontend {

// From the first controller button on a name screen the picker shows under the name box and takes
// the controller: the d-pad or stick moves over the letters, A types the one under the cursor (or
// presses space, delete or done), B deletes the last letter (on an empty box it is the screen's
// Esc) and Start confirms as Enter does. A mouse move hides it again; the keyboard types as ever.
// Returns the drawing to call over the screen's buttons.
std::function<void()> InstallLetterPicker(game::TForm1& form);

}  // namespace frontend
