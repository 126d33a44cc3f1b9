// A deterministic font rasteriser for tests: every character is a box half as wide as the font is
// tall.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/FontRasterizer.h"

namespace enginetest {

class FakeFontRasterizer : public platform::FontRasterizer {
 public:
  struct Opened {
    std::string face;
    int pixelHeight;
    platform::FontStyle style;
  };

  platform::FontId OpenFont(const std::string& face, int pixelHeight,
                            platform::FontStyle style) override {
    if (face == "Missing") return 0;
    opened.push_back({face, pixelHeight, style});
    fonts_[next_] = pixelHeight;
    return next_++;
  }
  void CloseFont(platform::FontId font) override { fonts_.erase(font); }
  bool Measure(platform::FontId font, const std::string& utf8, int& width, int& height) override {
    const auto found = fonts_.find(font);
    if (found == fonts_.end()) return false;
    width = CodePoints(utf8) * (found->second / 2);
    height = found->second;
    return true;
  }
  bool Render(platform::FontId font, const std::string& utf8, bool antialias,
              platform::AlphaBitmap& out) override {
    int width = 0;
    int height = 0;
    if (!Measure(font, utf8, width, height)) return false;
    ++renders;
    lastAntialias = antialias;
    out.width = width;
    out.height = height;
    out.alpha.assign(static_cast<size_t>(width * height), coverage);
    return true;
  }

  std::vector<Opened> opened;
  int renders = 0;
  bool lastAntialias = false;
  uint8_t coverage = 100;

  int OpenCount() const { return static_cast<int>(fonts_.size()); }

 private:
  static int CodePoints(const std::string& utf8) {
    int n = 0;
    for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
  }
  std::map<platform::FontId, int> fonts_;
  platform::FontId next_ = 1;
};

}  // namespace enginetest
