// A small scene (sprites turned, scaled, tinted, translucent and patterned; bitmap and system text)
// rendered headless through the real SDL renderer and compared with a reference picture
// (VORNAKEL_UPDATE_GOLDEN=1 writes the reference anew after an intended change).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "engine/OmegaBitmapFont.h"
#include "engine/OmegaFont.h"
#include "engine/OmegaImageList.h"
#include "engine/OmegaScreen.h"
#include "engine/OmegaSprite.h"
#include "engine/PngCodec.h"
#include "platform/Text1251.h"
#include "platform/sdl/SdlPlatform.h"

namespace {

// Four 32 x 32 tiles: a red ring, a green diamond, a blue bar, a white-to-clear gradient.
platform::Pixels TileSheet() {
  platform::Pixels p{128, 32, {}};
  p.argb.assign(128 * 32, 0);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const int dx = x - 16;
      const int dy = y - 16;
      const int r2 = dx * dx + dy * dy;
      auto at = [&](int tile) -> uint32_t& {
        return p.argb[static_cast<size_t>(y * 128 + tile * 32 + x)];
      };
      if (r2 >= 64 && r2 <= 196) at(0) = 0xFFE03020u;
      if (std::abs(dx) + std::abs(dy) <= 14) at(1) = 0xFF30C040u;
      if (y >= 10 && y < 22) at(2) = 0xFF2040E0u;
      at(3) = static_cast<uint32_t>(255 - x * 8) << 24 | 0xFFFFFFu;
    }
  }
  return p;
}

// Pixels whose channels differ by more than 24 must stay under 1 % of the frame.
double DifferingShare(const platform::Pixels& a, const platform::Pixels& b) {
  if (a.width != b.width || a.height != b.height) return 1.0;
  size_t differing = 0;
  for (size_t i = 0; i < a.argb.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      const int ca = static_cast<int>((a.argb[i] >> shift) & 255);
      const int cb = static_cast<int>((b.argb[i] >> shift) & 255);
      if (std::abs(ca - cb) > 24) {
        ++differing;
        break;
      }
    }
  }
  return static_cast<double>(differing) / static_cast<double>(a.argb.size());
}

TEST(GoldenSceneTest, SpritesAndTextMatchTheReferencePicture) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  platform::SdlOptions options;
  options.headless = true;
  std::string error;
  auto sdl = platform::SdlPlatform::Create(options, error);
  ASSERT_TRUE(sdl) << error;

  platform::Pixels frame;
  {
    engine::TOmegaScreen screen(&sdl->Renderer());
    engine::TOmegaImageList images(&screen);
    engine::TOmegaBitmapFont bitmapFont(&screen, &sdl->Fonts());
    engine::TOmegaFont font(&screen, &sdl->Fonts());
    engine::TImageListItem* sheet = images.ImageList().Add();
    sheet->Name = "sheet";
    sheet->SetPicture(TileSheet());
    sheet->SetTileWidth(32);
    sheet->SetTileHeight(32);
    screen.CenterX = 400;
    screen.CenterY = 300;
    ASSERT_TRUE(screen.Start());
    screen.SetFilter(true);
    bitmapFont.CreateFromFont("Gungsuh", engine::TOmegaBitmapFont::DefaultCharacters(), 28, 0);
    bitmapFont.SetRed(250);
    bitmapFont.SetGreen(210);
    bitmapFont.SetBlue(60);
    font.SetFont("Arial", 20, platform::FontStyle{true, false, false, false});

    engine::TOmegaSprite sprites;
    struct Placement {
      int pattern;
      float x, y, rotation, scale;
      int alpha, red;
      int z;
    };
    const Placement placements[] = {
        {0, 60, 60, 0, 1, 255, 255, 1},      {1, 140, 60, 45, 2, 255, 255, 2},
        {2, 260, 60, 90, 1.5f, 128, 255, 3}, {3, 360, 60, 0, 3, 255, 60, 4},
        {0, 100, 100, 0, -1, 200, 255, 0},   {1, 500, 80, 30, 1, 255, 255, 5},
    };
    for (const Placement& p : placements) {
      auto* s = new engine::TSprite(&sprites);
      s->SetImage(sheet);
      s->SetPatternIndex(p.pattern);
      s->SetX(p.x);
      s->SetY(p.y);
      s->SetZ(p.z);
      s->Rotation = p.rotation;
      s->ScaleX = s->ScaleY = p.scale;
      s->CenterX = s->CenterY = 0.5f;
      s->SetAlpha(p.alpha);
      s->SetRed(p.red);
    }
    screen.Clear(0, 0, 0, 0);
    screen.BeginScene();
    sheet->DrawColored(600, 20, -1, 0, false, 255, 255, 255, 255, 1, 1, 0, 0, 0);
    sprites.Move(0);
    sprites.Draw();
    bitmapFont.TextOut(40, 200, 0, Ru("Привет, гонщик! 123"));
    font.TextOut(40, 260, Ru("Загрузка трассы..."));
    font.Red = 30;
    font.Green = 90;
    font.Blue = 200;
    font.TextOutInverse(40, 300, Ru("Пауза"));
    screen.EndScene();
    ASSERT_TRUE(sdl->Renderer().ReadFrame(frame));
  }
  ASSERT_EQ(frame.width, 800);
  ASSERT_EQ(frame.height, 600);

  const std::string reference = std::string(VORNAKEL_TEST_DATA) + "/golden/scene.png";
  const char* update = std::getenv("VORNAKEL_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    const auto png = engine::EncodePng(frame);
    std::ofstream(reference, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    GTEST_SKIP() << "reference written to " << reference;
  }
  std::ifstream in(reference, std::ios::binary);
  ASSERT_TRUE(in) << "no reference picture; run once with VORNAKEL_UPDATE_GOLDEN=1";
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
  platform::Pixels expected;
  ASSERT_TRUE(engine::DecodePng(bytes.data(), bytes.size(), expected));
  EXPECT_LT(DifferingShare(frame, expected), 0.01);
}

}  // namespace
