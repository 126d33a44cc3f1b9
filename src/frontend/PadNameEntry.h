// Name and code boxes with only a controller: the letter picker of the name and seed screens.
#pragma once

#include <functional>

#include "game/MainForm.h"

namespace frontend {

// From the first controller button on a name screen the picker shows under the name box and takes
// the controller: the d-pad or stick moves over the letters, A types the one under the cursor (or
// presses space, delete or done), B deletes the last letter (on an empty box it is the screen's
// Esc) and Start confirms as Enter does. A mouse move hides it again; the keyboard types as ever.
// The seed screen's code box has a picker of the code's symbols that opens only on A while the
// focus rests on the box, and closes with B, Start or its done key.
// Returns the drawing to call over the screen's buttons.
std::function<void()> InstallLetterPicker(game::TForm1& form);

}  // namespace frontend
