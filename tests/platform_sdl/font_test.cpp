// System fonts found through fontconfig and drawn with SDL2_ttf, Cyrillic included.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Text1251.h"
#include "platform/sdl/SdlFontRasterizer.h"

namespace platform {
namespace {

class FontTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(fonts.Usable()); }
  SdlFontRasterizer fonts;
};

TEST_F(FontTest, GameFacesMapToInstalledFamilies) {
  FontMatch arial = fonts.Match("Arial", false, false);
  EXPECT_NE(arial.file.find("LiberationSans-Regular"), std::string::npos) << arial.file;
  EXPECT_EQ(arial.family, "Liberation Sans");
  FontMatch arialBold = fonts.Match("arial", true, false);
  EXPECT_NE(arialBold.file.find("LiberationSans-Bold"), std::string::npos) << arialBold.file;
  EXPECT_FALSE(arialBold.synthesizeBold);
  EXPECT_EQ(fonts.Match("Gungsuh", false, false).family, "DejaVu Serif");
  EXPECT_EQ(fonts.Match("Verdana", false, false).family, "DejaVu Sans");
  EXPECT_EQ(fonts.Match("MicrogrammaDBolExt", false, false).family, "DejaVu Sans");
}

TEST_F(FontTest, RendersCyrillicText) {
  FontId font = fonts.OpenFont("Arial", 40, FontStyle{true, false, false, false});
  ASSERT_NE(font, 0u);
  std::string text = Cp1251ToUtf8(Ru("Рекорды: Ёж"));
  int width = 0, height = 0;
  ASSERT_TRUE(fonts.Measure(font, text, width, height));
  AlphaBitmap bitmap;
  ASSERT_TRUE(fonts.Render(font, text, true, bitmap));
  EXPECT_GT(bitmap.width, 100);
  EXPECT_EQ(bitmap.width, width);
  EXPECT_EQ(bitmap.height, height);
  ASSERT_EQ(bitmap.alpha.size(), static_cast<size_t>(bitmap.width) * bitmap.height);
  EXPECT_EQ(*std::max_element(bitmap.alpha.begin(), bitmap.alpha.end()), 255);
  // Antialiased edges have partial coverage; plain rendering has none.
  EXPECT_TRUE(std::any_of(bitmap.alpha.begin(), bitmap.alpha.end(),
                          [](uint8_t a) { return a > 0 && a < 255; }));
  AlphaBitmap plain;
  ASSERT_TRUE(fonts.Render(font, text, false, plain));
  EXPECT_TRUE(std::all_of(plain.alpha.begin(), plain.alpha.end(),
                          [](uint8_t a) { return a == 0 || a == 255; }));
  EXPECT_GT(std::count(plain.alpha.begin(), plain.alpha.end(), 255), 100);
}

TEST_F(FontTest, SizeAndStyleChangeTheMetrics) {
  FontId small = fonts.OpenFont("Gungsuh", 14, {});
  FontId large = fonts.OpenFont("Gungsuh", 28, {});
  FontId underlined = fonts.OpenFont("Gungsuh", 28, FontStyle{false, false, true, false});
  ASSERT_NE(small, 0u);
  ASSERT_NE(large, 0u);
  ASSERT_NE(underlined, 0u);
  EXPECT_NE(large, underlined);
  int ws = 0, hs = 0, wl = 0, hl = 0;
  ASSERT_TRUE(fonts.Measure(small, "Abc", ws, hs));
  ASSERT_TRUE(fonts.Measure(large, "Abc", wl, hl));
  EXPECT_GT(wl, ws);
  EXPECT_GT(hl, hs);
  // The em height is what was asked for; the line is a little taller.
  EXPECT_GE(hl, 28);
  EXPECT_LE(hl, 40);
}

TEST_F(FontTest, EmptyTextAndUnknownIds) {
  FontId font = fonts.OpenFont("Verdana", 20, {});
  ASSERT_NE(font, 0u);
  int width = -1, height = -1;
  ASSERT_TRUE(fonts.Measure(font, "", width, height));
  EXPECT_EQ(width, 0);
  EXPECT_GT(height, 0);
  AlphaBitmap bitmap;
  EXPECT_TRUE(fonts.Render(font, "", true, bitmap));
  EXPECT_EQ(bitmap.width, 0);
  EXPECT_TRUE(bitmap.alpha.empty());
  EXPECT_FALSE(fonts.Measure(0, "x", width, height));
  EXPECT_FALSE(fonts.Render(999, "x", true, bitmap));
}

TEST_F(FontTest, EqualRequestsShareOneFontUntilTheLastClose) {
  FontId a = fonts.OpenFont("Arial", 16, {});
  FontId b = fonts.OpenFont("ARIAL", 16, {});
  EXPECT_EQ(a, b);
  fonts.CloseFont(a);
  int width = 0, height = 0;
  EXPECT_TRUE(fonts.Measure(b, "x", width, height));
  fonts.CloseFont(b);
  EXPECT_FALSE(fonts.Measure(b, "x", width, height));
  EXPECT_EQ(fonts.OpenFont("Arial", 16, {}), a);  // reopened from the cache
}

}  // namespace
}  // namespace platform
