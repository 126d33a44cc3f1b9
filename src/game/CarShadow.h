// TCarTen: the shadow drawn just under a truck.
#pragma once

#include <cstdint>

#include "engine/OmegaSprite.h"

namespace game {

class TForm1;

class TCarTen : public engine::TSprite {
 public:
  // The shadow of model number ModelNumber (1..5), centred on (x, y).
  TCarTen(TForm1& form, int32_t modelNumber, double x, double y);
};

}  // namespace game
