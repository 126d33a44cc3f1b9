// TOmegaFont: system-font text through a cache of rendered strings, tinted by the vertex colour.
#include "engine/OmegaFont.h"

#include <cmath>
#include <vector>

#include "engine/OmegaSprite.h"
#include "platform/Text1251.h"

namespace engine {

TOmegaFont::TOmegaFont(TOmegaScreen* screen, platform::FontRasterizer* rasterizer)
    : rasterizer_(rasterizer) {
  SetOmegaScreen(screen);
}

TOmegaFont::~TOmegaFont() {
  ClearCache();
  if (font_ != 0 && rasterizer_ != nullptr) rasterizer_->CloseFont(font_);
  if (screen_ != nullptr) screen_->RemoveComponent(this);
}

void TOmegaFont::SetOmegaScreen(TOmegaScreen* screen) {
  if (screen == screen_) return;
  if (screen_ != nullptr) {
    ReleaseTextures();
    screen_->RemoveComponent(this);
  }
  screen_ = screen;
  if (screen_ != nullptr) screen_->AddComponent(this);
}

bool TOmegaFont::SetFont(const std::string& name, int32_t size, platform::FontStyle style) {
  Red = Green = Blue = Alpha = 255;
  const bool same = font_ != 0 && name == fontName_ && size == size_ && style.bold == style_.bold &&
                    style.italic == style_.italic && style.underline == style_.underline &&
                    style.strikeOut == style_.strikeOut;
  if (same) return true;  // the rendered strings stay valid
  ClearCache();
  if (font_ != 0 && rasterizer_ != nullptr) rasterizer_->CloseFont(font_);
  font_ = 0;
  fontName_ = name;
  size_ = size;
  style_ = style;
  if (rasterizer_ == nullptr) return false;
  const auto pixels = static_cast<int32_t>(std::lround(size * 4.0 / 3.0));
  font_ = rasterizer_->OpenFont(name, pixels < 1 ? 1 : pixels, style);
  return font_ != 0;
}

void TOmegaFont::SetColor(uint32_t argb) {
  Alpha = static_cast<uint8_t>(argb >> 24);
  Red = static_cast<uint8_t>(argb >> 16);
  Green = static_cast<uint8_t>(argb >> 8);
  Blue = static_cast<uint8_t>(argb);
}

uint32_t TOmegaFont::Color() const {
  return PackARGB(Alpha, Red, Green, Blue);
}

void TOmegaFont::SetCacheLimit(size_t entries) {
  cacheLimit_ = entries < 1 ? 1 : entries;
  Evict();
}

TOmegaFont::Entry& TOmegaFont::Lookup(const std::string& text) {
  const auto found = index_.find(text);
  if (found != index_.end()) {
    cache_.splice(cache_.begin(), cache_, found->second);
    return cache_.front();
  }
  cache_.push_front(Entry{});
  cache_.front().text = text;
  index_[text] = cache_.begin();
  Evict();
  return cache_.front();
}

void TOmegaFont::Evict() {
  while (cache_.size() > cacheLimit_) {
    Entry& last = cache_.back();
    if (last.texture != 0 && textureDevice_ != nullptr)
      textureDevice_->DestroyTexture(last.texture);
    index_.erase(last.text);
    cache_.pop_back();
  }
}

void TOmegaFont::ReleaseTextures() {
  for (Entry& entry : cache_) {
    if (entry.texture != 0 && textureDevice_ != nullptr)
      textureDevice_->DestroyTexture(entry.texture);
    entry.texture = 0;
    entry.renderFailed = false;
  }
  textureDevice_ = nullptr;
}

void TOmegaFont::ClearCache() {
  ReleaseTextures();
  cache_.clear();
  index_.clear();
}

void TOmegaFont::ScreenShutdown() {
  ReleaseTextures();
}

void TOmegaFont::Measure(Entry& entry) {
  if (entry.measured) return;
  entry.measured = true;
  if (!rasterizer_->Measure(font_, platform::Cp1251ToUtf8(entry.text), entry.width, entry.height)) {
    entry.width = entry.height = 0;
  }
}

int32_t TOmegaFont::TextWidth(const std::string& text) {
  if (font_ == 0 || rasterizer_ == nullptr) return 0;
  Entry& entry = Lookup(text);
  Measure(entry);
  return entry.width;
}

int32_t TOmegaFont::TextHeight(const std::string& text) {
  if (font_ == 0 || rasterizer_ == nullptr) return 0;
  Entry& entry = Lookup(text);
  Measure(entry);
  return entry.height;
}

void TOmegaFont::TextOut(int32_t x, int32_t y, const std::string& text) {
  Draw(x, y, text, PackARGB(Alpha, Red, Green, Blue));
}

void TOmegaFont::TextOutInverse(int32_t x, int32_t y, const std::string& text) {
  Draw(x, y, text, PackARGB(Alpha, 255 - Red, 255 - Green, 255 - Blue));
}

void TOmegaFont::Draw(int32_t x, int32_t y, const std::string& text, uint32_t color) {
  if (font_ == 0 || rasterizer_ == nullptr || screen_ == nullptr || text.empty()) return;
  platform::RenderDevice* device = screen_->Device();
  if (device == nullptr) return;
  Entry& entry = Lookup(text);
  if (entry.texture == 0 && !entry.renderFailed) {
    // Coverage in white: the vertex colour tints it, so one texture serves every colour.
    platform::AlphaBitmap bitmap;
    if (rasterizer_->Render(font_, platform::Cp1251ToUtf8(text), true, bitmap) &&
        bitmap.width > 0 && bitmap.height > 0) {
      std::vector<uint32_t> texels(bitmap.alpha.size());
      for (size_t i = 0; i < texels.size(); ++i) {
        const uint32_t a = bitmap.alpha[i];
        texels[i] = a == 0 ? 0u : a << 24 | 0x00FFFFFFu;
      }
      entry.texture = device->CreateTexture(bitmap.width, bitmap.height, texels.data());
      entry.textureWidth = bitmap.width;
      entry.textureHeight = bitmap.height;
      textureDevice_ = device;
    }
    entry.renderFailed = entry.texture == 0;
  }
  if (entry.texture == 0) return;

  // Half a pixel up and left, so texels land on pixel centres.
  const float left = static_cast<float>(x) - 0.5f;
  const float top = static_cast<float>(y) - 0.5f;
  const float right = left + static_cast<float>(entry.textureWidth);
  const float bottom = top + static_cast<float>(entry.textureHeight);
  platform::Vertex corners[4];
  corners[0].x = left;
  corners[0].y = top;
  corners[1].x = right;
  corners[1].y = top;
  corners[1].u = 1;
  corners[2].x = right;
  corners[2].y = bottom;
  corners[2].u = 1;
  corners[2].v = 1;
  corners[3].x = left;
  corners[3].y = bottom;
  corners[3].v = 1;
  for (platform::Vertex& corner : corners) corner.color = color;
  // Text always blends normally, whatever mode the last picture left set.
  const int previous = screen_->BlendMode();
  screen_->SetBlendMode(0);
  screen_->DrawQuad(entry.texture, corners);
  if (previous > 0) screen_->SetBlendMode(previous);
}

}  // namespace engine
