// The burnt-out truck and its smoke: looks only, nothing here touches the race.
#include "game/Wreck.h"

#include <string>

#include "game/MainForm.h"
#include "game/Player.h"
#include "game/SpriteSetup.h"
#include "game/TruckCatalogue.h"

namespace game {
namespace {

// Above the truck (50), under the large explosion (500).
constexpr int32_t kWreckZ = 51;
constexpr int32_t kSmokeZ = 52;
constexpr float kRisePerFrame = 1.1f;
// The wind takes the smoke a little to one side.
constexpr float kDriftPerFrame = 0.35f;
constexpr int32_t kSmokeAlpha = 200;

// A small fixed scatter, so the puffs do not all rise from one spot (no game random numbers).
constexpr float kScatterX[TWreck::kPuffs] = {-6, 4, -2, 8, -9, 1, 6, -4, 3, -7};
constexpr float kScatterY[TWreck::kPuffs] = {2, -4, 6, 0, -2, 4, -6, 3, -1, 5};

}  // namespace

TWreck::TWreck(TForm1& form) : TSprite(&form.OmegaSprite1), form_(form) {
  const TPlayer* player = form.Race.Player;
  const std::string race = TruckEntry(player != nullptr ? player->TruckIndex : 0).RacePicture;
  // "car4" burns out as "wreck4".
  SetPicture(*this, GameImage(form, "wreck" + race.substr(3)));
  SetName("wreck");
  SetZ(kWreckZ);
  CenterX = 0.5f;
  CenterY = 0.3f;
  for (size_t i = 0; i < kPuffs; ++i) {
    auto* puff = new engine::TSprite(&form.OmegaSprite1);
    SetPicture(*puff, GameImage(form, "smoke"));
    puff->SetName("wrecksmoke");
    puff->SetZ(kSmokeZ);
    puff->Visible = false;
    puffs_[i] = puff;
    // Staggered: the first puff rises at once, the rest one after another.
    ages_[i] = -static_cast<int32_t>(i) * (kPuffLife / static_cast<int32_t>(kPuffs));
  }
  Follow();
}

void TWreck::Follow() {
  const TPlayer* player = form_.Race.Player;
  if (player == nullptr) return;
  SetX(player->X + (static_cast<float>(player->Width) - static_cast<float>(Width)) / 2);
  SetY(player->Y + (static_cast<float>(player->Height) - static_cast<float>(Height)) * 0.3f);
  CenterX = player->CenterX;
  CenterY = player->CenterY;
  Rotation = player->Rotation;
}

void TWreck::Move(float /*moveCount*/) {
  TPlayer* player = form_.Race.Player;
  Follow();
  if (player != nullptr) {
    player->Visible = false;
  }
  ++frame_;
  const float scrollX = player != nullptr ? static_cast<float>(player->ScrollX + player->PushX) : 0;
  const float scrollY = player != nullptr ? static_cast<float>(player->ScrollY + player->PushY) : 0;
  for (size_t i = 0; i < kPuffs; ++i) {
    engine::TSprite* puff = puffs_[i];
    int32_t& age = ages_[i];
    ++age;
    if (age <= 0) continue;
    if (age == 1 || age > kPuffLife) {
      // A new puff from the burning cab, near the middle of the wreck.
      age = 1;
      CentreOn(*puff, X + Width / 2.0 + kScatterX[i], Y + Height * 0.45 + kScatterY[i]);
      puff->Visible = true;
    }
    // It rises, drifts a little and stays where the world is, thinning out as it grows.
    puff->SetX(puff->X + scrollX + kDriftPerFrame +
               ((frame_ / 20 + static_cast<int32_t>(i)) % 3 - 1) * 0.2f);
    puff->SetY(puff->Y + scrollY - kRisePerFrame);
    puff->SetPatternIndex(std::min(3, age * 4 / kPuffLife));
    puff->SetAlpha(kSmokeAlpha * (kPuffLife - age) / kPuffLife);
  }
}

void TWreck::Clear() {
  for (engine::TSprite* puff : puffs_) puff->Dead();
  Dead();
  if (TPlayer* player = form_.Race.Player) {
    player->Visible = true;
  }
}

void StartWreck(TForm1& form) {
  if (form.Race.Wreck == nullptr && form.Race.Player != nullptr) form.Race.Wreck = new TWreck(form);
}

void EndWreck(TForm1& form) {
  if (form.Race.Wreck != nullptr) form.Race.Wreck->Clear();
  form.Race.Wreck = nullptr;
}

}  // namespace game
