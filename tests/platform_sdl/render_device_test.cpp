// The SDL render device drawn headless: coverage, colour, blending, batching, read-back, reset.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/sdl/SdlPlatform.h"
#include "platform/sdl/SdlRenderDevice.h"

namespace platform {
namespace {

// One platform per renderer kind for the whole run: making a GL context is slow.
SdlPlatform* SharedPlatform(bool software) {
  static std::unique_ptr<SdlPlatform> platforms[2];
  auto& p = platforms[software ? 1 : 0];
  if (!p) {
    SdlOptions options;
    options.headless = true;
    options.softwareRenderer = software;
    std::string error;
    p = SdlPlatform::Create(options, error);
    if (!p) ADD_FAILURE() << error;
  }
  return p.get();
}

struct Rgb {
  int r, g, b;
};

Rgb Channels(uint32_t argb) {
  return Rgb{static_cast<int>((argb >> 16) & 255), static_cast<int>((argb >> 8) & 255),
             static_cast<int>(argb & 255)};
}

void ExpectNear(uint32_t actual, Rgb expected, int tolerance, const char* what) {
  Rgb a = Channels(actual);
  EXPECT_NEAR(a.r, expected.r, tolerance) << what;
  EXPECT_NEAR(a.g, expected.g, tolerance) << what;
  EXPECT_NEAR(a.b, expected.b, tolerance) << what;
}

class RenderDeviceTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    platform_ = SharedPlatform(GetParam());
    if (platform_ == nullptr) GTEST_SKIP() << "no renderer";
    device_ = &platform_->SdlRenderer();
    // A loss announced to the other renderer of this run also reaches this one, as SDL's reset
    // events do not say which renderer they concern; recover the way the engine does.
    if (device_->TestState() == DeviceState::kNeedsReset) {
      ASSERT_TRUE(device_->Reset(false));
    }
    ASSERT_EQ(device_->TestState(), DeviceState::kReady);
    device_->SetBlend(BlendFactor::kSrcAlpha, BlendFactor::kInvSrcAlpha);
    device_->SetLinearFilter(false);
  }

  // A quad placed the way the engine places one covering pixels [x0, x1) x [y0, y1).
  void Quad(TextureId texture, float x0, float y0, float x1, float y1, uint32_t color) {
    Vertex v[4];
    float xs[4] = {x0, x1, x1, x0}, ys[4] = {y0, y0, y1, y1};
    float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i) {
      v[i].x = xs[i] - 0.5f;
      v[i].y = ys[i] - 0.5f;
      v[i].color = color;
      v[i].u = us[i];
      v[i].v = vs[i];
    }
    device_->DrawQuad(texture, v);
  }

  Pixels Frame() {
    device_->Present();
    Pixels frame;
    EXPECT_TRUE(device_->ReadFrame(frame));
    return frame;
  }

  static uint32_t At(const Pixels& p, int x, int y) {
    return p.argb[static_cast<size_t>(y) * p.width + x];
  }

  SdlPlatform* platform_ = nullptr;
  SdlRenderDevice* device_ = nullptr;
};

