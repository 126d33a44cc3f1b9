// The explosion: follows its truck and steps through its eight frames, then disappears.
#include "game/Explosion.h"

#include <algorithm>

#include "engine/Random.h"
#include "game/EnemyCar.h"
#include "game/MainForm.h"
#include "game/SpriteSetup.h"

namespace game {

namespace {

constexpr const char* kExplosionPictures[3] = {"exploid", "exploid2", "exploid3"};

// The player's truck never moves on screen; its explosions stay here.
constexpr double kPlayerPlaceX = 396;
constexpr double kPlayerPlaceY = 450;

}  // namespace

TExplose::TExplose(TForm1& form, int32_t ownerIndex, int32_t kind, double centreX, double centreY)
    : TSprite(&form.OmegaSprite1), Form(form) {
  LastPattern = 7;
  FrameCounter = 1;
  OwnerIndex = ownerIndex;
  FollowX = centreX;
  FollowY = centreY;
  SetPicture(*this, GameImage(form, kExplosionPictures[std::clamp(kind, 0, 2)]));
  // The large one covers the race display; a bomb's goes under the trucks.
  SetZ(kind == kExplosionLarge ? 500 : 49);
  Visible = true;
  SetName("explose");
  SetPatternIndex(0);
  CenterX = 0.5f;
  CenterY = 0.5f;
  Rotation = static_cast<float>(engine::Random(360));
  SetAlpha(230);
  CentreOn(*this, centreX, centreY);
}

void TExplose::Move(float /*moveCount*/) {
  // 1. Follow the owner (an explosion does not scroll by itself).
  if (OwnerIndex < 0) {
    FollowX = kPlayerPlaceX;
    FollowY = kPlayerPlaceY;
  } else if (OwnerIndex < kOpponentSlots) {
    if (const TEnemyCar* owner = Form.Race.Opponents[static_cast<size_t>(OwnerIndex)]) {
      FollowX = 0;
      FollowY = 0;
      for (const CarCorner& corner : owner->Corners) {
        FollowX += corner.x;
        FollowY += corner.y;
      }
      FollowX /= 4;
      FollowY /= 4;
    }
  }
  CentreOn(*this, FollowX, FollowY);

  // 2. A new frame every fourth move (the first on the fifth), gone after the last.
  if (FrameCounter % 5 == 0) {
    if (PatternIndex >= LastPattern) {
      Dead();
    } else {
      const int32_t shown = PatternIndex;
      SetPatternIndex(shown + 1);
      // A picture with fewer frames ends at its own last one.
      if (PatternIndex == shown) LastPattern = shown;
    }
    FrameCounter = 1;
  }
  ++FrameCounter;
}

}  // namespace game
