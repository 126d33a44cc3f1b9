// The area a quad covers on the back buffer, clipped to its edges.
#include "platform/FillCount.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

// The area of pixels [x0, x1) x [y0, y1) placed as the engine places them (corners half a pixel up
// and left) on an 800 x 600 screen.
double Area(float x0, float y0, float x1, float y1) {
  Vertex q[4];
  const float xs[4] = {x0, x1, x1, x0}, ys[4] = {y0, y0, y1, y1};
  for (int i = 0; i < 4; ++i) {
    q[i].x = xs[i] - 0.5f;
    q[i].y = ys[i] - 0.5f;
  }
  return CoveredPixels(q, 800, 600);
}

TEST(FillCountTest, CoveredPixelsClipToTheScreen) {
  EXPECT_DOUBLE_EQ(Area(10, 20, 110, 70), 5000);       // wholly on the screen
  EXPECT_DOUBLE_EQ(Area(-50, -50, 50, 50), 2500);      // a corner off the top-left
  EXPECT_DOUBLE_EQ(Area(-800, 0, 1600, 600), 480000);  // wider than the screen
  EXPECT_DOUBLE_EQ(Area(900, 0, 1000, 100), 0);        // beside it
  // A diamond about (400, 300): half of its 100 x 100 bounding box.
  Vertex d[4];
  const float xs[4] = {400, 450, 400, 350}, ys[4] = {250, 300, 350, 300};
  for (int i = 0; i < 4; ++i) {
    d[i].x = xs[i];
    d[i].y = ys[i];
  }
  EXPECT_DOUBLE_EQ(CoveredPixels(d, 800, 600), 5000);
}

}  // namespace
}  // namespace platform
