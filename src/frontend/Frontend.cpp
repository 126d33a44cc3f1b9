// The front end's entry point: every menu state, the profile and options screens, the settings
// files and the exit screen, registered with the main form.
#include "frontend/Frontend.h"

#include <memory>

#include "frontend/FocusKeys.h"
#include "frontend/MenuKit.h"
#include "frontend/MenuStates.h"
#include "frontend/PadNameEntry.h"
#include "frontend/Registration.h"
#include "frontend/ReplayStore.h"
#include "frontend/ReplayWatch.h"

namespace frontend {

void MakeQuiet(game::TForm1& form) {
  form.ReadConfigFiles = [&form] { EnsureCursor(form); };
  form.WriteConfigFiles = nullptr;
  form.ExitLauncher = nullptr;
  form.WatchReplay = nullptr;
  form.KeepUnfinishedGame = nullptr;
  form.Quiet = true;
}

void RegisterFrontend(game::TForm1& form) {
  RegisterFrontend(form, std::make_shared<ScoreLink>());
}

void RegisterFrontend(game::TForm1& form, std::shared_ptr<ScoreLink> scores) {
  RegisterLogoState(form);
  RegisterMainMenuStates(form);
  RegisterSelectionStates(form);
  RegisterOverlayStates(form, scores);
  RegisterProfileStates(form);
  RegisterOptionsState(form);
  RegisterScreenPage(form);
  RegisterControlsState(form);
  RegisterExitState(form);
  RegisterSeedRaceState(form, scores);
  RegisterReplaysState(form);
  InstallSettingsFiles(form);
  InstallReplayWatching(form);
  form.KeepUnfinishedGame = [&form] { SaveUnfinishedGame(form); };
  // The pointer is made as soon as the menu archive is loaded, just before the settings are read.
  std::function<void()> readSettings = form.ReadConfigFiles;
  form.ReadConfigFiles = [&form, readSettings, scores] {
    EnsureCursor(form);
    if (readSettings) readSettings();
    scores->RetryQueued();
  };
  std::function<void()> drawFocus = InstallMenuFocus(form);
  std::function<void()> drawPicker = InstallLetterPicker(form);
  form.MenuFrameOverlay = [&form, scores, drawFocus, drawPicker] {
    drawFocus();
    drawPicker();
    scores->DrawStatus(form);
  };
}

}  // namespace frontend
