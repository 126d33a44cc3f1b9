// The exit screen state (28): the last screen of the program, the only one the window closes from.
#pragma once

#include "frontend/Registration.h"
#include "game/MainForm.h"

namespace frontend {

// Reads wdata\config.ini now (the program's start-up) and registers state 28's handlers, the close
// test (ExitScreenBusy), the exit screen's mouse clicks and the launcher run when the window is
// destroyed. Call once, before FormCreate.
void RegisterExitState(game::TForm1& form);

}  // namespace frontend
