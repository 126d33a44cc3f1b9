// The letter picker a controller types names with, on the started game: moving and wrapping over
// the grid, typing, deleting, the box's length, confirming, and B on an empty box.
#include <gtest/gtest.h>

#include <string>

#include "frontend/MenuFixture.h"
#include "platform/PadButtons.h"
#include "platform/Text1251.h"

namespace frontendtest {
namespace {

using platform::PadButton;

class LetterPickerTest : public MenuFixture {
 protected:
  void Pad(PadButton button, int times = 1) {
    for (int i = 0; i < times; ++i) {
      form->FormPadDown(static_cast<int>(button));
      form->FormPadUp(static_cast<int>(button));
    }
  }
  std::string Text() { return form->Menu.NameEdit->Text; }
};

TEST_F(LetterPickerTest, TypesMovesWrapsDeletesAndConfirmsByTheBoxsRules) {
  ASSERT_EQ(FramesUntilStateLeaves(400), game::gsNameEntry);
  Pad(PadButton::kA);  // the first press only shows the picker
  EXPECT_EQ(Text(), "");
  Pad(PadButton::kA);
  EXPECT_EQ(Text(), Ru("А"));
  Pad(PadButton::kLeft);  // round to the end of the first row
  Pad(PadButton::kA);
  EXPECT_EQ(Text(), Ru("АЙ"));
  Pad(PadButton::kUp);  // over the top onto the last third of the command row: done
  Pad(PadButton::kLeft);
  Pad(PadButton::kA);  // delete
  EXPECT_EQ(Text(), Ru("А"));
  Pad(PadButton::kLeft);
  Pad(PadButton::kA);     // space
  Pad(PadButton::kDown);  // under the bottom to the first row, above the space key
  Pad(PadButton::kA);
  EXPECT_EQ(Text(), Ru("А Б"));
  Pad(PadButton::kDown, 6);  // the digits' row
  Pad(PadButton::kA, 20);
  EXPECT_EQ(Text(), Ru("А Б1111111111").substr(0, 12)) << "the box holds twelve";
  Pad(PadButton::kB);
  EXPECT_EQ(Text().size(), 11u);
  Frame();
  EXPECT_EQ(form->GameState, game::gsNameEntry);

  // Start confirms as Enter; its release, on the main menu by then, is no Esc there.
  form->FormPadDown(static_cast<int>(PadButton::kStart));
  Frame();
  ASSERT_EQ(form->GameState, game::gsMainMenu);
  EXPECT_EQ(form->PlayerName, Ru("А Б11111111"));
  form->FormPadUp(static_cast<int>(PadButton::kStart));
  Frame();
  EXPECT_EQ(form->GameState, game::gsMainMenu);

  // A new player in English: Latin letters, "done" confirms; B on an empty box is the screen's Esc.
  form->Lang = game::Language::English;
  form->LeaveState(game::gsMainMenu);
  form->EnterState(game::gsProfileList);
  form->LeaveState(game::gsProfileList);
  form->EnterState(game::gsProfileAdd);
  Pad(PadButton::kRight);
  Pad(PadButton::kRight);
  Pad(PadButton::kA);
  EXPECT_EQ(Text(), "B");
  Pad(PadButton::kUp);  // the command row's first third: space
  Pad(PadButton::kRight, 2);
  Pad(PadButton::kA);
  Frame();
  ASSERT_EQ(form->GameState, game::gsProfileList);
  EXPECT_EQ(form->PlayerName, "B");
  form->LeaveState(game::gsProfileList);
  form->EnterState(game::gsProfileAdd);
  Pad(PadButton::kB);
  Frame();
  EXPECT_EQ(form->GameState, game::gsProfileList);
}

}  // namespace
}  // namespace frontendtest
