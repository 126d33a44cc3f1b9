// TWreck: the burnt-out truck a destroyed player truck leaves until its respawn, with smoke rising
// from it.
#pragma once

#include <array>
#include <cstdint>

#include "engine/OmegaSprite.h"

namespace game {

class TForm1;

class TWreck : public engine::TSprite {
 public:
  // Laid over the player's truck, which it hides. Made outside the sprites' move pass (it makes
  // its smoke sprites at once, so none is added while sprites move).
  explicit TWreck(TForm1& form);
  void Move(float moveCount) override;
  // Takes the wreck and its smoke away and shows the truck again.
  void Clear();

  static constexpr size_t kPuffs = 10;
  // Frames a puff of smoke lives; one rises every kPuffLife / kPuffs frames.
  static constexpr int32_t kPuffLife = 90;

 private:
  void Follow();

  TForm1& form_;
  std::array<engine::TSprite*, kPuffs> puffs_{};
  std::array<int32_t, kPuffs> ages_{};
  int32_t frame_ = 0;
};

// Lays a wreck over the player's truck (once per destruction).
void StartWreck(TForm1& form);
// The respawn, or a race left while the wreck burns: the truck is shown again.
void EndWreck(TForm1& form);

}  // namespace game
