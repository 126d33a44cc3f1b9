// The text codec: bit-exact 8-to-5 and 5-to-8 regrouping over a fixed 32-symbol alphabet.
#include "online/TextCodec.h"

#include <array>
#include <cstdint>

namespace online {
namespace {

// Symbol value of each byte, or -1 for bytes outside the alphabet.
constexpr std::array<int8_t, 256> MakeSymbolValues() {
  std::array<int8_t, 256> values{};
  for (auto& v : values) v = -1;
  for (size_t i = 0; i < kCodecAlphabet.size(); ++i) {
    values[static_cast<unsigned char>(kCodecAlphabet[i])] = static_cast<int8_t>(i);
  }
  return values;
}

constexpr std::array<int8_t, 256> kSymbolValues = MakeSymbolValues();

static_assert(kCodecAlphabet.size() == 32, "the codec needs exactly 32 symbols");

}  // namespace

std::string encode(std::string_view text) {
  const size_t bits = text.size() * 8;
  std::string code;
  code.reserve((bits + 4) / 5);
  // The leading zero bits that make the length a multiple of 5 are simply a head start of the
  // accumulator: they are counted but carry no value.
  uint32_t acc = 0;
  size_t held = (5 - bits % 5) % 5;
  for (const char c : text) {
    acc = (acc << 8) | static_cast<unsigned char>(c);
    held += 8;
    while (held >= 5) {
      held -= 5;
      code += kCodecAlphabet[(acc >> held) & 31];
    }
    acc &= (1u << held) - 1;
  }
  return code;
}

std::string decode(std::string_view code) {
  size_t symbols = 0;
  for (const char c : code) {
    if (kSymbolValues[static_cast<unsigned char>(c)] >= 0) ++symbols;
  }
  const size_t bits = symbols * 5;
  std::string text;
  text.reserve((bits + 7) / 8);
  uint32_t acc = 0;
  size_t held = (8 - bits % 8) % 8;
  for (const char c : code) {
    const int v = kSymbolValues[static_cast<unsigned char>(c)];
    if (v < 0) continue;
    acc = (acc << 5) | static_cast<uint32_t>(v);
    held += 5;
    if (held >= 8) {
      held -= 8;
      text += static_cast<char>((acc >> held) & 255);
    }
    acc &= (1u << held) - 1;
  }
  return text;
}

std::string PadToFive(std::string text, char pad) {
  while (text.size() % 5 != 0) text += pad;
  return text;
}

std::string StripTrailing(std::string text, char pad) {
  while (!text.empty() && text.back() == pad) text.pop_back();
  return text;
}

}  // namespace online
