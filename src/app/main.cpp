// Program entry: reads the command line, builds the platform (SDL or the null stand-ins), creates
// the main form and runs the frame loop until the window closes.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/AudioRecorder.h"
#include "app/FillProfile.h"
#include "app/GameLoop.h"
#include "app/InputScript.h"
#include "app/Options.h"
#include "app/ReplayRun.h"
#include "engine/Messages.h"
#include "frontend/Frontend.h"
#include "frontend/GameIni.h"
#include "frontend/LanguageSetting.h"
#include "game/MainForm.h"
#include "game/PictureSet.h"
#include "platform/GameFolders.h"
#include "platform/Paths.h"
#include "platform/QuitSignals.h"
#include "platform/null/NullAudioDevice.h"
#include "platform/null/NullPlatform.h"
#include "platform/null/NullRenderDevice.h"
#include "platform/null/VirtualClock.h"
#include "platform/sdl/SdlPlatform.h"
#include "platform/sdl/SdlRenderDevice.h"

namespace {

// Scripts may come through a pipe (a shell's <(…)), so only folders are refused before reading.
bool ReadScriptFile(const std::string& path, std::string& text) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
  } catch (const std::exception&) {
    return false;
  }
}

// Drains live input while a script drives the game, so the window stays responsive.
class ScriptOverLive : public platform::InputSource {
 public:
  ScriptOverLive(app::ScriptedInput* script, platform::InputSource* live)
      : script_(script), live_(live) {}
  bool Poll(platform::InputEvent& event) override {
    platform::InputEvent ignored;
    while (live_ != nullptr && live_->Poll(ignored)) {
    }
    return script_->Poll(event);
  }
  void MousePosition(int& x, int& y) override { script_->MousePosition(x, y); }

 private:
  app::ScriptedInput* script_;
  platform::InputSource* live_;
};

void MakeAbsolute(app::Options& options) {
  auto absolute = [](std::string& path) {
    std::error_code ec;
    if (!path.empty()) path = std::filesystem::absolute(path, ec).string();
  };
  absolute(options.scriptPath);
  absolute(options.recordPath);
  absolute(options.tracePath);
  absolute(options.recordReplayPath);
  absolute(options.playReplayPath);
  absolute(options.recordAudioPath);
  for (app::ScreenshotRequest& shot : options.screenshots) absolute(shot.path);
}

