// Names and stored words of the difficulties.
#include "game/Difficulty.h"

#include "game/Phrases.h"

namespace game {

std::string DifficultyName(Difficulty difficulty, Language language) {
  return Say(language, difficulty == Difficulty::Easy ? Phrase::EasyName : Phrase::ClassicName);
}

std::string_view DifficultyToken(Difficulty difficulty) {
  return difficulty == Difficulty::Easy ? "easy" : "classic";
}

bool ParseDifficultyToken(std::string_view token, Difficulty& out) {
  if (token == "classic") {
    out = Difficulty::Classic;
  } else if (token == "easy") {
    out = Difficulty::Easy;
  } else {
    return false;
  }
  return true;
}

}  // namespace game
