// The game's command line: normal play without arguments, or the harness flags for tests and
// benchmarks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/Difficulty.h"
#include "game/Language.h"
#include "platform/RenderDevice.h"

namespace app {

// The release, as the package and --version give it.
inline constexpr const char* kVersion = VORNAKEL_VERSION;

struct ScreenshotRequest {
  int64_t frame = 0;
  std::string path;
};

struct Options {
  bool headless = false;
  std::string workDir;
  std::optional<uint32_t> seed;
  int64_t frames = -1;  // exit after this many frames; -1 = run until the window closes
  bool nullRender = false;
  bool fast = false;
  std::string scriptPath;
  std::string recordPath;
  std::vector<ScreenshotRequest> screenshots;
  std::string tracePath;
  // The replay of every race of the session, written at exit; a replay to play back instead.
  std::string recordReplayPath;
  std::string playReplayPath;
  // Everything the game plays, mixed on the null audio device at the frame clock, as a wave file.
  std::string recordAudioPath;
  int startLevel = 0;
  bool bench = false;
  // At exit, how evenly the frames of a running race came: intervals between them and the rate.
  bool pacing = false;
  // Prints the pixels each picture fills in this frame (0 = no table).
  int64_t fillProfileFrame = 0;
  // The difficulty the truck screen offers instead of the player's stored choice.
  std::optional<game::Difficulty> difficulty;
  // The language instead of the one vornakel.ini keeps.
  std::optional<game::Language> language;
  // Scaling and vertical sync for this run instead of the stored ones.
  std::optional<platform::Scaling> scaling;
  std::optional<bool> vsync;
  // Each race's road code as it is set up, one line a race.
  std::string roadCodesPath;
  // The day the road of the day is for ("YYYY-MM-DD") instead of the UTC date.
  std::string today;
  bool devKeys = false;  // Enter wins a race outright; such a game's score stays off the tables
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name. Returns false with a message on a bad argument.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);
std::string UsageText();

}  // namespace app
