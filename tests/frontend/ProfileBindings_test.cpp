// vornakel.ini: each player's driving keys written and read back, damage read as the defaults, and
// the current player's keys kept in the file and in memory.
#include "frontend/ProfileBindings.h"

#include <gtest/gtest.h>

#include "frontend/GameIni.h"
#include "frontend/SettingsFixture.h"
#include "platform/PadButtons.h"
#include "platform/Text1251.h"

namespace {

using game::DriveAction;
using game::KeyBindings;

class ProfileBindingsTest : public settingstest::SettingsFixture {};

TEST_F(ProfileBindingsTest, RoundTripDamageAndTheCurrentPlayer) {
  const std::string vasya = Ru("Вася");
  const int padY = game::PadInput(static_cast<int>(platform::PadButton::kY));

  // Round trip: readable lines, an emptied action as "none", other lines kept.
  KeyBindings mine = KeyBindings::Defaults();
  mine.SetSlot(DriveAction::kAccelerate, 0, 'W');
  mine.SetSlot(DriveAction::kHorn, 0, 0);
  mine.SetSlot(DriveAction::kHorn, 1, 0);
  mine.SetSlot(DriveAction::kHorn, 2, padY);
  frontend::IniDocument ini = frontend::IniDocument::Parse("[profile \"Вася\"]\nghost = 1\n");
  frontend::SetProfileBindings(ini, vasya, mine);
  const std::string text = ini.Serialize();
  EXPECT_NE(text.find("ghost = 1\nkey.accelerate = 87\npad.accelerate = righttrigger, dpup\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("key.horn = none\npad.horn = y\n"), std::string::npos) << text;
  EXPECT_EQ(frontend::ProfileBindingsIn(frontend::IniDocument::Parse(text), vasya), mine);
  EXPECT_EQ(frontend::ProfileBindingsIn(ini, Ru("Петя")), KeyBindings::Defaults());

  // Damage: each bad line gives that action its defaults; an input listed twice stays with the
  // first action.
  const auto read = frontend::ProfileBindingsIn(
      frontend::IniDocument::Parse("[profile \"Вася\"]\nkey.accelerate = up\nkey.brake = 300\n"
                                   "key.left = 65, 66, 67\npad.right = banana\nkey.pause = \n"
                                   "key.horn = 87, 40\n"),
      vasya);
  KeyBindings expected = KeyBindings::Defaults();
  expected.SetSlot(DriveAction::kHorn, 0, 'W');
  expected.SetSlot(DriveAction::kHorn, 1, 0);  // Down stays the brake's
  EXPECT_EQ(read, expected);

  // The file: the screen's keys are the current player's and a fresh start reads them back.
  frontend::AddProfile(form->Menu, vasya);
  frontend::AddProfile(form->Menu, Ru("Петя"));
  form->Menu.CurrentProfile = 0;
  EXPECT_EQ(frontend::CurrentBindings(*form), KeyBindings::Defaults()) << "no file: defaults";
  frontend::SaveBindings(*form, mine);
  auto next = NewForm();
  next->Menu = form->Menu;
  next->Menu.BindingsOwner.reset();
  EXPECT_EQ(frontend::CurrentBindings(*next), mine);
  next->Menu.CurrentProfile = 1;
  EXPECT_EQ(frontend::CurrentBindings(*next), KeyBindings::Defaults());
  EXPECT_EQ(next->Bindings, KeyBindings::Defaults());
}

}  // namespace
