// Where the game finds its data and keeps a player's saves: portable beside the binary, or
// installed with the saves in the player's home folder.
#pragma once

#include <string>

namespace platform {

struct GameFolders {
  std::string data;   // the folder holding Data/ and Sounds/
  std::string saves;  // the folder Config.cfg, Configdat.cfg and our own settings live in
  bool installed = false;
};

// What the decision reads from the machine; empty strings for unset variables.
struct FolderClues {
  std::string executable;   // absolute path of the running binary
  std::string xdgDataHome;  // $XDG_DATA_HOME
  std::string home;         // $HOME
};

// Data beside the binary (a build tree, an unpacked portable copy) wins, and the saves stay with
// it. Otherwise the installed data folder (../share/games/vornakel from the binary's folder) with
// the saves in $XDG_DATA_HOME/vornakel (default ~/.local/share/vornakel). False, with a reason in
// plain words, when neither holds the game's data or the saves have nowhere to go.
bool FindGameFolders(const FolderClues& clues, GameFolders& folders, std::string& error);

// The clues of this process: /proc/self/exe and the environment.
FolderClues ReadFolderClues();

// Creates the saves folder (and its parents) for the player alone; false with a reason.
bool MakeSavesFolder(const std::string& path, std::string& error);

}  // namespace platform
