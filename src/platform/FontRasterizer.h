// Rasterises system fonts (chosen by face name, pixel size and style) into alpha bitmaps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct FontStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

// Coverage of rendered text: 0 = empty, 255 = full, Width * Height bytes row-major.
struct AlphaBitmap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> alpha;
};

using FontId = uint32_t;  // 0 means "no font"

class FontRasterizer {
 public:
  virtual ~FontRasterizer() = default;
  // Opens the closest installed font for a face name. Returns 0 when none can be opened.
  virtual FontId OpenFont(const std::string& face, int pixelHeight, FontStyle style) = 0;
  virtual void CloseFont(FontId font) = 0;
  // Size of a UTF-8 text in pixels (height = the font's line height).
  virtual bool Measure(FontId font, const std::string& utf8, int& width, int& height) = 0;
  // Renders UTF-8 text as coverage; antialiased unless asked otherwise.
  virtual bool Render(FontId font, const std::string& utf8, bool antialias, AlphaBitmap& out) = 0;
};

}  // namespace platform
