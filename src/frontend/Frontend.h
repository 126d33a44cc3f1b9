// The front end's entry point: registers every menu state and the settings files with the main
// form.
#pragma once

#include "game/MainForm.h"

namespace frontend {

// Call once after the form is constructed and before FormCreate.
void RegisterFrontend(game::TForm1& form);

}  // namespace frontend
