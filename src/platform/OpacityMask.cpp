// Opaque texels of a texture and the texels a quad samples.
#include "platform/OpacityMask.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "platform/QuadShape.h"

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
  return IsUpright(c, kSlack);
}

// One axis of an upright quad: its edges on screen, the texture coordinates (in texels) there.
struct Axis {
  float e0, e1;  // e0 < e1
  float t0, t1;  // at e0 and e1
  int size;      // texels along the axis
};

// The two axes of an upright quad, each running from its smaller screen edge to its larger one
// (a mirrored quad swaps its corners), with texel coordinates in texels.
std::pair<Axis, Axis> UprightAxes(const Vertex (&c)[4], const OpacityMask& mask) {
  const bool flipX = c[1].x < c[0].x;
  const bool flipY = c[3].y < c[0].y;
  const float w = static_cast<float>(mask.Width());
  const float h = static_cast<float>(mask.Height());
  return {Axis{flipX ? c[1].x : c[0].x, flipX ? c[0].x : c[1].x, (flipX ? c[1].u : c[0].u) * w,
               (flipX ? c[0].u : c[1].u) * w, mask.Width()},
          Axis{flipY ? c[3].y : c[0].y, flipY ? c[0].y : c[3].y, (flipY ? c[3].v : c[0].v) * h,
               (flipY ? c[0].v : c[3].v) * h, mask.Height()}};
}

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
  QuadPart(c, {x0, x1, x1, x0}, {y0, y0, y1, y1}, out);
}

// The texels pixel centre k of an axis reads: one when the axis shows texels one to one or
// filtering is nearest, else the two either side of the sample point (edges clamped).
void TexelsAt(const Axis& a, bool oneToOne, bool linear, int k, int& lo, int& hi) {
  const float t = a.t0 + (static_cast<float>(k) - a.e0) * (a.t1 - a.t0) / (a.e1 - a.e0);
  if (oneToOne || !linear) {
    lo = hi = std::clamp(static_cast<int>(std::floor(t)), 0, a.size - 1);
    return;
  }
  const int below = static_cast<int>(std::floor(t - 0.5f));
  lo = std::clamp(below, 0, a.size - 1);
  hi = std::clamp(below + 1, 0, a.size - 1);
}

bool OneToOne(const Axis& a) {
  const float lo = std::min(a.t0, a.t1);
  const float hi = std::max(a.t0, a.t1);
  return Near(a.e1 - a.e0, hi - lo) && Whole(a.e0 + 0.5f) && Whole(lo);
}

// The pixel edges [c0, c1] of the stretch of pixel centres of an axis for which `wanted` (given the
// texels a centre reads) holds, found by halving from the centre that reads texel `middle`. The
// stretch is one piece as the texture runs steadily along the axis; false when that centre is
// not in it.
template <typename Wanted>
bool PixelStretch(const Axis& a, bool linear, float middle, Wanted wanted, float& c0, float& c1) {
  const int k0 = static_cast<int>(std::floor(a.e0)) + 1;
  const int k1 = static_cast<int>(std::ceil(a.e1)) - 1;
  if (k1 < k0) return false;
  const bool oneToOne = OneToOne(a);
  auto reads = [&](int k) {
    int lo = 0, hi = 0;
    TexelsAt(a, oneToOne, linear, k, lo, hi);
    return wanted(lo, hi);
  };
  const float at = a.e0 + (middle - a.t0) * (a.e1 - a.e0) / (a.t1 - a.t0);
  const int km = std::clamp(static_cast<int>(std::lround(at)), k0, k1);
  if (!reads(km)) return false;
  int lo = k0, hi = km;  // the first centre wanted lies in [lo, hi]
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (reads(mid)) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  const int from = lo;
  lo = km;
  hi = k1;  // the last one in [lo, hi]
  while (lo < hi) {
    const int mid = lo + (hi - lo + 1) / 2;
    if (reads(mid)) {
      lo = mid;
    } else {
      hi = mid - 1;
    }
  }
  const int to = lo;
  c0 = from == k0 ? a.e0 : static_cast<float>(from) - 0.5f;
  c1 = to == k1 ? a.e1 : static_cast<float>(to) + 0.5f;
  return true;
}

// The pixel edges [c0, c1] of the pixel centres of an axis that read only texels in [b0, b1].
bool PixelsReading(const Axis& a, bool linear, int b0, int b1, float& c0, float& c1) {
  const float middle = (static_cast<float>(b0) + static_cast<float>(b1) + 1) / 2;
  return PixelStretch(
      a, linear, middle, [&](int lo, int hi) { return lo >= b0 && hi <= b1; }, c0, c1);
}

