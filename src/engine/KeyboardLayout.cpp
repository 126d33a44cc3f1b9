// The Latin-to-Cyrillic key table of the standard Russian keyboard layout.
#include "engine/KeyboardLayout.h"

#include <array>
#include <string>
#include <string_view>

#include "platform/Text1251.h"

namespace engine {
namespace {

// The letter keys row by row, small then capital, and what the Russian layout puts on them.
constexpr std::string_view kLatinKeys =
    "qwertyuiopasdfghjklzxcvbnm"
    "QWERTYUIOPASDFGHJKLZXCVBNM";
constexpr std::string_view kCyrillicKeys =
    "йцукенгшщзфывапролдячсмить"
    "ЙЦУКЕНГШЩЗФЫВАПРОЛДЯЧСМИТЬ";

std::array<unsigned char, 256> BuildTable() {
  std::array<unsigned char, 256> table{};
  for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<unsigned char>(i);
  const std::string cyrillic = platform::Utf8To1251(kCyrillicKeys);
  for (size_t i = 0; i < kLatinKeys.size() && i < cyrillic.size(); ++i) {
    table[static_cast<unsigned char>(kLatinKeys[i])] = static_cast<unsigned char>(cyrillic[i]);
  }
  return table;
}

}  // namespace

unsigned char LatinToCyrillic(unsigned char c) {
  static const std::array<unsigned char, 256> kTable = BuildTable();
  return kTable[c];
}

}  // namespace engine
