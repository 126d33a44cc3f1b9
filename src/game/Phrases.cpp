// The phrase book converted once to the code page the game writes in.
#include "game/Phrases.h"

#include <array>

#include "platform/Text1251.h"

namespace game {

const std::string& Say(Language language, Phrase phrase) {
  using Forms = std::array<std::array<std::string, 2>, std::size(kPhrases)>;
  static const Forms forms = [] {
    Forms f;
    for (size_t i = 0; i < std::size(kPhrases); ++i) {
      f[i][0] = platform::Utf8To1251(kPhrases[i].russian);
      f[i][1] = platform::Utf8To1251(kPhrases[i].english);
    }
    return f;
  }();
  const size_t row = static_cast<size_t>(phrase) < forms.size() ? static_cast<size_t>(phrase) : 0;
  return forms[row][language == Language::English ? 1 : 0];
}

}  // namespace game
