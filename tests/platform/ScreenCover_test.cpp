// Covered pixels of a frame walked backwards, and quads placed on and cut along the pixel grid.
#include "platform/ScreenCover.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

// Pixels [x0, x1) x [y0, y1) placed as the engine places them (corners half a pixel up and left),
// texture 0..1 across.
void Rect(float x0, float y0, float x1, float y1, Vertex (&q)[4]) {
  const float xs[4] = {x0, x1, x1, x0}, ys[4] = {y0, y0, y1, y1};
  const float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
  for (int i = 0; i < 4; ++i)
    q[i] = Vertex{xs[i] - 0.5f, ys[i] - 0.5f, 0, 1, 0xFFFFFFFF, us[i], vs[i]};
}

TEST(ScreenCoverTest, UncoveredPartsOfARectangle) {
  ScreenCover cover;
  cover.Reset(800, 600);
  cover.Add({100, 100, 200, 300});  // a road band
  cover.Add({200, 100, 250, 200});  // touching it: the runs merge
  EXPECT_TRUE(cover.Covers({120, 120, 250, 200}));
  EXPECT_FALSE(cover.Covers({120, 120, 251, 200}));
  EXPECT_TRUE(cover.Covers({900, 0, 1000, 10}));  // off the screen nothing needs drawing

  std::vector<PixelRect> parts;
  cover.Uncovered({0, 0, 800, 600}, parts);
  // Above, then rows 100..199 either side, rows 200..299 either side of the narrower run, below.
  const std::vector<PixelRect> expected{{0, 0, 800, 100},     {0, 100, 100, 200},
                                        {250, 100, 800, 200}, {0, 200, 100, 300},
                                        {200, 200, 800, 300}, {0, 300, 800, 600}};
  EXPECT_EQ(parts, expected);
  cover.Uncovered({120, 120, 180, 180}, parts);
  EXPECT_TRUE(parts.empty());
}

TEST(ScreenCoverTest, QuadsOnThePixelGrid) {
  Vertex q[4];
  PixelRect span;
  Rect(10, 20, 110, 70, q);
  EXPECT_TRUE(PixelSpan(q, span));
  EXPECT_EQ(span, (PixelRect{10, 20, 110, 70}));
  // An edge on a pixel centre may or may not fill it: that pixel is counted, the quad not cut.
  q[1].x = q[2].x = 109.0f;
  EXPECT_FALSE(PixelSpan(q, span));
  EXPECT_EQ(span, (PixelRect{10, 20, 110, 70}));
  Rect(10, 20, 110, 70, q);
  q[2].color = 0xFF000000;  // shaded corners are not cut either
  EXPECT_FALSE(PixelSpan(q, span));

  // A mirrored quad cut to its right half keeps the texture's right-to-left run.
  Rect(0, 0, 100, 10, q);
  q[0].u = q[3].u = 1;
  q[1].u = q[2].u = 0;
  Vertex half[4];
  PixelSpan(q, span);
  CutQuad(q, span, {50, 0, 100, 10}, half);
  EXPECT_FLOAT_EQ(half[0].x, 49.5f);
  EXPECT_FLOAT_EQ(half[1].x, 99.5f);
  EXPECT_FLOAT_EQ(half[0].u, 0.5f);
  EXPECT_FLOAT_EQ(half[1].u, 0.0f);
  EXPECT_FLOAT_EQ(half[3].y, 9.5f);
  EXPECT_FLOAT_EQ(half[3].v, 1.0f);
}

}  // namespace
}  // namespace platform
