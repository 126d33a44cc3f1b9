// File names as the game writes them mapped to this system's separators.
#include "platform/Paths.h"

namespace platform {

std::string NativePath(std::string_view gamePath) {
  std::string out(gamePath);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

}  // namespace platform
