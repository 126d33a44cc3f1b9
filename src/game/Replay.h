// Race replays: what a race consumed (its start and, frame by frame, the input and race-clock
// calls), and their compact binary file format.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/LevelParameters.h"

namespace game {

// The version of the race rules. Change it whenever a rule changes what a race does with the same
// start and input: a replay recorded under other rules would go another way, so it is refused.
inline constexpr uint32_t kLogicVersion = 1;
// The version of the file layout itself: 2 adds each race's summary (version 1 files still read).
inline constexpr uint16_t kReplayFormatVersion = 2;

// One input the race read, as the game saw it after the player's bindings (so playback does not
// depend on them), or a run of race-clock calls between two inputs.
struct ReplayEvent {
  enum class Kind : uint8_t {
    kKeyDown,         // a: virtual key
    kKeyUp,           // a: virtual key
    kText,            // text: code page 1251 characters
    kMouseMove,       // a, b: x, y
    kMouseDown,       // a: button, b, c: x, y, d: clicks
    kMouseUp,         // a: button, b, c: x, y
    kControllerLost,  // no fields
    kClock,           // a: race-clock calls that ran before the next input or frame
  };
  Kind kind = Kind::kKeyDown;
  int32_t a = 0;
  int32_t b = 0;
  int32_t c = 0;
  int32_t d = 0;
  std::string text;
  static ReplayEvent Of(Kind kind, int32_t a = 0, int32_t b = 0, int32_t c = 0, int32_t d = 0) {
    ReplayEvent event;
    event.kind = kind;
    event.a = a;
    event.b = b;
    event.c = c;
    event.d = d;
    return event;
  }
  bool operator==(const ReplayEvent&) const = default;
};

// One frame: the race-clock calls and inputs before it, then the race-clock calls that ran after
// it before it was shown. Identical frames without input are kept once with a repeat count.
struct ReplayFrame {
  uint32_t clockBefore = 0;
  std::vector<ReplayEvent> events;
  uint32_t clockAfter = 0;
  uint32_t repeat = 1;
  bool operator==(const ReplayFrame&) const = default;
};

// What the race set-up reads: the generator, the game's progress and the level parameters.
struct RaceStart {
  uint32_t randSeed = 0;
  int32_t level = 1;
  int32_t score = 0;
  int32_t lives = 3;
  LevelParameters parameters;
  int32_t selectedTruck = 0;
  int32_t selectedTrack = 0;
  int32_t tracksOpen = 3;
  int32_t trucksOpen = 5;
  int32_t unlockLevel = 0;
  int32_t nextUnlockScore = 300;
  int32_t delayCounter = 0;
  int32_t finishPlace = 0;
  uint8_t difficulty = 0;
  bool devKeys = false;
  bool devWinUsed = false;
  bool clockRunning = false;
  // Keys held (and released, not yet read) as the race began.
  std::array<bool, 256> keyDown{};
  std::array<bool, 256> keyReleased{};
  bool operator==(const RaceStart&) const = default;
};

// What a list of replays shows of a race, noted by the recorder (playback never reads it).
struct RaceSummary {
  // When the race began: seconds since 1970 in UTC (0: not known, a version 1 file).
  int64_t recordedUtc = 0;
  // The place it finished in (0: not finished, or not known).
  int32_t place = 0;
  // The time over the finish line in hundredths (-1: not driven over the line).
  int32_t raceHund = -1;
  // The road's code without its dash (empty: not known).
  std::string roadCode;
  bool operator==(const RaceSummary&) const = default;
};

// One race: its start, whether it began inside a frame (that frame's trace line belongs to it),
// and its frames. frames[0] stands for the start itself: no input, only the clock calls after it.
struct ReplayRace {
  RaceStart start;
  bool startedInFrame = false;
  std::vector<ReplayFrame> frames;
  RaceSummary summary;
  // Frames the race ran, repeats counted (frames[0], the start, is not one).
  uint64_t FrameCount() const;
  bool operator==(const ReplayRace&) const = default;
};

// The races of one game (or of a harness session).
struct Replay {
  std::vector<ReplayRace> races;
  bool operator==(const Replay&) const = default;
};

enum class ReplayError : uint8_t {
  kNone,
  kNotAReplay,   // no replay magic: another kind of file
  kNewerFormat,  // a file layout this game does not know
  kOtherLogic,   // recorded under other race rules
  kDamaged,      // truncated, altered or inconsistent
};

// The file: magic, format and logic versions, lengths and a CRC, then the deflated body.
// An older format leaves out what it did not hold (the tests of reading old files write them).
std::string EncodeReplay(const Replay& replay, uint16_t format = kReplayFormatVersion);
// Fills replay from a file's bytes; anything else than kNone leaves it empty.
ReplayError DecodeReplay(const std::string& bytes, Replay& replay);
// A short English account of an error, for logs and the harness.
const char* ReplayErrorText(ReplayError error);

}  // namespace game
