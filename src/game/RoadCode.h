// Road codes: a race's road written as ten symbols a player can read out, type and share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/Difficulty.h"

namespace game {

// What decides a race's road, opponents and pickups besides the player's driving: the generator's
// seed at the set-up, the race number (its level parameters), the track (its scenery) and the
// difficulty (its clock).
struct RoadCode {
  uint32_t Seed = 0;
  int32_t Track = 0;  // catalogue entry 0..11
  int32_t Level = 1;  // race number 1..kRoadCodeLevels
  Difficulty GameDifficulty = Difficulty::Classic;
  bool operator==(const RoadCode&) const = default;
};

// Races from 151 on share their road, opponents and pickups (every level parameter but the prize
// and the clock has stopped growing); a code holds races up to this one.
inline constexpr int32_t kRoadCodeLevels = 170;
inline constexpr int32_t kRoadCodeTracks = 12;
// Ten symbols, shown as two groups of five: "ABCDE-FGHJK".
inline constexpr size_t kRoadCodeSymbols = 10;

// Why a typed code was refused.
enum class RoadCodeError : uint8_t { None, Length, Symbol, Check };

// The code of a road. The 50 bits of its ten symbols (the score codec's alphabet, 5 bits each,
// most significant first) are: the seed (32 bits); the race settings as one number,
// (difficulty * 12 + track) * 170 + race - 1 (12 bits, below 4080); a CRC-6 of those 44 bits
// (x^6 + x + 1, register starting at all ones). The CRC catches every single mistyped symbol and
// all but one in 64 other mistakes. A race beyond kRoadCodeLevels is written as that race.
std::string EncodeRoadCode(const RoadCode& code);
// Reads a typed code: case does not matter, dashes and spaces are ignored. Refuses a wrong length,
// a symbol outside the alphabet, or a failed check (a settings number of 4080 or more fails it
// too).
std::optional<RoadCode> DecodeRoadCode(std::string_view text, RoadCodeError* error = nullptr);

// The road of the day: a fixed hash of the UTC date "YYYY-MM-DD" gives the seed, the track and a
// race number from 1 to 9, on the classic rules. Every player gets the same road that day.
RoadCode DailyRoadCode(std::string_view isoDate);
// True for a real calendar date written "YYYY-MM-DD".
bool IsIsoDate(std::string_view text);
// Today's UTC date, "YYYY-MM-DD".
std::string TodayUtc();

}  // namespace game
