// Which texels of a texture are fully opaque, and which texels a drawn quad can sample: lets a
// render device draw a quad that hides everything under it without reading the background.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/RenderDevice.h"

namespace platform {

// A rectangle of texels, both ends inclusive.
struct TexelRect {
  int left = 0;
  int top = 0;
  int right = -1;
  int bottom = -1;
};

// The texels a quad can read from a width x height texture (edges clamped), given where the
// engine places it: pixel centres on integer coordinates. An axis along which the quad shows its
// texels one to one samples exactly the texels it covers, even when filtering is linear (the
// neighbours get a weight of zero); along any other axis linear filtering also reads the next
// texel on each side.
TexelRect SampledTexels(const Vertex (&corners)[4], int width, int height, bool linear);

// Whether a quad shows a width x height texture one texel per pixel along both axes, pixel centres
// on texel centres: linear filtering then reads nothing but the texel under each pixel, and nearest
// sampling draws the same picture for less work.
bool ShowsTexelsOneToOne(const Vertex (&corners)[4], int width, int height);

class OpacityMask;

// A quad cut into the part that hides what lies under it and the parts that must still blend.
struct OpaqueSplit {
  bool hasCore = false;
  Vertex core[4];
  int blendedCount = 0;
  Vertex blended[4][4];
};

// Finds the part of a quad (of one colour, alpha at least `minAlpha`) whose pixels sample only
// opaque texels. A quad that is not upright is taken whole or not at all; an upright one may keep
// a rim that blends, where filtering mixes in the transparent texels beyond its picture.
OpaqueSplit SplitOpaque(const Vertex (&corners)[4], OpacityMask& mask, bool linear,
                        uint32_t minAlpha);

// A run of texture columns [from, to] all opaque, or all wholly clear, over some rows.
struct ColumnRun {
  int from, to;
  bool opaque;
};

// An upright quad cut into bands of a few pixel rows, each band into the stretch of columns that
// hides what lies under it and the rest, which blends, less the pixels at either side that read
// only wholly clear texels (blending those changes nothing): for pictures opaque only in part (a
// road piece on its clear margin, ground that fades out along its bottom). Pieces of the same
// columns in neighbouring bands are joined.
struct BandSplit {
  struct Piece {
    Vertex corners[4];
  };
  std::vector<Piece> opaque;
  std::vector<Piece> blended;
  // Working rows kept between calls, so a frame's splits allocate nothing.
  struct Span {
    float x0, x1;
    bool opaque;
    bool operator==(const Span&) const = default;
  };
  struct Scratch {
    std::vector<Span> spans, lastSpans, fixed;
    std::vector<std::pair<bool, std::size_t>> lastPieces;  // opaque or not, index in its list
    std::vector<ColumnRun> runs;
  } scratch;
};

// Fills `out` (emptied first) for an upright quad of one colour, alpha at least `minAlpha`; leaves
// it empty when the quad is not such a quad or nothing of it is left out or drawn unblended.
void SplitOpaqueBands(const Vertex (&corners)[4], const OpacityMask& mask, bool linear,
                      uint32_t minAlpha, BandSplit& out);

// A turned quad blended over the background, cut down to the part whose pixels can read a texel
// that is not wholly clear: the rest would blend in nothing, yet costs the rasteriser as much.
// Upright quads (left to the band split) and quads whose texture does not run along their sides
// stay whole.
enum class VisiblePart { kWhole, kTrimmed, kNothingVisible };
VisiblePart TrimToVisible(const Vertex (&corners)[4], OpacityMask& mask, Vertex (&out)[4]);

class OpacityMask {
 public:
  OpacityMask() = default;
  // Notes which of the ARGB texels (width * height of them) have an alpha of 255.
  OpacityMask(int width, int height, const uint32_t* argb);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // True when every texel of the rectangle (clamped to the texture) is opaque. Answers are
  // remembered, as the same tiles are drawn frame after frame.
  bool Opaque(const TexelRect& rect);
  // The runs of at least `minRun` columns within [left, right] whose texels in rows top..bottom
  // are all opaque, or all wholly clear, in order from the left.
  // The smallest rectangle within `rect` (clamped to the texture) holding every texel that is not
  // wholly clear; false when there is none. Answers are remembered.
  bool VisibleBox(const TexelRect& rect, TexelRect& box);
  using ColumnRun = platform::ColumnRun;
  void ColumnRuns(int top, int bottom, int left, int right, int minRun,
                  std::vector<ColumnRun>& out) const;

 private:
  bool Scan(const TexelRect& rect) const;

  // ColumnRuns' words of opaque and of clear columns, kept between calls.
  mutable std::vector<uint64_t> opaqueWords_;
  mutable std::vector<uint64_t> clearWords_;

  int width_ = 0;
  int height_ = 0;
  int wordsPerRow_ = 0;
  bool allOpaque_ = false;
  bool noneOpaque_ = true;
  std::vector<uint64_t> bits_;  // one bit per texel, set when opaque; empty when all or none are
  bool allVisible_ = false;
  std::vector<uint64_t>
      visible_;  // one bit per texel, set when not wholly clear; empty when all are
  std::unordered_map<uint64_t, bool> answers_;
  std::unordered_map<uint64_t, TexelRect> boxes_;  // VisibleBox's, an empty one for none
};

}  // namespace platform
