// The replays screen: the player's kept races (the last game's, the best run on each road code),
// one line each, any of them watched in the window.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "frontend/MenuKit.h"
#include "frontend/Registration.h"
#include "frontend/ReplayStore.h"
#include "frontend/ReplayWatch.h"
#include "game/Phrases.h"
#include "game/Replay.h"
#include "game/TruckCatalogue.h"
#include "platform/Files.h"
#include "platform/Input.h"
#include "platform/Text1251.h"

namespace frontend {

namespace {

using game::TForm1;

constexpr int32_t kRows = 10;
constexpr int32_t kFirstRowY = 190;
constexpr int32_t kRowStep = 20;
constexpr int32_t kRowLeft = 90;
constexpr int32_t kRowRight = 710;
// A replay file is far smaller; anything bigger is not one of ours.
constexpr uintmax_t kMaxReplayFileBytes = 64u << 20;
// How long a refusal stays under the list: three seconds.
constexpr int32_t kNoticeFrames = 270;

constexpr const char* kTruckNames[game::kTruckModelCount][2] = {
    {"Спидер", "Speeder"}, {"Турбо", "Turbo"}, {"Вулкан", "Volcano"},
    {"Вайпер", "Viper"},   {"Зверь", "Beast"},
};

// One line: a race of a kept file, or a file that cannot be played (error set).
struct ReplayLine {
  std::shared_ptr<const game::Replay> replay;
  size_t race = 0;
  bool bestRun = false;
  game::ReplayError error = game::ReplayError::kNone;
  std::string file;
};

struct ReplaysScreen {
  std::vector<ReplayLine> lines;
  int32_t cursor = 0;
  int32_t top = 0;
  int32_t pressed = -1;  // the line the left button went down on, played when it comes up there
  std::string notice;
  int32_t noticeFrames = 0;
};

std::string Text(TForm1& form, game::Phrase phrase) {
  return game::Say(form.Lang, phrase);
}

std::string TwoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

std::string DateText(TForm1& form, int64_t utc) {
  if (utc <= 0) return "-";
  const std::time_t when = static_cast<std::time_t>(utc);
  std::tm t{};
  if (gmtime_r(&when, &t) == nullptr) return "-";
  const std::string time = TwoDigits(t.tm_hour) + ":" + TwoDigits(t.tm_min);
  if (form.Lang == game::Language::English) {
    return std::to_string(t.tm_year + 1900) + "-" + TwoDigits(t.tm_mon + 1) + "-" +
           TwoDigits(t.tm_mday) + " " + time;
  }
  return TwoDigits(t.tm_mday) + "." + TwoDigits(t.tm_mon + 1) + "." +
         std::to_string(t.tm_year + 1900) + " " + time;
}

std::string TimeText(TForm1& form, int32_t hund) {
  if (hund < 0) return Text(form, game::Phrase::ReplayNotFinished);
  return std::to_string(hund / 6000) + ":" + TwoDigits(hund / 100 % 60) + ":" +
         TwoDigits(hund % 100);
}

// The files of the player's folder: the last game first, then the best runs by name.
std::vector<ReplayLine> ReadLines(TForm1& form) {
  std::vector<ReplayLine> lines;
  if (form.PlayerName.empty()) return lines;
  const std::filesystem::path folder = PlayerReplayFolder(form.PlayerName);
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (it->path().extension() == ".vrp" && it->is_regular_file(ec)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
    const bool aLast = a.filename() == "last.vrp";
    const bool bLast = b.filename() == "last.vrp";
    return aLast != bLast ? aLast : a.filename() < b.filename();
  });
  for (const std::filesystem::path& path : files) {
    ReplayLine line;
    line.file = path.filename().string();
    line.bestRun = line.file != "last.vrp";
    std::string bytes;
    std::string error;
    auto replay = std::make_shared<game::Replay>();
    if (!platform::ReadWholeFile(path.string(), kMaxReplayFileBytes, bytes, error)) {
      line.error = game::ReplayError::kDamaged;
    } else {
      line.error = game::DecodeReplay(bytes, *replay);
      if (line.error == game::ReplayError::kNone && replay->races.empty())
        line.error = game::ReplayError::kDamaged;
    }
    if (line.error != game::ReplayError::kNone) {
      lines.push_back(line);
      continue;
    }
    line.replay = replay;
    for (size_t race = 0; race < replay->races.size(); ++race) {
      line.race = race;
      lines.push_back(line);
    }
  }
  return lines;
}

std::string RefusalText(TForm1& form, game::ReplayError error) {
  return Text(form, error == game::ReplayError::kOtherLogic ? game::Phrase::ReplayOtherVersion
                                                            : game::Phrase::ReplayDamaged);
}

void PlayLine(TForm1& form, ReplaysScreen& screen) {
  if (screen.cursor < 0 || screen.cursor >= static_cast<int32_t>(screen.lines.size())) return;
  const ReplayLine& line = screen.lines[static_cast<size_t>(screen.cursor)];
  if (line.error != game::ReplayError::kNone) {
    KeyClick(form);
    screen.notice = RefusalText(form, line.error);
    screen.noticeFrames = kNoticeFrames;
    return;
  }
  game::Replay one;
  one.races.push_back(line.replay->races[line.race]);
  WatchRaces(form, std::move(one), 0);
}

void MoveCursor(ReplaysScreen& screen, int32_t to) {
  const auto count = static_cast<int32_t>(screen.lines.size());
  if (count == 0) return;
  screen.cursor = std::clamp(to, 0, count - 1);
  if (screen.cursor < screen.top) screen.top = screen.cursor;
  if (screen.cursor >= screen.top + kRows) screen.top = screen.cursor - kRows + 1;
}

void DrawLines(TForm1& form, ReplaysScreen& screen) {
  engine::TOmegaFont& font = form.OmegaFont4;
  if (screen.lines.empty()) {
    SetFont(font, "Arial", 12, 21, 16, 137);
    TextCentered(font, 400, kFirstRowY + 2 * kRowStep, Text(form, game::Phrase::ReplaysNone));
  }
  const auto count = static_cast<int32_t>(screen.lines.size());
  for (int32_t row = 0; row < kRows && screen.top + row < count; ++row) {
    const int32_t index = screen.top + row;
    const ReplayLine& line = screen.lines[static_cast<size_t>(index)];
    const int32_t y = kFirstRowY + kRowStep * row;
    const bool chosen = index == screen.cursor;
    if (chosen) {
      FillBox(form, kRowLeft, static_cast<float>(y), kRowRight, static_cast<float>(y + kRowStep),
              0x70FF9A1E);
    }
    if (line.error != game::ReplayError::kNone) {
      SetFont(font, "Arial", 10, 170, 30, 30);
      font.TextOut(kRowLeft + 6, y + 2,
                   platform::Utf8To1251(line.file) + ": " + RefusalText(form, line.error));
      continue;
    }
    const game::ReplayRace& race = line.replay->races[line.race];
    SetFont(font, "Arial", 10, chosen ? 120 : 21, chosen ? 20 : 16, chosen ? 20 : 137);
    font.TextOut(kRowLeft + 6, y + 2, DateText(form, race.summary.recordedUtc));
    const int32_t track = std::clamp(race.start.selectedTrack, 0, game::kTrackTableSize - 1);
    font.TextOut(246, y + 2, Text(form, game::Phrase::ReplayTrack) + std::to_string(track + 1));
    const int32_t truck = std::clamp(race.start.selectedTruck, 0, game::kTruckModelCount - 1);
    const int language = form.Lang == game::Language::English ? 1 : 0;
    font.TextOut(340, y + 2, platform::Utf8To1251(kTruckNames[truck][language]));
    TextCentered(font, 478, y + 2,
                 race.summary.place > 0 ? std::to_string(race.summary.place) : "-");
    TextCentered(font, 558, y + 2, TimeText(form, race.summary.raceHund));
    const std::string kept =
        line.bestRun ? Text(form, game::Phrase::ReplayBestRun)
                     : Text(form, game::Phrase::ReplayGameRace) + std::to_string(line.race + 1);
    font.TextOut(614, y + 2, kept);
  }
  if (screen.noticeFrames > 0) {
    --screen.noticeFrames;
    SetFont(font, "Arial", 12, 190, 30, 30);
    TextCentered(font, 400, kFirstRowY + kRowStep * kRows + 8, screen.notice);
  }
}

// The line under a click, or -1.
int32_t LineAt(const ReplaysScreen& screen, int32_t x, int32_t y) {
  if (x < kRowLeft || x >= kRowRight || y < kFirstRowY) return -1;
  const int32_t row = (y - kFirstRowY) / kRowStep;
  const int32_t index = screen.top + row;
  if (row >= kRows || index >= static_cast<int32_t>(screen.lines.size())) return -1;
  return index;
}

void GoBack(TForm1& form) {
  SwitchWithClick(form, game::gsReplays, game::gsHiScores);
}

constexpr MenuButton kReplaysButtons[] = {
    {.picture = "b_back", .left = 116, .top = 430, .action = GoBack},
};

}  // namespace

