// Bitmap fonts (image cells and generated glyphs) and system-font text with its string cache.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/FakeFontRasterizer.h"
#include "engine/Messages.h"
#include "engine/OmegaBitmapFont.h"
#include "engine/OmegaFont.h"
#include "engine/OmegaImageList.h"
#include "platform/Text1251.h"
#include "platform/null/NullRenderDevice.h"

namespace {

using engine::TOmegaBitmapFont;
using engine::TOmegaFont;

class FontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::SetMessageHandler([](const std::string&, const std::string&) {});
    screen.Start();
    screen.BeginScene();
  }
  void TearDown() override { engine::SetMessageHandler({}); }

  // An image font: a 100 x 40 picture of 10 x 20 cells (10 columns, 2 rows).
  void UseImageFont(TOmegaBitmapFont& font) {
    engine::TImageListItem* cells = images.ImageList().Add();
    cells->Name = "font";
    cells->SetPicture(platform::Pixels{100, 40, std::vector<uint32_t>(4000, 0xFFFFFFFFu)});
    cells->SetTileWidth(10);
    cells->SetTileHeight(20);
    images.Initialize();
    font.SetOmegaImageList(&images);
    font.SetOmegaImageIndex(0);
  }

  platform::NullRenderDevice dev{true};
  engine::TOmegaScreen screen{&dev};
  engine::TOmegaImageList images{&screen};
  enginetest::FakeFontRasterizer raster;
};

TEST_F(FontTest, DefaultSetHasItsSlotOrder) {
  const std::string& set = TOmegaBitmapFont::DefaultCharacters();
  ASSERT_EQ(set.size(), 109u);
  EXPECT_EQ(set[0], ' ');
  EXPECT_EQ(set[32], '@');
  EXPECT_EQ(set.substr(33, 2), Ru("ЯФ"));
  EXPECT_EQ(set.substr(66, 6), "[\\]^_`");
  EXPECT_EQ(set.substr(72, 3), Ru("йфя"));
  EXPECT_EQ(set.substr(104, 5), Ru("э") + "{|}~");
}

TEST_F(FontTest, CharacterMapFirstOccurrenceWinsAndSpaceFallsBack) {
  TOmegaBitmapFont font(&screen, &raster);
  UseImageFont(font);
  font.SetCharacters("AAB");
  EXPECT_EQ(font.CharSlot('A'), 0);
  EXPECT_EQ(font.CharSlot('B'), 2);
  EXPECT_EQ(font.CharSlot(' '), 0);
  EXPECT_EQ(font.CharSlot('C'), -1);
  font.SetCharacters("");
  EXPECT_EQ(font.Characters(), TOmegaBitmapFont::DefaultCharacters());
  EXPECT_EQ(font.CharSlot(static_cast<unsigned char>(Ru("Я")[0])), 33);
}

TEST_F(FontTest, ImageCellsGiveTheGlyphRectangles) {
  TOmegaBitmapFont font(&screen, &raster);
  UseImageFont(font);
  EXPECT_FALSE(font.Generated());
  EXPECT_EQ(font.FontName(), "font");
  EXPECT_EQ(font.CharWidth(), 10);
  EXPECT_EQ(font.CharHeight(), 20);
  const auto& cell12 = font.GlyphAt(12);  // column 2, row 1 of a 101 x 41 texture
  EXPECT_FLOAT_EQ(cell12.u0, 20.0f / 101);
  EXPECT_FLOAT_EQ(cell12.v0, 20.0f / 41);
  EXPECT_FLOAT_EQ(cell12.u1, 30.0f / 101);
  const auto& past = font.GlyphAt(200);  // past the last cell: one cell beyond it
  EXPECT_FLOAT_EQ(past.u0, 0.0f);
  EXPECT_FLOAT_EQ(past.v0, 40.0f / 41);
  font.SetOmegaImageIndex(5);  // beyond the list: stored, nothing else changes
  EXPECT_EQ(font.OmegaImageIndex(), 5);
  EXPECT_EQ(font.CharWidth(), 10);
}

