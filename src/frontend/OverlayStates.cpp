// The screens over the race: leaving the race, pause, game over, time's up, the final score and
// the question whether to send it, which ends the game.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "frontend/MenuKit.h"
#include "frontend/MenuStates.h"
#include "frontend/Profiles.h"
#include "frontend/ReplayStore.h"
#include "game/EasyRules.h"
#include "game/HudText.h"
#include "game/Phrases.h"
#include "game/Player.h"
#include "online/CurlHttpClient.h"
#include "online/ScoreClient.h"
#include "platform/Input.h"
#include "platform/Text1251.h"

namespace frontend {

namespace {

using game::TForm1;
using platform::kVkEscape;
using platform::kVkF1;
using platform::kVkP;
using platform::kVkReturn;

constexpr int32_t kOverlayZ = 2000;
// Frames the game-over and time's-up notices stay before the final score.
constexpr int32_t kNoticeFrames = 200;
// The notices' line of advice, below the reason on the card.
constexpr int32_t kNoticeLineY = 440;
// The final score shows after 100 frames, its button after 201.
constexpr int32_t kScoreShownAfter = 100;
constexpr int32_t kScoreButtonTick = 201;

void StripTrailingPercent(std::string& text) {
  while (!text.empty() && text.back() == '%') text.pop_back();
}

void ShowPlayerTruck(TForm1& form) {
  if (form.Race.Player != nullptr) form.Race.Player->Visible = true;
}

// The overlay's title picture lies over the veil, so the scene pass leaves it out and the frame
// draws it itself.
void MakeOverlay(TForm1& form, const std::string& picture, const std::string& name) {
  KillSprite(form.Menu.OverlayScreen);
  form.Menu.OverlayScreen =
      new TGameMenuScreen(form, 60, 90, kOverlayZ, picture, name, 255, /*visible=*/false);
}

void FreeOverlay(TForm1& form) {
  KillSprite(form.Menu.OverlayScreen);
  form.OmegaSprite1.Dead();
}

// The leave handler of the overlays with buttons.
void LeaveOverlay(TForm1& form) {
  KillSprite(form.Menu.OverlayScreen);
  FreeButtons(form);
  form.OmegaSprite1.Dead();
}

// An overlay opens over the race or the burning wreck: remember which, and whether the clock ran
// (it does not before the green light or after the finish), then stop it.
void HoldRace(TForm1& form) {
  if (form.GameState == game::gsRace || form.GameState == game::gsExploded) {
    form.Race.ResumeState = form.GameState;
    form.Race.ClockWasRunning = form.RaceTimer.Enabled;
  }
  form.RaceTimer.Enabled = false;
}

// Back to the race where it stood, without an entry: no second start sequence or explosion.
void ResumeRace(TForm1& form, uint8_t from) {
  form.RaceTimer.Enabled = form.Race.ClockWasRunning;
  form.LeaveState(from);
  form.GameState = form.Race.ResumeState;
  ShowCursor(form, false);
}

// ---- 0: leave the race? ----

void LeaveRaceForScore(TForm1& form) {
  // A seed race has no score to show: back to the seed screen.
  if (form.SeedRace.Active && form.SeedRace.Finish) {
    Click(form);
    form.SeedRace.Finish(game::gsRaceMenu);
    return;
  }
  if (form.MusicOn) {
    form.StopMusic("gamemusic");
    form.PlayMusic("menumusic");
  }
  SwitchWithClick(form, game::gsRaceMenu, game::gsYourScore);
}

void BackToRace(TForm1& form) {
  ResumeRace(form, game::gsRaceMenu);
  Click(form);
}

constexpr MenuButton kRaceMenuButtons[] = {
    {.picture = "b_no1", .left = 412, .top = 420, .action = BackToRace},
    {.picture = "b_yes1", .left = 200, .top = 420, .action = LeaveRaceForScore},
};

void RegisterRaceMenu(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClearKeys(form);
    HoldRace(form);
    form.GameState = game::gsRaceMenu;
    BeginButtons(form);
    AddButtons(form, form, kRaceMenuButtons);
    MakeOverlay(form, "scr_exitgame", "menuexitgame");
    form.Race.DelayCounter = 0;
    ShowCursor(form, true);
    ShowPlayerTruck(form);
  };
  state.frame = [&form] {
    if (TakeKey(form, kVkEscape)) {
      KeyClickIfSoundOn(form);
      ResumeRace(form, game::gsRaceMenu);
      return;
    }
    if (TakeKey(form, kVkReturn)) {
      LeaveRaceForScore(form);
      return;
    }
    DrawFrozenRace(form, form.Menu.OverlayScreen);
    EndMenuFrame(form, false);
  };
  state.leave = [&form] { LeaveOverlay(form); };
  form.States.Register(game::gsRaceMenu, state);
}

// ---- 20: pause ----

void RegisterPause(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    // Esc and P in the same race frame open the leave-race question and then the pause: the
    // question goes, so its buttons cannot end the game from under the resumed race.
    if (form.GameState == game::gsRaceMenu) form.LeaveState(game::gsRaceMenu);
    ClearKeys(form);
    HoldRace(form);
    form.GameState = game::gsPause;
    ShowCursor(form, true);
    ShowPlayerTruck(form);
  };
  state.frame = [&form] {
    if (TakeKey(form, kVkEscape) || TakeKey(form, kVkP) || TakeKey(form, kVkF1)) {
      KeyClick(form);
      ResumeRace(form, game::gsPause);
      return;
    }
    // The pause shows the race as it stands, with no veil over it.
    DrawFrozenScene(form);
    TextCentered(form.OmegaFont3, 400, 290, game::Say(form.Lang, game::Phrase::Pause));
    game::ShowScreenHud(form);
    EndMenuFrame(form, false);
  };
  state.leave = [&form] {
    form.OmegaSprite1.Dead();
    ShowCursor(form, false);
  };
  form.States.Register(game::gsPause, state);
}

