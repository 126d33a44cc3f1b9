// Covered pixel runs per row, and where quads fall on the pixel grid.
#include "platform/ScreenCover.h"

#include <algorithm>
#include <cmath>

#include "platform/QuadShape.h"

namespace platform {
namespace {

// The rasteriser snaps corners to a fine grid; an edge this close to a pixel centre may fall on
// either side of it.
constexpr float kSnap = 1.0f / 64;

bool ClearOfCentres(float edge) {
  return std::fabs(edge - std::round(edge)) > kSnap;
}

}  // namespace

bool PixelSpan(const Vertex (&c)[4], PixelRect& pixels) {
  float x0 = c[0].x, x1 = x0, y0 = c[0].y, y1 = y0;
  for (const Vertex& v : c) {
    x0 = std::min(x0, v.x);
    x1 = std::max(x1, v.x);
    y0 = std::min(y0, v.y);
    y1 = std::max(y1, v.y);
  }
  pixels = PixelRect{
      static_cast<int>(std::ceil(x0 - kSnap)), static_cast<int>(std::ceil(y0 - kSnap)),
      static_cast<int>(std::floor(x1 + kSnap)) + 1, static_cast<int>(std::floor(y1 + kSnap)) + 1};
  return IsUpright(c, 1e-4f) && IsOneColour(c) && ClearOfCentres(x0) && ClearOfCentres(x1) &&
         ClearOfCentres(y0) && ClearOfCentres(y1);
}

void CutQuad(const Vertex (&c)[4], const PixelRect& whole, const PixelRect& part,
             Vertex (&out)[4]) {
  // The quad's own edges stay exactly where they were, so a piece that keeps one samples as before.
  const float minX = std::min(c[0].x, c[1].x), maxX = std::max(c[0].x, c[1].x);
  const float minY = std::min(c[0].y, c[3].y), maxY = std::max(c[0].y, c[3].y);
  auto at = [](int pixel) { return static_cast<float>(pixel) - 0.5f; };
  const float x0 = part.left <= whole.left ? minX : at(part.left);
  const float x1 = part.right >= whole.right ? maxX : at(part.right);
  const float y0 = part.top <= whole.top ? minY : at(part.top);
  const float y1 = part.bottom >= whole.bottom ? maxY : at(part.bottom);
  // Corners keep their turn: a mirrored quad stays mirrored.
  const bool flipX = c[1].x < c[0].x, flipY = c[3].y < c[0].y;
  const float xs[4] = {flipX ? x1 : x0, flipX ? x0 : x1, flipX ? x0 : x1, flipX ? x1 : x0};
  const float ys[4] = {flipY ? y1 : y0, flipY ? y1 : y0, flipY ? y0 : y1, flipY ? y0 : y1};
  QuadPart(c, xs, ys, out);
}

void ScreenCover::Reset(int width, int height) {
  width_ = width;
  height_ = height;
  rows_.resize(static_cast<size_t>(std::max(height, 0)));
  for (auto& row : rows_) row.clear();
}

void ScreenCover::Add(const PixelRect& r) {
  const int left = std::max(r.left, 0), right = std::min(r.right, width_);
  if (left >= right) return;
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, height_); ++y) {
    auto& row = rows_[static_cast<size_t>(y)];
    // Runs that touch or overlap the new one merge into it.
    auto first =
        std::lower_bound(row.begin(), row.end(), left,
                         [](const std::pair<int, int>& span, int x) { return span.second < x; });
    auto last = first;
    int from = left, to = right;
    while (last != row.end() && last->first <= right) {
      from = std::min(from, last->first);
      to = std::max(to, last->second);
      ++last;
    }
    first = row.erase(first, last);
    row.insert(first, {from, to});
  }
}

bool ScreenCover::Covers(const PixelRect& r) const {
  const int left = std::max(r.left, 0), right = std::min(r.right, width_);
  if (left >= right) return true;
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, height_); ++y) {
    const auto& row = rows_[static_cast<size_t>(y)];
    auto run =
        std::lower_bound(row.begin(), row.end(), left,
                         [](const std::pair<int, int>& span, int x) { return span.second <= x; });
    if (run == row.end() || run->first > left || run->second < right) return false;
  }
  return true;
}

void ScreenCover::Uncovered(const PixelRect& r, std::vector<PixelRect>& out) const {
  out.clear();
  const int left = std::max(r.left, 0), right = std::min(r.right, width_);
  const int top = std::max(r.top, 0), bottom = std::min(r.bottom, height_);
  if (left >= right || top >= bottom) return;
  // The rectangles still growing downwards: those of the row above.
  size_t open = 0;
  std::vector<std::pair<int, int>>& gaps = gaps_;
  std::vector<std::pair<int, int>>& lastGaps = lastGaps_;
  lastGaps.clear();
  for (int y = top; y < bottom; ++y) {
    gaps.clear();
    int x = left;
    for (const auto& [from, to] : rows_[static_cast<size_t>(y)]) {
      if (to <= x) continue;
      if (from >= right) break;
      if (from > x) gaps.emplace_back(x, from);
      x = std::max(x, to);
      if (x >= right) break;
    }
    if (x < right) gaps.emplace_back(x, right);
    if (y > top && gaps == lastGaps) {
      for (size_t i = open; i < out.size(); ++i) out[i].bottom = y + 1;
      continue;
    }
    open = out.size();
    for (const auto& [from, to] : gaps) out.push_back(PixelRect{from, y, to, y + 1});
    std::swap(gaps, lastGaps);
  }
}

}  // namespace platform
