// vornakel.ini: the one settings file of ours beside Config.cfg, for everything the original files
// have no place for (per-profile choices, the high-score rows' difficulties, display and sound).
#pragma once

#include <functional>

#include "frontend/IniDocument.h"
#include "game/MainForm.h"

namespace frontend {

inline constexpr const char* kGameIniFileName = "vornakel.ini";

// The file as it is on the disk; missing or unreadable gives an empty document (every default).
IniDocument ReadGameIni();
// Reads the file again, lets update change what is ours and writes it back whole and atomically,
// so keys of other versions and sections survive. A failed write is reported once.
bool UpdateGameIni(game::TForm1& form, const std::function<void(IniDocument&)>& update);

}  // namespace frontend
