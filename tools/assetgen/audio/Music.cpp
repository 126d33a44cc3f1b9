// Composes the three modules and writes them next to the sound effects.
#include "audio/Music.h"

#include <vector>

#include "audio/Songs.h"
#include "audio/Wav.h"
#include "audio/XmWriter.h"

namespace assetgen {

namespace {

struct SongFile {
  const char* fileName;
  audio::XmModule (*compose)();
};

constexpr SongFile kSongs[] = {
    {"1.xm", &audio::ComposeMenuSong},
    {"2.xm", &audio::ComposeRaceSong},
    {"3.xm", &audio::ComposeLoseSong},
};

}  // namespace

bool WriteMusic(const std::string& soundsDir, std::string& error) {
  for (const SongFile& song : kSongs) {
    std::vector<uint8_t> bytes;
    if (!audio::EncodeXm(song.compose(), bytes, error)) return false;
    if (!audio::WriteBinaryFile(soundsDir + "/" + song.fileName, bytes, error)) return false;
  }
  return true;
}

}  // namespace assetgen
