// Fixed-metric fonts for runs without a display.
#include "platform/null/NullPlatform.h"

namespace platform {
namespace {

// Code points in a UTF-8 text.
int CountCharacters(const std::string& utf8) {
  int count = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

bool NullFontRasterizer::Measure(FontId font, const std::string& utf8, int& width, int& height) {
  if (font == 0) return false;
  const int size = static_cast<int>(font);
  width = CountCharacters(utf8) * (size * 6 / 10);
  height = size * 12 / 10;
  return true;
}

bool NullFontRasterizer::Render(FontId font, const std::string& utf8, bool, AlphaBitmap& out) {
  int width = 0;
  int height = 0;
  if (!Measure(font, utf8, width, height)) return false;
  out.width = width;
  out.height = height;
  out.alpha.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  // A filled box per character, one pixel apart, so tests can see where glyphs land.
  const int cell = static_cast<int>(font) * 6 / 10;
  for (int y = 1; y + 1 < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (cell > 1 && x % cell != cell - 1) out.alpha[static_cast<size_t>(y * width + x)] = 255;
    }
  }
  return true;
}

}  // namespace platform
