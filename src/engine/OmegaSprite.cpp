// TOmegaSprite and TSprite: Z-ordered sprite list, the three passes, pattern maths, drawing,
// collision.
#include "engine/OmegaSprite.h"

#include <algorithm>
#include <cmath>

#include "engine/Messages.h"
#include "engine/OmegaImageList.h"
#include "engine/OmegaRenderer.h"
#include "engine/OmegaScreen.h"

namespace engine {

namespace {

// Nearest integer, ties to even, as std::nearbyint gives it in the default rounding mode. Below
// 2^51 adding and taking away 1.5 * 2^52 rounds exactly so (the sum has no fraction bits left),
// without a library call; the sign of a zero result may differ, which no caller can see.
double NearestEven(double value) {
  constexpr double kMagic = 6755399441055744.0;                               // 1.5 * 2^52
  if (std::fabs(value) < 2251799813685248.0) return value + kMagic - kMagic;  // below 2^51
  return std::nearbyint(value);
}

}  // namespace

int32_t EngineRound(double value) {
  // Four-decimal pre-rounding (ties to even) first, so 2.49999 rounds up like 2.5 does.
  const double shifted = value >= 0 ? value + 0.5 : value - 0.5;
  const double r = NearestEven(shifted * 10000.0);
  return static_cast<int32_t>(std::trunc(r / 10000.0));
}

namespace {

// Columns and rows of an image's pattern grid, never zero.
void PatternGrid(const TImageListItem& image, int32_t& columns, int32_t& rows) {
  const int32_t tileW = std::max(image.TileWidth, 1);
  const int32_t tileH = std::max(image.TileHeight, 1);
  columns = std::max(image.PictureWidth / tileW, 1);
  rows = std::max(image.PictureHeight / tileH, 1);
}

}  // namespace

// ---- TSprite ------------------------------------------------------------------------------------

TSprite::TSprite(TOmegaSprite* engine) : Engine(engine) {
  if (Engine != nullptr) Engine->Insert(this);
}

TSprite::~TSprite() {
  if (Engine != nullptr) Engine->Remove(this);
}

void TSprite::RepackColors() {
  const uint32_t color = PackARGB(Alpha, Red, Green, Blue);
  Color1 = Color2 = Color3 = Color4 = color;
}

void TSprite::SetRed(int32_t value) {
  Red = value;
  RepackColors();
}

void TSprite::SetGreen(int32_t value) {
  Green = value;
  RepackColors();
}

void TSprite::SetBlue(int32_t value) {
  Blue = value;
  RepackColors();
}

void TSprite::SetAlpha(int32_t value) {
  Alpha = value;
  RepackColors();
}

void TSprite::SetPatternIndex(int32_t value) {
  PatternIndex = value;
  if (Image == nullptr) return;
  int32_t columns = 0;
  int32_t rows = 0;
  PatternGrid(*Image, columns, rows);
  const int32_t index = std::max(value, 0);
  PatternLeft = (index % columns) * Image->TileWidth;
  PatternTop = (index / columns) * Image->TileHeight;
  if (value > columns * rows - 1) PatternIndex = columns * rows - 1;
}

void TSprite::GetPatternRect(TRect& rect) {
  rect = TRect{};
  if (Image == nullptr) return;
  int32_t columns = 0;
  int32_t rows = 0;
  PatternGrid(*Image, columns, rows);
  if (PatternIndex < 0) PatternIndex = 0;
  if (PatternIndex >= columns * rows) PatternIndex = columns * rows - 1;
  rect.Left = (PatternIndex % columns) * Image->TileWidth;
  rect.Right = rect.Left + Image->TileWidth;
  rect.Top = (PatternIndex / columns) * Image->TileHeight;
  rect.Bottom = rect.Top + Image->TileHeight;
}

void TSprite::SetX(float value) {
  X = value;
  X2 = X3 = value + static_cast<float>(Width);
  X4 = value;
  rectX_ = value;
  rectWidth_ = Width;
  MidX = value + static_cast<float>(Width) / 2;
}

void TSprite::SetY(float value) {
  Y = value;
  Y2 = value;
  Y3 = Y4 = value + static_cast<float>(Height);
  rectY_ = value;
  rectHeight_ = Height;
  MidY = value + static_cast<float>(Height) / 2;
}

void TSprite::SetWidth(int32_t value) {
  Width = value;
  rectWidth_ = value;
}

void TSprite::SetHeight(int32_t value) {
  Height = value;
  rectHeight_ = value;
}

TRect TSprite::CollideRect() const {
  TRect rect;
  rect.Left = EngineRound(rectX_);
  rect.Right = rect.Left + rectWidth_;
  rect.Top = EngineRound(rectY_);
  rect.Bottom = rect.Top + rectHeight_;
  return rect;
}

void TSprite::SetZ(int32_t value) {
  if (value == Z) return;
  if (Engine != nullptr) Engine->Remove(this);
  Z = value;
  if (Engine != nullptr) Engine->Insert(this);
}

void TSprite::SetImage(TImageListItem* value) {
  if (value == nullptr) return;
  Image = value;
  Width = value->TileWidth;
  Height = value->TileHeight;
  SetX(X);
  SetY(Y);
}

void TSprite::Assign(const TSprite& source) {
  SetName(source.Name);
  X = source.X;
  Y = source.Y;
  X2 = source.X2;
  Y2 = source.Y2;
  X3 = source.X3;
  Y3 = source.Y3;
  X4 = source.X4;
  Y4 = source.Y4;
  SetZ(source.Z);
  SetRed(source.Red);
  SetGreen(source.Green);
  SetBlue(source.Blue);
  SetAlpha(source.Alpha);
  Color1 = source.Color1;
  Color2 = source.Color2;
  Color3 = source.Color3;
  Color4 = source.Color4;
  SetPatternIndex(source.PatternIndex);
  Collide = source.Collide;
  PixelCheck = source.PixelCheck;
  PixelCheckOnly = source.PixelCheckOnly;
  Rotation = source.Rotation;
  SetImage(source.Image);
  ScaleX = source.ScaleX;
  ScaleY = source.ScaleY;
  DrawOffsetX = source.DrawOffsetX;
  DrawOffsetY = source.DrawOffsetY;
  CenterX = source.CenterX;
  CenterY = source.CenterY;
  MirrorY = source.MirrorY;
  MirrorX = source.MirrorX;
  BlendMode = source.BlendMode;
  Visible = source.Visible;
  Fixed = source.Fixed;
}

void TSprite::Dead() {
  if (IsDead) return;
  IsDead = true;
  if (Engine != nullptr) Engine->deadList_.push_back(this);
}

void TSprite::Draw() {
  if (!Visible || Image == nullptr) return;
  if (!Image->Attached()) {
    // Once per picture, not a modal box every frame.
    ReportOnce("No OmegaImageList assigned to sprite! (picture \"" + Image->Name + "\")");
    return;
  }
  const bool hasDrawArea =
      Engine != nullptr && (Engine->DrawAreaX1 != 0 || Engine->DrawAreaY1 != 0 ||
                            Engine->DrawAreaX2 != 0 || Engine->DrawAreaY2 != 0);
  if (!hasDrawArea) {
    // Where the quad will stand, before its two roundings (together under 1.1 pixels).
    double x = X + DrawOffsetX;
    double y = Y + DrawOffsetY;
    if (!Fixed && Engine != nullptr) {
      x -= Engine->OffsetX;
      y -= Engine->OffsetY;
    }
    if (OffScreen(x, y)) {
      // Nothing of it would reach the back buffer; only the blend mode it sets stays behind.
      TOmegaScreen* screen = Image->Renderer()->Screen();
      if (screen != nullptr && BlendMode != -1) screen->SetBlendMode(BlendMode);
      return;
    }
  }
  int32_t sx = EngineRound(X + DrawOffsetX);
  int32_t sy = EngineRound(Y + DrawOffsetY);
  if (!Fixed && Engine != nullptr) {
    sx = EngineRound(static_cast<double>(sx) - Engine->OffsetX);
    sy = EngineRound(static_cast<double>(sy) - Engine->OffsetY);
  }
  if (hasDrawArea) {
    if (Engine->DrawAreaX1 > sx + Width || sx > Engine->DrawAreaX2 ||
        Engine->DrawAreaY1 > sy + Height || sy > Engine->DrawAreaY2) {
      return;
    }
  }
  Image->DrawSprite(sx, sy, PatternIndex, BlendMode, MirrorX, MirrorY, Color1, Color2, Color3,
                    Color4, ScaleX, ScaleY, CenterX, CenterY, Rotation);
}

bool TSprite::OffScreen(double sx, double sy) const {
  const TOmegaScreen* screen = Image->Renderer()->Screen();
  // Only a screen that draws quads as given; the whole picture (pattern -1) turns about another
  // point and is always drawn.
  if (screen == nullptr || PatternIndex == -1 || screen->Rotation != 0 || screen->ScaleX != 1 ||
      screen->ScaleY != 1 || screen->OffsetX != 0 || screen->OffsetY != 0) {
    return false;
  }
  // The tile quad as the image list places it, turned and scaled about its centre: every corner
  // stays within (largest scale) * (|dx| + |dy|) of the centre.
  const double left = sx - 0.5;
  const double top = sy - 0.5;
  const double right = left + Image->TileWidth;
  const double bottom = top + Image->TileHeight;
  const double cx = sx + static_cast<double>(Image->TileWidth) * CenterX;
  const double cy = sy + static_cast<double>(Image->TileHeight) * CenterY;
  const double scaleX = ScaleX == 0 ? 1.0 : std::fabs(static_cast<double>(ScaleX));
  const double scaleY = ScaleY == 0 ? 1.0 : std::fabs(static_cast<double>(ScaleY));
  double minX = left, maxX = right, minY = top, maxY = bottom;
  if (ScaleX != 1 || ScaleY != 1 || Rotation != 0) {
    const double reach =
        std::max(scaleX, scaleY) * (std::max(std::fabs(left - cx), std::fabs(right - cx)) +
                                    std::max(std::fabs(top - cy), std::fabs(bottom - cy)));
    minX = cx - reach;
    maxX = cx + reach;
    minY = cy - reach;
    maxY = cy + reach;
  }
  // Pixels to spare for the rounding of the position and the float arithmetic of the real quad.
  constexpr double kSpare = 6;
  return maxX < -kSpare || maxY < -kSpare || minX > screen->Width + kSpare ||
         minY > screen->Height + kSpare;
}

void TSprite::Collision(TSprite& other) {
  if (!Collide || !other.Collide || IsDead || other.IsDead) return;
  const TRect mine = CollideRect();
  const TRect theirs = other.CollideRect();
  TRect overlap;
  overlap.Left = std::max(mine.Left, theirs.Left);
  overlap.Top = std::max(mine.Top, theirs.Top);
  overlap.Right = std::min(mine.Right, theirs.Right);
  overlap.Bottom = std::min(mine.Bottom, theirs.Bottom);
  if (overlap.Right <= overlap.Left || overlap.Bottom <= overlap.Top) return;
  if ((PixelCheck && other.PixelCheck) || PixelCheckOnly || other.PixelCheckOnly) {
    int32_t hx = 0;
    int32_t hy = 0;
    if (!PixelHit(other, overlap, hx, hy)) return;
    OnCollision(other, hx - mine.Left, hy - mine.Top);
    // The first handler may have moved the other sprite.
    const TRect theirsNow = other.CollideRect();
    other.OnCollision(*this, hx - theirsNow.Left, hy - theirsNow.Top);
    return;
  }
  OnCollision(other, 0, 0);
  other.OnCollision(*this, 0, 0);
}

bool TSprite::PixelHit(TSprite& other, const TRect& overlap, int32_t& hx, int32_t& hy) {
  if (!PixelCheck || !other.PixelCheck) return false;
  if (&other == this) {
    hx = overlap.Left;
    hy = overlap.Top;
    return true;
  }
  if (Image == nullptr || other.Image == nullptr) return false;
  if (!Image->HasPicture() || !other.Image->HasPicture()) return false;

  // Texel walk of one sprite over the overlap, as the pixel test has always done it (starting one
  // texel in from the overlap's first column and row; mirrored sprites walk backwards).
  struct Walk {
    int32_t col0, colStep, row0, rowStep;
  };
  auto walkOf = [&overlap](const TSprite& s) {
    const TRect rect = s.CollideRect();
    const int32_t xOff = overlap.Left - rect.Left;
    const int32_t yOff = overlap.Top - rect.Top;
    const int32_t w = rect.Right - rect.Left;
    const int32_t h = rect.Bottom - rect.Top;
    Walk walk{};
    walk.col0 = s.MirrorX ? s.PatternLeft + w - xOff - 1 : s.PatternLeft + xOff + 1;
    walk.colStep = s.MirrorX ? -1 : 1;
    walk.row0 = s.MirrorY ? s.PatternTop + h - yOff - 1 : s.PatternTop + yOff + 1;
    walk.rowStep = s.MirrorY ? -1 : 1;
    return walk;
  };
  const Walk a = walkOf(*this);
  const Walk b = walkOf(other);
  for (int32_t row = 0; overlap.Top + row <= overlap.Bottom - 2; ++row) {
    for (int32_t col = 0; overlap.Left + col <= overlap.Right - 2; ++col) {
      if (Image->SolidAt(a.col0 + col * a.colStep, a.row0 + row * a.rowStep) &&
          other.Image->SolidAt(b.col0 + col * b.colStep, b.row0 + row * b.rowStep)) {
        hx = overlap.Left + col;
        hy = overlap.Top + row;
        return true;
      }
    }
  }
  return false;
}

// ---- TOmegaSprite -------------------------------------------------------------------------------

TOmegaSprite::~TOmegaSprite() {
  while (!spriteList_.empty()) delete spriteList_.back();
  deadList_.clear();
}

void TOmegaSprite::Insert(TSprite* sprite) {
  // Lower bound: the new sprite goes in front of (under) every sprite of the same Z.
  int low = 0;
  int high = static_cast<int>(spriteList_.size()) - 1;
  while (high >= low) {
    const int mid = (low + high) / 2;
    if (spriteList_[static_cast<size_t>(mid)]->Z < sprite->Z) {
      low = mid + 1;
    } else {
      high = mid - 1;
    }
  }
  spriteList_.insert(spriteList_.begin() + low, sprite);
}

void TOmegaSprite::Remove(TSprite* sprite) {
  // The list is sorted by Z: look only among the sprites of the same Z.
  auto it = std::lower_bound(spriteList_.begin(), spriteList_.end(), sprite->Z,
                             [](const TSprite* s, int32_t z) { return s->Z < z; });
  while (it != spriteList_.end() && (*it)->Z == sprite->Z && *it != sprite) ++it;
  if (it == spriteList_.end() || *it != sprite) {
    it = std::find(spriteList_.begin(), spriteList_.end(), sprite);
  }
  if (it != spriteList_.end()) spriteList_.erase(it);
  const auto dead = std::find(deadList_.begin(), deadList_.end(), sprite);
  if (dead != deadList_.end()) deadList_.erase(dead);
}

void TOmegaSprite::Move(float moveCount) {
  const size_t count = spriteList_.size();
  for (size_t i = 0; i < count && i < spriteList_.size(); ++i) spriteList_[i]->Move(moveCount);
}

void TOmegaSprite::Draw() {
  if (!DrawingOn) return;
  const size_t count = spriteList_.size();
  // A copy: the layer may be replaced while it draws.
  const std::function<void()> layer = Layer.Draw;
  bool layerDrawn = !layer;
  for (size_t i = 0; i < count && i < spriteList_.size(); ++i) {
    if (!layerDrawn && spriteList_[i]->Z >= Layer.Z) {
      layerDrawn = true;
      layer();
    }
    spriteList_[i]->Draw();
  }
  if (!layerDrawn) layer();
}

void TOmegaSprite::Dead() {
  while (!deadList_.empty()) delete deadList_.back();  // the destructor unlinks it
}

TSprite* TOmegaSprite::Sprites(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return spriteList_[static_cast<size_t>(index)];
}

}  // namespace engine
