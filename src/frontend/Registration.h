// Registration hooks of the front-end pieces built in their own files: profiles, options, the
// controls, the settings files, the exit screen and the seed screen.
#pragma once

#include <memory>

#include "game/MainForm.h"

namespace frontend {

void RegisterProfileStates(game::TForm1& form);
void RegisterOptionsState(game::TForm1& form);
void RegisterScreenPage(game::TForm1& form);
void RegisterControlsState(game::TForm1& form);
void InstallSettingsFiles(game::TForm1& form);
void RegisterExitState(game::TForm1& form);
class ScoreLink;
// The seed screen sends a time on the road of the day through the score link.
void RegisterSeedRaceState(game::TForm1& form, std::shared_ptr<ScoreLink> scores);
void RegisterReplaysState(game::TForm1& form);

}  // namespace frontend