TEST_P(RenderDeviceTest, QuadCoversExactlyItsPixels) {
  device_->Clear(0xFF000000);
  Quad(0, 0, 0, 64, 64, 0xFFFFFFFF);
  Pixels frame = Frame();
  ASSERT_EQ(frame.width, 800);
  ASSERT_EQ(frame.height, 600);
  ASSERT_EQ(frame.argb.size(), 800u * 600u);
  int wrong = 0;
  for (int y = 0; y < 66; ++y) {
    for (int x = 0; x < 66; ++x) {
      uint32_t expected = (x < 64 && y < 64) ? 0xFFFFFFFF : 0xFF000000;
      if (At(frame, x, y) != expected) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_P(RenderDeviceTest, TexelsLandOnPixelsOneToOne) {
  // Every texel a different colour: any half-pixel slip in position or texture coordinates shows.
  std::vector<uint32_t> texels(32 * 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 32; ++x)
      texels[y * 32 + x] = 0xFF000000u | (x * 8) << 16 | (y * 16) << 8 | 77;
  }
  TextureId texture = device_->CreateTexture(32, 16, texels.data());
  ASSERT_NE(texture, 0u);
  for (bool linear : {false, true}) {
    device_->Clear(0xFF000000);
    device_->SetLinearFilter(linear);
    Quad(texture, 100, 50, 132, 66, 0xFFFFFFFF);
    Pixels frame = Frame();
    int wrong = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 32; ++x) {
        if (At(frame, 100 + x, 50 + y) != texels[y * 32 + x]) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0) << (linear ? "linear" : "nearest");
  }
  device_->DestroyTexture(texture);
}

TEST_P(RenderDeviceTest, LinearFilterBlendsWhenStretched) {
  const uint32_t texels[2] = {0xFF000000, 0xFFFFFFFF};
  TextureId texture = device_->CreateTexture(2, 1, texels);
  device_->Clear(0xFF000000);
  device_->SetLinearFilter(false);
  Quad(texture, 0, 0, 64, 8, 0xFFFFFFFF);
  device_->SetLinearFilter(true);
  Quad(texture, 0, 10, 64, 18, 0xFFFFFFFF);
  Pixels frame = Frame();
  EXPECT_EQ(At(frame, 30, 4), 0xFF000000u);
  EXPECT_EQ(At(frame, 34, 4), 0xFFFFFFFFu);
  if (!GetParam()) {  // SDL's software triangles only sample the nearest texel
    int middle = Channels(At(frame, 31, 14)).r;
    EXPECT_GT(middle, 40);
    EXPECT_LT(middle, 215);
  }
  device_->DestroyTexture(texture);
}

TEST_P(RenderDeviceTest, VertexColourModulatesTexture) {
  const uint32_t grey[4] = {0xFF808080, 0xFF808080, 0xFF808080, 0xFF808080};
  TextureId texture = device_->CreateTexture(2, 2, grey);
  device_->Clear(0xFF000000);
  Quad(texture, 10, 10, 20, 20, 0xFFFF8040);
  Quad(0, 30, 10, 40, 20, 0xFF20C0E0);  // no texture: the vertex colour itself
  Pixels frame = Frame();
  ExpectNear(At(frame, 15, 15), {128, 64, 32}, 2, "modulated");
  ExpectNear(At(frame, 35, 15), {0x20, 0xC0, 0xE0}, 0, "untextured");
  device_->DestroyTexture(texture);
}

TEST_P(RenderDeviceTest, BlendModesCombineWithTheBackground) {
  device_->Clear(0xFF404040);
  device_->SetBlend(BlendFactor::kOne, BlendFactor::kOne);
  Quad(0, 0, 0, 10, 10, 0xFF204060);
  device_->SetBlend(BlendFactor::kZero, BlendFactor::kSrcColor);
  Quad(0, 20, 0, 30, 10, 0xFF00FF80);
  device_->SetBlend(BlendFactor::kSrcAlpha, BlendFactor::kInvSrcAlpha);
  Quad(0, 40, 0, 50, 10, 0x80FFFFFF);
  device_->SetBlend(BlendFactor::kSrcAlpha, BlendFactor::kOne);
  Quad(0, 60, 0, 70, 10, 0x80FFFFFF);
  Pixels frame = Frame();
  ExpectNear(At(frame, 5, 5), {0x60, 0x80, 0xA0}, 1, "one/one adds");
  ExpectNear(At(frame, 25, 5), {0, 0x40, 0x20}, 1, "zero/srccolor multiplies");
  ExpectNear(At(frame, 45, 5), {0xA0, 0xA0, 0xA0}, 2, "alpha blend");
  ExpectNear(At(frame, 65, 5), {0xC0, 0xC0, 0xC0}, 2, "srcalpha/one adds a share");
}

TEST_P(RenderDeviceTest, ReadFrameReturnsTheLastPresentedFrame) {
  device_->Clear(0xFF0000FF);
  Pixels first = Frame();
  device_->Clear(0xFFFF0000);  // drawn, not yet presented
  Quad(0, 0, 0, 800, 600, 0xFF00FF00);
  device_->Finish();
  Pixels again;
  ASSERT_TRUE(device_->ReadFrame(again));
  EXPECT_EQ(At(again, 400, 300), 0xFF0000FFu);
  EXPECT_EQ(first.argb, again.argb);
  Pixels next = Frame();
  EXPECT_EQ(At(next, 400, 300), 0xFF00FF00u);
}

TEST_P(RenderDeviceTest, BatchesQuadsThatShareState) {
  const uint32_t white = 0xFFFFFFFF;
  TextureId a = device_->CreateTexture(1, 1, &white);
  TextureId b = device_->CreateTexture(1, 1, &white);
  device_->Clear(0xFF000000);
  uint64_t before = device_->GeometryCalls();
  for (int i = 0; i < 50; ++i) Quad(a, i, 0, i + 1, 1, white);
  device_->Finish();
  EXPECT_EQ(device_->GeometryCalls() - before, 1u);
  before = device_->GeometryCalls();
  for (int i = 0; i < 10; ++i) Quad(i % 2 ? a : b, i, 0, i + 1, 1, white);
  device_->SetBlend(BlendFactor::kOne, BlendFactor::kOne);
  Quad(b, 0, 0, 1, 1, white);
  device_->Finish();
  EXPECT_EQ(device_->GeometryCalls() - before, 11u);
  device_->DestroyTexture(a);
  device_->DestroyTexture(b);
}

TEST_P(RenderDeviceTest, RejectsTexturesItCannotMake) {
  const uint32_t white = 0xFFFFFFFF;
  EXPECT_EQ(device_->CreateTexture(0, 1, &white), 0u);
  EXPECT_EQ(device_->CreateTexture(1, 1, nullptr), 0u);
  EXPECT_EQ(device_->CreateTexture(device_->MaxTextureSize() + 1, 1, &white), 0u);
  EXPECT_GE(device_->MaxTextureSize(), 1024);
  device_->DestroyTexture(12345);  // unknown ids are ignored
}

TEST_P(RenderDeviceTest, LostTargetsAndDeviceAreRebuiltByReset) {
  for (Uint32 loss : {SDL_RENDER_TARGETS_RESET, SDL_RENDER_DEVICE_RESET}) {
    const uint32_t red = 0xFFFF0000;
    TextureId old = device_->CreateTexture(1, 1, &red);
    SDL_Event event{};
    event.type = loss;
    SDL_PushEvent(&event);
    EXPECT_EQ(device_->TestState(), DeviceState::kNeedsReset);
    ASSERT_TRUE(device_->Reset(false));
    EXPECT_EQ(device_->TestState(), DeviceState::kReady);
    Pixels none;
    EXPECT_FALSE(device_->ReadFrame(none));  // nothing presented since the reset

    device_->SetBlend(BlendFactor::kSrcAlpha, BlendFactor::kInvSrcAlpha);
    device_->Clear(0xFF000000);
    Quad(old, 0, 0, 10, 10, 0xFFFFFFFF);  // a texture from before the reset draws nothing
    const uint32_t green = 0xFF00FF00;
    TextureId fresh = device_->CreateTexture(1, 1, &green);
    EXPECT_NE(fresh, old);
    Quad(fresh, 20, 0, 30, 10, 0xFFFFFFFF);
    Pixels frame = Frame();
    EXPECT_EQ(At(frame, 5, 5), 0xFF000000u);
    EXPECT_EQ(At(frame, 25, 5), 0xFF00FF00u);
    device_->DestroyTexture(fresh);
  }
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

TEST_P(RenderDeviceTest, OpaquePicturesLookTheSameDrawnWithoutBlending) {
  // A 16 x 8 opaque picture in a 32 x 16 texture with clear padding, stretched and filtered, over
  // a red background: once at the screen's near-full alpha (drawn without blending but for the
  // rim that reaches the padding), once just below it (blended throughout).
  std::vector<uint32_t> texels(32 * 16, 0);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) texels[y * 32 + x] = 0xFF000000u | (x * 15) << 8 | (y * 30);
  }
  TextureId texture = device_->CreateTexture(32, 16, texels.data());
  ASSERT_NE(texture, 0u);
  device_->SetLinearFilter(true);
  auto draw = [&](uint32_t color) {
    device_->Clear(0xFFFF0000);
    Vertex v[4];
    const float xs[4] = {10, 58, 58, 10}, ys[4] = {10, 10, 37, 37};
    const float us[4] = {0, 0.5f, 0.5f, 0}, vs[4] = {0, 0, 0.5f, 0.5f};
    for (int i = 0; i < 4; ++i)
      v[i] = Vertex{xs[i] - 0.5f, ys[i] - 0.5f, 0, 1, color, us[i], vs[i]};
    device_->DrawQuad(texture, v);
    return Frame();
  };
  const uint64_t before = device_->OpaqueQuads();
  Pixels opaque = draw(0xFEFEFEFE);
  // SDL's software triangles are not cut into a core and a rim.
  EXPECT_EQ(device_->OpaqueQuads() - before, GetParam() ? 0u : 1u);
  Pixels blended = draw(0xFDFEFEFE);
  EXPECT_EQ(device_->OpaqueQuads() - before, GetParam() ? 0u : 1u);
  int worst = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      Rgb a = Channels(At(opaque, x, y)), b = Channels(At(blended, x, y));
      worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
    }
  }
  EXPECT_LE(worst, 2);
  if (!GetParam()) {  // SDL's software triangles only sample the nearest texel
    // The bottom row mixes in the padding and still lets the red through.
    EXPECT_GT(Channels(At(opaque, 30, 36)).r, 20);
  }
  device_->SetLinearFilter(false);
  device_->DestroyTexture(texture);
}

