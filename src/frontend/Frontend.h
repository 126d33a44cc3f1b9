// The front end's entry point: registers every menu state and the settings files with the main
// form.
#pragma once

#include "game/MainForm.h"

namespace frontend {

// Call once after the form is constructed and before FormCreate.
void RegisterFrontend(game::TForm1& form);

// Makes a form one that plays a recorded race (a replay watched, a ghost, a game verified): it
// reads no settings, writes none, keeps no replay, sends no score and opens no links, so the
// player's files stay as they are.
void MakeQuiet(game::TForm1& form);

}  // namespace frontend
