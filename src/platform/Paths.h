// File names as the game writes them ("Data\data1.oil") mapped to this system's separators and to
// the folder the game's data lives in.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Turns backslashes into slashes; a relative path is taken from the data folder when one is set
// (web addresses stay as they are).
// Only the game's own read-only files go through here (pictures, sounds, music, shipped links);
// the saves are opened relative to the working folder, which is the saves folder.
std::string NativePath(std::string_view gamePath);

// The folder NativePath puts before relative paths; empty (the default) for the working folder.
void SetDataFolder(std::string folder);

}  // namespace platform
