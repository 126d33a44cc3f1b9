// The race display's sprites and what each does per frame.
#include "game/HudSprites.h"

#include <cmath>
#include <string>

#include "engine/Random.h"
#include "game/MainForm.h"
#include "game/Player.h"
#include "game/SpriteSetup.h"

namespace game {

namespace {

// Picture, name, pattern 0 and Z: what every display sprite sets first.
void Dress(engine::TSprite& sprite, engine::TImageListItem* image, const std::string& name,
           int32_t z) {
  SetPicture(sprite, image);
  sprite.SetPatternIndex(0);
  sprite.SetName(name);
  sprite.SetZ(z);
}

engine::TImageListItem* PictureOf(TForm1& form, const std::string& name, bool menuImages) {
  return menuImages ? form.MenuImage(name) : GameImage(form, name);
}

}  // namespace

TPanel::TPanel(TForm1& form, float x, float y, int32_t kind)
    : TSprite(&form.OmegaSprite1), Kind(kind) {
  static const char* const kPictures[] = {"speeder", "radar", "panel"};
  const char* picture = kPictures[kind >= 0 && kind <= 2 ? kind : 2];
  Dress(*this, GameImage(form, picture), picture, kind == 2 ? 520 : 480);
  SetAlpha(255);
  SetX(x);
  SetY(y);
}

TBar::TBar(TForm1& form, float x, float y) : TSprite(&form.OmegaSprite1), Form(form) {
  Dress(*this, GameImage(form, "healthbar"), "healthbar", 510);
  SetX(x);
  SetY(y);
  FullWidth = Width - 1;
  if (Image != nullptr) Image->SetTileWidth(Width);
}

int32_t TBar::TileWidthFor(int32_t health) const {
  // Halves go to the even neighbour.
  return static_cast<int32_t>(std::nearbyint(health / 100.0 * FullWidth + 1));
}

void TBar::RestoreTileWidth() {
  if (Image != nullptr) Image->SetTileWidth(Width);
}

void TBar::Move(float /*moveCount*/) {
  const TPlayer* player = Form.Race.Player;
  if (player == nullptr || Image == nullptr) return;
  Image->SetTileWidth(TileWidthFor(player->Health));
}

TSpeedArrow::TSpeedArrow(TForm1& form, float x, float y, double maxForward, double maxReverse)
    : TSprite(&form.OmegaSprite1), Form(form), MaxForward(maxForward), MaxReverse(maxReverse) {
  Dress(*this, GameImage(form, "speedarrow"), "speedarrow", 510);
  CenterX = 0.5f;
  CenterY = 0.9f;
  ScaleX = 1;
  ScaleY = 1;
  Rotation = -315;
  SetX(x);
  SetY(y);
}

double TSpeedArrow::AngleFor(double speed, double maxForward, double maxReverse) {
  double ratio = 0;
  if (speed >= 0) {
    ratio = maxForward != 0 ? speed / maxForward : 0;
  } else {
    // The reverse limit is negative: reversing at it reads like full speed ahead.
    ratio = maxReverse != 0 ? std::fabs(speed) / -maxReverse : 0;
  }
  return ratio < 1.36 ? ratio * 197 : 267.92;
}

void TSpeedArrow::Move(float /*moveCount*/) {
  const TPlayer* player = Form.Race.Player;
  if (player == nullptr) return;
  Angle = AngleFor(player->Speed, MaxForward, MaxReverse);
  Rotation = static_cast<float>(Angle - 495);
}

TRadarArrow::TRadarArrow(TForm1& form, double x, double y)
    : TSprite(&form.OmegaSprite1), Form(form) {
  Dress(*this, GameImage(form, "backlight"), "backlight", 510);
  CenterX = 0.5f;
  CenterY = 0.5f;
  CentreOn(*this, x, y);
}

void TRadarArrow::Move(float /*moveCount*/) {
  const TPlayer* player = Form.Race.Player;
  Visible = player != nullptr && player->Speed < 0;
}

TRadarCar::TRadarCar(TForm1& form, double x, double y, int32_t kind) : TSprite(&form.OmegaSprite1) {
  Dress(*this, GameImage(form, kind == 0 ? "radarcar1" : "radarcar2"), "radarcar",
        kind == 0 ? 490 : 485);
  CenterX = 0.5f;
  CenterY = 0.5f;
  CentreOn(*this, x, y);
}

TBegArrows::TBegArrows(TForm1& form, double x, double y) : TSprite(&form.OmegaSprite1) {
  Dress(*this, GameImage(form, "begarrows"), "begarrows", 550);
  Rotation = 0;
  CenterX = 0.5f;
  CenterY = 0.5f;
  CentreOn(*this, x, y);
}

void TBegArrows::Move(float /*moveCount*/) {
  Rotation += 1;
}

TDim::TDim(TForm1& form, double x, double y, bool menuImages)
    : TSprite(&form.OmegaSprite1), Form(form) {
  Dress(*this, PictureOf(form, "dim", menuImages), "arrow", 49);
  SetAlpha(200);
  CenterX = 0;
  CenterY = 0.5f;
  Visible = !menuImages;
  Counter = 1;
  CentreOn(*this, x, y);
}

void TDim::Move(float /*moveCount*/) {
  if (const TPlayer* player = Form.Race.Player) {
    SetX(static_cast<float>(X + player->ScrollX + player->PushX));
    SetY(static_cast<float>(Y + player->ScrollY + player->PushY));
  }
  if (Counter % 3 == 0) {
    if (PatternIndex == 4) {
      Dead();
    } else {
      SetPatternIndex(PatternIndex + 1);
      SetAlpha(Alpha - 15);
    }
    Counter = 0;
  }
  ++Counter;
}

TArrow::TArrow(TForm1& form, float x, float y, int32_t patternIndex, bool menuImages)
    : TSprite(&form.OmegaSprite1) {
  Dress(*this, PictureOf(form, "arrows", menuImages), "arrow", 510);
  SetPatternIndex(patternIndex);
  CenterX = 0;
  CenterY = 0.5f;
  Visible = false;
  SetX(x);
  SetY(y);
}

TLight::TLight(TForm1& form, float x, float y, int32_t kind) : TSprite(&form.OmegaSprite1) {
  Dress(*this, form.MenuImage(kind == 0 ? "light1" : "light2"), "light", 149);
  SetAlpha(0);
  CenterX = 0;
  CenterY = 0.5f;
  SetX(x);
  SetY(y);
  Counter = 1;
  Direction = 1;
  Wait = engine::Random(200) + 200;
}

void TLight::Move(float /*moveCount*/) {
  if (Wait < Counter) {
    if (Direction == 1) {
      SetAlpha(Alpha + 1);
      if (Alpha > 254) Direction = -1;
    } else {
      SetAlpha(Alpha - 1);
      if (Alpha <= 0) {
        Direction = 1;
        Counter = 0;
      }
    }
  }
  ++Counter;
}

void MakeDustPuff(TForm1& form, double centreX, double centreY) {
  new TDim(form, centreX, centreY, false);
}

}  // namespace game
