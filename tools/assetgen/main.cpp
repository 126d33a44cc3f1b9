// The asset builder's command line: writes every archive, sound and module of the game into a
// folder, or the desktop icons.
#include <cstdio>
#include <filesystem>
#include <string>

#include "audio/Music.h"
#include "audio/Sounds.h"
#include "pictures/Icons.h"
#include "pictures/Pictures.h"

int main(int argc, char** argv) {
  std::string outDir = ".";
  std::string contactSheet;
  std::string iconDir;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) {
      outDir = argv[++i];
    } else if (arg == "--contact-sheet" && i + 1 < argc) {
      contactSheet = argv[++i];
    } else if (arg == "--icons" && i + 1 < argc) {
      iconDir = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: assetgen [--out DIR] [--contact-sheet FILE.png] [--icons DIR]\n");
      return 2;
    }
  }
  std::error_code ec;
  std::string error;
  if (!iconDir.empty()) {
    std::filesystem::create_directories(iconDir, ec);
    if (!assetgen::WriteIcons(iconDir, error)) {
      std::fprintf(stderr, "assetgen: %s\n", error.c_str());
      return 1;
    }
    return 0;
  }
  std::filesystem::create_directories(outDir + "/Data", ec);
  std::filesystem::create_directories(outDir + "/Sounds", ec);
  if (!contactSheet.empty()) {
    if (!assetgen::WriteContactSheet(contactSheet, error)) {
      std::fprintf(stderr, "assetgen: %s\n", error.c_str());
      return 1;
    }
    return 0;
  }
  if (!assetgen::WriteSounds(outDir + "/Sounds", error) ||
      !assetgen::WriteMusic(outDir + "/Sounds", error) ||
      !assetgen::WritePictures(outDir + "/Data", error)) {
    std::fprintf(stderr, "assetgen: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
