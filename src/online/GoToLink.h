// Shell links: the shortcut files the menu buttons open and the launcher run when the window goes.
#pragma once

#include <string>
#include <string_view>

#include "platform/Shell.h"

namespace online {

// Shortcut files next to the executable (paths as the game writes them).
inline constexpr std::string_view kWebsiteLink = "website.url";
inline constexpr std::string_view kMoreGamesLink = "moregames.url";
inline constexpr std::string_view kPlayLink = "play.url";
inline constexpr std::string_view kExitProgram = "fscommand\\wgame.exe";

// True when the path (backslashes allowed) names an existing regular file.
bool GameFileExists(std::string_view gamePath);

// Opens the file through the shell's "open" when it exists; false when it does not or the shell
// could not open it. A .url shortcut opens the address on its URL= line.
bool OpenIfExists(platform::Shell& shell, std::string_view gamePath);

// The main menu's logo button: "website.url".
bool OpenWebsite(platform::Shell& shell);
// The main menu's "more games" button: "moregames.url".
bool OpenMoreGames(platform::Shell& shell);

// Run when the window is destroyed, after the music has stopped: opens "play.url" when it exists,
// then starts "fscommand\wgame.exe" when it exists.
void RunExitLauncher(platform::Shell& shell);

}  // namespace online