// Portable (data beside the binary) or installed (saves in the home folder): makes the saves
// folder the working folder and points the data paths at the data folder. Where neither holds
// the game, it runs from the working folder as it is, and says what is missing there.
bool EnterGameFolders() {
  platform::GameFolders folders;
  std::string error;
  if (!platform::FindGameFolders(platform::ReadFolderClues(), folders, error)) {
    std::fprintf(stderr, "vornakel: %s; looking in the current folder\n", error.c_str());
    return true;
  }
  if (folders.installed && !platform::MakeSavesFolder(folders.saves, error)) {
    std::fprintf(stderr, "vornakel: %s\n", error.c_str());
    return false;
  }
  if (chdir(folders.saves.c_str()) != 0) {
    std::fprintf(stderr, "vornakel: cannot enter the saves folder %s\n", folders.saves.c_str());
    return false;
  }
  platform::SetDataFolder(folders.data);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  app::Options options;
  std::string error;
  if (!app::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "vornakel: %s\nTry 'vornakel --help' for the options.\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::printf("%s", app::UsageText().c_str());
    return 0;
  }
  if (options.version) {
    std::printf("vornakel %s\n", app::kVersion);
    return 0;
  }
  if (!options.workDir.empty()) {
    // The harness keeps everything, data and saves, in the one folder it names.
    if (chdir(options.workDir.c_str()) != 0) {
      std::fprintf(stderr, "vornakel: cannot enter the folder %s\n", options.workDir.c_str());
      return 2;
    }
  } else {
    // The game moves into its saves folder: the harness's files stay where they were named.
    MakeAbsolute(options);
    if (!EnterGameFolders()) return 1;
  }
  const game::Language language =
      options.language.value_or(frontend::StoredLanguage(frontend::ReadGameIni()));
  if (!options.playReplayPath.empty()) return app::PlayReplayFile(options, language);
  std::vector<app::TimedEvent> scriptEvents;
  if (!options.scriptPath.empty()) {
    std::string text;
    if (!ReadScriptFile(options.scriptPath, text)) {
      std::fprintf(stderr, "vornakel: cannot read the script %s\n", options.scriptPath.c_str());
      return 2;
    }
    if (!app::ParseInputScript(text, scriptEvents, error)) {
      std::fprintf(stderr, "vornakel: %s: %s\n", options.scriptPath.c_str(), error.c_str());
      return 2;
    }
  }

  // The menu pictures are read and decoded while the window and its renderer come up.
  std::shared_ptr<engine::ArchiveLoad> menuArchive = game::StartMenuArchive(language);

  // The machine: SDL, or the null stand-ins when nothing is to be drawn.
  std::unique_ptr<platform::SdlPlatform> sdl;
  platform::NullRenderDevice nullDevice;
  platform::NullFontRasterizer nullFonts;
  platform::StderrShell stderrShell;
  platform::NoInput noInput;
  platform::SteadyClock steadyClock;
  platform::VirtualClock virtualClock;
  game::PlatformServices services{&nullDevice, &nullFonts, &steadyClock, &stderrShell, nullptr};
  platform::InputSource* liveInput = &noInput;
  if (!options.nullRender) {
    platform::SdlOptions sdlOptions;
    sdlOptions.headless = options.headless;
    sdl = platform::SdlPlatform::Create(sdlOptions, error);
    if (!sdl) {
      std::fprintf(stderr, "vornakel: %s\n", error.c_str());
      std::fprintf(stderr, "Error: Could not find any compatible Direct3D\ndevices.\n");
      std::fprintf(stderr, "Error: This application will now exit.\n");
      return 1;
    }
    // Only screenshots read frames back; without them a window shows each frame as drawn.
    sdl->SdlRenderer().KeepFrames(!options.screenshots.empty());
    services = {&sdl->Renderer(), &sdl->Fonts(), &sdl->SystemClock(), &sdl->DesktopShell(),
                &sdl->Audio()};
    liveInput = &sdl->Input();
  }
  if (options.fast) services.clock = &virtualClock;
  // Without SDL the sound effects are silent and last a fixed time on the game's own clock. A
  // recording takes its sound from here too, whatever the sound card.
  platform::NullAudioDevice nullAudio(services.clock);
  if (services.audio == nullptr || !options.recordAudioPath.empty()) services.audio = &nullAudio;
  app::AudioRecorder audioRecorder(nullAudio, 90);
  if (!options.recordAudioPath.empty() && !audioRecorder.Open(options.recordAudioPath)) {
    std::fprintf(stderr, "vornakel: cannot write %s\n", options.recordAudioPath.c_str());
    return 2;
  }
  platform::Shell* shell = services.shell;
  engine::SetMessageHandler([shell](const std::string& text, const std::string& caption) {
    shell->ShowMessage(text, caption);
  });

  // Where input comes from: a script, a recorded live session, or plain live input.
  app::ScriptedInput scripted(std::move(scriptEvents));
  ScriptOverLive scriptOverLive(&scripted, liveInput);
  std::FILE* recordFile = nullptr;
  if (!options.recordPath.empty()) {
    recordFile = std::fopen(options.recordPath.c_str(), "w");
    if (recordFile == nullptr) {
      std::fprintf(stderr, "vornakel: cannot write %s\n", options.recordPath.c_str());
      return 2;
    }
  }
  app::RecordingInput recording(liveInput, recordFile);
  platform::InputSource* input = liveInput;
  if (!options.scriptPath.empty()) {
    input = &scriptOverLive;
  } else if (recordFile != nullptr) {
    input = &recording;
  }

  int exitCode = 0;
  {
    game::TForm1 form(services);
    frontend::RegisterFrontend(form);
    form.StartLevel = options.startLevel;
    form.DevKeys = options.devKeys;
    form.SeedRace.FixedToday = options.today;
    form.ForcedDifficulty = options.difficulty;
    form.Lang = language;
    form.MenuArchive = std::move(menuArchive);
    if (options.seed) {
      form.FixedSeed = true;
      form.Seed = *options.seed;
    }
    form.NeverVSync = options.fast;
    form.Replays.KeepSession(!options.recordReplayPath.empty());
    form.FormCreate();
    if (options.scaling) form.ScreenSound.Scaling = *options.scaling;
    if (options.vsync) form.ScreenSound.VSync = *options.vsync;
    if (options.scaling || options.vsync) form.ApplyPresentation();
    if (form.ScreenSound.VSyncRefused) {
      std::fprintf(stderr,
                   "vornakel: vertical sync is not available here; frames are not synced\n");
    }
    if (!form.Closed()) form.FormShow();
    platform::InstallQuitSignals();
    app::GameLoop loop(options, form, *input, *services.clock,
                       options.fast ? &virtualClock : nullptr, *services.device);
    loop.OnBeforeInput = [&](int64_t frame) {
      scripted.SetFrame(frame);
      recording.SetFrame(frame);
    };
    if (!options.recordAudioPath.empty()) loop.OnAfterFrame = [&] { audioRecorder.Frame(); };
    if (options.fillProfileFrame > 0 && sdl) {
      // Counts from the end of the frame before to the end of the frame asked for.
      loop.OnAfterFrame = [&, record = loop.OnAfterFrame, calls = uint64_t{0}]() mutable {
        if (record) record();
        platform::SdlRenderDevice& device = sdl->SdlRenderer();
        const int64_t done = loop.NextFrame() - 1;
        if (done == options.fillProfileFrame - 1) {
          device.ResetFill();
          device.CountFill(true);
          calls = device.GeometryCalls();
        } else if (done == options.fillProfileFrame) {
          device.CountFill(false);
          std::printf("fill renderer %s\n", device.RendererName().c_str());
          // Each call is a draw the rasteriser sets up on its own.
          std::printf("fill draw_calls %llu\n",
                      static_cast<unsigned long long>(device.GeometryCalls() - calls));
          std::printf(
              "%s",
              app::FillProfileTable(device.Fill(), form, device.Width(), device.Height()).c_str());
        }
      };
    }
    exitCode = loop.Run();
    form.FormDestroy();
    if (!options.recordReplayPath.empty() &&
        !app::WriteReplayFile(options.recordReplayPath, form.Replays.Finish(), error)) {
      std::fprintf(stderr, "vornakel: cannot write %s: %s\n", options.recordReplayPath.c_str(),
                   error.c_str());
      if (exitCode == 0) exitCode = 3;
    }
    if (form.ExitCode != 0) exitCode = form.ExitCode;
  }
  if (recordFile != nullptr) std::fclose(recordFile);
  if (!options.recordAudioPath.empty() && !audioRecorder.Close()) {
    std::fprintf(stderr, "vornakel: could not finish %s\n", options.recordAudioPath.c_str());
    if (exitCode == 0) exitCode = 3;
  }
  engine::SetMessageHandler(nullptr);
  return exitCode;
}
