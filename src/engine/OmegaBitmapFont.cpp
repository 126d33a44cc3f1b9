// TOmegaBitmapFont: glyph tables from image cells or a rasterised system font, and glyph-quad text.
#include "engine/OmegaBitmapFont.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/Messages.h"
#include "engine/OmegaImageList.h"
#include "engine/OmegaSprite.h"
#include "platform/Text1251.h"

namespace engine {
namespace {

constexpr int32_t kLogicalDpi = 96;

// Windows' MulDiv: A * B / C rounded to the nearest integer.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return 0;
  return static_cast<int32_t>(std::lround(static_cast<double>(a) * b / c));
}

// Rounding to the nearest integer with ties to even, as the glyph maths has always rounded.
int32_t RoundEven(double value) {
  return static_cast<int32_t>(std::nearbyint(value));
}

int32_t TextureSideFor(int32_t characterCount, int32_t size, int32_t flags) {
  if ((flags & TOmegaBitmapFont::kFixedCells) != 0) {
    const double area = static_cast<double>(characterCount) * 2.0 * (size + 1.0) * (size + 1.0);
    const int32_t wanted = RoundEven(std::sqrt(area));
    int32_t side = 1;
    while (side < wanted && side < (1 << 16)) side *= 2;
    return side;
  }
  if (size <= 20) return 256;
  if (size <= 40) return 512;
  return 1024;
}

}  // namespace

const std::string& TOmegaBitmapFont::DefaultCharacters() {
  static const std::string set = [] {
    std::string s;
    for (int c = 32; c <= 64; ++c) s += static_cast<char>(c);
    s += Ru("ЯФЙЦЫЧСВУКАМИПЕНРТЬОГШЛБЮДЩЗЖЁЪХЭ");
    s += "[\\]^_`";
    s += Ru("йфячыцувсмакепитрнгоьблшщдюжзёъхэ");
    s += "{|}~";
    return s;
  }();
  return set;
}

TOmegaBitmapFont::TOmegaBitmapFont(TOmegaScreen* screen, platform::FontRasterizer* rasterizer)
    : rasterizer_(rasterizer) {
  SetCharacters(std::string());
  SetOmegaScreen(screen);
}

TOmegaBitmapFont::~TOmegaBitmapFont() {
  ReleaseGenerated();
  if (screen_ != nullptr) screen_->RemoveComponent(this);
}

void TOmegaBitmapFont::RepackColors() {
  Color1 = Color2 = Color3 = Color4 = PackARGB(Alpha, Red, Green, Blue);
}

void TOmegaBitmapFont::SetRed(int32_t value) {
  Red = value;
  RepackColors();
}

void TOmegaBitmapFont::SetGreen(int32_t value) {
  Green = value;
  RepackColors();
}

void TOmegaBitmapFont::SetBlue(int32_t value) {
  Blue = value;
  RepackColors();
}

void TOmegaBitmapFont::SetAlpha(int32_t value) {
  Alpha = value;
  RepackColors();
}

void TOmegaBitmapFont::SetOmegaScreen(TOmegaScreen* screen) {
  if (screen == screen_) return;
  if (screen_ != nullptr) {
    ScreenShutdown();
    screen_->RemoveComponent(this);
  }
  screen_ = screen;
  if (screen_ != nullptr) screen_->AddComponent(this);
}

void TOmegaBitmapFont::SetOmegaImageList(TOmegaImageList* list) {
  imageList_ = list;
  if (imageList_ != nullptr && imageList_->Items(imageIndex_) != nullptr) request_.active = false;
  ApplyImage();
}

void TOmegaBitmapFont::SetOmegaImageIndex(int32_t value) {
  if (value < 0) return;
  imageIndex_ = value;
  if (imageList_ != nullptr && imageList_->Items(imageIndex_) != nullptr) request_.active = false;
  ApplyImage();
}

