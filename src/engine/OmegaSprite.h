// TOmegaSprite and TSprite: the sprite engine that owns every visible object, keeps it sorted by Z,
// and runs the dead / move / draw passes each frame.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace engine {

class TImageListItem;
class TOmegaSprite;

// The engine's float-to-pixel rounding: half away from zero after rounding to four decimals.
int32_t EngineRound(double value);

// Colour = Alpha * 2^24 + Red * 2^16 + Green * 2^8 + Blue, each component taken modulo 256.
constexpr uint32_t PackARGB(int32_t alpha, int32_t red, int32_t green, int32_t blue) {
  return static_cast<uint32_t>(alpha & 255) << 24 | static_cast<uint32_t>(red & 255) << 16 |
         static_cast<uint32_t>(green & 255) << 8 | static_cast<uint32_t>(blue & 255);
}

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

// Base class of every visible object. A sprite belongs to its engine from construction on and is
// freed by the engine's Dead pass after it was marked with Dead (or when the engine itself goes).
class TSprite {
 public:
  explicit TSprite(TOmegaSprite* engine);
  virtual ~TSprite();
  TSprite(const TSprite&) = delete;
  TSprite& operator=(const TSprite&) = delete;

  virtual void GetPatternRect(TRect& rect);
  virtual void SetName(const std::string& value) { Name = value; }
  virtual void SetRed(int32_t value);
  virtual void SetGreen(int32_t value);
  virtual void SetBlue(int32_t value);
  virtual void SetAlpha(int32_t value);
  virtual void SetPatternIndex(int32_t value);
  // The scroll moves every world sprite every frame: these only store, and the collision
  // rectangle is rounded from the stored position when it is asked for.
  virtual void SetX(float value);
  virtual void SetY(float value);
  virtual void SetZ(int32_t value);
  // A null image is ignored (the sprite then draws nothing).
  virtual void SetImage(TImageListItem* value);
  virtual void SetWidth(int32_t value);
  virtual void SetHeight(int32_t value);
  virtual void Assign(const TSprite& source);
  virtual void Collision(TSprite& other);
  virtual void Dead();
  virtual void OnCollision(TSprite& /*other*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void Move(float /*moveCount*/) {}
  virtual void Draw();

  TOmegaSprite* Engine;
  std::string Name;
  float X = 0, Y = 0;
  float X2 = 10, Y2 = 0, X3 = 10, Y3 = 10, X4 = 0, Y4 = 10;
  int32_t PatternLeft = 0, PatternTop = 0;
  int32_t PatternIndex = 0;
  bool Visible = true;
  bool Fixed = false;
  float MidX = 0, MidY = 0;
  int32_t BlendMode = 0;
  int32_t Z = 0;
  bool MirrorX = false;
  bool MirrorY = false;
  float CenterX = 0, CenterY = 0;
  uint32_t Color1 = 0xFFFFFFFF, Color2 = 0xFFFFFFFF, Color3 = 0xFFFFFFFF, Color4 = 0xFFFFFFFF;
  int32_t Red = 255, Green = 255, Blue = 255, Alpha = 255;
  bool Collide = false;
  bool PixelCheck = false;
  bool PixelCheckOnly = false;
  float Rotation = 0;
  TImageListItem* Image = nullptr;
  float ScaleX = 1, ScaleY = 1;
  float DrawOffsetX = 0, DrawOffsetY = 0;
  int32_t Width = 10, Height = 10;
  bool IsDead = false;

  // The rectangle collisions test: the last SetX / SetY position rounded to whole pixels, as wide
  // and tall as the sprite was at that SetX / SetY or a later SetWidth / SetHeight.
  TRect CollideRect() const;

 private:
  float rectX_ = 0, rectY_ = 0;
  int32_t rectWidth_ = 0, rectHeight_ = 0;

  void RepackColors();
  // True when the sprite's quad at about (sx, sy) lies wholly outside the screen, so drawing it
  // would change no pixel.
  bool OffScreen(double sx, double sy) const;
  bool PixelHit(TSprite& other, const TRect& overlap, int32_t& hx, int32_t& hy);
};

class TOmegaSprite {
 public:
  TOmegaSprite() = default;
  ~TOmegaSprite();
  TOmegaSprite(const TOmegaSprite&) = delete;
  TOmegaSprite& operator=(const TOmegaSprite&) = delete;

  // Culling rectangle in screen pixels; all four 0 = nothing is culled.
  int32_t DrawAreaX1 = 0, DrawAreaY1 = 0, DrawAreaX2 = 0, DrawAreaY2 = 0;
  float OffsetX = 0, OffsetY = 0;
  // Drawing that belongs to no sprite, done by the draw pass just before the first sprite at or
  // above Z (after them all when there is none). Kept out of the sprite list, so the move pass,
  // which the list's order and length steer, runs exactly as without it.
  struct DrawLayer {
    int32_t Z = 0;
    std::function<void()> Draw;
  };
  DrawLayer Layer;
  // Off, Draw passes nothing to the screen: drawing changes no sprite, so a race replayed only for
  // its outcome (the score server's verification) skips it.
  bool DrawingOn = true;

  void Move(float moveCount);
  void Draw();
  // Frees every sprite marked dead, the last marked first.
  void Dead();
  TSprite* Sprites(int index) const;
  int Count() const { return static_cast<int>(spriteList_.size()); }

 private:
  friend class TSprite;
  void Insert(TSprite* sprite);
  void Remove(TSprite* sprite);

  std::vector<TSprite*> spriteList_;  // sorted by ascending Z; owned
  std::vector<TSprite*> deadList_;    // marked, not yet freed
};

}  // namespace engine
