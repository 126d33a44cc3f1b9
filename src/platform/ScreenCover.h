// The back-buffer pixels that opaque pieces drawn later in a frame will hide: a render device that
// walks a frame backwards leaves out what would only be painted over.
#pragma once

#include <utility>
#include <vector>

#include "platform/RenderDevice.h"

namespace platform {

// Pixels [left, right) x [top, bottom).
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const PixelRect&) const = default;
};

// The pixels a quad may touch (its bounding box on the pixel grid, pixel centres on integer
// coordinates as the engine places corners), clipped to nothing else. True when the quad is an
// upright rectangle of one colour whose edges keep clear of pixel centres: it then fills exactly
// those pixels and may be cut along pixel edges without a seam.
bool PixelSpan(const Vertex (&corners)[4], PixelRect& pixels);

// The pixels `part` of a quad PixelSpan allows to cut (`whole` being what it gave), texture
// coordinates following.
void CutQuad(const Vertex (&corners)[4], const PixelRect& whole, const PixelRect& part,
             Vertex (&out)[4]);

class ScreenCover {
 public:
  // Nothing covered on a width x height screen.
  void Reset(int width, int height);
  void Add(const PixelRect& rect);
  bool Covers(const PixelRect& rect) const;
  // The pixels of `rect` not covered, as rectangles: rows with the same uncovered runs are joined.
  void Uncovered(const PixelRect& rect, std::vector<PixelRect>& out) const;

 private:
  int width_ = 0;
  int height_ = 0;
  // Per row, the covered runs [from, to), sorted and apart.
  std::vector<std::vector<std::pair<int, int>>> rows_;
  // Uncovered's rows in the making, kept so a frame's cuts allocate nothing.
  mutable std::vector<std::pair<int, int>> gaps_;
  mutable std::vector<std::pair<int, int>> lastGaps_;
};

}  // namespace platform
