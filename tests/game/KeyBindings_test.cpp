// The translation of keys and controller buttons into the race's keys: the defaults change nothing,
// a rebound action answers to its new key only, and a held input lets go of what it pressed.
#include "game/KeyBindings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/RaceFixture.h"
#include "platform/PadButtons.h"

namespace racetest {
namespace {

using game::DriveAction;
using platform::PadButton;

int Pad(PadButton button) {
  return static_cast<int>(button);
}

class KeyBindingsTest : public RaceFixture {};

TEST_F(KeyBindingsTest, DefaultsAreTheOldKeysRebindingMovesThemAndReleasesFollowThePress) {
  // Defaults: every key is itself in a race, every button means what it always meant.
  const game::KeyBindings defaults = game::KeyBindings::Defaults();
  for (int vk = 1; vk < 256; ++vk) EXPECT_EQ(defaults.RaceKeyFor(vk), vk) << vk;
  for (int b = 0; b < platform::kPadButtonCount; ++b)
    EXPECT_EQ(defaults.RaceKeyFor(game::PadInput(b)), game::MenuKeyFor(game::PadInput(b))) << b;
  EXPECT_EQ(game::MenuKeyFor(game::PadInput(Pad(PadButton::kRightTrigger))), 38);
  EXPECT_EQ(game::MenuKeyFor(game::PadInput(Pad(PadButton::kStart))), 27);
  EXPECT_EQ(game::MenuKeyFor(game::PadInput(Pad(PadButton::kY))), 0);

  // Accelerate on W only, the horn also on Y: in the race W is Up, the arrow does nothing, Y honks.
  form->Bindings.SetSlot(DriveAction::kAccelerate, 0, 'W');
  form->Bindings.SetSlot(DriveAction::kHorn, 2, game::PadInput(Pad(PadButton::kY)));
  form->GameState = game::gsRace;
  form->FormKeyDown(38);
  EXPECT_FALSE(form->KeyDown[38]) << "an unbound default key does nothing in the race";
  form->FormKeyUp(38);
  form->FormKeyDown('W');
  EXPECT_TRUE(form->KeyDown[38]);
  EXPECT_FALSE(form->KeyDown['W']);
  form->FormPadDown(Pad(PadButton::kRightTrigger));  // a second holder of Up
  form->FormKeyUp('W');
  EXPECT_TRUE(form->KeyDown[38]) << "Up stays down while the trigger holds it";
  form->FormPadDown(Pad(PadButton::kY));
  form->FormPadUp(Pad(PadButton::kY));
  EXPECT_TRUE(form->KeyReleased[72]);

  // A press in the race let go in a menu releases the race's key; menus read keys as themselves.
  form->GameState = game::gsMainMenu;
  form->FormPadUp(Pad(PadButton::kRightTrigger));
  EXPECT_FALSE(form->KeyDown[38]);
  EXPECT_TRUE(form->KeyReleased[38]);
  form->FormKeyDown('W');
  EXPECT_TRUE(form->KeyDown['W']);
  form->FormKeyUp('W');
  form->FormPadDown(Pad(PadButton::kY));
  EXPECT_EQ(std::count(form->KeyDown.begin(), form->KeyDown.end(), true), 0);
  form->FormPadUp(Pad(PadButton::kY));

  // While a screen captures input, nothing else sees the press or its release.
  form->FormKeyDown(13);
  int captured = 0;
  form->CaptureInput = [&](int input) {
    captured = input;
    form->CaptureInput = nullptr;
  };
  form->KeyReleased.fill(false);
  form->FormKeyDown(13);  // the keyboard's repeat of the Enter held since before: no new press
  form->FormKeyDown(27);
  form->FormKeyUp(27);
  EXPECT_EQ(captured, 27);
  EXPECT_FALSE(form->KeyDown[27]);
  EXPECT_FALSE(form->KeyReleased[27]);
}

}  // namespace
}  // namespace racetest