// Pixel rows per band: fewer follow a slanting edge more closely, more make fewer quads.
constexpr int kBandRows = 8;
// Columns of a band drawn unblended, or left out, come in runs at least this wide: narrower ones
// would cost more in quads than they save.
constexpr int kMinRun = 8;

}  // namespace

void SplitOpaqueBands(const Vertex (&c)[4], const OpacityMask& mask, bool linear, uint32_t minAlpha,
                      BandSplit& out) {
  out.opaque.clear();
  out.blended.clear();
  for (const Vertex& vertex : c) {
    if ((vertex.color >> 24) < minAlpha) return;
  }
  if (!Upright(c) || !IsOneColour(c) || Near(c[0].x, c[1].x) || Near(c[0].y, c[3].y)) return;
  const auto [ax, ay] = UprightAxes(c, mask);
  const bool oneToOneX = OneToOne(ax);
  const bool oneToOneY = OneToOne(ay);
  // The columns the quad reads at all.
  const int kx0 = static_cast<int>(std::floor(ax.e0)) + 1;
  const int kx1 = static_cast<int>(std::ceil(ax.e1)) - 1;
  const int ky0 = static_cast<int>(std::floor(ay.e0)) + 1;
  const int ky1 = static_cast<int>(std::ceil(ay.e1)) - 1;
  if (kx1 < kx0 || ky1 < ky0) return;
  int left = 0, right = 0, lo = 0, hi = 0;
  TexelsAt(ax, oneToOneX, linear, kx0, left, right);
  TexelsAt(ax, oneToOneX, linear, kx1, lo, hi);
  left = std::min({left, right, lo, hi});
  right = std::max({right, lo, hi, left});

  // Each band is a row of spans, opaque or blended; a band whose spans match the band above makes
  // that band's pieces grow downwards instead of adding its own.
  using Span = BandSplit::Span;
  auto& [spans, lastSpans, fixed, lastPieces, runs] = out.scratch;
  lastPieces.clear();
  lastSpans.clear();
  bool leftOut = false;
  for (int k = ky0; k <= ky1; k += kBandRows) {
    const int kEnd = std::min(k + kBandRows - 1, ky1);
    const float y0 = k == ky0 ? ay.e0 : static_cast<float>(k) - 0.5f;
    const float y1 = kEnd == ky1 ? ay.e1 : static_cast<float>(kEnd) + 0.5f;
    int top = 0, bottom = 0, a = 0, b = 0;
    TexelsAt(ay, oneToOneY, linear, k, top, bottom);
    TexelsAt(ay, oneToOneY, linear, kEnd, a, b);
    const int rowLo = std::min({top, bottom, a, b});
    const int rowHi = std::max({top, bottom, a, b});
    spans.clear();
    // Where runs of opaque or clear columns fall on the screen; between them the quad blends.
    mask.ColumnRuns(rowLo, rowHi, left, right, kMinRun, runs);
    fixed.clear();
    for (const OpacityMask::ColumnRun& run : runs) {
      float c0 = 0, c1 = 0;
      if (PixelsReading(ax, linear, run.from, run.to, c0, c1))
        fixed.push_back({c0, c1, run.opaque});
    }
    std::sort(fixed.begin(), fixed.end(),
              [](const Span& one, const Span& other) { return one.x0 < other.x0; });
    float x = ax.e0;
    for (Span span : fixed) {
      span.x0 = std::max(span.x0, x);
      if (span.x1 <= span.x0) continue;
      if (span.x0 > x) spans.push_back({x, span.x0, false});
      if (span.opaque) {
        spans.push_back(span);
      } else {
        leftOut = true;  // wholly clear: nothing to draw
      }
      x = span.x1;
    }
    if (x < ax.e1) spans.push_back({x, ax.e1, false});
    // Blended pieces never touch: a kept run at least eight columns wide stands between any two.
    if (k > ky0 && spans == lastSpans) {
      for (const auto& [opaque, index] : lastPieces) {
        Vertex(&piece)[4] = (opaque ? out.opaque : out.blended)[index].corners;
        SubQuad(c, piece[0].x, piece[0].y, piece[1].x, y1, piece);
      }
      continue;
    }
    lastPieces.clear();
    for (const Span& span : spans) {
      auto& list = span.opaque ? out.opaque : out.blended;
      lastPieces.emplace_back(span.opaque, list.size());
      SubQuad(c, span.x0, y0, span.x1, y1, list.emplace_back().corners);
    }
    std::swap(spans, lastSpans);
  }
  // Nothing to gain: the quad is drawn whole.
  if (out.opaque.empty() && !leftOut) out.blended.clear();
}

