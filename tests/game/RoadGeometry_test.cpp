// Quadrilateral overlap and rotated corners.
#include "game/RoadGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

using game::Point2;
using game::Quad;

const Quad kSquare = {Point2{0, 10}, Point2{0, 0}, Point2{10, 0}, Point2{10, 10}};

TEST(PointInQuadTest, InsideOutsideEdgeAndCorner) {
  EXPECT_TRUE(game::PointInQuad({5, 5}, kSquare));
  EXPECT_TRUE(game::PointInQuad({0.1, 9.9}, kSquare));
  EXPECT_FALSE(game::PointInQuad({10.5, 5}, kSquare));
  EXPECT_FALSE(game::PointInQuad({-3, -3}, kSquare));
  // On an edge the view angles still add up to a full turn.
  EXPECT_TRUE(game::PointInQuad({10, 5}, kSquare));
  // Exactly on a corner counts as touching.
  EXPECT_TRUE(game::PointInQuad({10, 10}, kSquare));
}

TEST(PointInQuadTest, WorksForRotatedQuads) {
  const Quad diamond = {Point2{0, 5}, Point2{5, 0}, Point2{10, 5}, Point2{5, 10}};
  EXPECT_TRUE(game::PointInQuad({5, 5}, diamond));
  EXPECT_TRUE(game::PointInQuad({2, 4}, diamond));
  EXPECT_FALSE(game::PointInQuad({1, 1}, diamond));
}

TEST(QuadsOverlapTest, CornerInsideEitherWayIsSymmetric) {
  const Quad shifted = {Point2{8, 18}, Point2{8, 8}, Point2{18, 8}, Point2{18, 18}};
  EXPECT_TRUE(game::QuadsOverlap(kSquare, shifted));
  EXPECT_TRUE(game::QuadsOverlap(shifted, kSquare));
  const Quad inner = {Point2{4, 6}, Point2{4, 4}, Point2{6, 4}, Point2{6, 6}};
  EXPECT_TRUE(game::QuadsOverlap(kSquare, inner));
  EXPECT_TRUE(game::QuadsOverlap(inner, kSquare));
  const Quad apart = {Point2{20, 30}, Point2{20, 20}, Point2{30, 20}, Point2{30, 30}};
  EXPECT_FALSE(game::QuadsOverlap(kSquare, apart));
}

TEST(QuadsOverlapTest, CrossingWithoutCornerInsideDoesNotCount) {
  // A long thin bar across the square: no corner of either lies in the other.
  const Quad bar = {Point2{-5, 6}, Point2{-5, 4}, Point2{15, 4}, Point2{15, 6}};
  EXPECT_FALSE(game::QuadsOverlap(kSquare, bar));
  EXPECT_FALSE(game::QuadsOverlap(bar, kSquare));
}

TEST(UpdateCornersTest, UnrotatedAndQuarterTurn) {
  engine::TOmegaSprite engine;
  auto* sprite = new engine::TSprite(&engine);
  sprite->SetWidth(40);
  sprite->SetHeight(20);
  sprite->SetX(100);
  sprite->SetY(50);
  const auto angles = game::CornerAnglesOf(*sprite);
  Quad corners;
  game::UpdateCorners(*sprite, angles, corners);
  // Bottom-left, top-left, top-right, bottom-right.
  const Quad expected = game::RectangleCorners(*sprite);
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_NEAR(corners[k].x, expected[k].x, 1e-9);
    EXPECT_NEAR(corners[k].y, expected[k].y, 1e-9);
  }
  sprite->Rotation = 90;
  game::UpdateCorners(*sprite, angles, corners);
  // Turned clockwise about the centre (120, 60): bottom-left goes to top-left.
  EXPECT_NEAR(corners[0].x, 110, 1e-9);
  EXPECT_NEAR(corners[0].y, 40, 1e-9);
  EXPECT_NEAR(corners[2].x, 130, 1e-9);
  EXPECT_NEAR(corners[2].y, 80, 1e-9);
}

TEST(NearestIntTest, HalvesGoToEven) {
  EXPECT_EQ(game::NearestInt(0.5), 0);
  EXPECT_EQ(game::NearestInt(1.5), 2);
  EXPECT_EQ(game::NearestInt(2.5), 2);
  EXPECT_EQ(game::NearestInt(-1.5), -2);
  EXPECT_EQ(game::NearestInt(26.9999), 27);
}

// The quick rejection of far-apart quads must never change an answer of the full angle test, also
// for points that sit just outside an edge (which the angle test counts as inside).
TEST(QuadsOverlapTest, QuickRejectionAgreesWithTheFullTest) {
  auto fullTest = [](const Quad& a, const Quad& b) {
    for (const Point2& p : b) {
      if (game::PointInQuad(p, a)) return true;
    }
    for (const Point2& p : a) {
      if (game::PointInQuad(p, b)) return true;
    }
    return false;
  };
  auto rectangle = [](double cx, double cy, double w, double h, double degrees) {
    const double a = degrees * 3.14159265358979323846 / 180;
    const double c = std::cos(a);
    const double s = std::sin(a);
    Quad q;
    const double dx[4] = {-w / 2, -w / 2, w / 2, w / 2};
    const double dy[4] = {h / 2, -h / 2, -h / 2, h / 2};
    for (size_t k = 0; k < 4; ++k) q[k] = {cx + c * dx[k] - s * dy[k], cy + s * dx[k] + c * dy[k]};
    return q;
  };
  uint32_t seed = 7;
  auto next = [&seed](double range) {
    seed = seed * 134775813u + 1;
    return static_cast<double>(seed) / 4294967296.0 * range;
  };
  int overlaps = 0;
  for (int i = 0; i < 20000; ++i) {
    const Quad a = rectangle(0, 0, 4 + next(600), 4 + next(200), next(360));
    const Quad b =
        rectangle(next(800) - 400, next(800) - 400, 4 + next(100), 4 + next(100), next(360));
    const bool expected = fullTest(a, b);
    overlaps += expected ? 1 : 0;
    ASSERT_EQ(game::QuadsOverlap(a, b), expected) << i;
  }
  EXPECT_GT(overlaps, 100);
}

}  // namespace
