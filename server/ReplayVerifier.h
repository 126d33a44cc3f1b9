// Replays a submitted game (or one daily-road race) with the game's own rules and says whether the
// score or time it claims is what those races really gave.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/Replay.h"

namespace scored {

struct VerifyLimits {
  // A ten-race game packs into some 25 KB; a file far beyond that is not an honest game.
  size_t maxReplayBytes = 1u << 20;
  // One race may run this many frames at most (twenty minutes at 90 frames a second); a race past
  // it is refused before it is simulated.
  uint64_t maxRaceFrames = 90ull * 60 * 20;
  // The most races one game may hold (every race won while a life lasts takes hundreds).
  size_t maxRaces = 400;
};

struct Verdict {
  bool verified = false;
  // Why the replay was refused (plain English, for the log and the client).
  std::string reason;
  // What the simulation gave: the final score, the races and frames run.
  int32_t score = 0;
  size_t races = 0;
  uint64_t frames = 0;
  // A daily race: its finish time in hundredths (-1 when it did not cross the line).
  int32_t finishHund = -1;
};

// Whether the game data (Data/data1.oil and Data/data2.oil under the data folder) can be read; the
// verifier refuses every replay without it.
bool GameDataPresent(const std::string& dataFolder, std::string& problem);
// Points the game's file layer at the data folder; call once, before the first verification.
void UseGameData(const std::string& dataFolder);

// A whole game: the first race starts a new game, each next race carries on from where the one
// before ended (the next race after a won one, or a retry after time ran out on the easy rules),
// and the last race's score is the claimed one. Safe to run on several threads at once.
Verdict VerifyGame(const game::Replay& replay, int32_t claimedScore, std::string_view difficulty,
                   const VerifyLimits& limits = {});
Verdict VerifyGameBytes(std::string_view bytes, int32_t claimedScore, std::string_view difficulty,
                        const VerifyLimits& limits = {});

// One race on the road of a day ("YYYY-MM-DD"): its start must be that day's seed race; the
// verdict holds the finish time the simulation gave, and it is refused when the line was not
// crossed.
Verdict VerifyDailyRace(std::string_view bytes, std::string_view isoDate,
                        const VerifyLimits& limits = {});

}  // namespace scored
