// Game verification: every race of a replay run again on a quiet form with null devices, the chain
// of race starts recomputed from the game's own rules, the final score compared with the claim.
#include "server/ReplayVerifier.h"

#include <filesystem>
#include <memory>
#include <optional>

#include "engine/Random.h"
#include "frontend/Frontend.h"
#include "frontend/MenuKit.h"
#include "game/EasyRules.h"
#include "game/MainForm.h"
#include "game/RaceFlow.h"
#include "game/ReplayPlayer.h"
#include "game/ReplayRecorder.h"
#include "game/RoadCode.h"
#include "platform/Paths.h"
#include "platform/null/NullAudioDevice.h"
#include "platform/null/NullPlatform.h"
#include "platform/null/NullRenderDevice.h"
#include "platform/null/VirtualClock.h"

namespace scored {
namespace {

// The results screen's tally has ended and its next-race button shows.
constexpr int32_t kTallyDone = 101;
// The fresh unlock state, as the game's start sets it before any progress is read.
constexpr int32_t kFreshNextUnlockScore = 300;
constexpr int32_t kFreshTracksOpen = 3;
constexpr int32_t kFreshTrucksOpen = 5;
// Once every step is taken, each further pass of the unlock score adds the last step again.
constexpr int32_t kLastUnlockLevel = 8;

Verdict Refused(std::string reason) {
  Verdict verdict;
  verdict.reason = std::move(reason);
  return verdict;
}

class SilentShell final : public platform::Shell {
 public:
  void ShowMessage(const std::string&, const std::string&) override {}
  bool Open(const std::string&) override { return false; }
};

// A form of the whole game that reads no settings, writes none, sends nothing and opens nothing.
struct QuietGame {
  platform::NullRenderDevice device;
  platform::NullFontRasterizer fonts;
  platform::VirtualClock clock;
  SilentShell shell;
  platform::NullAudioDevice audio{&clock};
  game::TForm1 form{game::PlatformServices{&device, &fonts, &clock, &shell, &audio}};

