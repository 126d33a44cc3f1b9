// File names as the game writes them mapped to this system's separators and data folder.
#include "platform/Paths.h"

#include <utility>

namespace platform {
namespace {

std::string& DataFolder() {
  static std::string folder;
  return folder;
}

}  // namespace

std::string NativePath(std::string_view gamePath) {
  std::string out(gamePath);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  const std::string& folder = DataFolder();
  if (folder.empty() || out.empty() || out.front() == '/' || out.find("://") != std::string::npos)
    return out;
  return folder + "/" + out;
}

void SetDataFolder(std::string folder) {
  DataFolder() = std::move(folder);
}

}  // namespace platform
