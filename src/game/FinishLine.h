// TFinishLine and TFLineImage: the invisible line across the road that records every truck's
// finish, and the picture drawn on it.
#pragma once

#include <array>

#include "engine/OmegaSprite.h"
#include "game/RoadGeometry.h"

namespace game {

class TForm1;

class TFLineImage : public engine::TSprite {
 public:
  TFLineImage(TForm1& form, float x, float y);
  void Move(float /*moveCount*/) override {}
};

class TFinishLine : public engine::TSprite {
 public:
  // Centred on (x, y); registers itself as the race's finish line.
  TFinishLine(TForm1& form, double x, double y, double angle);
  ~TFinishLine() override;
  void Move(float moveCount) override;

  TForm1& Form;
  double Angle = 0;
  Quad Corners{};
  std::array<double, 4> CornerAngles{};
  TFLineImage* LineImage = nullptr;

 private:
  CornerCache cornerCache_;
};

}  // namespace game
