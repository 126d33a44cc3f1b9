// PNG codec: every colour type, bit depth and interlace decodes to ARGB; encoding is exact and
// repeatable; damaged files are refused without a crash.
#include "engine/PngCodec.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using engine::DecodePng;
using engine::EncodePng;

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
  PutU32(out, static_cast<uint32_t>(body.size()));
  std::vector<uint8_t> typed(type, type + 4);
  typed.insert(typed.end(), body.begin(), body.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutU32(out, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// Builds a PNG by hand, so formats our encoder never writes can be tested. Sample(x, y, channel)
// gives raw sample values at the given bit depth; Adam7 passes are laid out when interlaced.
std::vector<uint8_t> HandMadePng(int width, int height, int colorType, int bitDepth, bool interlace,
                                 const std::function<int(int, int, int)>& sample,
                                 const std::vector<uint8_t>& plte = {},
                                 const std::vector<uint8_t>& trns = {}) {
  const int channels = colorType == 0 || colorType == 3 ? 1
                       : colorType == 2                 ? 3
                       : colorType == 4                 ? 2
                                                        : 4;
  struct Pass {
    int x0, y0, dx, dy;
  };
  const std::vector<Pass> passes =
      interlace ? std::vector<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                    {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
                : std::vector<Pass>{{0, 0, 1, 1}};
  std::vector<uint8_t> raw;
  for (const Pass& p : passes) {
    for (int y = p.y0; y < height; y += p.dy) {
      if (p.x0 >= width) break;
      raw.push_back(0);  // filter: none
      int bitPos = 0;
      uint8_t acc = 0;
      for (int x = p.x0; x < width; x += p.dx) {
        for (int c = 0; c < channels; ++c) {
          const int v = sample(x, y, c);
          if (bitDepth == 16) {
            raw.push_back(static_cast<uint8_t>(v >> 8));
            raw.push_back(static_cast<uint8_t>(v));
          } else if (bitDepth == 8) {
            raw.push_back(static_cast<uint8_t>(v));
          } else {
            acc = static_cast<uint8_t>(acc | v << (8 - bitDepth - bitPos));
            bitPos += bitDepth;
            if (bitPos == 8) {
              raw.push_back(acc);
              acc = 0;
              bitPos = 0;
            }
          }
        }
      }
      if (bitPos != 0) raw.push_back(acc);
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
  packed.resize(packedSize);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  PutU32(ihdr, static_cast<uint32_t>(width));
  PutU32(ihdr, static_cast<uint32_t>(height));
  ihdr.insert(ihdr.end(), {static_cast<uint8_t>(bitDepth), static_cast<uint8_t>(colorType), 0, 0,
                           static_cast<uint8_t>(interlace ? 1 : 0)});
  Chunk(png, "IHDR", ihdr);
  if (!plte.empty()) Chunk(png, "PLTE", plte);
  if (!trns.empty()) Chunk(png, "tRNS", trns);
  Chunk(png, "IDAT", packed);
  Chunk(png, "IEND", {});
  return png;
}

platform::Pixels Decode(const std::vector<uint8_t>& png) {
  platform::Pixels out;
  EXPECT_TRUE(DecodePng(png.data(), png.size(), out));
  return out;
}

platform::Pixels NoisyPicture(int width, int height, uint32_t seed) {
  platform::Pixels p{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    seed = seed * 134775813u + 1;
    p.argb.push_back(seed);
  }
  return p;
}

TEST(PngCodecTest, EncodeDecodeIsExactAndRepeatable) {
  const platform::Pixels picture = NoisyPicture(37, 11, 7);
  const std::vector<uint8_t> png = EncodePng(picture);
  ASSERT_FALSE(png.empty());
  EXPECT_EQ(png, EncodePng(picture));  // same pixels, same bytes
  const platform::Pixels back = Decode(png);
  EXPECT_EQ(back.width, 37);
  EXPECT_EQ(back.height, 11);
  EXPECT_EQ(back.argb, picture.argb);  // alpha, red, green and blue all in their places

  EXPECT_TRUE(EncodePng(platform::Pixels{}).empty());
  EXPECT_TRUE(EncodePng(platform::Pixels{2, 2, {1, 2, 3}}).empty());  // size does not match
}

TEST(PngCodecTest, LowBitDepthGreyAndPaletteWithTransparency) {
  // 1-bit grey, 5 wide: rows end in the middle of a byte.
  const auto grey =
      Decode(HandMadePng(5, 2, 0, 1, false, [](int x, int y, int) { return (x + y) & 1; }));
  ASSERT_EQ(grey.argb.size(), 10u);
  EXPECT_EQ(grey.argb[0], 0xFF000000u);
  EXPECT_EQ(grey.argb[1], 0xFFFFFFFFu);
  EXPECT_EQ(grey.argb[5], 0xFFFFFFFFu);

  // 2-bit palette whose entry 1 is half transparent and entry 2 fully so.
  const std::vector<uint8_t> plte = {255, 0, 0, 0, 255, 0, 0, 0, 255};
  const auto pal = Decode(
      HandMadePng(3, 1, 3, 2, false, [](int x, int, int) { return x; }, plte, {255, 128, 0}));
  ASSERT_EQ(pal.argb.size(), 3u);
  EXPECT_EQ(pal.argb[0], 0xFFFF0000u);
  EXPECT_EQ(pal.argb[1], 0x8000FF00u);
  EXPECT_EQ(pal.argb[2], 0x000000FFu);

  // Grey with a transparent grey value.
  const auto keyed =
      Decode(HandMadePng(2, 1, 0, 8, false, [](int x, int, int) { return x * 200; }, {}, {0, 200}));
  EXPECT_EQ(keyed.argb[0], 0xFF000000u);
  EXPECT_EQ(keyed.argb[1], 0x00C8C8C8u);
}

TEST(PngCodecTest, SixteenBitAndInterlacedGreyAlpha) {
  const auto deep = Decode(HandMadePng(2, 1, 2, 16, false, [](int x, int, int c) {
    const int values[2][3] = {{0xFFFF, 0x0000, 0x8080}, {0x1010, 0xFEFE, 0x0000}};
    return values[x][c];
  }));
  ASSERT_EQ(deep.argb.size(), 2u);
  EXPECT_EQ(deep.argb[0], 0xFFFF0080u);
  EXPECT_EQ(deep.argb[1], 0xFF10FE00u);

  // Adam7 with a size that leaves some passes empty or partial.
  const auto sample = [](int x, int y, int c) { return c == 0 ? (x * 20 + y * 3) & 255 : 255 - x; };
  const auto woven = Decode(HandMadePng(9, 5, 4, 8, true, sample));
  ASSERT_EQ(woven.width, 9);
  ASSERT_EQ(woven.height, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 9; ++x) {
      const uint32_t g = static_cast<uint32_t>(sample(x, y, 0));
      const uint32_t expected = static_cast<uint32_t>(sample(x, y, 1)) << 24 | g << 16 | g << 8 | g;
      ASSERT_EQ(woven.argb[static_cast<size_t>(y * 9 + x)], expected) << x << "," << y;
    }
  }
}

TEST(PngCodecTest, DamagedFilesAreRefusedWithoutCrashing) {
  const std::vector<uint8_t> good = EncodePng(NoisyPicture(16, 16, 3));
  platform::Pixels out;
  // Every truncation: the copy is exactly as long as the prefix, so an over-read is a real fault.
  for (size_t length = 0; length < good.size(); ++length) {
    std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(length));
    EXPECT_FALSE(DecodePng(cut.data(), cut.size(), out)) << length;
    EXPECT_TRUE(out.argb.empty());
  }
  std::vector<uint8_t> badCrc = good;
  badCrc[20] ^= 0x40;  // inside IHDR
  EXPECT_FALSE(DecodePng(badCrc.data(), badCrc.size(), out));
  std::vector<uint8_t> badSignature = good;
  badSignature[1] = 'Q';
  EXPECT_FALSE(DecodePng(badSignature.data(), badSignature.size(), out));
  EXPECT_FALSE(DecodePng(nullptr, 100, out));

  // A header claiming a gigantic picture is refused before anything is allocated.
  const auto huge = HandMadePng(1, 1, 0, 8, false, [](int, int, int) { return 0; });
  std::vector<uint8_t> patched = huge;
  patched[16] = 0x7F;  // width 0x7F000001
  const uint32_t crc = static_cast<uint32_t>(crc32(0, patched.data() + 12, 17));
  for (int i = 0; i < 4; ++i) patched[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  EXPECT_FALSE(DecodePng(patched.data(), patched.size(), out));
}

}  // namespace
