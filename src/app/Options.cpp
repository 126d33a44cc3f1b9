// The game's command line.
#include "app/Options.h"

#include <charconv>

#include "game/RoadCode.h"
#include "game/ScreenSound.h"

namespace app {
namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

}  // namespace

std::string UsageText() {
  return "usage: vornakel [OPTION]...\n"
         "Top-down truck racing. Without options the game starts in a window; its data is looked\n"
         "for beside the program, then in the installed data folder, and an installed game keeps\n"
         "its saves in $XDG_DATA_HOME/vornakel (~/.local/share/vornakel).\n"
         "\n"
         "  -h, --help              show this text and exit\n"
         "      --version           show the version and exit\n"
         "\n"
         "Options for tests and development:\n"
         "      --workdir DIR       keep data and saves in DIR\n"
         "      --headless          no window (offscreen drawing)\n"
         "      --null-render       draw nothing at all\n"
         "      --fast              run the frames on a virtual clock, as fast as possible\n"
         "      --seed N            fixed seed for the random generator\n"
         "      --frames N          stop after N frames\n"
         "      --script FILE       play the input events of FILE\n"
         "      --record FILE       write the live input events to FILE\n"
         "      --screenshot F:FILE.png  save frame F (may repeat)\n"
         "      --trace FILE        write one line of game state per frame\n"
         "      --record-replay FILE  write the replay of the session's races at exit\n"
         "      --play-replay FILE  play a replay back headless (with --trace: its frames)\n"
         "      --start-level N     start new games at race N\n"
         "      --difficulty D      the truck screen offers difficulty D (classic or easy)\n"
         "      --language L        speak L (ru or en) instead of the stored language\n"
         "      --bench             print frame statistics at the end\n"
         "      --scaling MODE      letterbox or integer (whole steps, sharp pixels) for this run\n"
         "      --vsync on|off      wait for the display's refresh (never with --fast)\n"
         "      --pacing            print the intervals between race frames at the end\n"
         "      --fill-profile F    print the pixels each picture fills in frame F\n"
         "      --dev-keys          Enter wins a race outright (scores stay off the tables)\n"
         "      --road-codes FILE   write each race's road code to FILE as the race is set up\n"
         "      --today YYYY-MM-DD  the road of the day is that day's (the UTC date otherwise)\n"
         "      --record-audio FILE.wav  mix everything the game plays into FILE.wav (no sound "
         "card)\n";
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string text;
    if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--null-render") {
      options.nullRender = true;
    } else if (arg == "--fast") {
      options.fast = true;
    } else if (arg == "--bench") {
      options.bench = true;
    } else if (arg == "--pacing") {
      options.pacing = true;
    } else if (arg == "--dev-keys") {
      options.devKeys = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--workdir") {
      if (!value(options.workDir)) return false;
    } else if (arg == "--script") {
      if (!value(options.scriptPath)) return false;
    } else if (arg == "--record") {
      if (!value(options.recordPath)) return false;
    } else if (arg == "--record-replay") {
      if (!value(options.recordReplayPath)) return false;
    } else if (arg == "--play-replay") {
      if (!value(options.playReplayPath)) return false;
    } else if (arg == "--record-audio") {
      if (!value(options.recordAudioPath)) return false;
    } else if (arg == "--trace") {
      if (!value(options.tracePath)) return false;
    } else if (arg == "--road-codes") {
      if (!value(options.roadCodesPath)) return false;
    } else if (arg == "--today") {
      if (!value(options.today)) return false;
      if (!game::IsIsoDate(options.today)) {
        error = "--today needs a date YYYY-MM-DD, not \"" + options.today + "\"";
        return false;
      }
    } else if (arg == "--seed") {
      uint32_t seed = 0;
      if (!value(text)) return false;
      if (!ParseNumber(text, seed)) {
        error = "--seed needs a number from 0 to 4294967295, not \"" + text + "\"";
        return false;
      }
      options.seed = seed;
    } else if (arg == "--frames") {
      if (!value(text)) return false;
      if (!ParseNumber(text, options.frames) || options.frames < 0) {
        error = "--frames needs a count of frames, not \"" + text + "\"";
        return false;
      }
    } else if (arg == "--fill-profile") {
      if (!value(text)) return false;
      if (!ParseNumber(text, options.fillProfileFrame) || options.fillProfileFrame < 1) {
        error = "--fill-profile needs a frame number, not \"" + text + "\"";
        return false;
      }
    } else if (arg == "--start-level") {
      if (!value(text)) return false;
      if (!ParseNumber(text, options.startLevel) || options.startLevel < 1 ||
          options.startLevel > 1000) {
        error = "--start-level needs a race number from 1 to 1000, not \"" + text + "\"";
        return false;
      }
    } else if (arg == "--difficulty") {
      if (!value(text)) return false;
      game::Difficulty difficulty = game::Difficulty::Classic;
      if (!game::ParseDifficultyToken(text, difficulty)) {
        error = "--difficulty needs classic or easy, not \"" + text + "\"";
        return false;
      }
      options.difficulty = difficulty;
    } else if (arg == "--language") {
      if (!value(text)) return false;
      options.language = game::ParseLanguageToken(text);
      if (!options.language) {
        error = "--language needs ru or en, not \"" + text + "\"";
        return false;
      }
    } else if (arg == "--scaling") {
      if (!value(text)) return false;
      platform::Scaling scaling = platform::Scaling::kLetterbox;
      if (!game::ParseScalingToken(text, scaling)) {
        error = "--scaling needs letterbox or integer, not \"" + text + "\"";
        return false;
      }
      options.scaling = scaling;
    } else if (arg == "--vsync") {
      if (!value(text)) return false;
      bool on = false;
      if (!game::ParseSwitchToken(text, on)) {
        error = "--vsync needs on or off, not \"" + text + "\"";
        return false;
      }
      options.vsync = on;
    } else if (arg == "--screenshot") {
      if (!value(text)) return false;
      const auto colon = text.find(':');
      ScreenshotRequest request;
      if (colon == std::string::npos || colon + 1 >= text.size() ||
          !ParseNumber(text.substr(0, colon), request.frame) || request.frame < 0) {
        error = "--screenshot needs FRAME:FILE.png, not \"" + text + "\"";
        return false;
      }
      request.path = text.substr(colon + 1);
      options.screenshots.push_back(request);
    } else {
      error = "unknown argument \"" + arg + "\"";
      return false;
    }
  }
  return true;
}

}  // namespace app
