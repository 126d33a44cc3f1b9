// What the controls screen calls a key or a controller button (code page 1251).
#pragma once

#include <string>

#include "game/KeyBindings.h"
#include "game/Language.h"

namespace frontend {

// "W", "Пробел" ("Space"), "Num 8", "F1", "RT", "Крест. вверх" ("D-pad up"); "—" for an empty
// slot.
std::string InputName(int input, game::Language language = game::Language::Russian);
// The driving action as the controls screen calls it.
std::string ActionName(game::Language language, game::DriveAction action);

}  // namespace frontend
