// TOmegaFont: plain text in a system font, rasterised once per distinct string and tinted per draw.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

#include "engine/OmegaScreen.h"
#include "platform/FontRasterizer.h"
#include "platform/RenderDevice.h"

namespace engine {

class TOmegaFont : public ScreenComponent {
 public:
  static constexpr size_t kDefaultCacheLimit = 256;

  // Registers with the screen (may be null); the rasterizer draws the glyphs (may be null: no
  // text).
  TOmegaFont(TOmegaScreen* screen, platform::FontRasterizer* rasterizer);
  ~TOmegaFont() override;
  TOmegaFont(const TOmegaFont&) = delete;
  TOmegaFont& operator=(const TOmegaFont&) = delete;

  // Colour bytes; the game may write them directly.
  uint8_t Red = 255;
  uint8_t Blue = 255;
  uint8_t Green = 255;
  uint8_t Alpha = 255;

  // Opens the system font (points at 96 dpi: pixels = points * 4 / 3, rounded) and resets the
  // colour to opaque white. False when no font could be opened: text then draws nothing.
  bool SetFont(const std::string& name, int32_t size, platform::FontStyle style);
  void SetColor(uint32_t argb);
  uint32_t Color() const;
  const std::string& FontName() const { return fontName_; }
  int32_t Size() const { return size_; }
  platform::FontStyle Style() const { return style_; }

  TOmegaScreen* OmegaScreen() const { return screen_; }
  void SetOmegaScreen(TOmegaScreen* screen);

  // Draws Text (code page 1251) with its top-left at (X, Y), unclipped, in the stored colour.
  void TextOut(int32_t x, int32_t y, const std::string& text);
  // The same with red, green and blue inverted.
  void TextOutInverse(int32_t x, int32_t y, const std::string& text);
  // Size of the text in pixels (0 without a font).
  int32_t TextWidth(const std::string& text);
  int32_t TextHeight(const std::string& text);

  // Rendered strings kept (least recently used ones go first).
  void SetCacheLimit(size_t entries);
  size_t CacheSize() const { return cache_.size(); }

  void ScreenStartup() override {}
  void ScreenShutdown() override;

 private:
  struct Entry {
    std::string text;
    platform::TextureId texture = 0;
    int32_t textureWidth = 0;
    int32_t textureHeight = 0;
    bool renderFailed = false;
    bool measured = false;
    int32_t width = 0;
    int32_t height = 0;
  };
  using EntryList = std::list<Entry>;

  Entry& Lookup(const std::string& text);
  void Measure(Entry& entry);
  void Evict();
  void ReleaseTextures();
  void ClearCache();
  void Draw(int32_t x, int32_t y, const std::string& text, uint32_t color);

  TOmegaScreen* screen_ = nullptr;
  platform::FontRasterizer* rasterizer_ = nullptr;
  platform::FontId font_ = 0;
  std::string fontName_;
  int32_t size_ = 0;
  platform::FontStyle style_;
  EntryList cache_;  // most recently used first
  std::unordered_map<std::string, EntryList::iterator> index_;
  size_t cacheLimit_ = kDefaultCacheLimit;
  platform::RenderDevice* textureDevice_ = nullptr;
};

}  // namespace engine