void TOmegaBitmapFont::ApplyImage() {
  if (imageList_ == nullptr) return;
  const TImageListItem* image = imageList_->Items(imageIndex_);
  if (image == nullptr) return;
  ReleaseGenerated();
  textureScale_ = 1;
  fontName_ = image->Name;
  charWidth_ = image->TileWidth;
  charHeight_ = image->TileHeight;
  const int32_t columns = std::max(image->PictureWidth / std::max(charWidth_, 1), 1);
  const int32_t rows = std::max(image->PictureHeight / std::max(charHeight_, 1), 0);
  const float texW = image->TextureWidth > 0 ? static_cast<float>(image->TextureWidth) : 1.0f;
  const float texH = image->TextureHeight > 0 ? static_cast<float>(image->TextureHeight) : 1.0f;
  for (int32_t k = 0; k < 256; ++k) {
    // Slots past the picture's last cell all point one cell past it.
    const int32_t cell = std::min(k, columns * rows);
    const int32_t left = (cell % columns) * charWidth_;
    const int32_t top = (cell / columns) * charHeight_;
    Glyph& glyph = glyphs_[static_cast<size_t>(k)];
    glyph.u0 = static_cast<float>(left) / texW;
    glyph.v0 = static_cast<float>(top) / texH;
    glyph.u1 = static_cast<float>(left + charWidth_) / texW;
    glyph.v1 = static_cast<float>(top + charHeight_) / texH;
    glyph.width = charWidth_;
    glyph.height = charHeight_;
  }
  MapCharacters();
}

void TOmegaBitmapFont::SetCharacters(const std::string& value) {
  characters_ = value.empty() ? DefaultCharacters() : value;
  MapCharacters();
}

void TOmegaBitmapFont::MapCharacters() {
  charMap_.fill(-1);
  if (generated_) {
    // Generated glyphs are stored under their character code. Characters outside the set stay
    // unmapped, so they neither draw nor advance, as in image fonts.
    for (const char c : characters_) {
      const auto code = static_cast<unsigned char>(c);
      charMap_[code] = code;
    }
    return;
  }
  for (size_t i = characters_.size(); i-- > 0;) {
    charMap_[static_cast<unsigned char>(characters_[i])] = static_cast<int32_t>(i);
  }
  if (charMap_[' '] < 0) charMap_[' '] = 0;
}

bool TOmegaBitmapFont::CreateFromFont(const std::string& fontName, const std::string& characters,
                                      int32_t size, int32_t flags) {
  request_ = FontRequest{true, fontName, characters, size, flags};
  ReleaseGenerated();
  fontName_ = fontName;
  textureScale_ = 1;
  if (BuildGenerated()) return true;
  ApplyImage();  // the image's glyphs, if any, stay in use
  return false;
}

