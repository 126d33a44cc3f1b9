// File names as the game writes them ("Data\data1.oil") mapped to this system's separators.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Turns backslashes into slashes.
std::string NativePath(std::string_view gamePath);

}  // namespace platform
