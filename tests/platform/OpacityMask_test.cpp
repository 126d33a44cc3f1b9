// Opaque texels, the texels a quad samples, and the opaque core cut out of a quad.
#include "platform/OpacityMask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace platform {
namespace {

// An upright quad placed the way the engine places one: pixels [x0, x1) x [y0, y1), pixel centres
// on integer coordinates, showing texels [u0, u1) x [v0, v1) of a width x height texture.
void Upright(Vertex (&q)[4], float x0, float y0, float x1, float y1, float u0, float v0, float u1,
             float v1, int width, int height, uint32_t color = 0xFEFEFEFE) {
  const float xs[4] = {x0, x1, x1, x0}, ys[4] = {y0, y0, y1, y1};
  const float us[4] = {u0, u1, u1, u0}, vs[4] = {v0, v0, v1, v1};
  for (int i = 0; i < 4; ++i) {
    q[i].x = xs[i] - 0.5f;
    q[i].y = ys[i] - 0.5f;
    q[i].u = us[i] / static_cast<float>(width);
    q[i].v = vs[i] / static_cast<float>(height);
    q[i].color = color;
  }
}

// A width x height texture whose picture (opaque) fills [0, pw) x [0, ph); the rest is clear.
std::vector<uint32_t> Padded(int width, int height, int pw, int ph) {
  std::vector<uint32_t> texels(static_cast<size_t>(width) * height, 0);
  for (int y = 0; y < ph; ++y) {
    for (int x = 0; x < pw; ++x) texels[static_cast<size_t>(y) * width + x] = 0xFF336699;
  }
  return texels;
}

void ExpectRect(const TexelRect& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(SampledTexelsTest, OneToOneReadsOnlyCoveredTexelsEvenWhenLinear) {
  Vertex q[4];
  Upright(q, 10, 20, 110, 70, 28, 0, 128, 50, 256, 64);
  ExpectRect(SampledTexels(q, 256, 64, true), 28, 0, 127, 49);
  ExpectRect(SampledTexels(q, 256, 64, false), 28, 0, 127, 49);
}

TEST(SampledTexelsTest, StretchedLinearReadsANeighbourOnEachSideClampedAtTheEdge) {
  Vertex q[4];
  Upright(q, 0, 0, 100, 33, 0, 0, 100, 30, 128, 64);  // 1.1 times taller
  ExpectRect(SampledTexels(q, 128, 64, true), 0, 0, 99, 30);
  ExpectRect(SampledTexels(q, 128, 64, false), 0, 0, 99, 29);
  // Mirrored texture coordinates read the same texels.
  Upright(q, 0, 0, 100, 33, 100, 30, 0, 0, 128, 64);
  ExpectRect(SampledTexels(q, 128, 64, true), 0, 0, 99, 30);
}

TEST(OpacityMaskTest, RectsAreOpaqueOnlyWhenEveryTexelIs) {
  std::vector<uint32_t> texels = Padded(200, 8, 130, 6);
  texels[3 * 200 + 70] = 0xFEFFFFFF;  // one texel not quite opaque, in the second 64-bit word
  OpacityMask mask(200, 8, texels.data());
  EXPECT_TRUE(mask.Opaque({0, 0, 129, 2}));
  EXPECT_TRUE(mask.Opaque({71, 0, 129, 5}));
  EXPECT_FALSE(mask.Opaque({60, 3, 80, 3}));
  EXPECT_FALSE(mask.Opaque({0, 0, 130, 2}));  // one column of padding
  EXPECT_FALSE(mask.Opaque({0, 5, 10, 6}));   // one row of padding
  EXPECT_FALSE(mask.Opaque({0, 5, 10, 6}));   // the remembered answer agrees
  EXPECT_TRUE(mask.Opaque({-5, -5, 63, 2}));  // clamped into the texture

  const std::vector<uint32_t> solid(16, 0xFF000000);
  OpacityMask all(4, 4, solid.data());
  EXPECT_TRUE(all.Opaque({0, 0, 3, 3}));
  const std::vector<uint32_t> clear(16, 0x00FFFFFF);
  OpacityMask none(4, 4, clear.data());
  EXPECT_FALSE(none.Opaque({1, 1, 1, 1}));
}

TEST(SplitOpaqueTest, StretchedTileKeepsABlendedRimWhereFilteringReachesThePadding) {
  // A 100 x 30 picture in a 128 x 64 texture, drawn 10 % taller with linear filtering.
  std::vector<uint32_t> texels = Padded(128, 64, 100, 30);
  OpacityMask mask(128, 64, texels.data());
  Vertex q[4];
  Upright(q, 0, 0, 100, 33, 0, 0, 100, 30, 128, 64);
  OpaqueSplit split = SplitOpaque(q, mask, true, 254);
  ASSERT_TRUE(split.hasCore);
  // Pixel rows whose sample lies past texel row 29's centre also read the clear row 30.
  const float coreBottom = split.core[2].y;
  EXPECT_GT(coreBottom, 30.0f);
  EXPECT_LT(coreBottom, 32.5f);
  EXPECT_FLOAT_EQ(split.core[0].y, -0.5f);
  EXPECT_FLOAT_EQ(split.core[2].x, 99.5f);
  ASSERT_EQ(split.blendedCount, 1);
  EXPECT_FLOAT_EQ(split.blended[0][0].y, coreBottom);
  EXPECT_FLOAT_EQ(split.blended[0][2].y, 32.5f);
  // Texture coordinates follow the cut: the core's bottom samples no further than row 29.5.
  EXPECT_LE(split.core[2].v * 64.0f, 29.5f + 0.5f / 1.1f);
  EXPECT_FLOAT_EQ(split.blended[0][2].v, 30.0f / 64.0f);

  // Nearest filtering never reaches the padding: the whole quad is opaque.
  split = SplitOpaque(q, mask, false, 254);
  EXPECT_TRUE(split.hasCore);
  EXPECT_EQ(split.blendedCount, 0);
}

TEST(SplitOpaqueTest, WholeOrNothingForTranslucentTurnedOrShadedQuads) {
  std::vector<uint32_t> texels = Padded(64, 64, 64, 64);
  OpacityMask mask(64, 64, texels.data());
  Vertex q[4];
  Upright(q, 5, 5, 69, 69, 0, 0, 64, 64, 64, 64);
  OpaqueSplit split = SplitOpaque(q, mask, true, 254);
  EXPECT_TRUE(split.hasCore);
  EXPECT_EQ(split.blendedCount, 0);

  Upright(q, 5, 5, 69, 69, 0, 0, 64, 64, 64, 64, 0xF0FFFFFF);  // see-through colour
  EXPECT_FALSE(SplitOpaque(q, mask, true, 254).hasCore);

  Upright(q, 5, 5, 69, 69, 0, 0, 64, 64, 64, 64);
  q[2].color = 0xFF000000;  // corners of different colours: taken whole
  split = SplitOpaque(q, mask, true, 254);
  EXPECT_TRUE(split.hasCore);
  EXPECT_EQ(split.blendedCount, 0);

  // A turned quad over a picture with clear padding is not cut: it blends whole.
  std::vector<uint32_t> padded = Padded(64, 64, 40, 40);
  OpacityMask paddedMask(64, 64, padded.data());
  Upright(q, 0, 0, 40, 40, 0, 0, 40, 40, 64, 64);
  q[1].y += 3;
  q[2].x -= 3;
  EXPECT_FALSE(SplitOpaque(q, paddedMask, true, 254).hasCore);
}

TEST(SplitOpaqueBandsTest, PartlyOpaquePicturesSplitIntoPiecesThatCoverTheQuadOnce) {
  // A 100 x 40 picture: opaque columns 20..79 in rows 0..29, then a fade; clear elsewhere.
  std::vector<uint32_t> texels(128 * 64, 0);
  for (int y = 0; y < 40; ++y) {
    for (int x = 20; x < 80; ++x) texels[y * 128 + x] = (y < 30 ? 0xFF000000u : 0x80000000u) | 77;
  }
  OpacityMask mask(128, 64, texels.data());

  Vertex q[4];
  Upright(q, 10, 10, 110, 54, 0, 0, 100, 40, 128, 64);  // 10 % taller, filtered
  EXPECT_FALSE(SplitOpaque(q, mask, true, 254).hasCore);
  BandSplit split;
  SplitOpaqueBands(q, mask, true, 254, split);
  ASSERT_EQ(split.opaque.size(), 1u);  // the bands of the same columns joined
  double area = 0;
  auto add = [&](const BandSplit::Piece& p) {
    area += (p.corners[1].x - p.corners[0].x) * (p.corners[3].y - p.corners[0].y);
  };
  for (const auto& p : split.opaque) add(p);
  for (const auto& p : split.blended) add(p);
  // Columns 0..19 and 80..99 read only clear texels: left out, as blending them changes nothing.
  EXPECT_NEAR(area, 60.0 * 44.0, 0.01);
  EXPECT_FLOAT_EQ(split.opaque[0].corners[0].x, 29.5f);
  std::vector<OpacityMask::ColumnRun> runs;
  mask.ColumnRuns(0, 29, 0, 127, 8, runs);
  ASSERT_EQ(runs.size(), 3u);  // clear, opaque, clear
  EXPECT_TRUE(!runs[0].opaque && runs[0].from == 0 && runs[0].to == 19);
  EXPECT_TRUE(runs[1].opaque && runs[1].from == 20 && runs[1].to == 79);
  EXPECT_TRUE(!runs[2].opaque && runs[2].from == 80 && runs[2].to == 127);
  mask.ColumnRuns(30, 39, 0, 127, 8, runs);  // the fade is neither
  EXPECT_EQ(runs.size(), 2u);
  mask.ColumnRuns(28, 31, 0, 127, 8, runs);  // rows across the fade have no opaque run
  EXPECT_TRUE(std::none_of(runs.begin(), runs.end(), [](const auto& r) { return r.opaque; }));
  // The opaque piece reads only opaque texels.
  const TexelRect read = SampledTexels(split.opaque[0].corners, 128, 64, true);
  EXPECT_TRUE(mask.Opaque(read));
  EXPECT_GE(read.left, 20);
  EXPECT_LE(read.bottom, 29);

  // A see-through colour or a turned quad is not cut.
  Upright(q, 10, 10, 110, 54, 0, 0, 100, 40, 128, 64, 0xF0FFFFFF);
  SplitOpaqueBands(q, mask, true, 254, split);
  EXPECT_TRUE(split.opaque.empty() && split.blended.empty());
}

TEST(TrimToVisibleTest, TurnedQuadsLoseWhatReadsOnlyClearTexels) {
  std::vector<uint32_t> padded = Padded(64, 64, 40, 30);
  OpacityMask mask(64, 64, padded.data());
  TexelRect box;
  ASSERT_TRUE(mask.VisibleBox(TexelRect{0, 0, 63, 63}, box));
  ExpectRect(box, 0, 0, 39, 29);

  // The whole texture on a square turned by a little: the kept part ends half a texel past the
  // picture (filtering reaches no further), its first corner where it was.
  Vertex q[4];
  Upright(q, 100, 100, 164, 164, 0, 0, 64, 64, 64, 64);
  q[1].y += 8;
  q[2].y += 8;
  q[2].x -= 8;
  q[3].x -= 8;
  Vertex out[4];
  ASSERT_EQ(TrimToVisible(q, mask, out), VisiblePart::kTrimmed);
  EXPECT_EQ(out[0].x, q[0].x);
  EXPECT_EQ(out[0].y, q[0].y);
  EXPECT_FLOAT_EQ(out[1].u * 64, 40.5f);
  EXPECT_FLOAT_EQ(out[3].v * 64, 30.5f);
  EXPECT_FLOAT_EQ(out[1].x, q[0].x + 40.5f / 64 * (q[1].x - q[0].x));
  EXPECT_FLOAT_EQ(out[3].y, q[0].y + 30.5f / 64 * (q[3].y - q[0].y));

  // Nothing but clear texels: nothing to draw. Upright quads stay whole.
  std::vector<uint32_t> clear(64 * 64, 0);
  OpacityMask clearMask(64, 64, clear.data());
  EXPECT_EQ(TrimToVisible(q, clearMask, out), VisiblePart::kNothingVisible);
  Upright(q, 100, 100, 164, 164, 0, 0, 64, 64, 64, 64);
  EXPECT_EQ(TrimToVisible(q, mask, out), VisiblePart::kWhole);
}

TEST(SampledTexelsTest, OneToOneQuadsAreRecognised) {
  Vertex q[4];
  Upright(q, 10, 20, 74, 52, 0, 0, 64, 32, 128, 64);
  EXPECT_TRUE(ShowsTexelsOneToOne(q, 128, 64));
  Upright(q, 10, 20, 74, 55, 0, 0, 64, 32, 128, 64);  // stretched
  EXPECT_FALSE(ShowsTexelsOneToOne(q, 128, 64));
  Upright(q, 10.5f, 20, 74.5f, 52, 0, 0, 64, 32, 128, 64);  // between pixel centres
  EXPECT_FALSE(ShowsTexelsOneToOne(q, 128, 64));
}

}  // namespace
}  // namespace platform