// ---- 13, 24: game over, time's up ----

// One line under the notice: a classic game offers the easier setting; on an easy one the time's
// up notice says what the spare truck buys.
std::string NoticeLine(TForm1& form, uint8_t code) {
  if (form.GameDifficulty == game::Difficulty::Classic)
    return game::Say(form.Lang, game::Phrase::TooHardHint);
  if (code == game::gsTimeUp && game::TimeUpRetries(form))
    return game::Say(form.Lang, game::Phrase::SpareTruckHint);
  return {};
}

void DrawNoticeLine(TForm1& form, uint8_t code) {
  const std::string line = NoticeLine(form, code);
  if (line.empty()) return;
  SetFont(form.OmegaFont4, "Arial", 11, 52, 80, 122);
  TextCentered(form.OmegaFont4, 400, kNoticeLineY, line);
}

void RegisterNotice(TForm1& form, uint8_t code, const char* picture) {
  game::StateHandlers state;
  state.enter = [&form, code, picture] {
    ClearKeys(form);
    if (code == game::gsTimeUp) form.PlaySound("timesup");
    StripTrailingPercent(form.PlayerName);
    form.GameState = code;
    form.RaceTimer.Enabled = false;
    form.Menu.CaretBlink = 0;
    form.ScreenTick = 0;
    MakeOverlay(form, picture, "yourscoreis");
    NudgeSprites(form);
    if (code == game::gsTimeUp) ShowPlayerTruck(form);
  };
  state.frame = [&form, code] {
    if (form.ScreenTick < kNoticeFrames) ++form.ScreenTick;
    if (form.ScreenTick >= kNoticeFrames) {
      if (code == game::gsTimeUp && game::TimeUpRetries(form)) {
        form.LeaveState(code);
        game::RetryRaceAfterTimeUp(form);
      } else if (form.SeedRace.Active && form.SeedRace.Finish) {
        form.SeedRace.Finish(code);
      } else {
        SwitchState(form, code, game::gsYourScore);
      }
      return;
    }
    DrawFrozenRace(form, form.Menu.OverlayScreen);
    DrawNoticeLine(form, code);
    EndMenuFrame(form, false);
  };
  state.leave = [&form] { FreeOverlay(form); };
  form.States.Register(code, state);
}

// ---- 25: the final score ----

void AskToSend(TForm1& form) {
  ClickIfSoundOn(form);
  SwitchState(form, game::gsYourScore, game::gsSendScore);
}

// The game's races, one after another, in the window.
void WatchGame(TForm1& form) {
  if (form.WatchReplay) form.WatchReplay(true);
}

// The next step shows once the score has been counted; the game's replay at once.
constexpr MenuButton kYourScoreButtons[] = {
    {.picture = "bro_next", .left = 310, .top = 400, .action = AskToSend},
    {.picture = "b_replay", .left = 140, .top = 400, .action = WatchGame},
};

