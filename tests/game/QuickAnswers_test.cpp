// The race's short cuts — group rejection by bounds, kept corner offsets, the nearest path point
// found without measuring every point — give exactly the answers of the full computations.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "engine/OmegaSprite.h"
#include "game/PathPoints.h"
#include "game/RaceState.h"
#include "game/RoadGeometry.h"

namespace {

using game::Box;
using game::Point2;
using game::Quad;

class Lcg {
 public:
  explicit Lcg(uint32_t seed) : seed_(seed) {}
  double Next(double range) {
    seed_ = seed_ * 134775813u + 1;
    return static_cast<double>(seed_) / 4294967296.0 * range;
  }

 private:
  uint32_t seed_;
};

// Boxes that hold others are apart only when every one they hold is: the walls test an
// opponent's three sensor squares with one box.
TEST(QuickAnswersTest, ABoxApartFromAWallMeansEveryBoxItHoldsIs) {
  Lcg lot(3);
  int groupsApart = 0;
  for (int i = 0; i < 20000; ++i) {
    const Box wall = game::BoundsOf(game::SquareAround(lot.Next(600), lot.Next(600), 20));
    Box parts[3];
    for (Box& part : parts) {
      part = game::BoundsOf(game::SquareAround(lot.Next(800), lot.Next(800), 80));
    }
    const Box group = game::UnionOf(game::UnionOf(parts[0], parts[1]), parts[2]);
    if (!game::BoxesApart(group, wall)) continue;
    ++groupsApart;
    for (const Box& part : parts) ASSERT_TRUE(game::BoxesApart(part, wall)) << i;
  }
  EXPECT_GT(groupsApart, 1000);
}

TEST(QuickAnswersTest, KeptCornerOffsetsGiveTheCornersBitForBit) {
  engine::TOmegaSprite engine;
  auto* wall = new engine::TSprite(&engine);
  wall->SetWidth(20);
  wall->SetHeight(212);
  const auto angles = game::CornerAnglesOf(*wall);
  game::CornerCache cache;
  Lcg lot(5);
  for (int i = 0; i < 500; ++i) {
    wall->SetX(static_cast<float>(lot.Next(2000) - 1000));
    wall->SetY(static_cast<float>(lot.Next(4000) - 1000));
    // Now and then the wall turns or changes its size: the offsets must follow.
    if (i % 50 == 0) wall->Rotation = static_cast<float>(lot.Next(360) - 180);
    if (i % 125 == 0) wall->SetHeight(150 + static_cast<int32_t>(lot.Next(100)));
    Quad full;
    Quad kept;
    game::UpdateCorners(*wall, angles, full);
    cache.Update(*wall, angles, kept);
    for (size_t k = 0; k < 4; ++k) {
      ASSERT_EQ(kept[k].x, full[k].x) << i;
      ASSERT_EQ(kept[k].y, full[k].y) << i;
    }
  }
}

TEST(QuickAnswersTest, DistanceLimitAgreesWithTheSquareRoot) {
  Lcg lot(13);
  for (int i = 0; i < 100000; ++i) {
    // Within a hair of the limit, along an axis (i even) or any direction.
    const double a = i % 2 == 0 ? std::floor(lot.Next(4)) * 1.5707963267948966 : lot.Next(6.3);
    const double r = i % 3 == 0 ? lot.Next(300) : 150 + lot.Next(2e-9) - 1e-9;
    const double dx = r * std::cos(a);
    const double dy = r * std::sin(a);
    ASSERT_EQ(game::WithinDistance(dx, dy, 150), std::sqrt(dx * dx + dy * dy) < 150) << dx << dy;
  }
  EXPECT_FALSE(game::WithinDistance(150, 0, 150));
  EXPECT_FALSE(game::WithinDistance(std::nan(""), 0, 150));
}

// The nearest path point by measuring every one, the lowest index winning a tie.
int32_t NearestByEveryPoint(const game::RaceState& race, const Point2& c) {
  int32_t nearest = 1;
  double best = 6000000;
  for (int32_t k = 1; k <= race.PathPointCount; ++k) {
    const game::PathPointXY& p = race.PathPoint[static_cast<size_t>(k)];
    const double d = std::sqrt((p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y));
    if (d < best) {
      best = d;
      nearest = k;
    }
  }
  return nearest;
}

TEST(QuickAnswersTest, NearestPathPointMatchesMeasuringEveryPoint) {
  auto race = std::make_unique<game::RaceState>();
  Lcg lot(9);
  // Lengths far apart, so the progress tells which point was taken.
  constexpr double kStep = 1e7;
  for (int round = 0; round < 300; ++round) {
    const int32_t n = 1 + static_cast<int32_t>(lot.Next(60));
    race->PathPointCount = n;
    const int kind = round % 3;
    for (int32_t k = 1; k <= n; ++k) {
      game::PathPointXY& p = race->PathPoint[static_cast<size_t>(k)];
      if (kind == 0) {
        // A road: up the screen, wandering sideways.
        p = {lot.Next(400), 1000 - 300.0 * k};
      } else if (kind == 1) {
        // Scattered, and on a coarse grid so that equal distances (ties) happen.
        p = {std::floor(lot.Next(8)) * 30, std::floor(lot.Next(8)) * 40};
      } else {
        p = {lot.Next(3000) - 1500, lot.Next(3000) - 1500};
      }
      race->PathLength[static_cast<size_t>(k)] = kStep * k;
    }
    if (round % 30 == 0) race->PathPoint[static_cast<size_t>(n)] = race->PathPoint[1];
    for (int probe = 0; probe < 40; ++probe) {
      const Point2 c = kind == 1
                           ? Point2{std::floor(lot.Next(8)) * 30, std::floor(lot.Next(8)) * 40}
                           : Point2{lot.Next(3000) - 1500, lot.Next(20000) - 18000};
      game::PathProgress result;
      ASSERT_TRUE(game::MeasureProgress(*race, c, result));
      const int32_t expected = NearestByEveryPoint(*race, c);
      const game::PathPointXY& a = race->PathPoint[static_cast<size_t>(expected)];
      ASSERT_EQ(result.A.x, a.x) << round << " " << probe;
      ASSERT_EQ(result.A.y, a.y) << round << " " << probe;
      ASSERT_EQ(std::lround(result.Progress / kStep), expected) << round << " " << probe;
    }
  }
  // Nothing nearer than the limit: point 1, as measuring every point gives.
  race->PathPointCount = 3;
  for (int32_t k = 1; k <= 3; ++k) race->PathPoint[static_cast<size_t>(k)] = {1e7 + k, 0};
  game::PathProgress far;
  ASSERT_TRUE(game::MeasureProgress(*race, {0, 0}, far));
  EXPECT_EQ(far.A.x, 1e7 + 1);
}

}  // namespace
