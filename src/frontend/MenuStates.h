// Registration of the menu screens' states and the pieces they share: the menu lights and the link
// to the score server.
#pragma once

#include <memory>
#include <string>

#include "engine/OmegaFont.h"
#include "game/MainForm.h"
#include "online/HttpClient.h"
#include "online/ScoreSender.h"

namespace frontend {

// The link to the score server for the whole run: scores go out on a worker thread while the
// menus run on, and the player reads on screen what became of them.
class ScoreLink {
 public:
  ScoreLink();
  // Tests hand in their own client; the sending thread uses it.
  explicit ScoreLink(std::unique_ptr<online::HttpClient> http);
  ~ScoreLink();
  // Sends the finished game's score (PlayerName, Score, the options text).
  void SubmitScore(game::TForm1& form);
  // Sends the time of the seed race just driven on the road of the day, with its race's replay.
  void SubmitDailyTime(game::TForm1& form, const game::ReplayRace& race, int32_t hund,
                       const std::string& date);
  // At start-up: scores an earlier run could not send go out again.
  void RetryQueued();
  // Every menu frame: takes in finished sendings and draws what the player should know.
  void DrawStatus(game::TForm1& form);
  online::ScoreSender& Sender() { return *sender_; }
  const std::string& StatusText() const { return status_; }

 private:
  std::unique_ptr<online::HttpClient> http_;
  std::unique_ptr<online::ScoreSender> sender_;
  std::unique_ptr<engine::TOmegaFont> font_;
  std::string status_;
  int32_t statusFrames_ = 0;
  // The sending under way is a daily time (its word on screen says so).
  bool dailySending_ = false;
};

// Every front-end state with this link to the score server (tests hand in their own).
void RegisterFrontend(game::TForm1& form, std::shared_ptr<ScoreLink> scores);

// The logo splash (3), the first state.
void RegisterLogoState(game::TForm1& form);
// Name entry (1), main menu (4), help (6), high scores (8), clearing them (9), quitting (10).
void RegisterMainMenuStates(game::TForm1& form);
// Opens the online high-score table in the browser.
void OpenOnlineTable(game::TForm1& form);
// Track (14) and truck (15) selection.
void RegisterSelectionStates(game::TForm1& form);
// The best time of the track screen: minutes, then seconds and hundredths with two digits;
// "--:--:--" for a locked track or one without a time (minutes above 999).
std::string BestTimeText(const game::TrackInfo& track);
// The screens over the race: leave the race (0), game over (13), pause (20), time's up (24), the
// final score (25) and the question whether to send it (26).
void RegisterOverlayStates(game::TForm1& form, std::shared_ptr<ScoreLink> scores);

// The two glints of the menus: kind 0 at (376, 353), kind 1 at (403, 370). Creating them again
// replaces any still alive.
void CreateMenuLights(game::TForm1& form);
// Hidden lights still fade; the main menu and the track screen draw them themselves.
void HideMenuLights(game::TForm1& form);
void DrawMenuLights(game::TForm1& form);

// The race as it stood: black, then every race sprite where it stood.
void DrawFrozenScene(game::TForm1& form);
// The race as the overlays show it: the frozen scene, the veil "undermenu" of the race archive,
// then the title picture over it (when one is given).
void DrawFrozenRace(game::TForm1& form, engine::TSprite* overlay);

}  // namespace frontend
