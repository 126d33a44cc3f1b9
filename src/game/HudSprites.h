// The race display's sprites: dashboard panels, health bar, speedometer needle, reverse light,
// radar blips, start arrows, dust puffs, direction arrows and the menus' blinking lights.
#pragma once

#include <cstdint>

#include "engine/OmegaSprite.h"

namespace game {

class TForm1;

// A dashboard picture at a fixed place: kind 0 "speeder", 1 "radar", 2 "panel".
class TPanel : public engine::TSprite {
 public:
  TPanel(TForm1& form, float x, float y, int32_t kind);
  int32_t Kind = 0;
};

// The player's health bar: the shared picture is cropped from the right by the truck's Health.
class TBar : public engine::TSprite {
 public:
  TBar(TForm1& form, float x, float y);
  void Move(float moveCount) override;
  // Tile width that shows this much health: full at 100, one pixel at 0.
  int32_t TileWidthFor(int32_t health) const;
  // Gives the shared picture back its full width (the race teardown calls it).
  void RestoreTileWidth();

  TForm1& Form;
  double FullWidth = 0;
};

// The speedometer needle, pivoting near its foot; 197 degrees of sweep up to the top speed.
class TSpeedArrow : public engine::TSprite {
 public:
  TSpeedArrow(TForm1& form, float x, float y, double maxForward, double maxReverse);
  void Move(float moveCount) override;
  // Needle angle for a speed: ratio of the limit times 197, pinned at 267.92 beyond 1.36 times it.
  static double AngleFor(double speed, double maxForward, double maxReverse);

  TForm1& Form;
  double MaxForward = 0;
  double MaxReverse = 0;
  double Angle = 0;
};

// The reverse light: on while the player's truck moves backwards.
class TRadarArrow : public engine::TSprite {
 public:
  TRadarArrow(TForm1& form, double x, double y);
  void Move(float moveCount) override;
  TForm1& Form;
};

// A blip on the progress strip: kind 0 the player's "radarcar1", kind 1 an opponent's
// "radarcar2". The trucks move their own blips.
class TRadarCar : public engine::TSprite {
 public:
  TRadarCar(TForm1& form, double x, double y, int32_t kind);
};

// The ring of arrows turning around the start grid until the lights go green.
class TBegArrows : public engine::TSprite {
 public:
  TBegArrows(TForm1& form, double x, double y);
  void Move(float moveCount) override;
};

// A dust puff left by a skidding truck: moves with the world, fades through five patterns and
// dies 15 frames after it appeared.
class TDim : public engine::TSprite {
 public:
  TDim(TForm1& form, double x, double y, bool menuImages);
  void Move(float moveCount) override;
  TForm1& Form;
  int32_t Counter = 1;
};

// An invisible direction marker of a truck ("arrows" pattern by kind); only its Rotation is read.
class TArrow : public engine::TSprite {
 public:
  TArrow(TForm1& form, float x, float y, int32_t patternIndex, bool menuImages);
};

// A glint on the main menu: waits Wait frames in the dark, fades in and out, starts over.
class TLight : public engine::TSprite {
 public:
  TLight(TForm1& form, float x, float y, int32_t kind);
  void Move(float moveCount) override;
  int32_t Counter = 1;
  int32_t Wait = 0;
  int32_t Direction = 1;
};

// Leaves a dust puff at a point of the race (the trucks' skid-mark hook).
void MakeDustPuff(TForm1& form, double centreX, double centreY);

}  // namespace game
