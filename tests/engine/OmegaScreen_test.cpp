// Screen: blend-mode changes, the screen-wide tint and transform, lost devices and resets.
#include "engine/OmegaScreen.h"

#include <gtest/gtest.h>

#include "engine/OmegaRenderer.h"
#include "platform/null/NullRenderDevice.h"

namespace {

using platform::BlendFactor;

struct CountingComponent : engine::ScreenComponent {
  int starts = 0;
  int stops = 0;
  void ScreenStartup() override { ++starts; }
  void ScreenShutdown() override { ++stops; }
};

struct ScreenFixture : ::testing::Test {
  // Components outlive the screen that shuts them down.
  CountingComponent component;
  platform::NullRenderDevice device{true};
  engine::TOmegaScreen screen{&device};

  void SetUp() override {
    screen.AddComponent(&component);
    ASSERT_TRUE(screen.Start());
  }

  void DrawWhiteQuad(float x, float y) {
    engine::TOmegaRenderer renderer;
    renderer.SetScreen(&screen);
    renderer.Initialize();
    renderer.SetPositions(x, y, x + 10, y, x + 10, y + 10, x, y + 10);
    renderer.Flush();
  }
};

TEST_F(ScreenFixture, BlendModeChangesOnlyWhenDifferent) {
  const int before = device.blendChanges;
  screen.SetBlendMode(0);
  screen.SetBlendMode(-1);
  EXPECT_EQ(device.blendChanges, before);
  screen.SetBlendMode(1);
  EXPECT_EQ(device.blendChanges, before + 1);
  screen.SetBlendMode(99);  // unknown modes blend as mode 0
  screen.BeginScene();
  DrawWhiteQuad(0, 0);
  ASSERT_EQ(device.quads.size(), 1u);
  EXPECT_EQ(device.quads[0].source, BlendFactor::kSrcAlpha);
  EXPECT_EQ(device.quads[0].destination, BlendFactor::kInvSrcAlpha);
  screen.SetBlendMode(9);
  DrawWhiteQuad(0, 0);
  EXPECT_EQ(device.quads[1].source, BlendFactor::kInvDestColor);
  EXPECT_EQ(device.quads[1].destination, BlendFactor::kZero);
}

TEST_F(ScreenFixture, TintTurns255Into254AndZeroTintIsTransparentBlack) {
  screen.BeginScene();
  DrawWhiteQuad(0, 0);
  EXPECT_EQ(device.quads.back().corners[0].color, 0xFEFEFEFEu);
  screen.SetAlpha(0);
  screen.SetRed(0);
  screen.SetGreen(0);
  screen.SetBlue(0);
  DrawWhiteQuad(0, 0);
  EXPECT_EQ(device.quads.back().corners[2].color, 0u);
}

TEST_F(ScreenFixture, ScreenTransformTurnsAboutTheCentre) {
  screen.CenterX = 400;
  screen.CenterY = 300;
  screen.Rotation = 90;
  screen.OffsetX = 5;
  screen.BeginScene();
  DrawWhiteQuad(410, 300);
  EXPECT_NEAR(device.quads.back().corners[0].x, 405, 1e-3);
  EXPECT_NEAR(device.quads.back().corners[0].y, 310, 1e-3);
}

TEST_F(ScreenFixture, LostDeviceSkipsFramesAndResetSkipsOneMore) {
  device.state = platform::DeviceState::kLost;
  screen.BeginScene();
  EXPECT_FALSE(screen.InScene());
  DrawWhiteQuad(0, 0);
  screen.EndScene();
  EXPECT_EQ(device.quadCount, 0);
  EXPECT_EQ(device.presents, 0);

  device.state = platform::DeviceState::kNeedsReset;
  screen.BeginScene();
  EXPECT_FALSE(screen.InScene());
  EXPECT_EQ(device.resets, 1);
  EXPECT_EQ(component.stops, 1);
  EXPECT_EQ(component.starts, 2);

  screen.BeginScene();
  EXPECT_TRUE(screen.InScene());
  screen.EndScene();
  EXPECT_EQ(device.presents, 1);
}

TEST_F(ScreenFixture, ToggleFullScreenRebuildsTheDevice) {
  screen.ToggleFullScreen();
  EXPECT_TRUE(screen.FullScreen);
  EXPECT_TRUE(device.IsFullScreen());
  EXPECT_EQ(component.starts, 2);
  EXPECT_TRUE(screen.Active());
}

TEST(ScreenSizes, OnlyKnownFullScreenSizesAreAccepted) {
  EXPECT_TRUE(engine::TOmegaScreen::IsFullScreenSize(800, 600));
  EXPECT_TRUE(engine::TOmegaScreen::IsFullScreenSize(1280, 1024));
  EXPECT_FALSE(engine::TOmegaScreen::IsFullScreenSize(1000, 600));
  platform::NullRenderDevice device;
  engine::TOmegaScreen screen(&device);
  screen.FullScreen = true;
  screen.Width = 1000;
  ASSERT_TRUE(screen.Start());
  EXPECT_EQ(screen.Width, 800);
  EXPECT_EQ(screen.Height, 600);
}

}  // namespace
