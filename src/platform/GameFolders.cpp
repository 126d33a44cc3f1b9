// Finding the data and saves folders.
#include "platform/GameFolders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

// The picture archive every run needs: a folder without it holds no game.
bool HoldsGameData(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder / "Data" / "data1.oil", ec);
}

}  // namespace

bool FindGameFolders(const FolderClues& clues, GameFolders& folders, std::string& error) {
  const fs::path binaryFolder = fs::path(clues.executable).parent_path();
  if (!clues.executable.empty() && HoldsGameData(binaryFolder)) {
    folders = {binaryFolder.string(), binaryFolder.string(), false};
    return true;
  }
  const fs::path shared = (binaryFolder / ".." / "share" / "games" / "vornakel").lexically_normal();
  if (clues.executable.empty() || !HoldsGameData(shared)) {
    error =
        "the game's data (Data/data1.oil) is neither beside the program nor in " + shared.string();
    return false;
  }
  fs::path saves;
  if (!clues.xdgDataHome.empty() && fs::path(clues.xdgDataHome).is_absolute()) {
    saves = fs::path(clues.xdgDataHome) / "vornakel";
  } else if (!clues.home.empty()) {
    saves = fs::path(clues.home) / ".local" / "share" / "vornakel";
  } else {
    error = "neither XDG_DATA_HOME nor HOME is set, so the game has nowhere to keep its saves";
    return false;
  }
  folders = {shared.string(), saves.string(), true};
  return true;
}

FolderClues ReadFolderClues() {
  FolderClues clues;
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) clues.executable = self.string();
  if (const char* value = std::getenv("XDG_DATA_HOME")) clues.xdgDataHome = value;
  if (const char* value = std::getenv("HOME")) clues.home = value;
  return clues;
}

bool MakeSavesFolder(const std::string& path, std::string& error) {
  std::error_code ec;
  const fs::path folder(path);
  if (fs::is_directory(folder, ec)) return true;
  if (folder.has_parent_path()) fs::create_directories(folder.parent_path(), ec);
  // Other users have no business reading a player's saves.
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    error = "cannot create the saves folder " + path + ": " + std::strerror(errno);
    return false;
  }
  if (!fs::is_directory(folder, ec)) {
    error = path + " is not a folder, so the game cannot keep its saves there";
    return false;
  }
  return true;
}

}  // namespace platform