bool TOmegaBitmapFont::BuildGenerated() {
  platform::RenderDevice* device = screen_ != nullptr ? screen_->Device() : nullptr;
  if (device == nullptr || rasterizer_ == nullptr) return false;
  const std::string& set = request_.characters.empty() ? DefaultCharacters() : request_.characters;
  const int32_t flags = request_.flags;
  const bool fixed = (flags & kFixedCells) != 0;
  const bool italic = (flags & kItalic) != 0;

  int32_t side = TextureSideFor(static_cast<int32_t>(set.size()), request_.size, flags);
  float scale = 1;
  const int32_t largest = device->MaxTextureSize();
  if (largest > 0 && largest < side) {
    scale = static_cast<float>(largest) / static_cast<float>(side);
    side = largest;
  }
  platform::FontStyle style;
  style.bold = (flags & kBold) != 0;
  style.italic = italic;
  style.underline = (flags & kUnderline) != 0;
  style.strikeOut = (flags & kStrikeOut) != 0;
  const int32_t pixelHeight =
      MulDiv(request_.size, static_cast<int32_t>(std::trunc(kLogicalDpi * scale)), 72);
  const platform::FontId font =
      rasterizer_->OpenFont(request_.name, std::max(pixelHeight, 1), style);
  if (font == 0) {
    ReportOnce("font \"" + request_.name + "\" could not be opened for a bitmap font");
    return false;
  }

  int32_t refWidth = 0;
  int32_t refHeight = 0;
  if (!rasterizer_->Measure(font, fixed ? "W" : "a", refWidth, refHeight)) refWidth = refHeight = 0;

  const auto sideU = static_cast<size_t>(side);
  std::vector<uint8_t> coverage(sideU * sideU, 0);
  std::array<Glyph, 256> glyphs{};
  const auto fside = static_cast<float>(side);
  int32_t x = 0;
  int32_t y = 0;
  platform::AlphaBitmap bitmap;
  for (const char c : set) {
    const std::string utf8 = platform::Cp1251ToUtf8(std::string(1, c));
    int32_t w = refWidth;
    int32_t h = refHeight;
    if (!fixed) {
      if (!rasterizer_->Measure(font, utf8, w, h)) w = h = 0;
      if (italic) {
        w += 1;
        h += 2;
      }
    }
    if (x + w + 2 > side) {
      y += h + 2;
      x = 0;
    }
    if (rasterizer_->Render(font, utf8, (flags & kPlain) == 0, bitmap)) {
      for (int32_t by = 0; by < bitmap.height; ++by) {
        const int32_t ty = y + by;
        if (ty < 0 || ty >= side) continue;
        for (int32_t bx = 0; bx < bitmap.width; ++bx) {
          const int32_t tx = x + bx;
          if (tx < 0 || tx >= side) continue;
          uint8_t& texel = coverage[static_cast<size_t>(ty) * sideU + static_cast<size_t>(tx)];
          texel = std::max(texel, bitmap.alpha[static_cast<size_t>(by * bitmap.width + bx)]);
        }
      }
    }
    Glyph& glyph = glyphs[static_cast<unsigned char>(c)];
    glyph.width = w;
    glyph.height = h;
    glyph.u0 = static_cast<float>(x) / fside;
    glyph.v0 = static_cast<float>(y) / fside;
    glyph.u1 = static_cast<float>(italic && !fixed ? x + w - 1 : x + w + 1) / fside;
    glyph.v1 = static_cast<float>(y + h + 1) / fside;
    x += w + 2;
  }
  rasterizer_->CloseFont(font);

  // Sixteen levels of coverage in white, as a 4-bit alpha texture holds them.
  std::vector<uint32_t> texels(coverage.size());
  for (size_t i = 0; i < coverage.size(); ++i) {
    const uint32_t alpha = static_cast<uint32_t>(coverage[i] >> 4) * 17u;
    texels[i] = alpha == 0 ? 0u : alpha << 24 | 0x00FFFFFFu;
  }
  const platform::TextureId texture = device->CreateTexture(side, side, texels.data());
  if (texture == 0) {
    ReportOnce("the glyph texture of font \"" + request_.name + "\" could not be made");
    return false;
  }
  generatedTexture_ = texture;
  generatedDevice_ = device;
  generatedSide_ = side;
  textureScale_ = scale;
  glyphs_ = glyphs;
  charWidth_ = refWidth;
  charHeight_ = refHeight;
  fontName_ = request_.name;
  generated_ = true;
  SetCharacters(set);
  return true;
}

void TOmegaBitmapFont::ReleaseGenerated() {
  if (generatedTexture_ != 0 && generatedDevice_ != nullptr) {
    generatedDevice_->DestroyTexture(generatedTexture_);
  }
  generatedTexture_ = 0;
  generatedDevice_ = nullptr;
  generatedSide_ = 0;
  if (generated_) {
    generated_ = false;
    MapCharacters();
  }
}

void TOmegaBitmapFont::ScreenStartup() {
  renderer_.SetScreen(screen_);
  renderer_.Initialize();
  ApplyImage();
  MapCharacters();
  if (request_.active) {
    // A generated font outlives device resets: its texture is made again from the same request.
    if (!BuildGenerated()) ApplyImage();
  } else if (imageList_ == nullptr) {
    CreateFromFont("Arial", std::string(), 12, kBold);
  }
}

