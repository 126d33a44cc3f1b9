// The seed screen (31), reached from the track screen: a road code typed in, or the road of the
// day, raced once outside the career; and the way back to it when that race ends.
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "engine/KeyboardLayout.h"
#include "frontend/DailyBest.h"
#include "frontend/GameIni.h"
#include "frontend/GhostRun.h"
#include "frontend/MenuKit.h"
#include "frontend/MenuStates.h"
#include "frontend/Profiles.h"
#include "frontend/Registration.h"
#include "frontend/RoadBest.h"
#include "game/Phrases.h"
#include "online/TextCodec.h"
#include "platform/Input.h"

namespace frontend {

namespace {

using game::TForm1;
using platform::kVkEscape;
using platform::kVkReturn;

// Ten symbols and the dash between the two groups.
constexpr int32_t kCodeBoxLength = 11;
constexpr int32_t kMessageY = 320;
constexpr int32_t kDailyY = 364;
constexpr int32_t kDailyBestY = 390;
// The daily lines' middle, left of the ghost's switch and its label.
constexpr int32_t kDailyX = 390;
constexpr int32_t kGhostSwitchLeft = 618;
constexpr int32_t kGhostSwitchTop = 382;
constexpr int32_t kGhostLabelX = 654;
constexpr int32_t kGhostLabelY = 360;

// The screen's own state: the code the message was made for, and the message under the box
// (what the code holds, why it was refused, or the time of the race just driven).
struct SeedScreen {
  SeedScreen(TForm1& owner, std::shared_ptr<ScoreLink> link)
      : form(owner), scores(std::move(link)) {}
  TForm1& form;
  std::shared_ptr<ScoreLink> scores;
  // The race just driven over the line on the road of the day, its time and day, which the player
  // may send.
  std::optional<game::ReplayRace> dailyRace;
  int32_t dailyHund = -1;
  std::string dailyDate;
  std::optional<std::string> shownCode;
  std::string message;
  bool refused = false;
  // The road of the day and the player's best on it, read once as the screen opens.
  std::string dailyLine;
  std::string bestLine;
  // The ghost's switch is read from vornakel.ini the first time the screen opens.
  bool ghostSettingRead = false;
  void Say(std::string text, bool isRefusal) {
    message = std::move(text);
    refused = isRefusal;
  }
};

// The letters a code box takes: the code's symbols, the dash, and the Cyrillic letters on the
// same keys (a Russian layout types those; they are read as the Latin letter of their key).
std::string CodeBoxCharacters() {
  std::string characters(online::kCodecAlphabet);
  characters += '-';
  for (char latin = 'A'; latin <= 'Z'; ++latin) {
    const auto cyrillic = engine::LatinToCyrillic(static_cast<unsigned char>(latin));
    if (cyrillic != static_cast<unsigned char>(latin)) characters += static_cast<char>(cyrillic);
  }
  return characters;
}

// The box's text as a code: Cyrillic letters back to the Latin ones of their keys, capitals, and
// nothing a code cannot hold.
std::string NormalisedCode(const std::string& typed) {
  std::string code;
  for (char c : typed) {
    for (char latin = 'A'; latin <= 'Z'; ++latin) {
      if (engine::LatinToCyrillic(static_cast<unsigned char>(latin)) ==
          static_cast<unsigned char>(c))
        c = latin;
    }
    if (c == '-' || online::kCodecAlphabet.find(c) != std::string_view::npos) code += c;
  }
  return code;
}

// What the code holds, and the current player's best time on it.
std::string CodeDetails(TForm1& form, const game::RoadCode& code) {
  std::string details = game::Say(form.Lang, game::Phrase::TrackTitle) +
                        std::to_string(code.Track + 1) + ", " +
                        game::Say(form.Lang, game::Phrase::Level) + std::to_string(code.Level) +
                        ", " + game::DifficultyName(code.GameDifficulty, form.Lang);
  if (form.Menu.ProfileCount <= 0) return details;
  const auto best = RoadBestIn(ReadGameIni(), CurrentProfileName(form.Menu), code);
  if (best) details += game::Say(form.Lang, game::Phrase::RoadBest) + RaceTimeText(*best);
  return details;
}

// The best of the current player on the road of that day, if any (none without a profile).
std::optional<int32_t> DailyBest(TForm1& form, const std::string& date) {
  if (form.Menu.ProfileCount <= 0) return std::nullopt;
  return DailyBestIn(ReadGameIni(), CurrentProfileName(form.Menu), date);
}

// On to the truck screen with this road; its race button starts the seed race.
void ChooseRoad(TForm1& form, const game::RoadCode& code) {
  game::SeedRaceRun& run = form.SeedRace;
  const std::string today = game::SeedRaceToday(form);
  run.Code = code;
  run.DailyDate = code == game::DailyRoadCode(today) ? today : std::string();
  run.Chosen = true;
  SwitchWithClick(form, game::gsSeedRace, game::gsTruckSelect);
}

void RaceTypedCode(SeedScreen& screen) {
  TForm1& form = screen.form;
  engine::TOmegaEdit* edit = form.Menu.NameEdit;
  game::RoadCodeError error = game::RoadCodeError::None;
  const auto code = game::DecodeRoadCode(edit != nullptr ? edit->Text : "", &error);
  if (code) {
    ChooseRoad(form, *code);
    return;
  }
  KeyClickIfSoundOn(form);
  const game::Phrase why = error == game::RoadCodeError::Length   ? game::Phrase::RoadCodeLength
                           : error == game::RoadCodeError::Symbol ? game::Phrase::RoadCodeSymbol
                                                                  : game::Phrase::RoadCodeTypo;
  screen.Say(game::Say(form.Lang, why), true);
}

void RaceDailyRoad(SeedScreen& screen) {
  ChooseRoad(screen.form, game::DailyRoadCode(game::SeedRaceToday(screen.form)));
}

void BackToTracks(SeedScreen& screen) {
  SwitchWithClick(screen.form, game::gsSeedRace, game::gsTrackSelect);
}

// The ghost's switch: kept at once, in memory when the file cannot be written.
void ToggleGhost(SeedScreen& screen) {
  TForm1& form = screen.form;
  Click(form);
  const bool shown = !form.SeedRace.GhostShown;
  form.SeedRace.GhostShown = shown;
  SetButtonPicture(form, form.Menu.Buttons[3], SwitchPicture(shown));
  UpdateGameIni(form, [shown](IniDocument& ini) { SetGhostShown(ini, shown); });
}

constexpr ButtonRow<SeedScreen> kSeedButtons[] = {
    {.picture = "b_back", .left = 116, .top = 440, .action = BackToTracks},
    {.picture = "b_daily", .left = 315, .top = 440, .action = RaceDailyRoad},
    {.picture = "bc_race", .left = 534, .top = 440, .action = RaceTypedCode},
    {.picture = "b_on", .left = kGhostSwitchLeft, .top = kGhostSwitchTop, .action = ToggleGhost},
};

// Sends the daily race's time with its replay; the server replays it before it keeps the time.
void SendDailyTime(SeedScreen& screen) {
  TForm1& form = screen.form;
  if (!screen.dailyRace || screen.scores == nullptr) return;
  ClickIfSoundOn(form);
  screen.scores->SubmitDailyTime(form, *screen.dailyRace, screen.dailyHund, screen.dailyDate);
  screen.dailyRace.reset();
  // The button after the screen's own row.
  engine::TOmegaButton* button = form.Menu.Buttons[std::size(kSeedButtons)];
  if (button != nullptr) button->Visible = false;
}

constexpr ButtonRow<SeedScreen> kSendTimeButton[] = {
    {.picture = "b_sendtime", .left = 78, .top = 318, .action = SendDailyTime},
};

// The race that ended the seed race just now, when it was the road of the day driven to the line.
std::optional<game::ReplayRace> SendableDailyRace(const TForm1& form) {
  const game::SeedRaceRun& run = form.SeedRace;
  const game::Replay& recorded = form.Replays.Recorded();
  if (run.FinishHund < 0 || run.DailyDate.empty() || form.PlayerName.empty() ||
      recorded.races.empty() || recorded.races.back().start.randSeed != run.Code.Seed)
    return std::nullopt;
  return recorded.races.back();
}

// Keeps what the box holds a code as it is typed; a changed code forgets an old message.
void TidyCodeBox(SeedScreen& screen) {
  engine::TOmegaEdit* edit = screen.form.Menu.NameEdit;
  if (edit == nullptr) return;
  const std::string code = NormalisedCode(edit->Text);
  if (code != edit->Text) edit->SetText(code);
  if (code == screen.shownCode) return;
  screen.shownCode = code;
  screen.Say({}, false);
  if (const auto decoded = game::DecodeRoadCode(code))
    screen.Say(CodeDetails(screen.form, *decoded), false);
}

void DrawSeedTexts(const SeedScreen& screen) {
  TForm1& form = screen.form;
  engine::TOmegaFont& font = form.OmegaFont1;
  if (!screen.message.empty()) {
    if (screen.refused) {
      SetFont(font, "Arial", 13, 200, 40, 40);
    } else {
      SetFont(font, "Arial", 13, 21, 16, 137);
    }
    TextCentered(font, 400, kMessageY, screen.message);
  }
  SetFont(font, "Arial", 13, 29, 43, 68);
  TextCentered(font, kDailyX, kDailyY, screen.dailyLine);
  TextCentered(font, kDailyX, kDailyBestY, screen.bestLine);
  SetFont(font, "Arial", 11, 29, 43, 68);
  const game::Phrase ghost =
      form.SeedRace.GhostShown ? game::Phrase::GhostShown : game::Phrase::GhostHidden;
  TextCentered(font, kGhostLabelX, kGhostLabelY, game::Say(form.Lang, ghost));
}

void ReadDailyLines(SeedScreen& screen) {
  TForm1& form = screen.form;
  const std::string today = game::SeedRaceToday(form);
  screen.dailyLine = game::Say(form.Lang, game::Phrase::DailyRoad) + today + ": " +
                     game::EncodeRoadCode(game::DailyRoadCode(today));
  const std::optional<int32_t> best = DailyBest(form, today);
  screen.bestLine = best ? game::Say(form.Lang, game::Phrase::DailyBest) + RaceTimeText(*best)
                         : game::Say(form.Lang, game::Phrase::DailyNoTime);
}

// A daily road driven over the line: the player's best of that day, kept at once.
void KeepDailyResult(SeedScreen& screen) {
  TForm1& form = screen.form;
  const game::SeedRaceRun& run = form.SeedRace;
  if (run.FinishHund < 0) return;
  screen.Say(game::Say(form.Lang, game::Phrase::YourTime) + RaceTimeText(run.FinishHund), false);
  if (run.DailyDate.empty() || form.Menu.ProfileCount <= 0) return;
  const std::string name = CurrentProfileName(form.Menu);
  // Written only when it is a new best: a slower run leaves the file alone.
  IniDocument ini = ReadGameIni();
  if (!KeepDailyBest(ini, name, run.DailyDate, run.FinishHund)) return;
  UpdateGameIni(
      form, [&](IniDocument& file) { KeepDailyBest(file, name, run.DailyDate, run.FinishHund); });
}

void RegisterSeedScreen(TForm1& form, std::shared_ptr<ScoreLink> scores) {
  auto screen = std::make_shared<SeedScreen>(form, std::move(scores));
  game::StateHandlers state;
  state.enter = [&form, screen] {
    ClearKeys(form);
    form.GameState = game::gsSeedRace;
    form.SeedRace.Chosen = false;
    static const std::string kCodeCharacters = CodeBoxCharacters();
    MakeEditFont(form, 28, 21, 16, 137, &kCodeCharacters);
    if (!screen->ghostSettingRead) {
      form.SeedRace.GhostShown = GhostShownIn(ReadGameIni());
      screen->ghostSettingRead = true;
    }
    BeginButtons(form);
    AddButtons(form, *screen, kSeedButtons);
    SetButtonPicture(form, form.Menu.Buttons[3], SwitchPicture(form.SeedRace.GhostShown));
    screen->dailyRace = SendableDailyRace(form);
    screen->dailyHund = form.SeedRace.FinishHund;
    screen->dailyDate = form.SeedRace.DailyDate;
    if (screen->dailyRace) AddButtons(form, *screen, kSendTimeButton);
    engine::TOmegaEdit* edit = AddEditBox(form, "e_name", 200, 264, kCodeBoxLength);
    edit->LatinToCyrillic = false;
    edit->CharFilter = engine::TOmegaEdit::cfToCapitals;
    // The last road raced stays in the box.
    const bool raced = form.SeedRace.Code != game::RoadCode{} || form.SeedRace.FinishHund >= 0;
    edit->SetText(raced ? game::EncodeRoadCode(form.SeedRace.Code) : std::string());
    edit->SetFocus();
    screen->shownCode.reset();
    TidyCodeBox(*screen);
    KeepDailyResult(*screen);
    ReadDailyLines(*screen);
    form.SeedRace.FinishHund = -1;
    form.MenuScreen = new TMenuScreen(form, 60, 90, 20, "scr_seed", "scr_seed");
    NudgeSprites(form);
  };
  state.frame = [&form, screen] {
    BlinkCaret(form, form.Menu.NameEdit);
    if (TakeKey(form, kVkEscape)) {
      KeyClick(form);
      SwitchState(form, game::gsSeedRace, game::gsTrackSelect);
      return;
    }
    if (TakeKey(form, kVkReturn)) {
      RaceTypedCode(*screen);
      if (form.GameState != game::gsSeedRace) return;
    }
    TidyCodeBox(*screen);
    StandardMenuFrame(form, [screen] { DrawSeedTexts(*screen); });
  };
  state.leave = [&form] {
    FreeButtons(form);
    KillSprite(form.MenuScreen);
    form.OmegaSprite1.Dead();
  };
  form.States.Register(game::gsSeedRace, state);
}

// A seed race driven over the line: its race (the last one recorded) becomes the player's best run
// on the code when it is faster.
void KeepBestRun(TForm1& form, int32_t hund) {
  const game::Replay& replay = form.Replays.Recorded();
  if (hund < 0 || form.Menu.ProfileCount <= 0 || replay.races.empty()) return;
  KeepRoadBest(form, CurrentProfileName(form.Menu), form.SeedRace.Code, hund, replay.races.back());
}

// A seed race ends from the state it stands in: its screens and the race go, the career gets its
// values back, and the seed screen opens.
void FinishSeedRace(TForm1& form, uint8_t from) {
  const bool driven = from == game::gsRaceOver && form.Race.Paused && !form.DevWinUsed;
  const int32_t hund = driven ? form.Race.ElapsedHund : -1;
  if (form.MusicOn) {
    form.StopMusic("gamemusic");
    form.PlayMusic("menumusic");
  }
  KillSprite(form.Menu.OverlayScreen);
  FreeButtons(form);
  form.LeaveState(from);
  if (from != game::gsRace) form.LeaveState(game::gsRace);
  form.RaceTimer.Enabled = false;
  KeepBestRun(form, hund);
  game::EndSeedRace(form);
  form.SeedRace.FinishHund = hund;
  CreateMenuLights(form);
  HideMenuLights(form);
  form.EnterState(game::gsSeedRace);
}

}  // namespace

void RegisterSeedRaceState(TForm1& form, std::shared_ptr<ScoreLink> scores) {
  RegisterSeedScreen(form, std::move(scores));
  form.SeedRace.Finish = [&form](uint8_t from) { FinishSeedRace(form, from); };
  form.SeedRace.StartGhost = [&form] { StartGhost(form); };
}

}  // namespace frontend
