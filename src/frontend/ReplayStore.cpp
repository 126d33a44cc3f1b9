// Writes each player's last game replay beside the settings.
#include "frontend/ReplayStore.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "game/Replay.h"
#include "platform/Files.h"
#include "platform/Text1251.h"

namespace frontend {

std::string PlayerReplayFolder(std::string_view name1251) {
  std::string name = platform::Cp1251ToUtf8(name1251);
  for (char& c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\' || c == ':') c = '_';
  }
  if (name.empty() || name.front() == '.') name.insert(name.begin(), '_');
  return "replays/" + name;
}

bool SaveLastReplay(game::TForm1& form) {
  const game::Replay& replay = form.Replays.Recorded();
  if (form.PlayerName.empty() || replay.races.empty()) return true;
  const std::string folder = PlayerReplayFolder(form.PlayerName);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::string error;
  if (ec ||
      !platform::WriteFileAtomically(folder + "/last.vrp", game::EncodeReplay(replay), error)) {
    std::fprintf(stderr, "vornakel: cannot keep the replay in %s: %s\n", folder.c_str(),
                 ec ? ec.message().c_str() : error.c_str());
    return false;
  }
  return true;
}

void SaveUnfinishedGame(game::TForm1& form) {
  if (form.Quiet || form.SeedRace.Active) return;
  bool underWay = form.Replays.Recording();
  for (const uint8_t state :
       {game::gsRace, game::gsRaceOver, game::gsRaceMenu, game::gsPause, game::gsGameOver,
        game::gsTimeUp, game::gsYourScore, game::gsSendScore, game::gsExploded})
    underWay = underWay || form.GameState == state;
  if (!underWay) return;
  form.Replays.Finish();
  SaveLastReplay(form);
}

void ForgetPlayerReplays(const game::MenuState& menu, const std::string& name1251) {
  const std::string folder = PlayerReplayFolder(name1251);
  for (int32_t i = 0; i < menu.ProfileCount; ++i) {
    if (PlayerReplayFolder(menu.Profiles[static_cast<size_t>(i)].Name) == folder) return;
  }
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  if (ec) {
    std::fprintf(stderr, "vornakel: cannot remove the replays in %s: %s\n", folder.c_str(),
                 ec.message().c_str());
  }
}

}  // namespace frontend