TEST_P(RenderDeviceTest, PartlyOpaquePicturesLookTheSameCutIntoBands) {
  // A 40 x 30 picture like a road piece: a slanting opaque band on a clear margin, fading out over
  // its bottom rows; drawn 10 % taller and filtered, and once more one texel per pixel (sampled
  // nearest), over a red background. Drawn at the screen's near-full alpha its opaque parts skip
  // blending; just below that alpha it blends throughout: both must look alike.
  std::vector<uint32_t> texels(64 * 32, 0);
  for (int y = 0; y < 30; ++y) {
    const uint32_t alpha = y < 24 ? 255u : 255u - static_cast<uint32_t>(y - 23) * 40u;
    for (int x = 10 - y / 3; x < 34 - y / 3; ++x)
      texels[y * 64 + x] = alpha << 24 | (x * 6) << 8 | (y * 8);
  }
  TextureId texture = device_->CreateTexture(64, 32, texels.data());
  ASSERT_NE(texture, 0u);
  device_->SetLinearFilter(true);
  auto draw = [&](uint32_t color) {
    device_->Clear(0xFFFF0000);
    for (float height : {33.0f, 30.0f}) {
      const float left = height == 30 ? 60 : 5;
      Vertex v[4];
      const float xs[4] = {left, left + 40, left + 40, left},
                  ys[4] = {5, 5, 5 + height, 5 + height};
      const float us[4] = {0, 40 / 64.0f, 40 / 64.0f, 0}, vs[4] = {0, 0, 30 / 32.0f, 30 / 32.0f};
      for (int i = 0; i < 4; ++i)
        v[i] = Vertex{xs[i] - 0.5f, ys[i] - 0.5f, 0, 1, color, us[i], vs[i]};
      device_->DrawQuad(texture, v);
    }
    return Frame();
  };
  const uint64_t before = device_->OpaqueQuads();
  Pixels opaque = draw(0xFEFEFEFE);
  EXPECT_EQ(device_->OpaqueQuads() - before, GetParam() ? 0u : 2u);
  Pixels blended = draw(0xFDFEFEFE);
  int worst = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 110; ++x) {
      Rgb a = Channels(At(opaque, x, y)), b = Channels(At(blended, x, y));
      worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
    }
  }
  EXPECT_LE(worst, 2);
  device_->SetLinearFilter(false);
  device_->DestroyTexture(texture);
}

