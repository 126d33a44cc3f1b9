// The draw operations of an image list item: one textured quad per call, placed, turned and scaled
// about its centre and sent through the list's renderer and the screen.
#include <algorithm>
#include <utility>

#include "engine/OmegaImageList.h"

namespace engine {
namespace {

using platform::BlendFactor;

constexpr uint32_t Pack(int32_t alpha, int32_t red, int32_t green, int32_t blue) {
  return PackARGB(alpha, red, green, blue);
}

}  // namespace

void TImageListItem::PatternUV(int32_t patternIndex, Quad& quad) const {
  const auto texW = static_cast<float>(TextureWidth);
  const auto texH = static_cast<float>(TextureHeight);
  if (TextureWidth <= 0 || TextureHeight <= 0) return;  // no texture: nothing to address
  if (patternIndex == -1) {
    quad.u0 = 0;
    quad.v0 = 0;
    quad.u1 = static_cast<float>(PictureWidth) / texW;
    quad.v1 = static_cast<float>(PictureHeight) / texH;
    return;
  }
  // A tile larger than the picture leaves no whole pattern: its one pattern starts at the corner.
  const int32_t tileW = std::max(TileWidth, 1);
  const int32_t tileH = std::max(TileHeight, 1);
  const int32_t columns = std::max(PictureWidth / tileW, 1);
  const int32_t rows = std::max(PictureHeight / tileH, 1);
  const int32_t last = columns * rows - 1;
  const int32_t n = patternIndex < 0 ? 0 : (patternIndex > last ? last : patternIndex);
  const int32_t left = (n % columns) * tileW;
  const int32_t top = (n / columns) * tileH;
  quad.u0 = static_cast<float>(left) / texW;
  quad.v0 = static_cast<float>(top) / texH;
  quad.u1 = static_cast<float>(left + tileW) / texW;
  quad.v1 = static_cast<float>(top + tileH) / texH;
}

TImageListItem::Quad TImageListItem::TileQuad(int32_t x, int32_t y, int32_t patternIndex,
                                              float centerX, float centerY) const {
  Quad quad{};
  const auto fx = static_cast<float>(x);
  const auto fy = static_cast<float>(y);
  quad.left = fx;
  quad.top = fy;
  quad.right = fx + static_cast<float>(TileWidth);
  quad.bottom = fy + static_cast<float>(TileHeight);
  // The whole picture turns about a point of the picture, though it is drawn at tile size.
  const bool whole = patternIndex == -1;
  quad.centerX = fx + static_cast<float>(whole ? PictureWidth : TileWidth) * centerX;
  quad.centerY = fy + static_cast<float>(whole ? PictureHeight : TileHeight) * centerY;
  PatternUV(patternIndex, quad);
  return quad;
}

void TImageListItem::Emit(const Quad& quad, int32_t blendMode, bool additive, bool mirrorX,
                          bool mirrorY, const uint32_t (&colors)[4], float scaleX, float scaleY,
                          float rotation) {
  if (!Attached()) return;
  TOmegaScreen* screen = renderer_->Screen();
  if (screen == nullptr) return;
  if (blendMode != -1) screen->SetBlendMode(blendMode);
  if (scaleX == 0) scaleX = 1;
  if (scaleY == 0) scaleY = 1;

  float u0 = quad.u0;
  float u1 = quad.u1;
  float v0 = quad.v0;
  float v1 = quad.v1;
  if (mirrorX) std::swap(u0, u1);
  if (mirrorY) std::swap(v0, v1);
  renderer_->SetUV(u0, v0, u1, v0, u1, v1, u0, v1);
  // Half a pixel up and left, so texels land on pixel centres.
  const float l = quad.left - 0.5f;
  const float t = quad.top - 0.5f;
  const float r = quad.right - 0.5f;
  const float b = quad.bottom - 0.5f;
  renderer_->SetPositions(l, t, r, t, r, b, l, b);
  renderer_->SetColors(colors[0], colors[1], colors[2], colors[3]);
  renderer_->RotateScale(scaleX, scaleY, rotation, quad.centerX, quad.centerY);
  renderer_->BindTexture(texture_);

  platform::RenderDevice* device = screen->Device();
  if (!additive || device == nullptr) {
    renderer_->Flush();
    return;
  }
  // Adding light: destination factor one for this quad only, then the mode's own factors again so
  // the screen's remembered blend mode still tells the truth.
  const int32_t mode = screen->BlendMode();
  const BlendPair& pair = TOmegaScreen::BlendFactors(mode);
  device->SetBlend(pair.source, BlendFactor::kOne);
  renderer_->Flush();
  device->SetBlend(pair.source, pair.destination);
}

void TImageListItem::Draw(int32_t x, int32_t y, int32_t patternIndex) {
  const uint32_t white[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  Emit(TileQuad(x, y, patternIndex, 0, 0), 0, false, false, false, white, 1, 1, 0);
}

void TImageListItem::DrawColored(int32_t x, int32_t y, int32_t patternIndex, int32_t blendMode,
                                 bool additive, int32_t red, int32_t green, int32_t blue,
                                 int32_t alpha, float scaleX, float scaleY, float centerX,
                                 float centerY, float rotation) {
  const uint32_t c = Pack(alpha, red, green, blue);
  const uint32_t colors[4] = {c, c, c, c};
  Emit(TileQuad(x, y, patternIndex, centerX, centerY), blendMode, additive, false, false, colors,
       scaleX, scaleY, rotation);
}

void TImageListItem::DrawEx(int32_t x, int32_t y, int32_t patternIndex, int32_t blendMode,
                            bool mirrorX, bool mirrorY, uint32_t color, float scaleX, float scaleY,
                            float centerX, float centerY, float rotation) {
  const uint32_t colors[4] = {color, color, color, color};
  Emit(TileQuad(x, y, patternIndex, centerX, centerY), blendMode, false, mirrorX, mirrorY, colors,
       scaleX, scaleY, rotation);
}

void TImageListItem::DrawSprite(int32_t x, int32_t y, int32_t patternIndex, int32_t blendMode,
                                bool mirrorX, bool mirrorY, uint32_t color1, uint32_t color2,
                                uint32_t color3, uint32_t color4, float scaleX, float scaleY,
                                float centerX, float centerY, float rotation) {
  const uint32_t colors[4] = {color1, color2, color3, color4};
  Emit(TileQuad(x, y, patternIndex, centerX, centerY), blendMode, false, mirrorX, mirrorY, colors,
       scaleX, scaleY, rotation);
}

void TImageListItem::DrawStretched(int32_t x, int32_t y, const TRect& rect, int32_t patternIndex,
                                   int32_t blendMode, bool mirrorX, bool mirrorY, int32_t red,
                                   int32_t green, int32_t blue, int32_t alpha, float scaleX,
                                   float scaleY, float centerX, float centerY, float rotation) {
  Quad quad{};
  quad.left = static_cast<float>(x + rect.Left);
  quad.top = static_cast<float>(y + rect.Top);
  quad.right = static_cast<float>(x + rect.Right);
  quad.bottom = static_cast<float>(y + rect.Bottom);
  quad.centerX = quad.left + (quad.right - quad.left) * centerX;
  quad.centerY = quad.top + (quad.bottom - quad.top) * centerY;
  PatternUV(patternIndex, quad);
  const uint32_t c = Pack(alpha, red, green, blue);
  const uint32_t colors[4] = {c, c, c, c};
  Emit(quad, blendMode, false, mirrorX, mirrorY, colors, scaleX, scaleY, rotation);
}

void TImageListItem::DrawSource(int32_t x, int32_t y, const TRect& source, int32_t blendMode,
                                bool mirrorX, bool mirrorY, int32_t red, int32_t green,
                                int32_t blue, int32_t alpha, float scaleX, float scaleY,
                                float centerX, float centerY, float rotation) {
  if (TextureWidth <= 0 || TextureHeight <= 0) return;
  const auto width = static_cast<float>(source.Right - source.Left);
  const auto height = static_cast<float>(source.Bottom - source.Top);
  Quad quad{};
  quad.left = static_cast<float>(x);
  quad.top = static_cast<float>(y);
  quad.right = quad.left + width;
  quad.bottom = quad.top + height;
  quad.centerX = quad.left + width * centerX;
  quad.centerY = quad.top + height * centerY;
  quad.u0 = static_cast<float>(source.Left) / static_cast<float>(TextureWidth);
  quad.v0 = static_cast<float>(source.Top) / static_cast<float>(TextureHeight);
  quad.u1 = static_cast<float>(source.Right) / static_cast<float>(TextureWidth);
  quad.v1 = static_cast<float>(source.Bottom) / static_cast<float>(TextureHeight);
  const uint32_t c = Pack(alpha, red, green, blue);
  const uint32_t colors[4] = {c, c, c, c};
  Emit(quad, blendMode, false, mirrorX, mirrorY, colors, scaleX, scaleY, rotation);
}

}  // namespace engine
