// Fuzz target: the PNG decoder on any bytes, and the encoder on whatever it decodes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "engine/PngCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::Pixels pixels;
  if (!engine::DecodePng(data, size, pixels)) return 0;
  // Small pictures only: a huge one proves nothing more and slows the run.
  if (pixels.argb.size() > (1u << 16)) return 0;
  const std::vector<uint8_t> png = engine::EncodePng(pixels);
  platform::Pixels again;
  fuzzcheck::Require(engine::DecodePng(png.data(), png.size(), again),
                     "an encoded picture decodes");
  fuzzcheck::Require(
      again.width == pixels.width && again.height == pixels.height && again.argb == pixels.argb,
      "a picture survives encoding");
  return 0;
}
