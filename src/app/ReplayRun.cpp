// Replay files for the harness: the atomic write, and playback on forms that never save anything.
#include "app/ReplayRun.h"

#include <cstdio>

#include "frontend/Frontend.h"
#include "frontend/ReplayWatch.h"
#include "game/MainForm.h"
#include "game/Phrases.h"
#include "game/ReplayPlayer.h"
#include "platform/Files.h"
#include "platform/Text1251.h"
#include "platform/null/NullAudioDevice.h"
#include "platform/null/NullPlatform.h"
#include "platform/null/NullRenderDevice.h"
#include "platform/null/VirtualClock.h"

namespace app {

namespace {

// A replay of a long session stays far below this; anything longer is not one of ours.
constexpr uintmax_t kMaxReplayFileBytes = 64u << 20;

void Complain(const std::string& text) {
  std::fprintf(stderr, "vornakel: %s\n", text.c_str());
}

std::string ErrorMessage(game::ReplayError error, game::Language language) {
  if (error == game::ReplayError::kOtherLogic)
    return platform::Cp1251ToUtf8(game::Say(language, game::Phrase::ReplayOtherVersion));
  return game::ReplayErrorText(error);
}

}  // namespace

bool WriteReplayFile(const std::string& path, const game::Replay& replay, std::string& error) {
  const std::string bytes = game::EncodeReplay(replay);
  if (bytes.empty()) {
    error = "the replay could not be packed";
    return false;
  }
  return platform::WriteFileAtomically(path, bytes, error);
}

int PlayReplayFile(const Options& options, game::Language language) {
  std::string bytes;
  std::string error;
  if (!platform::ReadWholeFile(options.playReplayPath, kMaxReplayFileBytes, bytes, error)) {
    Complain(options.playReplayPath + ": " + (error.empty() ? "no such file" : error));
    return 1;
  }
  game::Replay replay;
  const game::ReplayError decoded = game::DecodeReplay(bytes, replay);
  if (decoded != game::ReplayError::kNone) {
    Complain(options.playReplayPath + ": " + ErrorMessage(decoded, language));
    return 1;
  }
  if (replay.races.empty()) {
    Complain(options.playReplayPath + ": the replay holds no race");
    return 1;
  }
  std::FILE* trace = nullptr;
  if (!options.tracePath.empty()) {
    trace = std::fopen(options.tracePath.c_str(), "w");
    if (trace == nullptr) {
      Complain("cannot write the trace file " + options.tracePath);
      return 2;
    }
  }
  platform::NullRenderDevice device;
  platform::NullFontRasterizer fonts;
  platform::VirtualClock clock;
  platform::StderrShell shell;
  platform::NullAudioDevice audio(&clock);
  const game::PlatformServices services{&device, &fonts, &clock, &shell, &audio};
  int64_t frame = 0;
  int exitCode = 0;
  for (const game::ReplayRace& race : replay.races) {
    game::TForm1 form(services);
    frontend::RegisterFrontend(form);
    frontend::MakeQuiet(form);
    form.Lang = language;
    form.FixedSeed = true;
    form.NeverVSync = true;
    form.FormCreate();
    if (form.Closed()) {
      exitCode = form.ExitCode != 0 ? form.ExitCode : 1;
      break;
    }
    game::ReplayPlayer player(form, race);
    player.Begin();
    auto traceLine = [&] {
      ++frame;
      if (trace != nullptr)
        std::fprintf(trace, "frame=%lld %s\n", static_cast<long long>(frame),
                     form.TraceLine().c_str());
    };
    if (race.startedInFrame) traceLine();
    while (player.Step()) traceLine();
    form.FormDestroy();
  }
  if (trace != nullptr) std::fclose(trace);
  return exitCode;
}

}  // namespace app
