// Tests of the text codec against a literal bit-string model of the algorithm.
#include "online/TextCodec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace online {
namespace {

// The algorithm as written for people: strings of '0' and '1', zeros inserted at the front.
std::string ModelEncode(const std::string& text) {
  std::string bits;
  for (const char c : text) {
    for (int i = 7; i >= 0; --i) bits += ((static_cast<unsigned char>(c) >> i) & 1) ? '1' : '0';
  }
  while (bits.size() % 5 != 0) bits.insert(bits.begin(), '0');
  std::string code;
  for (size_t i = 0; i < bits.size(); i += 5) {
    int v = 0;
    for (int k = 0; k < 5; ++k) v = v * 2 + (bits[i + k] != '0');
    code += kCodecAlphabet[v];
  }
  return code;
}

std::string ModelDecode(const std::string& code) {
  std::string bits;
  for (const char c : code) {
    const size_t v = kCodecAlphabet.find(c);
    if (v == std::string_view::npos) continue;
    for (int i = 4; i >= 0; --i) bits += ((v >> i) & 1) ? '1' : '0';
  }
  while (bits.size() % 8 != 0) bits.insert(bits.begin(), '0');
  std::string text;
  for (size_t i = 0; i + 8 <= bits.size(); i += 8) {
    int v = 0;
    for (int k = 0; k < 8; ++k) v = v * 2 + (bits[i + k] == '1');
    text += static_cast<char>(v);
  }
  return text;
}

TEST(TextCodec, MatchesTheBitStringModelOnRandomTexts) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 500; ++round) {
    std::string text(rng() % 40, '\0');
    for (char& c : text) c = static_cast<char>(rng() & 255);
    const std::string code = encode(text);
    ASSERT_EQ(code, ModelEncode(text));
    ASSERT_EQ(code.size(), (text.size() * 8 + 4) / 5);
    ASSERT_EQ(decode(code), ModelDecode(code));
    // Random codes, with stray characters mixed in, decode like the model too.
    std::string noise(rng() % 30, ' ');
    for (char& c : noise) c = static_cast<char>(rng() & 127);
    ASSERT_EQ(decode(noise), ModelDecode(noise));
  }
}

TEST(TextCodec, PinnedValuesAndEmptyText) {
  EXPECT_EQ(encode(""), "");
  EXPECT_EQ(decode(""), "");
  // 01000001 with two zeros in front: 00010 00001.
  EXPECT_EQ(encode("A"), "CB");
  EXPECT_EQ(encode("false"), ModelEncode("false"));
  EXPECT_EQ(encode("false").size(), 8u);
}

TEST(TextCodec, OnlyLengthsOfFiveSurviveUnchanged) {
  EXPECT_EQ(decode(encode("false")), "false");
  EXPECT_EQ(encode("true").size(), 7u);
  EXPECT_EQ(decode(encode("true")), std::string("\0true", 5));

  const std::string padded = PadToFive("abc", '%');
  EXPECT_EQ(padded, "abc%%");
  EXPECT_EQ(encode(padded).size(), 8u);
  EXPECT_EQ(StripTrailing(decode(encode(padded)), '%'), "abc");

  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
  everyByte = PadToFive(everyByte, '%');
  EXPECT_EQ(decode(encode(everyByte)), everyByte);
}

TEST(TextCodec, CharactersOutsideTheAlphabetAreSkipped) {
  const std::string code = encode("hello");
  std::string noisy;
  for (const char c : code) noisy += std::string("1o0 \n") + c;
  EXPECT_EQ(decode(noisy), "hello");
}

}  // namespace
}  // namespace online