TEST_F(FontTest, PenMovesByCellsLinesAndSkipsMissingCharacters) {
  TOmegaBitmapFont font(&screen, &raster);
  UseImageFont(font);
  font.SetCharacters("abc");
  font.Spacing = 1;
  font.TextOut(100, 50, 0, "ab\rc?a");
  ASSERT_EQ(dev.quads.size(), 4u);                     // "?" is not in the font
  EXPECT_FLOAT_EQ(dev.quads[0].corners[0].x, 100.0f);  // no half-pixel shift for glyphs
  EXPECT_FLOAT_EQ(dev.quads[0].corners[0].y, 50.0f);
  EXPECT_FLOAT_EQ(dev.quads[1].corners[0].x, 111.0f);
  EXPECT_FLOAT_EQ(dev.quads[2].corners[0].x, 100.0f);       // after the carriage return
  EXPECT_FLOAT_EQ(dev.quads[2].corners[0].y, 80.0f);        // 50 + 20 + LineSpace 10
  EXPECT_FLOAT_EQ(dev.quads[3].corners[0].x, 111.0f);       // the missing "?" did not advance
  EXPECT_FLOAT_EQ(dev.quads[1].corners[0].u, 10.0f / 101);  // slot 1
  EXPECT_EQ(dev.quads[0].texture, images.Find("font")->Texture());

  dev.quads.clear();
  font.PositionMode = engine::pmCenter;
  font.TextOut(100, 50, 0, "abca");
  ASSERT_EQ(dev.quads.size(), 4u);
  EXPECT_FLOAT_EQ(dev.quads[0].corners[0].x, 80.0f);  // 100 - 4 * 0.5 * 10
  EXPECT_FLOAT_EQ(dev.quads[0].corners[0].y, 45.0f);  // 50 - 20 * 0.25
}

TEST_F(FontTest, ScaleRotationAndMeasuring) {
  TOmegaBitmapFont font(&screen, &raster);
  UseImageFont(font);
  font.SetCharacters("ab");
  font.SetRed(21);
  font.SetGreen(16);
  font.SetBlue(137);
  font.ScaleX = 1.5f;
  font.ScaleY = 1.5f;
  EXPECT_EQ(font.TextWidth("ab"), 30);
  EXPECT_EQ(font.TextWidth("??"), 1);
  EXPECT_EQ(font.TextHeight("ab"), 30);
  font.ScaleX = 1.25f;  // 12.5 rounds to even, per character
  EXPECT_EQ(font.TextWidth("ab"), 24);

  font.CharRotation = 180;  // each glyph turned about its own centre: corners swap
  font.TextOutEx(0, 0, 0, "b", 0xFF0000FFu, 2, 2, 0);
  ASSERT_EQ(dev.quads.size(), 1u);
  const auto& c = dev.quads[0].corners;
  EXPECT_NEAR(c[0].x, 20.0f, 1e-4);  // (10, 20) after the turn, then doubled about (0, 0)
  EXPECT_NEAR(c[0].y, 40.0f, 1e-4);
  EXPECT_NEAR(c[2].x, 0.0f, 1e-4);
  EXPECT_EQ(c[0].color, 0xFE0000FEu);  // through the screen's tint

  dev.quads.clear();
  font.CharRotation = 0;
  font.ScaleX = font.ScaleY = 1;
  font.CenterX = 5;
  font.TextOut(0, 0, 0, "a");  // the string turns about (X + CenterX, Y + CenterY)
  EXPECT_EQ(dev.quads[0].corners[0].color, 0xFE140F88u);  // 21, 16, 137 tinted by 255/256
  font.Rotation = 90;
  font.TextOut(0, 0, 0, "a");
  EXPECT_NEAR(dev.quads[1].corners[0].x, 5.0f, 1e-4);
  EXPECT_NEAR(dev.quads[1].corners[0].y, -5.0f, 1e-4);
}

