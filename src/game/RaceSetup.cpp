// A new game, the level parameters and how they grow, and the set-up and teardown of one race.
#include <algorithm>
#include <string>

#include "engine/Random.h"
#include "game/Bonus.h"
#include "game/EasyRules.h"
#include "game/EnemyCar.h"
#include "game/HudSprites.h"
#include "game/HudText.h"
#include "game/MainForm.h"
#include "game/MenuPictures.h"
#include "game/PathPoints.h"
#include "game/Phrases.h"
#include "game/PictureSet.h"
#include "game/Player.h"
#include "game/RaceFlow.h"
#include "game/RaceTheme.h"
#include "game/RoadPieces.h"
#include "game/SeedRace.h"
#include "game/SpriteSetup.h"
#include "platform/Paths.h"
#include "platform/Text1251.h"

namespace game {

namespace {

constexpr platform::FontStyle kBold{true, false, false, false};

void SetFont(engine::TOmegaFont& font, const char* name, int32_t size, int32_t red, int32_t green,
             int32_t blue) {
  font.SetFont(name, size, kBold);
  font.SetColor(engine::PackARGB(255, red, green, blue));
}

void ShowCursor(TForm1& form, bool visible) {
  if (form.Menu.Cursor != nullptr) form.Menu.Cursor->Visible = visible;
}

// One frame of "Загрузка" over the menu backdrop while the race pictures load.
void ShowLoadingFrame(TForm1& form) {
  SetFont(form.OmegaFont1, "Arial", 40, 250, 250, 250);
  form.OmegaScreen1.Clear(0, 0, 0, 0);
  form.OmegaScreen1.BeginScene();
  if (engine::TImageListItem* back = form.OmegaImageList1.Find("undermenu")) back->Draw(0, 0, 0);
  TextCentredOn(form.OmegaFont1, 393, 450, Say(form.Lang, Phrase::Loading));
  form.OmegaScreen1.EndScene();
}

}  // namespace

void ResetLevelParameters(RaceState& race) {
  // The first level's values; the truck colour stays.
  const int32_t pattern = race.Level.PlayerPattern;
  race.Level = LevelParameters{};
  race.Level.PlayerPattern = pattern;
}

void BeginGameAt(TForm1& form, int32_t pattern, int32_t level) {
  RaceState& race = form.Race;
  form.LevelNumber = 1;
  race.Lives = 3;
  ResetLevelParameters(race);
  form.Score = 0;
  form.DevWinUsed = false;
  race.Level.PlayerPattern = pattern;
  for (int32_t next = 2; next <= level; ++next) {
    form.LevelNumber = next;
    LevelUp(form);
  }
}

void LevelUp(TForm1& form) {
  RaceState& race = form.Race;
  const int32_t level = form.LevelNumber;
  if (race.Level.OpponentsPerRace < 9) ++race.Level.OpponentsPerRace;
  if (race.Level.RoadLength < kMaxRoadLength) race.Level.RoadLength += 20;
  if (level > 3) {
    if (race.Level.RoadMinRun > 1) --race.Level.RoadMinRun;
    if (race.Level.RoadMaxRun > 3) --race.Level.RoadMaxRun;
  } else {
    --race.Level.RoadMinRun;
  }
  race.Level.RacePrizeBase += 500;
  if (race.Level.BonusParamA < 550) ++race.Level.BonusParamA;
  if (race.Level.BonusParamB < 300) ++race.Level.BonusParamB;
  // 1:00, 1:06, 1:11, then five seconds more per race, carried into the minutes.
  race.Level.TimeLimitSec += level >= 3 ? 5 : 10 - 2 * level;
  race.Level.TimeLimitMin += race.Level.TimeLimitSec / 60;
  race.Level.TimeLimitSec %= 60;
}

void LoadRacePictures(TForm1& form) {
  if (!form.GameImagesPending) return;
  ShowLoadingFrame(form);
  // The menu backdrop under the loading words was the last menu picture the race needs.
  ParkMenuPictures(form);
  // A damaged or missing archive has been reported by the loader; the race then runs without
  // the pictures it lacks, and the next game start tries again.
  // Read ahead while the player was in the menus; what the worker has not decoded yet is
  // decoded here alongside it.
  std::shared_ptr<engine::ArchiveLoad> load = std::move(form.GameArchive);
  if (load == nullptr) load = StartPictureArchive("Data\\data2.oil", form.Lang);
  engine::TImageListCollection& pictures = form.GameImageList.ImageList();
  const bool loaded = TakePictureArchive(pictures, load, form.EnglishMissingReported);
  form.GameImageList.Initialize();
  pictures.FinishAll();
  form.GameImagesPending = !loaded;
}

void LeaveMenusForRace(TForm1& form) {
  if (form.MusicOn) {
    form.StopMusic("menumusic");
    form.PlayMusic("gamemusic");
  }
  form.PlaySound("check");
  form.LeaveState(gsTruckSelect);
  for (engine::TSprite*& light : form.Menu.MenuLights) {
    if (light != nullptr) light->Dead();
    light = nullptr;
  }
  form.OmegaSprite1.Dead();
  LoadRacePictures(form);
}

void StartGameFlow(TForm1& form) {
  LeaveMenusForRace(form);
  // The selected track's scenery dresses every race of this game.
  LoadRaceTheme(form, form.Race.SelectedTrack);
  form.Replays.GameStarting();
  // The harness may start a game further on, as if that many races had been won.
  BeginGameAt(form, engine::Random(3), form.StartLevel);
  form.EnterState(gsRace);
}

void FillStartGrid(RaceState& race) {
  for (int32_t i = 1; i <= kOpponentSlots; ++i) {
    PathPointXY& slot = race.StartGrid[static_cast<size_t>(i)];
    if (i % 2 == 1) {
      slot = {-70.0, 100.0 * i};
    } else {
      slot = {72.0, 100.0 * i + 40};
    }
  }
}

void SetupRace(TForm1& form) {
  RaceState& race = form.Race;
  // The road follows from the generator as it stands now: its code names it (read, never set).
  race.Road = RoadCodeNow(form);
  ++race.RoadsSetUp;
  new TPanel(form, 0, 431, 0);
  new TPanel(form, 746, 100, 1);
  FillStartGrid(race);
  race.TruckCount = std::clamp(race.Level.OpponentsPerRace + 1, 1, kOpponentSlots);
  race.RacePrize = race.Level.RacePrizeBase;
  // The rearmost slot in use lands on the player's start point (400, 460).
  const PathPointXY& rear = race.StartGrid[static_cast<size_t>(race.TruckCount)];
  race.RoadX = 400 - rear.x;
  race.RoadY = 460 - (rear.y + 50);
  race.TimeLeftMin = race.Level.TimeLimitMin;
  race.TimeLeftSec = race.Level.TimeLimitSec;
  race.TimeLeftHund = race.Level.TimeLimitHund;
  race.ElapsedHund = 0;
  // The road lays pickups by lot and the trucks leave dust where they skid.
  race.PlacePickup = PlaceBonus;
  race.MakeSkidMark = MakeDustPuff;

  auto* player = new TPlayer(form, 396, 460, race.SelectedTruck, "player", -90);
  player->HealthBar = new TBar(form, 206, 581);

  for (int32_t j = 1; j <= race.TruckCount; ++j) {
    const PathPointXY& slot = race.StartGrid[static_cast<size_t>(j)];
    new TRoadPaint(form, static_cast<float>(race.RoadX + slot.x),
                   static_cast<float>(race.RoadY + slot.y), 0, 0);
  }
  race.OpponentCount = 0;
  for (int32_t j = 1; j <= race.TruckCount - 1; ++j) {
    const PathPointXY& slot = race.StartGrid[static_cast<size_t>(j)];
    const int32_t model = engine::Random(kTruckModelCount);
    auto* opponent = new TEnemyCar(form, race.RoadX + slot.x, race.RoadY + slot.y + 50, model,
                                   "enemy", -90, j - 1, j);
    race.Opponents[static_cast<size_t>(j - 1)] = opponent;
  }

  LayRoad(form);

  auto* needle = new TSpeedArrow(form, 0, 0, player->MaxSpeed, player->ReverseLimit);
  needle->SetX(static_cast<float>(683 - needle->Width / 2.0));
  needle->SetY(static_cast<float>(463 - 0.9 * needle->Width));
  new TRadarArrow(form, 660, 579);

  MeasurePath(race);
  if (form.GameDifficulty == Difficulty::Easy) SetEasyClock(race);
  race.Paused = false;
}

void EnterRace(TForm1& form) {
  form.Replays.RaceStarting(form);
  RaceState& race = form.Race;
  form.KeyReleased.fill(false);
  SetFont(form.OmegaFont1, "Arial", 30, 20, 20, 20);
  SetFont(form.OmegaFont2, "Arial", 8, 20, 20, 20);
  SetFont(form.OmegaFont3, "Arial", 12, 255, 0, 0);
  form.GameState = gsRace;
  race.NextFinishPlace = 1;
  race.FinishRecords.fill(FinishRecord{});
  SetupRace(form);
  if (race.Player != nullptr) race.Player->Health = 100;
  race.Destroyed = false;
  race.ScoreAtRaceStart = form.Score;
  form.ScreenTick = 0;
  race.StartArrows = new TBegArrows(form, 397, 423);
  ShowCursor(form, false);
  if (form.SeedRace.Active && form.SeedRace.StartGhost) form.SeedRace.StartGhost();
}

void TeardownRace(TForm1& form) {
  form.Replays.RaceTornDown();
  RaceState& race = form.Race;
  engine::TOmegaSprite& engine = form.OmegaSprite1;
  TPlayer* player = race.Player;
  // The health bar's picture is shared: give it back its full width.
  auto* bar = player != nullptr ? dynamic_cast<TBar*>(player->HealthBar) : nullptr;
  if (bar != nullptr) bar->RestoreTileWidth();
  for (int i = 0; i < engine.Count(); ++i) {
    engine::TSprite* sprite = engine.Sprites(i);
    const std::string& name = sprite->Name;
    if (name != "cursor" && name != "gp" && name != "healthbar" && name != "player") sprite->Dead();
  }
  if (bar != nullptr) bar->Dead();
  if (player != nullptr) {
    player->HealthBar = nullptr;
    player->Dead();
  }
  // The menu overlays are race sprites too (they lie over the race scene).
  form.Menu.OverlayScreen = nullptr;
  race.StartArrows = nullptr;
  race.Wreck = nullptr;
  race.Player = nullptr;
  std::fill(race.Opponents.begin(), race.Opponents.end(), nullptr);
  race.LastRoadPiece = nullptr;
  race.FinishLine = nullptr;
  // What the race drew besides its sprites (the seed race's ghost) goes with it.
  engine.Layer = {};
  engine.Dead();
}

}  // namespace game
