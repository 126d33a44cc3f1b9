// Writes the game's three tracker modules: 1.xm (menu), 2.xm (race) and 3.xm (game over).
#pragma once

#include <string>

namespace assetgen {

// Writes 1.xm, 2.xm and 3.xm into soundsDir; false and a message when one cannot be written.
bool WriteMusic(const std::string& soundsDir, std::string& error);

}  // namespace assetgen