  bool Start() {
    frontend::RegisterFrontend(form);
    frontend::MakeQuiet(form);
    form.FixedSeed = true;
    form.NeverVSync = true;
    form.FormCreate();
    // Nobody looks: the sprites need not be drawn (the outcome is the same).
    form.OmegaSprite1.DrawingOn = false;
    return !form.Closed();
  }
  ~QuietGame() {
    if (!form.Closed()) form.FormDestroy();
  }
};

// The fields of a start the game computes; keys held and leftovers of the screens before are not.
std::string StartMismatch(const game::RaceStart& got, const game::RaceStart& want) {
  const struct {
    const char* name;
    int64_t got;
    int64_t want;
  } fields[] = {
      {"generator", got.randSeed, want.randSeed},
      {"race number", got.level, want.level},
      {"score", got.score, want.score},
      {"lives", got.lives, want.lives},
      {"opponents", got.parameters.OpponentsPerRace, want.parameters.OpponentsPerRace},
      {"road length", got.parameters.RoadLength, want.parameters.RoadLength},
      {"road runs", got.parameters.RoadMinRun, want.parameters.RoadMinRun},
      {"road runs", got.parameters.RoadMaxRun, want.parameters.RoadMaxRun},
      {"prize", got.parameters.RacePrizeBase, want.parameters.RacePrizeBase},
      {"bonuses", got.parameters.BonusParamA, want.parameters.BonusParamA},
      {"bonuses", got.parameters.BonusParamB, want.parameters.BonusParamB},
      {"time limit", got.parameters.TimeLimitMin, want.parameters.TimeLimitMin},
      {"time limit", got.parameters.TimeLimitSec, want.parameters.TimeLimitSec},
      {"time limit", got.parameters.TimeLimitHund, want.parameters.TimeLimitHund},
      {"truck colour", got.parameters.PlayerPattern, want.parameters.PlayerPattern},
      {"truck", got.selectedTruck, want.selectedTruck},
      {"track", got.selectedTrack, want.selectedTrack},
      {"unlocks", got.tracksOpen, want.tracksOpen},
      {"unlocks", got.trucksOpen, want.trucksOpen},
      {"unlocks", got.unlockLevel, want.unlockLevel},
      {"unlocks", got.nextUnlockScore, want.nextUnlockScore},
      {"difficulty", got.difficulty, want.difficulty},
      {"developer keys", got.devKeys, want.devKeys},
      {"developer keys", got.devWinUsed, want.devWinUsed},
  };
  for (const auto& field : fields) {
    if (field.got != field.want) return std::string("its ") + field.name + " is not the game's";
  }
  return {};
}

// A first race's unlock state must be one the unlock steps reach from the fresh one.
bool UnlocksReachable(game::TForm1& form, const game::RaceStart& start) {
  if (start.unlockLevel < 0 || start.unlockLevel > kLastUnlockLevel) return false;
  form.UnlockLevel = 0;
  form.NextUnlockScore = kFreshNextUnlockScore;
  form.TracksOpen = kFreshTracksOpen;
  form.TrucksOpen = kFreshTrucksOpen;
  while (form.UnlockLevel < start.unlockLevel) game::UnlockNext(form);
  if (start.tracksOpen != form.TracksOpen || start.trucksOpen != form.TrucksOpen) return false;
  const int64_t past = int64_t{start.nextUnlockScore} - form.NextUnlockScore;
  if (start.unlockLevel < kLastUnlockLevel) return past == 0;
  const int64_t step = form.UnlockSteps[kLastUnlockLevel];
  return past >= 0 && past % step == 0;
}

// What a new game's first race starts from, on the given difficulty: the game's start sets the
// race number, score, lives and level parameters, and draws the truck colour just before.
game::RaceStart NewGameStart(game::TForm1& form, const game::RaceStart& file, int32_t level) {
  game::BeginGameAt(form, static_cast<int32_t>((uint64_t{file.randSeed} * 3) >> 32), level);
  form.Race.SelectedTruck = file.selectedTruck;
  form.Race.SelectedTrack = file.selectedTrack;
  form.TracksOpen = file.tracksOpen;
  form.TrucksOpen = file.trucksOpen;
  form.UnlockLevel = file.unlockLevel;
  form.NextUnlockScore = file.nextUnlockScore;
  form.GameDifficulty = file.difficulty == 1 ? game::Difficulty::Easy : game::Difficulty::Classic;
  form.DevKeys = false;
  engine::SetRandSeed(file.randSeed);
  game::RaceStart want = game::CaptureRaceStart(form);
  want.difficulty = file.difficulty;
  return want;
}

// Checks what the first race may choose: a truck and a track the unlocks open, a known difficulty.
std::string FirstRaceProblem(game::TForm1& form, const game::RaceStart& start,
                             std::optional<game::Difficulty> difficulty, bool anyTrack) {
  if (difficulty && start.difficulty != static_cast<uint8_t>(*difficulty))
    return "the races were played on another difficulty";
  if (start.difficulty > 1) return "unknown difficulty";
  if (!UnlocksReachable(form, start)) return "its unlocks are not ones a game reaches";
  if (start.selectedTruck < 0 || start.selectedTruck >= game::kTruckModelCount ||
      start.selectedTrack < 0 || start.selectedTrack >= game::kRoadCodeTracks)
    return "no such truck or track";
  form.MarkUnlocked();
  if (!form.Race.TruckModels[static_cast<size_t>(start.selectedTruck)].Unlocked)
    return "the truck is not open yet";
  if (!anyTrack && !form.Race.Tracks[static_cast<size_t>(start.selectedTrack)].Unlocked)
    return "the track is not open yet";
  return {};
}

// Plays one race from a start already checked; false when the race went another way than recorded
// (it was torn down before its last frame).
bool PlayRace(game::TForm1& form, const game::ReplayRace& race, uint64_t& frames) {
  game::ReplayPlayer player(form, race);
  player.Begin();
  const uint64_t tornDown = form.Replays.TornDown();
  uint64_t stepped = 0;
  while (player.Step()) ++stepped;
  frames += stepped;
  const uint64_t expected = race.FrameCount();
  return form.Replays.TornDown() == tornDown && stepped == expected;
}

// The step from one race to the next, as the game takes it, on the form that ran the first.
// Null when the race did not end where a next race can begin.
std::optional<game::RaceStart> NextStart(game::TForm1& form) {
  game::RaceState& race = form.Race;
  if (form.GameState == game::gsRaceOver && race.DelayCounter == kTallyDone) {
    // The next-race button: the race goes, the level parameters grow.
    form.LeaveState(game::gsRaceOver);
    form.LeaveState(game::gsRace);
    ++form.LevelNumber;
    game::LevelUp(form);
  } else if (form.GameState == game::gsTimeUp && game::TimeUpRetries(form)) {
    // Time ran out on the easy rules: a spare truck buys another try at the same race number.
    form.LeaveState(game::gsTimeUp);
    --race.Lives;
    form.LeaveState(game::gsRace);
  } else {
    return std::nullopt;
  }
  return game::CaptureRaceStart(form);
}

std::optional<game::Difficulty> DifficultyOf(std::string_view word) {
  game::Difficulty difficulty = game::Difficulty::Classic;
  if (!game::ParseDifficultyToken(word, difficulty)) return std::nullopt;
  return difficulty;
}

// The frame limit, checked before anything runs.
std::string FrameProblem(const game::Replay& replay, const VerifyLimits& limits) {
  if (replay.races.empty()) return "the replay holds no race";
  if (replay.races.size() > limits.maxRaces) return "the replay holds too many races";
  for (const game::ReplayRace& race : replay.races) {
    if (race.FrameCount() > limits.maxRaceFrames) return "a race runs past the frame limit";
  }
  return {};
}

}  // namespace

bool GameDataPresent(const std::string& dataFolder, std::string& problem) {
  namespace fs = std::filesystem;
  for (const char* archive : {"Data/data1.oil", "Data/data2.oil"}) {
    std::error_code error;
    const fs::path path = fs::path(dataFolder) / archive;
    if (!fs::is_regular_file(path, error)) {
      problem = path.string() + " is missing";
      return false;
    }
  }
  return true;
}

void UseGameData(const std::string& dataFolder) {
  platform::SetDataFolder(dataFolder);
}

Verdict VerifyGame(const game::Replay& replay, int32_t claimedScore, std::string_view difficulty,
                   const VerifyLimits& limits) {
  const std::optional<game::Difficulty> claimed = DifficultyOf(difficulty);
  if (!claimed) return Refused("unknown difficulty");
  if (std::string problem = FrameProblem(replay, limits); !problem.empty()) return Refused(problem);
  auto quiet = std::make_unique<QuietGame>();
  if (!quiet->Start()) return Refused("the game's data cannot be read on the server");
  game::TForm1& form = quiet->form;

  Verdict verdict;
  for (size_t i = 0; i < replay.races.size(); ++i) {
    game::ReplayRace race = replay.races[i];
    const std::string which = "race " + std::to_string(i + 1) + ": ";
    game::RaceStart want;
    if (i == 0) {
      if (std::string problem = FirstRaceProblem(form, race.start, claimed, false);
          !problem.empty())
        return Refused(which + problem);
      want = NewGameStart(form, race.start, 1);
    } else {
      const std::optional<game::RaceStart> next = NextStart(form);
      if (!next) return Refused(which + "the race before did not lead to another");
      want = *next;
    }
    if (std::string problem = StartMismatch(race.start, want); !problem.empty())
      return Refused(which + problem);
    // What the game computed, not what the file says; only the keys held come from the file.
    want.keyDown = race.start.keyDown;
    want.keyReleased = race.start.keyReleased;
    if (i == 0) {
      want.delayCounter = race.start.delayCounter;
      want.finishPlace = race.start.finishPlace;
      want.clockRunning = race.start.clockRunning;
    }
    race.start = want;
    if (!PlayRace(form, race, verdict.frames))
      return Refused(which + "the race went another way than recorded");
    ++verdict.races;
  }
  verdict.score = form.Score;
  if (verdict.score != claimedScore) {
    verdict.reason = "the races make " + std::to_string(verdict.score) + " points, not " +
                     std::to_string(claimedScore);
    return verdict;
  }
  verdict.verified = true;
  return verdict;
}

Verdict VerifyGameBytes(std::string_view bytes, int32_t claimedScore, std::string_view difficulty,
                        const VerifyLimits& limits) {
  if (bytes.size() > limits.maxReplayBytes) return Refused("the replay is too large");
  game::Replay replay;
  const game::ReplayError error = game::DecodeReplay(std::string(bytes), replay);
  if (error != game::ReplayError::kNone)
    return Refused(std::string("the replay cannot be read: ") + game::ReplayErrorText(error));
  return VerifyGame(replay, claimedScore, difficulty, limits);
}

Verdict VerifyDailyRace(std::string_view bytes, std::string_view isoDate,
                        const VerifyLimits& limits) {
  if (bytes.size() > limits.maxReplayBytes) return Refused("the replay is too large");
  if (!game::IsIsoDate(isoDate)) return Refused("not a date");
  game::Replay replay;
  const game::ReplayError error = game::DecodeReplay(std::string(bytes), replay);
  if (error != game::ReplayError::kNone)
    return Refused(std::string("the replay cannot be read: ") + game::ReplayErrorText(error));
  if (replay.races.size() != 1) return Refused("a daily time is one race");
  if (std::string problem = FrameProblem(replay, limits); !problem.empty()) return Refused(problem);
  auto quiet = std::make_unique<QuietGame>();
  if (!quiet->Start()) return Refused("the game's data cannot be read on the server");
  game::TForm1& form = quiet->form;

  game::ReplayRace race = replay.races[0];
  const game::RoadCode code = game::DailyRoadCode(isoDate);
  if (race.start.randSeed != code.Seed || race.start.selectedTrack != code.Track ||
      race.start.level != code.Level ||
      race.start.difficulty != static_cast<uint8_t>(code.GameDifficulty))
    return Refused("the race is not the road of " + std::string(isoDate));
  if (std::string problem = FirstRaceProblem(form, race.start, code.GameDifficulty, true);
      !problem.empty())
    return Refused(problem);
  // The seed race's start: a new game at the code's race number, the truck colour from the seed.
  game::RaceStart want = NewGameStart(form, race.start, code.Level);
  want.parameters.PlayerPattern = static_cast<int32_t>(code.Seed % 3);
  form.Race.Level.PlayerPattern = want.parameters.PlayerPattern;
  if (std::string problem = StartMismatch(race.start, want); !problem.empty())
    return Refused(problem);
  want.keyDown = race.start.keyDown;
  want.keyReleased = race.start.keyReleased;
  want.delayCounter = race.start.delayCounter;
  want.finishPlace = race.start.finishPlace;
  want.clockRunning = race.start.clockRunning;
  race.start = want;
  form.SeedRace.Active = true;
  Verdict verdict;
  if (!PlayRace(form, race, verdict.frames))
    return Refused("the race went another way than recorded");
  verdict.races = 1;
  const game::RaceState& state = form.Race;
  if (form.GameState != game::gsRaceOver || !state.Paused || form.DevWinUsed)
    return Refused("the race did not cross the finish line");
  verdict.finishHund = state.ElapsedHund;
  verdict.verified = true;
  return verdict;
}

}  // namespace scored
