// Registration hooks of the front-end pieces built in their own files: profiles, options, the
// controls, the settings files, the exit screen and the seed screen.
#pragma once

#include "game/MainForm.h"

namespace frontend {

void RegisterProfileStates(game::TForm1& form);
void RegisterOptionsState(game::TForm1& form);
void RegisterScreenPage(game::TForm1& form);
void RegisterControlsState(game::TForm1& form);
void InstallSettingsFiles(game::TForm1& form);
void RegisterExitState(game::TForm1& form);
void RegisterSeedRaceState(game::TForm1& form);
void RegisterReplaysState(game::TForm1& form);

}  // namespace frontend
