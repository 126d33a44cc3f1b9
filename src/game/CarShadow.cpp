// The truck shadow: picture "carten1".."carten5", pivot on the rear part like the truck's.
#include "game/CarShadow.h"

#include <string>

#include "game/MainForm.h"
#include "game/SpriteSetup.h"

namespace game {

TCarTen::TCarTen(TForm1& form, int32_t modelNumber, double x, double y)
    : TSprite(&form.OmegaSprite1) {
  SetPicture(*this, GameImage(form, "carten" + std::to_string(modelNumber)));
  SetName("carten");
  SetPatternIndex(0);
  Rotation = 0;
  CenterX = 0.5f;
  CenterY = 0.3f;
  CentreOn(*this, x, y);
  SetZ(48);
}

}  // namespace game
