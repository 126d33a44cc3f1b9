// vornakel_autodrive: runs the real game on the null devices and the fast clock, plays it with the
// autopilot, and writes every input event it made as a script the game's --script can replay.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Pilot.h"
#include "app/GameLoop.h"
#include "app/InputScript.h"
#include "app/Options.h"
#include "engine/Messages.h"
#include "frontend/Frontend.h"
#include "game/MainForm.h"
#include "platform/null/NullAudioDevice.h"
#include "platform/null/NullPlatform.h"
#include "platform/null/NullRenderDevice.h"
#include "platform/null/VirtualClock.h"

namespace {

constexpr const char* kUsage =
    "usage: vornakel_autodrive --record OUT.script [--plan drive|wreck|enter[,...]]\n"
    "                          [--until-level N] [--until-state S] [game options]\n"
    "  Plays the game: the given --script first (the menus), then the autopilot; one plan per\n"
    "  race, the last repeats. Stops at --frames, once race N has run 30 frames, or 30 frames\n"
    "  into state S.\n";

// Frames the run goes on after a stop condition is met, so the replay sees the new state settle.
constexpr int64_t kStopAfter = 30;

bool ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}

// The menu script's events, then the pilot's, each written to the record file as it is handed
// to the game.
class PilotInput : public platform::InputSource {
 public:
  PilotInput(std::vector<app::TimedEvent> script, std::FILE* record)
      : script_(std::move(script)), record_(record) {}

  void StartFrame(int64_t frame, std::vector<platform::InputEvent> pilotEvents) {
    frame_ = frame;
    script_.SetFrame(frame);
    pending_ = std::move(pilotEvents);
    next_ = 0;
  }
  bool Poll(platform::InputEvent& event) override {
    if (!script_.Poll(event)) {
      if (next_ >= pending_.size()) return false;
      event = pending_[next_++];
    }
    if (event.type == platform::InputEvent::Type::kMouseMove) {
      mouseX_ = event.x;
      mouseY_ = event.y;
    }
    std::fprintf(record_, "%s\n", app::FormatInputEvent(frame_, event).c_str());
    return true;
  }
  void MousePosition(int& x, int& y) override {
    x = mouseX_;
    y = mouseY_;
  }

 private:
  app::ScriptedInput script_;
  std::FILE* record_;
  std::vector<platform::InputEvent> pending_;
  size_t next_ = 0;
  int64_t frame_ = 0;
  int mouseX_ = 0;
  int mouseY_ = 0;
};

bool ParseCount(const std::string& text, int& value) {
  try {
    size_t used = 0;
    value = std::stoi(text, &used);
    return used == text.size() && value >= 0;
  } catch (...) {
    return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> gameArgs;
  std::vector<autodrive::RacePlan> plan{autodrive::RacePlan::kDrive};
  int untilLevel = 0;
  int untilState = -1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--plan" && hasValue) {
      if (!autodrive::ParsePlan(argv[++i], plan)) {
        std::fprintf(stderr, "vornakel_autodrive: unknown plan \"%s\"\n%s", argv[i], kUsage);
        return 2;
      }
    } else if (arg == "--until-level" && hasValue) {
      if (!ParseCount(argv[++i], untilLevel)) {
        std::fprintf(stderr, "vornakel_autodrive: --until-level needs a race number\n");
        return 2;
      }
    } else if (arg == "--until-state" && hasValue) {
      if (!ParseCount(argv[++i], untilState) || untilState > 255) {
        std::fprintf(stderr, "vornakel_autodrive: --until-state needs a state code\n");
        return 2;
      }
    } else {
      gameArgs.push_back(arg);
    }
  }
  app::Options options;
  std::string error;
  if (!app::ParseOptions(gameArgs, options, error)) {
    std::fprintf(stderr, "vornakel_autodrive: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  if (options.recordPath.empty()) {
    std::fprintf(stderr, "%s", kUsage);
    return 2;
  }
  // The replay runs the game with --null-render --fast: the pilot plays on the same terms.
  options.nullRender = true;
  options.fast = true;
  options.headless = false;
  if (!options.workDir.empty() && chdir(options.workDir.c_str()) != 0) {
    std::fprintf(stderr, "vornakel_autodrive: cannot enter the folder %s\n",
                 options.workDir.c_str());
    return 2;
  }
  std::vector<app::TimedEvent> scriptEvents;
  if (!options.scriptPath.empty()) {
    std::string text;
    if (!ReadWholeFile(options.scriptPath, text)) {
      std::fprintf(stderr, "vornakel_autodrive: cannot read the script %s\n",
                   options.scriptPath.c_str());
      return 2;
    }
    if (!app::ParseInputScript(text, scriptEvents, error)) {
      std::fprintf(stderr, "vornakel_autodrive: %s: %s\n", options.scriptPath.c_str(),
                   error.c_str());
      return 2;
    }
  }
  std::FILE* record = std::fopen(options.recordPath.c_str(), "w");
  if (record == nullptr) {
    std::fprintf(stderr, "vornakel_autodrive: cannot write %s\n", options.recordPath.c_str());
    return 2;
  }

  // The machine exactly as the game builds it for --null-render --fast.
  platform::NullRenderDevice device;
  platform::NullFontRasterizer fonts;
  platform::StderrShell shell;
  platform::VirtualClock clock;
  platform::NullAudioDevice audio(&clock);
  game::PlatformServices services{&device, &fonts, &clock, &shell, &audio};
  engine::SetMessageHandler([&shell](const std::string& text, const std::string& caption) {
    shell.ShowMessage(text, caption);
  });

  PilotInput input(std::move(scriptEvents), record);
  autodrive::Pilot pilot(plan);
  int exitCode = 0;
  {
    game::TForm1 form(services);
    frontend::RegisterFrontend(form);
    form.StartLevel = options.startLevel;
    form.DevKeys = options.devKeys;
    form.ForcedDifficulty = options.difficulty;
    if (options.seed) {
      form.FixedSeed = true;
      form.Seed = *options.seed;
    }
    form.FormCreate();
    form.FormShow();
    app::GameLoop loop(options, form, input, clock, &clock, device);
    int64_t stopAt = -1;
    bool raced = false;
    loop.OnBeforeInput = [&](int64_t frame) {
      raced = raced || form.GameState == game::gsRace;
      const bool levelReached = untilLevel > 0 && form.LevelNumber >= untilLevel &&
                                form.GameState == game::gsRace && raced;
      const bool stateReached = untilState >= 0 && raced && form.GameState == untilState;
      if (stopAt < 0 && (levelReached || stateReached)) stopAt = frame + kStopAfter;
      if (stopAt >= 0 && frame >= stopAt) {
        form.Close();
        return;
      }
      std::vector<platform::InputEvent> events;
      pilot.Decide(form, frame, events);
      input.StartFrame(frame, std::move(events));
    };
    exitCode = loop.Run();
    form.FormDestroy();
  }
  std::fclose(record);
  engine::SetMessageHandler(nullptr);
  return exitCode;
}