void RegisterYourScore(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    if (form.MusicOn) {
      // Only the lament plays here, whichever music the way in left running.
      form.StopMusic("gamemusic");
      form.StopMusic("menumusic");
      form.PlayMusic("losemusic");
    }
    ClearBothKeyArrays(form);
    form.GameState = game::gsYourScore;
    SetFont(form.OmegaFont1, "Arial", 20, 30, 30, 30);
    BeginButtons(form);
    AddButtons(form, form, kYourScoreButtons);
    form.Menu.Buttons[0]->Visible = false;
    MakeOverlay(form, "scr_yourscore", "yourscore");
    form.ScreenTick = 0;
    ShowCursor(form, true);
  };
  state.frame = [&form] {
    DrawFrozenRace(form, form.Menu.OverlayScreen);
    form.OmegaGUI1.Draw();
    if (form.ScreenTick > kScoreShownAfter)
      TextCentered(form.OmegaFont1, 410, 283, std::to_string(form.Score));
    if (form.ScreenTick < kScoreButtonTick) ++form.ScreenTick;
    if (form.ScreenTick >= kScoreButtonTick && form.Menu.Buttons[0] != nullptr)
      form.Menu.Buttons[0]->Visible = true;
    if (form.MenuFrameOverlay) form.MenuFrameOverlay();
    TCursor* cursor = EnsureCursor(form);
    cursor->Move(0);
    cursor->Draw();
    form.OmegaScreen1.EndScene();
  };
  state.leave = [&form] { LeaveOverlay(form); };
  form.States.Register(game::gsYourScore, state);
}

// ---- 26: send the score? Either answer ends the game ----

void EndGame(TForm1& form, const std::shared_ptr<ScoreLink>& scores, bool send) {
  if (form.MusicOn) {
    form.StopMusic("losemusic");
    form.PlayMusic("menumusic");
  }
  if (send) {
    ClickIfSoundOn(form);
  } else {
    Click(form);
  }
  // The question's own picture and buttons, then the race underneath.
  KillSprite(form.Menu.OverlayScreen);
  FreeButtons(form);
  form.LeaveState(game::gsRaceOver);
  form.LeaveState(game::gsRace);
  // A game won with the development keys has no score worth keeping.
  const bool entered = !form.DevWinUsed && EnterHiScore(form);
  // The table, the progress and the game's replay are kept the moment a game ends.
  if (form.WriteConfigFiles) form.WriteConfigFiles();
  if (!form.Quiet) SaveLastReplay(form);
  CreateMenuLights(form);
  form.EnterState(entered ? game::gsHiScores : game::gsMainMenu);
  if (send && !form.DevWinUsed && !form.Quiet) scores->SubmitScore(form);
}

// The question's buttons act on the form and the link to the score server.
struct SendScreen {
  TForm1& form;
  std::shared_ptr<ScoreLink> scores;
};

constexpr ButtonRow<SendScreen> kSendScoreButtons[] = {
    {.picture = "b_no1",
     .left = 412,
     .top = 420,
     .action = [](SendScreen& s) { EndGame(s.form, s.scores, false); }},
    {.picture = "b_yes1",
     .left = 200,
     .top = 420,
     .action = [](SendScreen& s) { EndGame(s.form, s.scores, true); }},
};

void RegisterSendScore(TForm1& form, const std::shared_ptr<ScoreLink>& scores) {
  auto screen = std::make_shared<SendScreen>(SendScreen{form, scores});
  game::StateHandlers state;
  state.enter = [&form, screen] {
    ClearBothKeyArrays(form);
    form.GameState = game::gsSendScore;
    SetFont(form.OmegaFont1, "Arial", 20, 30, 30, 30);
    BeginButtons(form);
    AddButtons(form, *screen, kSendScoreButtons);
    MakeOverlay(form, "scr_send", "sendscore");
    form.ScreenTick = 0;
    ShowCursor(form, true);
  };
  state.frame = [&form] {
    DrawFrozenRace(form, form.Menu.OverlayScreen);
    EndMenuFrame(form, false);
  };
  // Both ways out end the game through EndGame, which leaves the race states instead.
  state.leave = [&form] { LeaveOverlay(form); };
  form.States.Register(game::gsSendScore, state);
}

}  // namespace

void RegisterOverlayStates(TForm1& form, std::shared_ptr<ScoreLink> scores) {
  RegisterRaceMenu(form);
  RegisterPause(form);
  RegisterNotice(form, game::gsGameOver, "scr_gameover");
  RegisterNotice(form, game::gsTimeUp, "scr_timesup");
  RegisterYourScore(form);
  RegisterSendScore(form, scores);
}

void DrawFrozenScene(TForm1& form) {
  BeginMenuFrame(form, form.GameImageList, "");
  DrawScene(form, false);
}

void DrawFrozenRace(TForm1& form, engine::TSprite* overlay) {
  DrawFrozenScene(form);
  if (engine::TImageListItem* veil = form.GameImageList.Find("undermenu")) {
    if (veil->Attached()) veil->Draw(0, 0, 0);
  }
  if (overlay != nullptr) {
    overlay->Visible = true;
    overlay->Draw();
    overlay->Visible = false;
  }
}

namespace {

// The tests' client, lent to each sending: the link keeps it alive.
class BorrowedHttp final : public online::HttpClient {
 public:
  explicit BorrowedHttp(online::HttpClient& inner) : inner_(inner) {}
  online::HttpResult Get(const std::string& url,
                         const std::vector<online::HttpHeader>& headers) override {
    return inner_.Get(url, headers);
  }
  online::HttpResult Post(const std::string& url, const std::string& body,
                          const std::vector<online::HttpHeader>& headers) override {
    return inner_.Post(url, body, headers);
  }

