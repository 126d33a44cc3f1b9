// Sprites wholly off the screen are not sent to the device; everything that could reach the back
// buffer still is, with the very same quad.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/OmegaImageList.h"
#include "engine/OmegaScreen.h"
#include "engine/OmegaSprite.h"
#include "platform/null/NullRenderDevice.h"

namespace {

bool SameQuad(const platform::NullRenderDevice::Quad& a,
              const platform::NullRenderDevice::Quad& b) {
  for (int i = 0; i < 4; ++i) {
    const platform::Vertex& p = a.corners[i];
    const platform::Vertex& q = b.corners[i];
    if (p.x != q.x || p.y != q.y || p.u != q.u || p.v != q.v || p.color != q.color) return false;
  }
  return a.texture == b.texture;
}

bool TouchesScreen(const platform::NullRenderDevice::Quad& quad, int width, int height) {
  float minX = quad.corners[0].x, maxX = minX, minY = quad.corners[0].y, maxY = minY;
  for (const platform::Vertex& v : quad.corners) {
    minX = std::min(minX, v.x);
    maxX = std::max(maxX, v.x);
    minY = std::min(minY, v.y);
    maxY = std::max(maxY, v.y);
  }
  return maxX >= 0 && maxY >= 0 && minX <= static_cast<float>(width) &&
         minY <= static_cast<float>(height);
}

TEST(SpriteCullingTest, OnlyQuadsThatMissTheScreenAreLeftOut) {
  platform::NullRenderDevice device{true};
  engine::TOmegaScreen screen{&device};
  engine::TOmegaImageList list(&screen);
  engine::TImageListItem* image = list.ImageList().Add();
  image->Name = "tile";
  image->SetPicture(platform::Pixels{256, 64, std::vector<uint32_t>(256 * 64, 0xFF336699u)});
  image->SetTileWidth(128);
  image->SetTileHeight(32);
  screen.Start();
  screen.BeginScene();
  ASSERT_TRUE(image->Attached());

  engine::TOmegaSprite engine;
  auto* sprite = new engine::TSprite(&engine);
  sprite->SetImage(image);

  uint32_t seed = 11;
  auto next = [&seed](double range) {
    seed = seed * 134775813u + 1;
    return static_cast<double>(seed) / 4294967296.0 * range;
  };
  int culled = 0;
  int drawn = 0;
  for (int i = 0; i < 20000; ++i) {
    sprite->SetX(static_cast<float>(next(1600) - 400));
    sprite->SetY(static_cast<float>(next(1400) - 400));
    const bool turned = next(1) < 0.6;
    sprite->Rotation = turned ? static_cast<float>(next(720) - 360) : 0.0f;
    const double scaleLot = next(1);
    sprite->ScaleX = scaleLot < 0.2 ? 0.0f : scaleLot < 0.6 ? 1.0f : static_cast<float>(next(3));
    sprite->ScaleY = scaleLot < 0.6 ? 1.1f : static_cast<float>(next(3) - 1.5);
    sprite->CenterX = static_cast<float>(next(1.4) - 0.2);
    sprite->CenterY = static_cast<float>(next(1.4) - 0.2);
    sprite->PatternIndex = static_cast<int32_t>(next(3));
    sprite->BlendMode = static_cast<int32_t>(next(3));

    device.quads.clear();
    sprite->Draw();
    ASSERT_EQ(screen.BlendMode(), sprite->BlendMode) << "a culled sprite still sets its blend mode";
    const std::vector<platform::NullRenderDevice::Quad> fromSprite = device.quads;
    device.quads.clear();
    image->DrawSprite(engine::EngineRound(sprite->X), engine::EngineRound(sprite->Y),
                      sprite->PatternIndex, sprite->BlendMode, false, false, sprite->Color1,
                      sprite->Color2, sprite->Color3, sprite->Color4, sprite->ScaleX,
                      sprite->ScaleY, sprite->CenterX, sprite->CenterY, sprite->Rotation);
    ASSERT_EQ(device.quads.size(), 1u);
    if (fromSprite.empty()) {
      ++culled;
      ASSERT_FALSE(TouchesScreen(device.quads[0], screen.Width, screen.Height)) << i;
    } else {
      ++drawn;
      ASSERT_EQ(fromSprite.size(), 1u);
      ASSERT_TRUE(SameQuad(fromSprite[0], device.quads[0])) << i;
    }
  }
  EXPECT_GT(culled, 2000);
  EXPECT_GT(drawn, 2000);
}

TEST(SpriteCullingTest, AMovedScreenDrawsEverything) {
  platform::NullRenderDevice device{true};
  engine::TOmegaScreen screen{&device};
  engine::TOmegaImageList list(&screen);
  engine::TImageListItem* image = list.ImageList().Add();
  image->Name = "tile";
  image->SetPicture(platform::Pixels{16, 16, std::vector<uint32_t>(256, 0xFF336699u)});
  screen.Start();
  screen.BeginScene();
  engine::TOmegaSprite engine;
  auto* sprite = new engine::TSprite(&engine);
  sprite->SetImage(image);
  sprite->SetX(-500);
  sprite->Draw();
  EXPECT_EQ(device.quads.size(), 0u);
  // The screen-wide shift could bring it back into view.
  screen.OffsetX = 600;
  sprite->Draw();
  EXPECT_EQ(device.quads.size(), 1u);
}

}  // namespace
