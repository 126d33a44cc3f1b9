// The profile list's pulsing highlight bar; the profile screens themselves register through
// RegisterProfileStates (Registration.h).
#pragma once

#include <cstdint>

#include "engine/OmegaSprite.h"
#include "game/MainForm.h"

namespace frontend {

// The bar behind the highlighted name of the profile list: it follows ProfileCursor and its
// alpha swings between 100 and 250 in steps of 5.
class TChooseLine : public engine::TSprite {
 public:
  explicit TChooseLine(game::TForm1& form);
  void Move(float moveCount) override;

  int32_t Step = 5;

 private:
  game::TForm1& form_;
};

}  // namespace frontend
