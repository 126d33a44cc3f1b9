// The screen and sound settings in vornakel.ini's [general] section: scaling, vsync and
// music_volume.
#pragma once

#include "frontend/IniDocument.h"
#include "game/MainForm.h"
#include "game/ScreenSound.h"

namespace frontend {

// The settings the file holds; a missing or damaged value keeps its default.
game::ScreenSoundSettings ScreenSoundIn(const IniDocument& ini);
void SetScreenSound(IniDocument& ini, const game::ScreenSoundSettings& settings);

// Reads them from the file at start-up (before the sounds and the device are set up).
void ReadScreenSound(game::TForm1& form);
// Writes the form's settings to the file, keeping everything else in it.
bool WriteScreenSound(game::TForm1& form);

}  // namespace frontend