void TOmegaBitmapFont::ScreenShutdown() {
  // The device's textures do not survive a reset; ScreenStartup makes the glyphs again.
  ReleaseGenerated();
  textureScale_ = 1;
}

platform::TextureId TOmegaBitmapFont::CurrentTexture() const {
  if (generated_) return generatedTexture_;
  if (imageList_ == nullptr) return 0;
  const TImageListItem* image = imageList_->Items(imageIndex_);
  return image != nullptr && image->Attached() ? image->Texture() : 0;
}

void TOmegaBitmapFont::TextOut(int32_t x, int32_t y, int32_t blendMode, const std::string& text) {
  const uint32_t colors[4] = {Color1, Color2, Color3, Color4};
  DrawText(x, y, blendMode, text, colors, ScaleX, ScaleY, Rotation);
}

void TOmegaBitmapFont::TextOutEx(int32_t x, int32_t y, int32_t blendMode, const std::string& text,
                                 uint32_t color, float scaleX, float scaleY, float rotation) {
  const uint32_t colors[4] = {color, color, color, color};
  DrawText(x, y, blendMode, text, colors, scaleX, scaleY, rotation);
}

void TOmegaBitmapFont::DrawText(int32_t x, int32_t y, int32_t blendMode, const std::string& text,
                                const uint32_t (&colors)[4], float scaleX, float scaleY,
                                float rotation) {
  const platform::TextureId texture = CurrentTexture();
  if (texture == 0 || screen_ == nullptr || text.empty()) return;
  float penX = static_cast<float>(x);
  float penY = static_cast<float>(y);
  if (PositionMode == pmCenter) {
    penX -= static_cast<float>(
        RoundEven(static_cast<double>(text.size()) * 0.5 * static_cast<double>(charWidth_)));
    penY -= static_cast<float>(RoundEven(charHeight_ * 0.25));
  }
  if (blendMode != -1) screen_->SetBlendMode(blendMode);
  // Glyphs of a texture that had to be made smaller are drawn larger again to keep the font's size.
  const float glyphScaleX = scaleX / textureScale_;
  const float glyphScaleY = scaleY / textureScale_;
  const float originX = static_cast<float>(x) + CenterX;
  const float originY = static_cast<float>(y) + CenterY;
  renderer_.BindTexture(texture);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == 13) {
      penY += static_cast<float>(charHeight_ + LineSpace);
      penX = static_cast<float>(x);
    }
    const int32_t slot = charMap_[c];
    if (slot < 0) continue;
    const Glyph& glyph = glyphs_[static_cast<size_t>(slot)];
    const auto w = static_cast<float>(glyph.width);
    const auto h = static_cast<float>(glyph.height);
    if (c != ' ') {
      renderer_.SetPositions(penX, penY, penX + w, penY, penX + w, penY + h, penX, penY + h);
      renderer_.SetUV(glyph.u0, glyph.v0, glyph.u1, glyph.v0, glyph.u1, glyph.v1, glyph.u0,
                      glyph.v1);
      renderer_.SetColors(colors[0], colors[1], colors[2], colors[3]);
      renderer_.Rotate(CharRotation, penX + w / 2, penY + h / 2);
      renderer_.RotateScale(glyphScaleX, glyphScaleY, rotation, originX, originY);
      renderer_.Flush();
    }
    penX += w + static_cast<float>(Spacing);
  }
}

int32_t TOmegaBitmapFont::TextWidth(const std::string& text) const {
  int32_t width = 0;
  for (const char ch : text) {
    const int32_t slot = charMap_[static_cast<unsigned char>(ch)];
    if (slot < 0) continue;
    width += RoundEven(glyphs_[static_cast<size_t>(slot)].width * ScaleX / textureScale_);
  }
  return width == 0 ? 1 : width;
}

int32_t TOmegaBitmapFont::TextHeight(const std::string&) const {
  const int32_t height = RoundEven(charHeight_ * ScaleY / textureScale_);
  return height == 0 ? 1 : height;
}

}  // namespace engine
