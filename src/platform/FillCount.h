// How many pixels a render device fills, per texture, split into those drawn over the background
// (opaque) and those blended with it: the measure of a software rasteriser's work.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "platform/RenderDevice.h"

namespace platform {

struct FillCount {
  double opaque = 0;   // pixels written without reading the background
  double blended = 0;  // pixels blended with what lies under them
  uint64_t quads = 0;
};

// Texture 0 holds the untextured quads; kClearFill the frame clears.
using FillTable = std::unordered_map<TextureId, FillCount>;
inline constexpr TextureId kClearFill = 0xFFFFFFFFu;

// The area, in pixels, of the part of a quad that lies on a width x height back buffer (pixel
// centres on integer coordinates, as the engine places corners).
double CoveredPixels(const Vertex (&corners)[4], int width, int height);

}  // namespace platform
