// PNG decoding and encoding through libpng, with libpng's errors caught by its setjmp protocol.
#include "engine/PngCodec.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <limits>

namespace engine {
namespace {

// Pictures larger than this are refused before any allocation (a damaged header must not ask for
// gigabytes).
constexpr png_uint_32 kMaxSide = 16384;

struct ReadSource {
  const uint8_t* data;
  size_t size;
  size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<ReadSource*>(png_get_io_ptr(png));
  if (length > source->size - source->position) png_error(png, "unexpected end of data");
  std::memcpy(out, source->data + source->position, length);
  source->position += length;
}

void WriteToMemory(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

// Errors end up at the setjmp below; nothing is printed.
[[noreturn]] void OnError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

// The libpng part of decoding. Only plain pointers live in this frame across setjmp, so a longjmp
// skips no destructor; the row buffer belongs to the caller.
bool DecodeRows(png_structp png, png_infop info, ReadSource* source, std::vector<uint8_t>* rgba,
                std::vector<png_bytep>* rows, png_uint_32* width, png_uint_32* height) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, source, ReadFromMemory);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_read_info(png, info);
  *width = png_get_image_width(png, info);
  *height = png_get_image_height(png, info);
  const int colorType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_scale_16(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // only acts when there is no alpha channel
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  if (rowBytes != static_cast<size_t>(*width) * 4) png_error(png, "unexpected row layout");
  rgba->resize(rowBytes * *height);
  rows->resize(*height);
  for (png_uint_32 y = 0; y < *height; ++y) (*rows)[y] = rgba->data() + rowBytes * y;
  png_read_image(png, rows->data());
  png_read_end(png, nullptr);  // a file cut off before its end chunk counts as damaged
  return true;
}

bool EncodeRows(png_structp png, png_infop info, std::vector<uint8_t>* out,
                std::vector<png_bytep>* rows, const platform::Pixels* pixels, bool fast) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, out, WriteToMemory, FlushNothing);
  if (fast) {
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_compression_level(png, 1);
  }
  png_set_IHDR(png, info, static_cast<png_uint_32>(pixels->width),
               static_cast<png_uint_32>(pixels->height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows->data());
  png_write_end(png, info);
  return true;
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, platform::Pixels& out) {
  out = platform::Pixels{};
  if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  ReadSource source{data, size, 0};
  std::vector<uint8_t> rgba;
  std::vector<png_bytep> rows;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  const bool ok = DecodeRows(png, info, &source, &rgba, &rows, &width, &height);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok || width == 0 || height == 0) return false;

  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.argb.resize(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < out.argb.size(); ++i) {
    const uint8_t* p = &rgba[i * 4];
    out.argb[i] = static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(p[0]) << 16 |
                  static_cast<uint32_t>(p[1]) << 8 | p[2];
  }
  return true;
}

std::vector<uint8_t> EncodePng(const platform::Pixels& pixels, bool fast) {
  std::vector<uint8_t> out;
  if (pixels.width <= 0 || pixels.height <= 0 ||
      pixels.argb.size() !=
          static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height)) {
    return out;
  }
  std::vector<uint8_t> rgba(pixels.argb.size() * 4);
  for (size_t i = 0; i < pixels.argb.size(); ++i) {
    const uint32_t c = pixels.argb[i];
    rgba[i * 4 + 0] = static_cast<uint8_t>(c >> 16);
    rgba[i * 4 + 1] = static_cast<uint8_t>(c >> 8);
    rgba[i * 4 + 2] = static_cast<uint8_t>(c);
    rgba[i * 4 + 3] = static_cast<uint8_t>(c >> 24);
  }
  std::vector<png_bytep> rows(static_cast<size_t>(pixels.height));
  const size_t rowBytes = static_cast<size_t>(pixels.width) * 4;
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = rgba.data() + rowBytes * y;

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (png == nullptr) return out;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return out;
  }
  const bool ok = EncodeRows(png, info, &out, &rows, &pixels, fast);
  png_destroy_write_struct(&png, &info);
  if (!ok) out.clear();
  return out;
}

}  // namespace engine
