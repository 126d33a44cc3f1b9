// Opaque texels of a texture and the texels a quad samples.
#include "platform/OpacityMask.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

constexpr float kSlack = 1e-3f;

bool Near(float a, float b) {
  return std::fabs(a - b) < kSlack;
}

bool Whole(float value) {
  return Near(value, std::round(value));
}

// The texel range [first, last] one axis of a quad reads. `t0`, `t1`: its texture coordinates in
// texels; `oneToOne`: whether its pixel centres fall on texel centres.
void AxisRange(float t0, float t1, bool oneToOne, bool linear, int& first, int& last) {
  if (t1 < t0) std::swap(t0, t1);
  if (oneToOne) {
    first = static_cast<int>(std::lround(t0));
    last = static_cast<int>(std::lround(t1)) - 1;
  } else if (linear) {
    first = static_cast<int>(std::floor(t0 - 0.5f));
    last = static_cast<int>(std::ceil(t1 - 0.5f));
  } else {
    first = static_cast<int>(std::floor(t0));
    last = static_cast<int>(std::ceil(t1)) - 1;
  }
}

bool Upright(const Vertex (&c)[4]) {
  return Near(c[0].y, c[1].y) && Near(c[3].y, c[2].y) && Near(c[0].x, c[3].x) &&
         Near(c[1].x, c[2].x) && Near(c[0].u, c[3].u) && Near(c[1].u, c[2].u) &&
         Near(c[0].v, c[1].v) && Near(c[3].v, c[2].v);
}

// One axis of an upright quad: its edges on screen, the texture coordinates (in texels) there.
struct Axis {
  float e0, e1;  // e0 < e1
  float t0, t1;  // at e0 and e1
  int size;      // texels along the axis
};

// The texels the pixel centres of an axis fall in, and the pixel edges of the stretch whose
// filtering reads no texel outside them. False when no pixel centre qualifies.
bool CoreOfAxis(const Axis& a, bool linear, int& first, int& last, float& c0, float& c1) {
  const float lo = std::min(a.t0, a.t1);
  const float hi = std::max(a.t0, a.t1);
  first = std::clamp(static_cast<int>(std::floor(lo + kSlack)), 0, a.size - 1);
  last = std::clamp(static_cast<int>(std::ceil(hi - kSlack)) - 1, 0, a.size - 1);
  const int k0 = static_cast<int>(std::floor(a.e0)) + 1;  // first and last pixel centre inside
  const int k1 = static_cast<int>(std::ceil(a.e1)) - 1;
  if (k1 < k0) return false;
  const bool oneToOne = Near(a.e1 - a.e0, hi - lo) && Whole(a.e0 + 0.5f) && Whole(lo);
  if (!linear || oneToOne) {
    c0 = a.e0;
    c1 = a.e1;
    return true;
  }
  // Linear filtering reads the texels either side of t - 0.5; the picture's own edge texels are
  // repeated beyond the texture's edge, so only an inner edge limits the stretch.
  const float allowLo = first == 0 ? -1e30f : static_cast<float>(first) + 0.5f + kSlack;
  const float allowHi = last == a.size - 1 ? 1e30f : static_cast<float>(last) + 0.5f - kSlack;
  const float perPixel = (a.t1 - a.t0) / (a.e1 - a.e0);
  int from = k1 + 1;
  int to = k0 - 1;
  for (int k = k0; k <= k1; ++k) {
    const float t = a.t0 + (static_cast<float>(k) - a.e0) * perPixel;
    if (t < allowLo || t > allowHi) continue;
    from = std::min(from, k);
    to = std::max(to, k);
  }
  if (to < from) return false;
  c0 = from == k0 ? a.e0 : static_cast<float>(from) - 0.5f;
  c1 = to == k1 ? a.e1 : static_cast<float>(to) + 0.5f;
  return true;
}

// The part [x0, x1] x [y0, y1] of an upright quad, its texture coordinates following.
void SubQuad(const Vertex (&c)[4], float x0, float y0, float x1, float y1, Vertex (&out)[4]) {
  auto u = [&](float x) { return c[0].u + (x - c[0].x) * (c[1].u - c[0].u) / (c[1].x - c[0].x); };
  auto v = [&](float y) { return c[0].v + (y - c[0].y) * (c[3].v - c[0].v) / (c[3].y - c[0].y); };
  const float xs[4] = {x0, x1, x1, x0};
  const float ys[4] = {y0, y0, y1, y1};
  for (int i = 0; i < 4; ++i) {
    out[i] = c[i];
    out[i].x = xs[i];
    out[i].y = ys[i];
    out[i].u = u(xs[i]);
    out[i].v = v(ys[i]);
  }
}

}  // namespace

TexelRect SampledTexels(const Vertex (&c)[4], int width, int height, bool linear) {
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  // Upright (perhaps mirrored): top and bottom edges level, sides plumb, and the texture along.
  const bool upright = Upright(c);
  float u0 = std::min({c[0].u, c[1].u, c[2].u, c[3].u}) * w;
  float u1 = std::max({c[0].u, c[1].u, c[2].u, c[3].u}) * w;
  float v0 = std::min({c[0].v, c[1].v, c[2].v, c[3].v}) * h;
  float v1 = std::max({c[0].v, c[1].v, c[2].v, c[3].v}) * h;
  // One to one: as many pixels as texels, edges half a pixel off the centres, whole texel edges.
  const bool flatX = upright && Near(std::fabs(c[1].x - c[0].x), u1 - u0) && Whole(c[0].x + 0.5f) &&
                     Whole(u0) && Whole(u1);
  const bool flatY = upright && Near(std::fabs(c[3].y - c[0].y), v1 - v0) && Whole(c[0].y + 0.5f) &&
                     Whole(v0) && Whole(v1);
  TexelRect rect;
  AxisRange(u0, u1, flatX, linear, rect.left, rect.right);
  AxisRange(v0, v1, flatY, linear, rect.top, rect.bottom);
  // Coordinates beyond the edge read the edge texel.
  rect.left = std::clamp(rect.left, 0, width - 1);
  rect.right = std::clamp(rect.right, 0, width - 1);
  rect.top = std::clamp(rect.top, 0, height - 1);
  rect.bottom = std::clamp(rect.bottom, 0, height - 1);
  return rect;
}

