// TOmegaBitmapFont: text drawn from a texture of glyph cells, cut from an image-list picture or
// generated from a system font; coloured, scaled and turned as a whole and per character.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/OmegaRenderer.h"
#include "engine/OmegaScreen.h"
#include "platform/FontRasterizer.h"
#include "platform/RenderDevice.h"

namespace engine {

class TOmegaImageList;

enum TPositionMode { pmTopLeft, pmCenter };

class TOmegaBitmapFont : public ScreenComponent {
 public:
  // CreateFromFont flags.
  static constexpr int32_t kBold = 1;
  static constexpr int32_t kItalic = 2;
  static constexpr int32_t kUnderline = 4;
  static constexpr int32_t kStrikeOut = 8;
  static constexpr int32_t kPlain = 16;  // not antialiased
  static constexpr int32_t kFixedCells =
      32;  // every cell the size of "W", texture fitted to the set

  struct Glyph {
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    int32_t width = 0;
    int32_t height = 0;
  };

  // Registers with the screen (may be null); the rasterizer makes generated fonts (may be null).
  TOmegaBitmapFont(TOmegaScreen* screen, platform::FontRasterizer* rasterizer);
  ~TOmegaBitmapFont() override;
  TOmegaBitmapFont(const TOmegaBitmapFont&) = delete;
  TOmegaBitmapFont& operator=(const TOmegaBitmapFont&) = delete;

  // The 109 characters (code page 1251) used when Characters is empty; their order is the glyph
  // slot order of image fonts.
  static const std::string& DefaultCharacters();

  // Corner colours and their components; the setters rewrite all four corners.
  int32_t Red = 255;
  int32_t Green = 255;
  int32_t Blue = 255;
  int32_t Alpha = 255;
  uint32_t Color1 = 0xFFFFFFFFu;
  uint32_t Color2 = 0xFFFFFFFFu;
  uint32_t Color3 = 0xFFFFFFFFu;
  uint32_t Color4 = 0xFFFFFFFFu;
  void SetRed(int32_t value);
  void SetGreen(int32_t value);
  void SetBlue(int32_t value);
  void SetAlpha(int32_t value);

  int32_t LineSpace = 10;  // extra pixels between lines
  float CenterX = 0;       // centre of the whole string's rotation and scale, from (X, Y)
  float CenterY = 0;
  float ScaleX = 1;
  float ScaleY = 1;
  float Rotation = 0;      // degrees, clockwise, of the whole string
  float CharRotation = 0;  // degrees, clockwise, of each character about its own centre
  int32_t Spacing = 0;     // extra pixels after each character
  TPositionMode PositionMode = pmTopLeft;

  const std::string& FontName() const { return fontName_; }
  TOmegaScreen* OmegaScreen() const { return screen_; }
  void SetOmegaScreen(TOmegaScreen* screen);
  TOmegaImageList* OmegaImageList() const { return imageList_; }
  // Re-applies the stored image index with the new list.
  void SetOmegaImageList(TOmegaImageList* list);
  int32_t OmegaImageIndex() const { return imageIndex_; }
  // Uses image Value of the list as a grid of glyph cells; negative values are ignored, values past
  // the list's end are stored for later.
  void SetOmegaImageIndex(int32_t value);
  const std::string& Characters() const { return characters_; }
  // Stores the set (the default set when empty) and maps each character to its glyph slot; the
  // first of repeated characters wins and space falls back to slot 0.
  void SetCharacters(const std::string& value);

  // Makes a glyph texture from a system font (flags above). False when the font or the texture
  // cannot be made; text is then drawn from the image, if any. Without a started screen the font
  // is made when the screen starts.
  bool CreateFromFont(const std::string& fontName, const std::string& characters, int32_t size,
                      int32_t flags);

  void TextOut(int32_t x, int32_t y, int32_t blendMode, const std::string& text);
  void TextOutEx(int32_t x, int32_t y, int32_t blendMode, const std::string& text, uint32_t color,
                 float scaleX, float scaleY, float rotation);
  // Sum of the rounded glyph widths (at ScaleX), at least 1; characters outside the font count 0.
  int32_t TextWidth(const std::string& text) const;
  int32_t TextHeight(const std::string& text) const;

  int32_t CharWidth() const { return charWidth_; }
  int32_t CharHeight() const { return charHeight_; }
  bool Generated() const { return generated_; }
  float TextureScale() const { return textureScale_; }
  int32_t GeneratedTextureSide() const { return generated_ ? generatedSide_ : 0; }
  platform::TextureId GeneratedTexture() const { return generated_ ? generatedTexture_ : 0; }
  // Glyph slot of a character, -1 when it is not in the font.
  int32_t CharSlot(unsigned char c) const { return charMap_[c]; }
  const Glyph& GlyphAt(int32_t slot) const { return glyphs_[static_cast<size_t>(slot & 255)]; }

  void ScreenStartup() override;
  void ScreenShutdown() override;

 private:
  struct FontRequest {
    bool active = false;
    std::string name;
    std::string characters;
    int32_t size = 0;
    int32_t flags = 0;
  };

  void RepackColors();
  void ApplyImage();
  bool BuildGenerated();
  void ReleaseGenerated();
  void MapCharacters();
  platform::TextureId CurrentTexture() const;
  void DrawText(int32_t x, int32_t y, int32_t blendMode, const std::string& text,
                const uint32_t (&colors)[4], float scaleX, float scaleY, float rotation);

  TOmegaScreen* screen_ = nullptr;
  platform::FontRasterizer* rasterizer_ = nullptr;
  TOmegaImageList* imageList_ = nullptr;
  int32_t imageIndex_ = 0;
  std::string fontName_;
  std::string characters_;
  TOmegaRenderer renderer_;
  std::array<Glyph, 256> glyphs_{};
  std::array<int32_t, 256> charMap_{};
  int32_t charWidth_ = 0;
  int32_t charHeight_ = 0;
  bool generated_ = false;
  platform::TextureId generatedTexture_ = 0;
  platform::RenderDevice* generatedDevice_ = nullptr;
  int32_t generatedSide_ = 0;
  float textureScale_ = 1;
  // The last CreateFromFont, made again whenever the device comes back.
  FontRequest request_;
};

}  // namespace engine
