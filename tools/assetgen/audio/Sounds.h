// Synthesises the game's twenty sound effects and writes them as 22050 Hz 16-bit wave files.
#pragma once

#include <string>

namespace assetgen {

// Writes check1.wav … s2.wav and hit.wav into soundsDir; false and a message when a file cannot be
// written.
bool WriteSounds(const std::string& soundsDir, std::string& error);

}  // namespace assetgen
