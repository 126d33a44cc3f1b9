// What the controls screen calls a key or a controller button (code page 1251).
#pragma once

#include <string>

namespace frontend {

// "W", "Пробел", "Num 8", "F1", "RT", "Крест. вверх"; "—" for an empty slot.
std::string InputName(int input);

}  // namespace frontend