bool ShowsTexelsOneToOne(const Vertex (&c)[4], int width, int height) {
  if (!Upright(c)) return false;
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  const Axis ax{c[0].x, c[1].x, c[0].u * w, c[1].u * w, width};
  const Axis ay{c[0].y, c[3].y, c[0].v * h, c[3].v * h, height};
  auto flat = [](const Axis& a) {
    const float lo = std::min(a.t0, a.t1);
    const float hi = std::max(a.t0, a.t1);
    return Near(std::fabs(a.e1 - a.e0), hi - lo) && Whole(std::min(a.e0, a.e1) + 0.5f) &&
           Whole(lo) && Whole(hi);
  };
  return flat(ax) && flat(ay);
}

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
  if (!Upright(c) || !IsOneColour(c) || Near(c[0].x, c[1].x) || Near(c[0].y, c[3].y)) {
    if (mask.Opaque(SampledTexels(c, mask.Width(), mask.Height(), linear))) {
      split.hasCore = true;
      std::copy(std::begin(c), std::end(c), std::begin(split.core));
    }
    return split;
  }
  const auto [ax, ay] = UprightAxes(c, mask);
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

VisiblePart TrimToVisible(const Vertex (&c)[4], OpacityMask& mask, Vertex (&out)[4]) {
  if (Upright(c)) return VisiblePart::kWhole;
  // The texture must run along the quad's sides, and the quad be a parallelogram.
  if (c[0].v != c[1].v || c[3].v != c[2].v || c[0].u != c[3].u || c[1].u != c[2].u ||
      c[0].u == c[1].u || c[0].v == c[3].v ||
      std::fabs(c[0].x + c[2].x - c[1].x - c[3].x) > 1e-2f ||
      std::fabs(c[0].y + c[2].y - c[1].y - c[3].y) > 1e-2f) {
    return VisiblePart::kWhole;
  }
  const float w = static_cast<float>(mask.Width()), h = static_cast<float>(mask.Height());
  const float u0 = c[0].u * w, u1 = c[1].u * w, v0 = c[0].v * h, v1 = c[3].v * h;
  TexelRect box;
  if (!mask.VisibleBox(SampledTexels(c, mask.Width(), mask.Height(), true), box)) {
    return VisiblePart::kNothingVisible;
  }
  // A pixel sampling at texel coordinate t reads (filtered) the texels either side of t - 0.5:
  // beyond half a texel outside the box it reads only clear ones.
  const float uLo = std::max(std::min(u0, u1), static_cast<float>(box.left) - 0.5f);
  const float uHi = std::min(std::max(u0, u1), static_cast<float>(box.right) + 1.5f);
  const float vLo = std::max(std::min(v0, v1), static_cast<float>(box.top) - 0.5f);
  const float vHi = std::min(std::max(v0, v1), static_cast<float>(box.bottom) + 1.5f);
  // Where the new edges fall along each side, from the quad's first corner (0) to its last (1).
  const float s0 = ((u0 < u1 ? uLo : uHi) - u0) / (u1 - u0);
  const float s1 = ((u0 < u1 ? uHi : uLo) - u0) / (u1 - u0);
  const float r0 = ((v0 < v1 ? vLo : vHi) - v0) / (v1 - v0);
  const float r1 = ((v0 < v1 ? vHi : vLo) - v0) / (v1 - v0);
  if (s0 == 0 && s1 == 1 && r0 == 0 && r1 == 1) return VisiblePart::kWhole;
  if (s1 <= s0 || r1 <= r0) return VisiblePart::kNothingVisible;
  // Edges kept stay exactly where they were.
  auto lerp = [](float a, float b, float f) { return f == 0 ? a : f == 1 ? b : a + f * (b - a); };
  auto at = [&](float s, float r, Vertex& v) {
    v.x = lerp(lerp(c[0].x, c[1].x, s), lerp(c[3].x, c[2].x, s), r);
    v.y = lerp(lerp(c[0].y, c[1].y, s), lerp(c[3].y, c[2].y, s), r);
    v.u = lerp(c[0].u, c[1].u, s);
    v.v = lerp(c[0].v, c[3].v, r);
  };
  for (int i = 0; i < 4; ++i) out[i] = c[i];
  at(s0, r0, out[0]);
  at(s1, r0, out[1]);
  at(s1, r1, out[2]);
  at(s0, r1, out[3]);
  return VisiblePart::kTrimmed;
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
  visible_.assign(bits_.size(), 0);
  size_t visible = 0;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = argb + static_cast<size_t>(y) * static_cast<size_t>(width);
    uint64_t* words = visible_.data() + static_cast<size_t>(y) * static_cast<size_t>(wordsPerRow_);
    for (int x = 0; x < width; ++x) {
      if ((row[x] >> 24) != 0) {
        words[x / 64] |= uint64_t{1} << (x % 64);
        ++visible;
      }
    }
  }
  allVisible_ = visible == total;
  if (allVisible_) visible_.clear();
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