TEST_F(FontTest, GeneratedTextureSidesAndLayout) {
  TOmegaBitmapFont font(&screen, &raster);
  ASSERT_TRUE(font.CreateFromFont("Gungsuh", "", 28, 0));
  EXPECT_TRUE(font.Generated());
  EXPECT_EQ(font.GeneratedTextureSide(), 512);
  EXPECT_EQ(raster.opened.back().pixelHeight, 37);  // 28 pt at 96 dpi
  EXPECT_FALSE(raster.opened.back().style.bold);
  EXPECT_TRUE(raster.lastAntialias);
  EXPECT_EQ(font.CharWidth(), 18);  // the cell of "a"
  EXPECT_EQ(font.CharHeight(), 37);
  // Cells of 18 x 37 with 2 pixels between: 25 fit a row of 512; the 26th starts the next row.
  const auto nine = static_cast<unsigned char>('9');  // slot 25 of the default set
  EXPECT_EQ(font.CharSlot(nine), nine);               // generated glyphs sit under their code
  const auto& g = font.GlyphAt(font.CharSlot(nine));
  EXPECT_FLOAT_EQ(g.u0, 0.0f);
  EXPECT_FLOAT_EQ(g.v0, 39.0f / 512);
  EXPECT_FLOAT_EQ(g.u1, 19.0f / 512);
  EXPECT_FLOAT_EQ(g.v1, 77.0f / 512);
  EXPECT_EQ(font.CharSlot('a'), -1);  // Latin letters are not in the default set
  const auto& tex = dev.textures.at(font.GeneratedTexture());
  EXPECT_EQ(tex.argb[0], 0x66FFFFFFu);  // coverage 100: top four bits 6, times 17
  EXPECT_EQ(tex.argb[511], 0u);

  ASSERT_TRUE(font.CreateFromFont("Gungsuh", "", 14, TOmegaBitmapFont::kBold));
  EXPECT_EQ(font.GeneratedTextureSide(), 256);
  EXPECT_EQ(dev.textures.size(), 1u);  // the old glyph texture was given back
  EXPECT_TRUE(raster.opened.back().style.bold);
  ASSERT_TRUE(font.CreateFromFont("Gungsuh", "", 41, TOmegaBitmapFont::kPlain));
  EXPECT_EQ(font.GeneratedTextureSide(), 1024);
  EXPECT_FALSE(raster.lastAntialias);
  ASSERT_TRUE(font.CreateFromFont("Gungsuh", "", 28, TOmegaBitmapFont::kFixedCells));
  EXPECT_EQ(font.GeneratedTextureSide(), 512);  // sqrt(109 * 2 * 29^2) = 428
  EXPECT_EQ(font.CharWidth(), 18);              // the cell of "W"
  EXPECT_EQ(raster.OpenCount(), 0);             // every rasteriser font was closed again
}

TEST_F(FontTest, SmallDevicesShrinkTheTextureButNotTheText) {
  dev.maxTextureSize = 256;
  TOmegaBitmapFont font(&screen, &raster);
  ASSERT_TRUE(font.CreateFromFont("Gungsuh", "", 28, 0));
  EXPECT_EQ(font.GeneratedTextureSide(), 256);
  EXPECT_FLOAT_EQ(font.TextureScale(), 0.5f);
  EXPECT_EQ(raster.opened.back().pixelHeight, 19);  // 28 * 48 / 72
  EXPECT_EQ(font.TextHeight("x"), 38);
  font.TextOut(0, 0, 0, "1");
  ASSERT_EQ(dev.quads.size(), 1u);
  EXPECT_NEAR(dev.quads[0].corners[2].y, 38.0f, 1e-4);
}

TEST_F(FontTest, GeneratedFontsSurviveResetsAndFailuresFallBackToTheImage) {
  TOmegaBitmapFont font(&screen, &raster);
  UseImageFont(font);
  ASSERT_TRUE(font.CreateFromFont("Gungsuh", "", 28, 0));
  screen.ToggleFullScreen();  // textures are lost and made again
  EXPECT_TRUE(font.Generated());
  EXPECT_EQ(dev.textures.count(font.GeneratedTexture()), 1u);

  EXPECT_FALSE(font.CreateFromFont("Missing", "", 28, 0));
  EXPECT_FALSE(font.Generated());
  EXPECT_EQ(font.CharWidth(), 10);  // the image's cells again
  font.SetCharacters("1");
  dev.quads.clear();
  font.TextOut(0, 0, 0, "1");
  ASSERT_EQ(dev.quads.size(), 1u);
  EXPECT_EQ(dev.quads[0].texture, images.Find("font")->Texture());
}

TEST_F(FontTest, WithoutAnImageListTheFontStartsAsArial) {
  TOmegaBitmapFont font(&screen, &raster);  // the screen is already running
  EXPECT_TRUE(font.Generated());
  EXPECT_EQ(font.FontName(), "Arial");
  EXPECT_EQ(raster.opened.back().pixelHeight, 16);
  EXPECT_TRUE(raster.opened.back().style.bold);

  TOmegaBitmapFont detached(nullptr, &raster);
  EXPECT_FALSE(detached.CreateFromFont("Gungsuh", "", 28, 0));  // no device yet
  detached.TextOut(0, 0, 0, "1");
  detached.SetOmegaScreen(&screen);  // made once the screen takes it
  EXPECT_TRUE(detached.Generated());
  EXPECT_EQ(detached.FontName(), "Gungsuh");
}