 private:
  online::HttpClient& inner_;
};

// How long a word on the sending stays on screen once it is over: four seconds.
constexpr int32_t kStatusFrames = 360;
constexpr const char* kScoreQueueFile = "unsent_scores.txt";

}  // namespace

ScoreLink::ScoreLink() : ScoreLink(nullptr) {}

ScoreLink::ScoreLink(std::unique_ptr<online::HttpClient> http) : http_(std::move(http)) {
  online::HttpClient* borrowed = http_.get();
  sender_ = std::make_unique<online::ScoreSender>(
      online::ScoreServerAddress(), kScoreQueueFile,
      [borrowed](long totalMs) -> std::unique_ptr<online::HttpClient> {
        if (borrowed != nullptr) return std::make_unique<BorrowedHttp>(*borrowed);
        return std::make_unique<online::CurlHttpClient>(
            online::HttpTimeouts{std::min(totalMs, 3000L), totalMs});
      });
}

ScoreLink::~ScoreLink() = default;

void ScoreLink::SubmitScore(TForm1& form) {
  // A sending that ended while no menu was drawn is taken in first.
  sender_->Poll();
  // The game's races go with the score: the server replays them and marks the score verified.
  const game::Replay& races = form.Replays.Recorded();
  sender_->Send({form.PlayerName, form.Score, form.Menu.OptionText,
                 std::string(game::DifficultyToken(form.GameDifficulty)),
                 races.races.empty() ? std::string() : game::EncodeReplay(races)});
  status_ = game::Say(form.Lang, game::Phrase::ScoreSending);
  statusFrames_ = 0;
}

void ScoreLink::SubmitDailyTime(TForm1& form, const game::ReplayRace& race, int32_t hund,
                                const std::string& date) {
  sender_->Poll();
  game::Replay replay;
  replay.races.push_back(race);
  sender_->Send({form.PlayerName, hund, form.Menu.OptionText,
                 std::string(game::DifficultyToken(game::Difficulty::Classic)),
                 game::EncodeReplay(replay), date});
  status_ = game::Say(form.Lang, game::Phrase::DailyTimeSending);
  statusFrames_ = 0;
  dailySending_ = true;
}

void ScoreLink::RetryQueued() {
  sender_->RetryQueued();
}

void ScoreLink::DrawStatus(TForm1& form) {
  if (std::optional<online::ScoreSender::Report> report = sender_->Poll()) {
    const std::string code = std::to_string(report->lastStatus);
    if (report->kept > 0 && report->sent == 0) {
      status_ = report->unreachable
                    ? game::Say(form.Lang, game::Phrase::ScoreUnreachable)
                    : game::Say(form.Lang, game::Phrase::ScoreNotTakenBefore) + code +
                          game::Say(form.Lang, game::Phrase::ScoreNotTakenAfter);
    } else if (report->replayRefused > 0 && report->sent == 0) {
      status_ = game::Say(form.Lang, game::Phrase::ScoreReplayRefused);
    } else if (report->refused > 0 && report->sent == 0) {
      status_ = game::Say(form.Lang, game::Phrase::ScoreRefused) + code + ")";
    } else if (report->sent > 0) {
      status_ = report->sent == 1
                    ? game::Say(form.Lang, dailySending_ ? game::Phrase::DailyTimeSent
                                                         : game::Phrase::ScoreSent)
                    : game::Say(form.Lang, game::Phrase::ScoresSent) + std::to_string(report->sent);
    }
    dailySending_ = false;
    statusFrames_ = kStatusFrames;
  }
  if (status_.empty()) return;
  if (!sender_->Busy() && statusFrames_ <= 0) {
    status_.clear();
    return;
  }
  if (!sender_->Busy()) --statusFrames_;
  if (!font_) {
    font_ = std::make_unique<engine::TOmegaFont>(&form.OmegaScreen1, form.Services.fonts);
    font_->SetFont("Arial", 12, platform::FontStyle{true, false, false, false});
  }
  const int32_t x = 400 - font_->TextWidth(status_) / 2;
  font_->SetColor(engine::PackARGB(255, 0, 0, 0));
  font_->TextOut(x + 1, 7, status_);
  font_->SetColor(engine::PackARGB(255, 255, 220, 90));
  font_->TextOut(x, 6, status_);
}

void OpenOnlineTable(TForm1& form) {
  if (form.Services.shell == nullptr) return;
  // The server's pages follow the browser's languages; an English game asks for English outright.
  std::string url = online::TableUrl(online::ScoreServerAddress());
  if (form.Lang == game::Language::English) url += "&lang=en";
  form.Services.shell->Open(url);
}

}  // namespace frontend
