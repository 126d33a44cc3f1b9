// PNG files in memory to ARGB pictures and back (the picture format of the image archives).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/RenderDevice.h"

namespace engine {

// Decodes any PNG (every colour type, bit depth and interlace) to 8-bit ARGB (0xAARRGGBB). Gamma
// chunks are ignored: the stored values are the values shown. Damaged or truncated data gives false
// and leaves Out empty.
bool DecodePng(const uint8_t* data, size_t size, platform::Pixels& out);

// Encodes ARGB pixels as an 8-bit RGBA PNG. The same pixels always give the same bytes. An empty or
// inconsistent picture gives an empty result. Fast trades some size for far less time (one row
// filter, quickest deflate): for the many large pictures the asset builder writes.
std::vector<uint8_t> EncodePng(const platform::Pixels& pixels, bool fast = false);

}  // namespace engine
