// The game's three modules, composed as data: menu theme, race theme and game-over lament.
#pragma once

#include "audio/XmWriter.h"

namespace assetgen::audio {

// Every song uses the same channel plan, so the arrangements read alike.
enum SongChannel : int {
  kKickChannel = 0,
  kSnareChannel = 1,
  kHatChannel = 2,
  kBassChannel = 3,
  kPadChannel = 4,  // three voices: 4, 5, 6
  kLeadChannel = 7,
  kKeysChannel = 8,
  kEchoChannel = 9,
  kArpChannel = 10,
  kCrashChannel = 11,
  kSongChannels = 12,
};
inline constexpr int kPatternRows = 64;  // four bars of sixteenths

// The tick length of a song in seconds (the module format's 2.5 / BPM).
inline double TickSeconds(int bpm) {
  return 2.5 / bpm;
}

XmModule ComposeMenuSong();  // relaxed, F major: Sounds/1.xm
XmModule ComposeRaceSong();  // driving, A minor: Sounds/2.xm
XmModule ComposeLoseSong();  // slow and sad, D minor: Sounds/3.xm

}  // namespace assetgen::audio
