// The race state: start lights, the race frame in its order, the race clock, the wrong-way warning
// and the fell-back reset; and the race's trace fields.
#include "game/RaceFlow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "engine/OmegaImageList.h"
#include "game/EnemyCar.h"
#include "game/Explosion.h"
#include "game/HudSprites.h"
#include "game/HudText.h"
#include "game/MainForm.h"
#include "game/PathPoints.h"
#include "game/Phrases.h"
#include "game/Player.h"
#include "game/RoadPieces.h"
#include "game/Wreck.h"
#include "platform/Text1251.h"

namespace game {

namespace {

constexpr int kKeyEnter = 13;
constexpr int kKeyEsc = 27;
constexpr int kKeyP = 80;
constexpr int kKeyH = 72;
constexpr int kKeyPad8 = 104;
constexpr int kKeyF1 = 112;

// True once when the key was released since the last look; the flag is consumed.
bool Released(TForm1& form, int key) {
  bool& flag = form.KeyReleased[static_cast<size_t>(key)];
  if (!flag) return false;
  flag = false;
  return true;
}

void DrawPicture(TForm1& form, const char* name, int32_t x, int32_t y, int32_t alpha) {
  engine::TImageListItem* image = form.GameImageList.Find(name);
  if (image == nullptr) return;
  if (alpha >= 255) {
    image->Draw(x, y, 0);
  } else {
    image->DrawColored(x, y, 0, 0, false, 255, 255, 255, alpha, 1, 1, 0, 0, 0);
  }
}

void ForEachOpponent(RaceState& race, void (*action)(TEnemyCar&)) {
  const int32_t count = std::min(race.OpponentCount, kOpponentSlots);
  for (int32_t i = 0; i < count; ++i)
    if (TEnemyCar* opponent = race.Opponents[static_cast<size_t>(i)]) action(*opponent);
}

// The start sequence drawn over the race: lights, the level title, and the release at tick 250.
void StartLights(TForm1& form) {
  RaceState& race = form.Race;
  const int32_t t = form.ScreenTick;
  if (t > 0 && t < kLightsGreenTick) DrawPicture(form, "svetophor", 0, 70, 255);
  if ((t == 50 || t == 150) && form.SoundOn) form.PlaySound("svet1");
  if (t == kLightsGreenTick && form.SoundOn) form.PlaySound("svet2");
  if (t > 50 && t < kLightsGreenTick) DrawPicture(form, "redlight", -7, 48, 255);
  if (t > 150 && t < kLightsGreenTick) DrawPicture(form, "yellowlight", -7, 102, 255);
  if (t < 150) {
    const std::string title = Say(form.Lang, Phrase::Level) + std::to_string(form.LevelNumber);
    engine::TOmegaFont& font = form.OmegaFont1;
    font.TextOutInverse(400 - font.TextWidth(title) / 2, 260, title);
  }
  if (t >= kLightsGreenTick && t < kStartArrowsGoneTick) {
    const int32_t alpha = 1505 - 5 * t;
    DrawPicture(form, "svetophor", 0, 70, alpha);
    DrawPicture(form, "redlight", -7, 48, alpha);
    DrawPicture(form, "yellowlight", -7, 102, alpha);
    DrawPicture(form, "greenlight", -7, 157, alpha);
    if (race.StartArrows != nullptr) race.StartArrows->SetAlpha(race.StartArrows->Alpha - 5);
  }
  if (t < kLightsGreenTick) ForEachOpponent(race, [](TEnemyCar& car) { car.Speed = 0; });
  if (t == kLightsGreenTick) {
    if (race.Player != nullptr) race.Player->ControlsOn = true;
    form.RaceTimer.Enabled = true;
    ForEachOpponent(race, [](TEnemyCar& car) { car.Released = true; });
  }
  if (t == kStartArrowsGoneTick) {
    if (race.StartArrows != nullptr) race.StartArrows->Dead();
    race.StartArrows = nullptr;
    form.OmegaSprite1.Dead();
  }
  if (t >= 0 && t <= kStartArrowsGoneTick) ++form.ScreenTick;
}

// The frame of a running race, in its order: the scene is drawn before it moves, so each frame
// shows the positions of the previous frame's move.
// The end of every frame of a running race, exploded or not: the display, the path scroll, and
// after the player's finish the delay into the results.
void EndRaceFrame(TForm1& form) {
  RaceState& race = form.Race;
  ShowScreenHud(form);
  ScrollPath(form);
  if (race.Paused) {
    if (race.DelayCounter == kFinishDelay) {
      form.RaceTimer.Enabled = false;
      form.EnterState(gsRaceOver);
    } else {
      ++race.DelayCounter;
    }
  }
  form.OmegaScreen1.EndScene();
}

void RaceFrame(TForm1& form) {
  RaceState& race = form.Race;
  form.OmegaScreen1.Clear(0, 0, 0, 0);
  form.OmegaSprite1.Dead();
  form.OmegaScreen1.BeginScene();
  form.OmegaSprite1.Draw();
  MoveRaceSprites(form);
  StartLights(form);

  TPlayer* player = race.Player;
  if (player != nullptr && player->BackTravel < -300 && player->BackStep > 0) {
    const std::string& warning = Say(form.Lang, Phrase::WrongWay);
    TextCentredOn(form.OmegaFont3, 400, 290, warning);
  }
  EndRaceFrame(form);
  // The end of the coast may have opened the results: the keys wait for them.
  if (form.GameState != gsRace) return;

  if (Released(form, kKeyEsc)) {
    form.PlaySound("check2");
    form.EnterState(gsRaceMenu);
  }
  const bool pauseP = Released(form, kKeyP);
  const bool pauseF1 = Released(form, kKeyF1);
  if (pauseP || pauseF1) {
    form.PlaySound("check2");
    form.EnterState(gsPause);
  }
  const bool hornH = Released(form, kKeyH);
  const bool hornPad = Released(form, kKeyPad8);
  if (hornH || hornPad) form.PlaySound("horn");
  if (Released(form, kKeyEnter) && form.GameState == gsRace) {
    if (race.Paused) {
      // Over the line: skip the coast to the results, keeping the place.
      form.RaceTimer.Enabled = false;
      form.EnterState(gsRaceOver);
    } else if (form.DevKeys) {
      // Development: the race ends at once as a win, and the game's score stays off the tables.
      form.RaceTimer.Enabled = false;
      race.FinishPlace = 1;
      form.DevWinUsed = true;
      form.EnterState(gsRaceOver);
    }
  }

  // A key above may have left the race for an overlay or the results: the truck then waits.
  if (form.GameState != gsRace) return;
  player = race.Player;
  if (player != nullptr && player->BackTravel < -1000) ResetFellBackTruck(form);
  if (race.Destroyed) form.EnterState(gsExploded);
}

}  // namespace

int32_t AddedScore(int32_t score, int32_t points) {
  const int64_t sum = static_cast<int64_t>(score) + points;
  return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

void MoveRaceSprites(TForm1& form) {
  ForEachOpponent(form.Race, [](TEnemyCar& car) { car.LowerWallSensors(); });
  form.OmegaSprite1.Move(0);
}

ClockTick TickRaceClock(RaceState& race) {
  if (race.TimeLeftHund >= 1) {
    --race.TimeLeftHund;
    ++race.ElapsedHund;
    return ClockTick::kCounted;
  }
  if (race.TimeLeftSec >= 1) {
    const bool warn = race.TimeLeftSec <= 10 && race.TimeLeftMin == 0;
    --race.TimeLeftSec;
    race.TimeLeftHund = 99;
    ++race.ElapsedHund;
    return warn ? ClockTick::kWarning : ClockTick::kCounted;
  }
  if (race.TimeLeftMin >= 1) {
    --race.TimeLeftMin;
    race.TimeLeftSec = 59;
    race.TimeLeftHund = 99;
    ++race.ElapsedHund;
    return ClockTick::kCounted;
  }
  return ClockTick::kTimeUp;
}

int32_t NearestPathPoint(const RaceState& race, double x, double y) {
  const int32_t n = std::min(race.PathPointCount, kPathPointSize - 1);
  int32_t nearest = 1;
  double best = 1000000;
  for (int32_t k = 1; k <= n; ++k) {
    const PathPointXY& p = race.PathPoint[static_cast<size_t>(k)];
    const double d = std::sqrt((p.x - x) * (p.x - x) + (p.y - y) * (p.y - y));
    if (d < best) {
      best = d;
      nearest = k;
    }
  }
  return nearest;
}

void ResetFellBackTruck(TForm1& form) {
  RaceState& race = form.Race;
  TPlayer* player = race.Player;
  if (player == nullptr) return;
  player->Heading = -90;
  player->MoveDir = -90;
  player->Speed = 0;
  player->NextPathPoint = player->NextPathPoint > 1 ? player->NextPathPoint - 1 : 1;
  const int32_t point = std::clamp(player->NextPathPoint, 1, kPathPointSize - 1);
  const PathPointXY target = race.PathPoint[static_cast<size_t>(point)];
  ShiftWorld(form, player->X - target.x, player->Y - target.y);
  race.Destroyed = false;
  player->ControlsOn = true;
  player->StartBlink();
  player->BackTravel = 0;
  // However the clock was stopped before, a truck back on the road races against it again.
  if (!race.Paused && form.ScreenTick >= kLightsGreenTick) form.RaceTimer.Enabled = true;
}

void RespawnTruck(TForm1& form) {
  RaceState& race = form.Race;
  TPlayer* player = race.Player;
  if (player == nullptr) return;
  const int32_t nearest = NearestPathPoint(race, player->X, player->Y);
  // Two points behind the nearest one, never before point 1.
  const int32_t r = nearest > 2 ? nearest : 3;
  const PathPointXY target = race.PathPoint[static_cast<size_t>(r - 2)];
  player->Heading = -90;
  player->MoveDir = -90;
  player->Speed = 0;
  player->Health = 100;
  ShiftWorld(form, player->X - target.x, player->Y - target.y);
  --race.Lives;
  race.Destroyed = false;
  player->ControlsOn = true;
  player->StartBlink();
  // Destroyed while the start arrows were still fading: they would never be cleared otherwise.
  if (race.StartArrows != nullptr) {
    race.StartArrows->Dead();
    race.StartArrows = nullptr;
  }
  form.ScreenTick = kStartArrowsGoneTick + 1;
  form.GameState = gsRace;
  if (!race.Paused) form.RaceTimer.Enabled = true;
}

void RegisterExplodedState(TForm1& form) {
  StateHandlers exploded;
  exploded.enter = [&form] {
    form.GameState = gsExploded;
    if (TPlayer* player = form.Race.Player) {
      player->ControlsOn = false;
      player->Health = 1;
    }
    form.ScreenTick = 0;
    new TExplose(form, kExplosionAtPlayer, kExplosionLarge, 396, 430);
    StartWreck(form);
  };
  exploded.frame = [&form] {
    RaceState& race = form.Race;
    // The race goes on around the wreck, and so does the clock.
    form.OmegaScreen1.Clear(0, 0, 0, 0);
    form.OmegaSprite1.Dead();
    form.OmegaScreen1.BeginScene();
    form.OmegaSprite1.Draw();
    MoveRaceSprites(form);
    if (form.ScreenTick >= 0 && form.ScreenTick <= kExplosionFrames) ++form.ScreenTick;
    EndRaceFrame(form);
    if (form.GameState != gsExploded) return;
    if (Released(form, kKeyEsc)) {
      form.PlaySound("check2");
      form.EnterState(gsRaceMenu);
    }
    const bool pauseP = Released(form, kKeyP);
    const bool pauseF1 = Released(form, kKeyF1);
    if (pauseP || pauseF1) {
      form.PlaySound("check2");
      form.EnterState(gsPause);
    }
    if (form.GameState != gsExploded || form.ScreenTick != kExplosionFrames) return;
    if (race.Lives <= 1) {
      form.EnterState(gsGameOver);
    } else {
      EndWreck(form);
      RespawnTruck(form);
    }
  };
  form.States.Register(gsExploded, exploded);
}

void TForm1::RegisterRaceStates() {
  StateHandlers race;
  race.enter = [this] { EnterRace(*this); };
  race.frame = [this] { RaceFrame(*this); };
  race.leave = [this] { TeardownRace(*this); };
  States.Register(gsRace, race);
  RegisterResultsState(*this);
  RegisterExplodedState(*this);
}

void TForm1::StartGame() {
  StartGameFlow(*this);
}

void TForm1::RaceTimerTimer() {
  Replays.Clock();
  switch (TickRaceClock(Race)) {
    case ClockTick::kCounted:
      break;
    case ClockTick::kWarning:
      PlaySound("time");
      break;
    case ClockTick::kTimeUp:
      // Time's up stops the clock on entry; stopping it here as well keeps it from calling again.
      RaceTimer.Enabled = false;
      EnterState(gsTimeUp);
      break;
  }
}

std::string TForm1::RaceTraceFields() const {
  const TPlayer* player = Race.Player;
  if (player == nullptr) return "";
  char head[256];
  std::snprintf(head, sizeof head,
                " level=%d lives=%d score=%d clock=%s place=%d health=%d speed=%.2f progress=%.1f "
                "finished=%d opp=",
                LevelNumber, Race.Lives, Score,
                ClockText(Race.TimeLeftMin, Race.TimeLeftSec, Race.TimeLeftHund).c_str(),
                player->RacePosition, player->Health, player->Speed, player->Progress,
                std::max(Race.NextFinishPlace - 1, 0));
  std::string line = head;
  const int32_t count = std::min(Race.OpponentCount, kOpponentSlots);
  for (int32_t i = 0; i < count; ++i) {
    const TEnemyCar* opponent = Race.Opponents[static_cast<size_t>(i)];
    char value[32];
    std::snprintf(value, sizeof value, "%s%.1f", i > 0 ? "," : "",
                  opponent != nullptr ? opponent->Progress : 0.0);
    line += value;
  }
  return line;
}

}  // namespace game
