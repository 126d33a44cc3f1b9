// Shell links: shortcut files and the program started on the way out.
#include "online/GoToLink.h"

#include <filesystem>
#include <system_error>

#include "platform/Paths.h"

namespace online {

bool GameFileExists(std::string_view gamePath) {
  if (gamePath.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(platform::NativePath(gamePath), ec);
}

bool OpenIfExists(platform::Shell& shell, std::string_view gamePath) {
  if (!GameFileExists(gamePath)) return false;
  return shell.Open(std::string(gamePath));
}

bool OpenWebsite(platform::Shell& shell) {
  return OpenIfExists(shell, kWebsiteLink);
}

bool OpenMoreGames(platform::Shell& shell) {
  return OpenIfExists(shell, kMoreGamesLink);
}

void RunExitLauncher(platform::Shell& shell) {
  OpenIfExists(shell, kPlayLink);
  // The program is handed to the desktop's opener like any other file; its launch parameter
  // (target="_blank") has no meaning there, so none is passed.
  OpenIfExists(shell, kExitProgram);
}

}  // namespace online