TEST_P(RenderDeviceTest, StretchedGroundLooksTheSameFromItsPrefilteredCopy) {
  // A 96 x 80 picture, symmetric left to right, fading out at the bottom, drawn 10 % taller at a
  // sub-pixel place. Drawn as it is, it is filtered once into a copy shown one texel per pixel;
  // drawn mirrored (which is never copied) it must look the same.
  std::vector<uint32_t> texels(128 * 128, 0);
  for (int y = 0; y < 80; ++y) {
    const uint32_t alpha = y < 70 ? 255u : 255u - static_cast<uint32_t>(y - 69) * 25u;
    for (int x = 0; x < 96; ++x) {
      const int m = std::min(x, 95 - x);
      texels[y * 128 + x] = alpha << 24 | (m * 5) << 16 | ((y * 3) & 255) << 8 | ((m * y) & 255);
    }
  }
  TextureId texture = device_->CreateTexture(128, 128, texels.data());
  ASSERT_NE(texture, 0u);
  device_->SetLinearFilter(true);
  auto draw = [&](bool mirrored) {
    device_->Clear(0xFF0000FF);
    for (int pass = 0; pass < 2; ++pass) {  // the second one uses the copy made by the first
      Vertex v[4];
      const float top = 3.45f + static_cast<float>(pass) * 60;
      const float xs[4] = {4.5f, 100.5f, 100.5f, 4.5f}, ys[4] = {top, top, top + 88, top + 88};
      const float l = mirrored ? 96 / 128.0f : 0, r = mirrored ? 0 : 96 / 128.0f;
      const float us[4] = {l, r, r, l}, vs[4] = {0, 0, 80 / 128.0f, 80 / 128.0f};
      for (int i = 0; i < 4; ++i) v[i] = Vertex{xs[i], ys[i], 0, 1, 0xFEFEFEFE, us[i], vs[i]};
      device_->DrawQuad(texture, v);
    }
    return Frame();
  };
  Pixels copied = draw(false);
  Pixels direct = draw(true);
  int worst = 0;
  for (int y = 0; y < 160; ++y) {
    for (int x = 0; x < 110; ++x) {
      Rgb a = Channels(At(copied, x, y)), b = Channels(At(direct, x, y));
      worst = std::max({worst, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
    }
  }
  EXPECT_LE(worst, 2);
  device_->SetLinearFilter(false);
  device_->DestroyTexture(texture);
}

TEST_P(RenderDeviceTest, QuadsOffTheBufferAreLeftOut) {
  device_->Clear(0xFF000000);
  const uint64_t before = device_->GeometryCalls();
  Quad(0, -50, 0, 0, 10, 0xFFFFFFFF);
  Quad(0, 800, 0, 850, 10, 0xFFFFFFFF);
  Quad(0, 0, 600, 10, 700, 0xFFFFFFFF);
  device_->Finish();
  EXPECT_EQ(device_->GeometryCalls(), before);
  Quad(0, -50, 0, 1, 10, 0xFFFFFFFF);  // one column on the buffer
  Pixels frame = Frame();
  EXPECT_EQ(At(frame, 0, 5), 0xFFFFFFFFu);
  EXPECT_EQ(At(frame, 1, 5), 0xFF000000u);
}

INSTANTIATE_TEST_SUITE_P(Renderers, RenderDeviceTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                           return param.param ? "Software" : "Accelerated";
                         });

TEST(RenderDeviceSetupTest, HeadlessUsesTheGlRendererWithExactBlending) {
  SdlPlatform* platform = SharedPlatform(false);
  ASSERT_NE(platform, nullptr);
  EXPECT_FALSE(platform->SdlRenderer().IsSoftware()) << platform->SdlRenderer().RendererName();
  EXPECT_TRUE(platform->SdlRenderer().HasCustomBlending());
  EXPECT_EQ(platform->Renderer().Width(), 800);
  EXPECT_EQ(platform->Renderer().Height(), 600);
  EXPECT_FALSE(platform->Renderer().IsFullScreen());
}

}  // namespace
}  // namespace platform