void RegisterReplaysState(TForm1& form) {
  auto screen = std::make_shared<ReplaysScreen>();
  game::StateHandlers state;
  state.enter = [&form, screen] {
    ClearKeys(form);
    form.GameState = game::gsReplays;
    *screen = ReplaysScreen{};
    screen->lines = ReadLines(form);
    BeginButtons(form);
    AddButtons(form, form, kReplaysButtons);
    form.MenuScreen = new TMenuScreen(form, 60, 90, 20, "scr_replays", "scr_replays");
    NudgeSprites(form);
  };
  state.frame = [&form, screen] {
    if (TakeKey(form, platform::kVkEscape)) {
      KeyClick(form);
      SwitchState(form, game::gsReplays, game::gsHiScores);
      return;
    }
    if (TakeKey(form, platform::kVkUp)) MoveCursor(*screen, screen->cursor - 1);
    if (TakeKey(form, platform::kVkDown)) MoveCursor(*screen, screen->cursor + 1);
    // Enter plays the chosen line unless the focus rests on a button (it took the key then).
    if (TakeKey(form, platform::kVkReturn)) {
      PlayLine(form, *screen);
      return;
    }
    // A click plays its line once the button is up again (over the same line), so the release
    // never goes to the playback and the screen is not left with the button held.
    if (screen->pressed >= 0 && !form.OmegaGUI1.LeftButton) {
      const bool same = LineAt(*screen, form.MouseX, form.MouseY) == screen->pressed;
      screen->pressed = -1;
      if (same) {
        PlayLine(form, *screen);
        return;
      }
    }
    StandardMenuFrame(form, [&form, screen] { DrawLines(form, *screen); });
  };
  state.leave = [&form] {
    FreeButtons(form);
    KillSprite(form.MenuScreen);
    form.OmegaSprite1.Dead();
  };
  form.States.Register(game::gsReplays, state);
  // A press on a line chooses it; the frame plays it on the release.
  std::function<void(int, int, int)> previous = form.OnMouseDownHook;
  form.OnMouseDownHook = [&form, screen, previous](int button, int x, int y) {
    if (previous) previous(button, x, y);
    if (form.GameState != game::gsReplays || button != 0) return;
    const int32_t index = LineAt(*screen, x, y);
    if (index < 0) return;
    screen->cursor = index;
    screen->pressed = index;
  };
}

}  // namespace frontend
