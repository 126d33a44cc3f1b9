// Fuzz target: the replay decoder takes any bytes, and what it accepts encodes back to the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "game/Replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  game::Replay replay;
  if (game::DecodeReplay(input, replay) != game::ReplayError::kNone) {
    fuzzcheck::Require(replay.races.empty(), "a refused replay leaves nothing behind");
    return 0;
  }
  game::Replay again;
  fuzzcheck::Require(
      game::DecodeReplay(game::EncodeReplay(replay), again) == game::ReplayError::kNone,
      "an accepted replay encodes to a file that decodes");
  fuzzcheck::Require(again == replay, "an accepted replay survives a round trip");
  return 0;
}
