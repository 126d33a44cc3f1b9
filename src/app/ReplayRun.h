// The harness's replays: writing the session's races to a file, and playing a file back headless.
#pragma once

#include <string>

#include "app/Options.h"
#include "game/Language.h"
#include "game/Replay.h"

namespace app {

// Writes replay to path atomically. False with a reason when it cannot.
bool WriteReplayFile(const std::string& path, const game::Replay& replay, std::string& error);

// Plays the races of options.playReplayPath one after another, each on a fresh form of its own
// on null devices, and writes their frames' trace lines to options.tracePath. A file that is no
// replay, is damaged or comes from other race rules gives a message in language and exit code 1.
int PlayReplayFile(const Options& options, game::Language language);

}  // namespace app