OpaqueSplit SplitOpaque(const Vertex (&c)[4], OpacityMask& mask, bool linear, uint32_t minAlpha) {
  OpaqueSplit split;
  for (const Vertex& vertex : c) {
    if ((vertex.color >> 24) < minAlpha) return split;
  }
  const bool oneColour =
      c[0].color == c[1].color && c[0].color == c[2].color && c[0].color == c[3].color;
  if (!Upright(c) || !oneColour || Near(c[0].x, c[1].x) || Near(c[0].y, c[3].y)) {
    if (mask.Opaque(SampledTexels(c, mask.Width(), mask.Height(), linear))) {
      split.hasCore = true;
      std::copy(std::begin(c), std::end(c), std::begin(split.core));
    }
    return split;
  }
  const bool flipX = c[1].x < c[0].x;
  const bool flipY = c[3].y < c[0].y;
  const float w = static_cast<float>(mask.Width());
  const float h = static_cast<float>(mask.Height());
  const Axis ax{flipX ? c[1].x : c[0].x, flipX ? c[0].x : c[1].x, (flipX ? c[1].u : c[0].u) * w,
                (flipX ? c[0].u : c[1].u) * w, mask.Width()};
  const Axis ay{flipY ? c[3].y : c[0].y, flipY ? c[0].y : c[3].y, (flipY ? c[3].v : c[0].v) * h,
                (flipY ? c[0].v : c[3].v) * h, mask.Height()};
  TexelRect texels;
  float cx0 = 0, cx1 = 0, cy0 = 0, cy1 = 0;
  if (!CoreOfAxis(ax, linear, texels.left, texels.right, cx0, cx1) ||
      !CoreOfAxis(ay, linear, texels.top, texels.bottom, cy0, cy1) || !mask.Opaque(texels)) {
    return split;
  }
  split.hasCore = true;
  SubQuad(c, cx0, cy0, cx1, cy1, split.core);
  auto rim = [&](float x0, float y0, float x1, float y1) {
    if (x1 > x0 && y1 > y0) SubQuad(c, x0, y0, x1, y1, split.blended[split.blendedCount++]);
  };
  rim(ax.e0, ay.e0, ax.e1, cy0);
  rim(ax.e0, cy1, ax.e1, ay.e1);
  rim(ax.e0, cy0, cx0, cy1);
  rim(cx1, cy0, ax.e1, cy1);
  return split;
}

OpacityMask::OpacityMask(int width, int height, const uint32_t* argb)
    : width_(width), height_(height), wordsPerRow_((width + 63) / 64) {
  if (width <= 0 || height <= 0 || argb == nullptr) return;
  bits_.assign(static_cast<size_t>(wordsPerRow_) * static_cast<size_t>(height), 0);
  size_t opaque = 0;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = argb + static_cast<size_t>(y) * static_cast<size_t>(width);
    uint64_t* words = bits_.data() + static_cast<size_t>(y) * static_cast<size_t>(wordsPerRow_);
    for (int x = 0; x < width; ++x) {
      if ((row[x] >> 24) == 255) {
        words[x / 64] |= uint64_t{1} << (x % 64);
        ++opaque;
      }
    }
  }
  const size_t total = static_cast<size_t>(width) * static_cast<size_t>(height);
  allOpaque_ = opaque == total;
  noneOpaque_ = opaque == 0;
  if (allOpaque_ || noneOpaque_) bits_.clear();
}

bool OpacityMask::Opaque(const TexelRect& r) {
  if (allOpaque_) return true;
  if (noneOpaque_) return false;
  const TexelRect rect{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width_ - 1),
                       std::min(r.bottom, height_ - 1)};
  if (rect.left > rect.right || rect.top > rect.bottom) return false;
  const uint64_t key = static_cast<uint64_t>(rect.left) << 48 |
                       static_cast<uint64_t>(rect.top) << 32 |
                       static_cast<uint64_t>(rect.right) << 16 | static_cast<uint64_t>(rect.bottom);
  auto it = answers_.find(key);
  if (it != answers_.end()) return it->second;
  const bool opaque = Scan(rect);
  answers_.emplace(key, opaque);
  return opaque;
}

bool OpacityMask::Scan(const TexelRect& rect) const {
  const int firstWord = rect.left / 64;
  const int lastWord = rect.right / 64;
  for (int y = rect.top; y <= rect.bottom; ++y) {
    const uint64_t* words =
        bits_.data() + static_cast<size_t>(y) * static_cast<size_t>(wordsPerRow_);
    for (int word = firstWord; word <= lastWord; ++word) {
      const int from = word == firstWord ? rect.left % 64 : 0;
      const int to = word == lastWord ? rect.right % 64 : 63;
      const uint64_t wanted =
          (to == 63 ? ~uint64_t{0} : (uint64_t{1} << (to + 1)) - 1) & ~((uint64_t{1} << from) - 1);
      if ((words[word] & wanted) != wanted) return false;
    }
  }
  return true;
}

}  // namespace platform
