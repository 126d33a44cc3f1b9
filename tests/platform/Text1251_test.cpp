// Code page 1251 conversions: every Cyrillic letter survives a round trip; foreign characters drop.
#include "platform/Text1251.h"

#include <gtest/gtest.h>

#include "platform/Paths.h"

namespace {

TEST(Text1251Test, RoundTripsEveryByteAndDropsWhatItCannotHold) {
  for (int b = 1; b < 256; ++b) {
    if (b == 0x98) continue;  // the one unassigned byte
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(platform::Utf8To1251(platform::Cp1251ToUtf8(one)), one) << b;
  }
  EXPECT_EQ(Ru("АЯаяЁё№"), "\xC0\xDF\xE0\xFF\xA8\xB8\xB9");
  EXPECT_EQ(platform::Utf8To1251("a\xE4\xB8\xADz"), "az");    // CJK has no 1251 byte
  EXPECT_EQ(platform::Utf8To1251("a\xD0z\x80"), "az");        // broken sequences are skipped
  EXPECT_EQ(platform::Utf8To1251("\xF0\x9F\x98\x80!"), "!");  // emoji
}

TEST(PathsTest, BackslashesBecomeSlashes) {
  EXPECT_EQ(platform::NativePath("Data\\data1.oil"), "Data/data1.oil");
  EXPECT_EQ(platform::NativePath("fscommand\\wgame.exe"), "fscommand/wgame.exe");
}

}  // namespace
