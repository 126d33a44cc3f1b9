// Starting a seed race on its code's road and giving the career back its values afterwards.
#include "game/SeedRace.h"

#include "engine/Random.h"
#include "game/MainForm.h"
#include "game/RaceFlow.h"
#include "game/RaceTheme.h"

namespace game {

namespace {

CareerHold HoldCareer(const TForm1& form) {
  const RaceState& race = form.Race;
  return CareerHold{
      .LevelNumber = form.LevelNumber,
      .Score = form.Score,
      .Lives = race.Lives,
      .SelectedTrack = race.SelectedTrack,
      .Level = race.Level,
      .GameDifficulty = form.GameDifficulty,
      .DevWinUsed = form.DevWinUsed,
  };
}

}  // namespace

RoadCode RoadCodeNow(const TForm1& form) {
  return RoadCode{
      .Seed = engine::RandSeed(),
      .Track = form.Race.SelectedTrack,
      .Level = form.LevelNumber,
      .GameDifficulty = form.GameDifficulty,
  };
}

std::string SeedRaceToday(const TForm1& form) {
  return form.SeedRace.FixedToday.empty() ? TodayUtc() : form.SeedRace.FixedToday;
}

void StartSeedRace(TForm1& form) {
  SeedRaceRun& run = form.SeedRace;
  const RoadCode code = run.Code;
  LeaveMenusForRace(form);
  run.Held = HoldCareer(form);
  run.Chosen = false;
  run.Active = true;
  run.FinishHund = -1;

  form.Race.SelectedTrack = code.Track;
  LoadRaceTheme(form, code.Track);
  form.GameDifficulty = code.GameDifficulty;
  // The truck's colour comes from the code too, so the generator stays where the code put it.
  BeginGameAt(form, static_cast<int32_t>(code.Seed % 3), code.Level);
  engine::SetRandSeed(code.Seed);
  form.EnterState(gsRace);
}

void EndSeedRace(TForm1& form) {
  SeedRaceRun& run = form.SeedRace;
  if (!run.Active) return;
  const CareerHold& held = run.Held;
  RaceState& race = form.Race;
  form.LevelNumber = held.LevelNumber;
  form.Score = held.Score;
  race.Lives = held.Lives;
  race.SelectedTrack = held.SelectedTrack;
  race.Level = held.Level;
  form.GameDifficulty = held.GameDifficulty;
  form.DevWinUsed = held.DevWinUsed;
  run.Active = false;
}

}  // namespace game
