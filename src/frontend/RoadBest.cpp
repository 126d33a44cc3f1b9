// The best run on each road code: the time in vornakel.ini, the race beside the player's replays.
#include "frontend/RoadBest.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "frontend/DailyBest.h"
#include "frontend/GameIni.h"
#include "frontend/ProfileSettings.h"
#include "frontend/ReplayStore.h"
#include "platform/Files.h"

namespace frontend {

namespace {

// One race stays far below this; anything longer is not one of ours.
constexpr uintmax_t kMaxRunFileBytes = 16u << 20;

std::string Symbols(const game::RoadCode& code) {
  std::string symbols = game::EncodeRoadCode(code);
  std::erase(symbols, '-');
  return symbols;
}

std::string RoadKey(const game::RoadCode& code) {
  return "road." + Symbols(code);
}

void Complain(const std::string& path, const std::string& why) {
  std::fprintf(stderr, "vornakel: no ghost from %s: %s\n", path.c_str(), why.c_str());
}

}  // namespace

std::string RoadBestFile(std::string_view name1251, const game::RoadCode& code) {
  return PlayerReplayFolder(name1251) + "/road-" + Symbols(code) + ".vrp";
}

std::optional<int32_t> RoadBestIn(const IniDocument& ini, std::string_view name1251,
                                  const game::RoadCode& code) {
  const auto text = ini.Get(ProfileSection(name1251), RoadKey(code));
  return text ? ParseRaceTime(*text) : std::nullopt;
}

bool KeepRoadBest(game::TForm1& form, std::string_view name1251, const game::RoadCode& code,
                  int32_t hund, const game::ReplayRace& race) {
  const std::optional<int32_t> best = RoadBestIn(ReadGameIni(), name1251, code);
  if (hund < 0 || (best && *best <= hund)) return false;
  const std::string path = RoadBestFile(name1251, code);
  std::error_code ec;
  std::filesystem::create_directories(PlayerReplayFolder(name1251), ec);
  std::string error;
  const std::string bytes = game::EncodeReplay(game::Replay{.races = {race}});
  if (ec || bytes.empty() || !platform::WriteFileAtomically(path, bytes, error)) {
    std::fprintf(stderr, "vornakel: cannot keep the best run in %s: %s\n", path.c_str(),
                 ec ? ec.message().c_str() : error.c_str());
    return false;
  }
  // The time follows the file: a time without its run would only mean no ghost.
  UpdateGameIni(form, [&](IniDocument& ini) {
    ini.Set(ProfileSection(name1251), RoadKey(code), RaceTimeText(hund));
  });
  return true;
}

std::optional<game::ReplayRace> LoadRoadBest(std::string_view name1251,
                                             const game::RoadCode& code) {
  const std::string path = RoadBestFile(name1251, code);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    if (RoadBestIn(ReadGameIni(), name1251, code)) Complain(path, "the file is missing");
    return std::nullopt;
  }
  std::string bytes;
  std::string error;
  if (!platform::ReadWholeFile(path, kMaxRunFileBytes, bytes, error)) {
    Complain(path, error.empty() ? "cannot read it" : error);
    return std::nullopt;
  }
  game::Replay replay;
  const game::ReplayError decoded = game::DecodeReplay(bytes, replay);
  if (decoded != game::ReplayError::kNone) {
    Complain(path, game::ReplayErrorText(decoded));
    return std::nullopt;
  }
  if (replay.races.empty() || replay.races[0].start.randSeed != code.Seed ||
      replay.races[0].start.level != code.Level ||
      replay.races[0].start.selectedTrack != code.Track ||
      replay.races[0].start.difficulty != static_cast<uint8_t>(code.GameDifficulty)) {
    Complain(path, "it holds no run of this road");
    return std::nullopt;
  }
  return std::move(replay.races[0]);
}

}  // namespace frontend