TEST_F(FontTest, SystemFontRendersEachStringOnceAndTintsIt) {
  TOmegaFont font(&screen, &raster);
  font.SetColor(0x80102030u);
  ASSERT_TRUE(font.SetFont("Arial", 30, platform::FontStyle{true, false, false, false}));
  EXPECT_EQ(raster.opened.back().pixelHeight, 40);
  EXPECT_EQ(font.Color(), 0xFFFFFFFFu);  // SetFont resets the colour
  font.Red = font.Green = font.Blue = 250;
  font.TextOut(10, 20, "Score");
  font.TextOut(10, 20, "Score");
  font.SetColor(0xFF000000u);
  font.TextOutInverse(10, 40, "Score");
  EXPECT_EQ(raster.renders, 1);
  EXPECT_EQ(dev.textures.size(), 1u);
  ASSERT_EQ(dev.quads.size(), 3u);
  EXPECT_EQ(dev.quads[0].texture, dev.quads[2].texture);
  EXPECT_EQ(dev.quads[0].corners[0].color, 0xFEF9F9F9u);  // 250 through the screen's tint
  EXPECT_EQ(dev.quads[2].corners[0].color, 0xFEFEFEFEu);  // black inverted
  EXPECT_FLOAT_EQ(dev.quads[0].corners[0].x, 9.5f);
  EXPECT_FLOAT_EQ(dev.quads[0].corners[2].x, 109.5f);  // 5 boxes of 20
  EXPECT_FLOAT_EQ(dev.quads[0].corners[2].y, 59.5f);
  EXPECT_EQ(font.TextWidth("Score"), 100);
  EXPECT_EQ(font.TextHeight("Score"), 40);
  EXPECT_EQ(raster.renders, 1);

  // Text in the screen's other blend mode still blends normally, and the mode comes back.
  screen.SetBlendMode(1);
  font.TextOut(0, 0, "Score");
  EXPECT_EQ(dev.quads.back().destination, platform::BlendFactor::kInvSrcAlpha);
  EXPECT_EQ(screen.BlendMode(), 1);

  font.SetFont("Arial", 30, platform::FontStyle{true, false, false, false});  // same font
  font.TextOut(0, 0, "Score");
  EXPECT_EQ(raster.renders, 1);
  font.SetFont("Arial", 12, platform::FontStyle{});
  font.TextOut(0, 0, "Score");
  EXPECT_EQ(raster.renders, 2);
  EXPECT_EQ(dev.textures.size(), 1u);  // the other size's strings are gone
}

TEST_F(FontTest, SystemFontCacheDropsTheLeastRecentlyUsedAndSurvivesResets) {
  TOmegaFont font(&screen, &raster);
  font.SetFont("Arial", 12, platform::FontStyle{});
  font.SetCacheLimit(2);
  font.TextOut(0, 0, "a");
  font.TextOut(0, 0, "b");
  font.TextOut(0, 0, "a");
  font.TextOut(0, 0, "c");  // "b" is the oldest now
  EXPECT_EQ(font.CacheSize(), 2u);
  EXPECT_EQ(dev.textures.size(), 2u);
  EXPECT_EQ(raster.renders, 3);
  font.TextOut(0, 0, "a");
  EXPECT_EQ(raster.renders, 3);
  font.TextOut(0, 0, "b");
  EXPECT_EQ(raster.renders, 4);

  screen.ToggleFullScreen();
  EXPECT_TRUE(dev.textures.empty());
  font.TextOut(0, 0, "b");
  EXPECT_EQ(raster.renders, 5);
  EXPECT_EQ(dev.textures.size(), 1u);

  TOmegaFont missing(&screen, &raster);
  EXPECT_FALSE(missing.SetFont("Missing", 12, platform::FontStyle{}));
  const size_t before = dev.quads.size();
  missing.TextOut(0, 0, "x");
  EXPECT_EQ(dev.quads.size(), before);
  EXPECT_EQ(missing.TextWidth("x"), 0);
}

}  // namespace