bool OpacityMask::VisibleBox(const TexelRect& r, TexelRect& box) {
  const TexelRect rect{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width_ - 1),
                       std::min(r.bottom, height_ - 1)};
  if (rect.left > rect.right || rect.top > rect.bottom) return false;
  if (allVisible_) {
    box = rect;
    return true;
  }
  const uint64_t key = static_cast<uint64_t>(rect.left) << 48 |
                       static_cast<uint64_t>(rect.top) << 32 |
                       static_cast<uint64_t>(rect.right) << 16 | static_cast<uint64_t>(rect.bottom);
  auto found = boxes_.find(key);
  if (found == boxes_.end()) {
    // Rows with anything visible bound it vertically; the columns seen in any row, across.
    TexelRect seen{width_, height_, -1, -1};
    const int firstWord = rect.left / 64, lastWord = rect.right / 64;
    for (int y = rect.top; y <= rect.bottom; ++y) {
      const uint64_t* words =
          visible_.data() + static_cast<size_t>(y) * static_cast<size_t>(wordsPerRow_);
      for (int word = firstWord; word <= lastWord; ++word) {
        const int from = word == firstWord ? rect.left % 64 : 0;
        const int to = word == lastWord ? rect.right % 64 : 63;
        const uint64_t wanted = (to == 63 ? ~uint64_t{0} : (uint64_t{1} << (to + 1)) - 1) &
                                ~((uint64_t{1} << from) - 1);
        const uint64_t bits = words[word] & wanted;
        if (bits == 0) continue;
        seen.top = std::min(seen.top, y);
        seen.bottom = y;
        seen.left = std::min(seen.left, word * 64 + std::countr_zero(bits));
        seen.right = std::max(seen.right, word * 64 + 63 - std::countl_zero(bits));
      }
    }
    found = boxes_.emplace(key, seen).first;
  }
  if (found->second.right < 0) return false;
  box = found->second;
  return true;
}

void OpacityMask::ColumnRuns(int top, int bottom, int left, int right, int minRun,
                             std::vector<ColumnRun>& out) const {
  out.clear();
  top = std::max(top, 0);
  bottom = std::min(bottom, height_ - 1);
  left = std::max(left, 0);
  right = std::min(right, width_ - 1);
  if (top > bottom || left > right) return;
  // Per word of 64 columns: opaque in every row, and clear in every row.
  const int firstWord = left / 64, lastWord = right / 64;
  std::vector<uint64_t>& opaque = opaqueWords_;
  std::vector<uint64_t>& clear = clearWords_;
  opaque.assign(static_cast<size_t>(lastWord - firstWord + 1), 0);
  clear.assign(opaque.size(), 0);
  for (int word = firstWord; word <= lastWord; ++word) {
    uint64_t all = allOpaque_ ? ~uint64_t{0} : 0, any = allVisible_ ? ~uint64_t{0} : 0;
    if (!allOpaque_ && !noneOpaque_) {
      all = ~uint64_t{0};
      for (int y = top; y <= bottom && all != 0; ++y)
        all &= bits_[static_cast<size_t>(y) * static_cast<size_t>(wordsPerRow_) +
                     static_cast<size_t>(word)];
    }
    if (!allVisible_) {
      for (int y = top; y <= bottom && any != ~uint64_t{0}; ++y)
        any |= visible_[static_cast<size_t>(y) * static_cast<size_t>(wordsPerRow_) +
                        static_cast<size_t>(word)];
    }
    opaque[static_cast<size_t>(word - firstWord)] = all;
    clear[static_cast<size_t>(word - firstWord)] = ~any;
  }
  // Runs of set bits in [left, right], a word at a time.
  auto runsOf = [&](const std::vector<uint64_t>& bits, bool isOpaque) {
    auto at = [&](int x) { return bits[static_cast<size_t>(x / 64 - firstWord)] >> (x % 64); };
    int x = left;
    while (x <= right) {
      if ((at(x) & 1) == 0) {
        const uint64_t word = at(x);
        x += word == 0 ? 64 - x % 64 : std::countr_zero(word);
        continue;
      }
      const int start = x;
      while (x <= right && (at(x) & 1) != 0) x += std::max(1, std::countr_one(at(x)));
      const int end = std::min(x, right + 1);
      if (end - start >= minRun) out.push_back({start, end - 1, isOpaque});
    }
  };
  runsOf(opaque, true);
  runsOf(clear, false);
  std::sort(out.begin(), out.end(),
            [](const ColumnRun& a, const ColumnRun& b) { return a.from < b.from; });
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
