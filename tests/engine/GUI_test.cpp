// The GUI: hit testing, hover, press and click rules, move thinning, drawing of the looks, and
// event handlers that free the widgets they belong to.
#include "engine/OmegaGUI.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/GUIFixture.h"

namespace {

using engine::TOmegaButton;
using engine::TOmegaGUIComponent;
using engine::TOmegaGUIList;
using enginetest::GUIFixture;

class GUITest : public GUIFixture {
 protected:
  // A button with a hover look, recording what happens to it.
  TOmegaButton* AddButton(TOmegaGUIList* list, int left, int top, int width, int height,
                          const std::string& name) {
    auto* button = list->Add<TOmegaButton>();
    button->Name = name;
    button->Left = left;
    button->Top = top;
    button->Width = width;
    button->Height = height;
    button->SetImage(0, buttonPicture);
    button->SetPattern(0, 0);
    button->SetImage(1, buttonPicture);
    button->SetPattern(1, 1);
    button->OnClick = [this](TOmegaGUIComponent* s) { log.push_back("click " + s->Name); };
    button->OnMouseEnter = [this](TOmegaGUIComponent* s) { log.push_back("enter " + s->Name); };
    button->OnMouseLeave = [this](TOmegaGUIComponent* s) { log.push_back("leave " + s->Name); };
    button->OnMouseDown = [this](TOmegaGUIComponent* s, int b, int shift, int, int) {
      log.push_back("down " + s->Name + " " + std::to_string(b) + " " + std::to_string(shift));
    };
    button->OnMouseUp = [this](TOmegaGUIComponent* s, int b, int, int, int) {
      log.push_back("up " + s->Name + " " + std::to_string(b));
    };
    return button;
  }

  std::vector<std::string> log;
};

TEST_F(GUITest, HitTestIncludesTheEdgesAndSkipsHiddenOrDisabledWidgets) {
  TOmegaGUIList* list = gui.AddList("GUI2");
  TOmegaButton* button = AddButton(list, 206, 420, 100, 40, "a");
  gui.MouseMove(306, 460);
  EXPECT_EQ(gui.HoverID, button->ID);
  Move(307, 460);
  EXPECT_EQ(gui.HoverID, 0);
  Move(206, 420);
  EXPECT_EQ(gui.HoverID, button->ID);
  Move(206, 419);
  EXPECT_EQ(gui.HoverID, 0);

  button->Enabled = false;
  Move(250, 440);
  EXPECT_EQ(gui.HoverID, 0);
  button->Enabled = true;
  button->Visible = false;
  Move(251, 440);
  EXPECT_EQ(gui.HoverID, 0);
  button->Visible = true;
  list->Enabled = false;
  Move(252, 440);
  EXPECT_EQ(gui.HoverID, 0);
  list->Enabled = true;
  Move(253, 440);
  EXPECT_EQ(gui.HoverID, button->ID);
}

TEST_F(GUITest, LaterWidgetsAndListsWinOverlapsAndBringToFrontReorders) {
  TOmegaGUIList* back = gui.AddList("back");
  TOmegaGUIList* front = gui.AddList("front");
  TOmegaButton* a = AddButton(back, 0, 0, 100, 100, "a");
  TOmegaButton* b = AddButton(back, 50, 50, 100, 100, "b");
  TOmegaButton* c = AddButton(front, 90, 90, 10, 10, "c");
  gui.MouseMove(60, 60);
  EXPECT_EQ(gui.HoverID, b->ID);
  a->BringToFront();
  Move(61, 61);
  EXPECT_EQ(gui.HoverID, a->ID);
  Move(95, 95);
  EXPECT_EQ(gui.HoverID, c->ID);
  back->BringToFront();
  EXPECT_EQ(gui.Lists(1), back);
  Move(96, 96);
  EXPECT_EQ(gui.HoverID, a->ID);
}

TEST_F(GUITest, HoverFiresEnterAndLeaveOncePerChange) {
  TOmegaGUIList* list = gui.AddList("GUI2");
  AddButton(list, 0, 0, 50, 50, "a");
  AddButton(list, 100, 0, 50, 50, "b");
  AddButton(list, 120, 0, 50, 50, "c");  // overlaps b
  gui.MouseMove(10, 10);
  Move(20, 20);
  Move(110, 10);
  Move(130, 10);  // over b and c: c wins
  Move(131, 10);
  Move(300, 300);
  EXPECT_EQ(log, (std::vector<std::string>{"enter a", "leave a", "enter b", "leave b", "enter c",
                                           "leave c"}));
}

TEST_F(GUITest, ClickNeedsPressAndReleaseOverTheSameWidget) {
  TOmegaGUIList* list = gui.AddList("GUI2");
  AddButton(list, 0, 0, 50, 50, "a");
  AddButton(list, 100, 0, 50, 50, "b");
  gui.MouseMove(10, 10);
  gui.MouseDown(engine::gbLeft, 10, 10);
  Move(110, 10);
  gui.MouseUp(engine::gbLeft, 110, 10);
  EXPECT_EQ(log,
            (std::vector<std::string>{"enter a", "down a 0 8", "leave a", "enter b", "up b 0"}));
  EXPECT_EQ(gui.PressedID, -1);

  log.clear();
  gui.MouseDown(engine::gbLeft, 110, 10);
  gui.MouseUp(engine::gbLeft, 110, 10);
  gui.MouseDown(engine::gbRight, 110, 10);
  gui.MouseUp(engine::gbRight, 110, 10);
  EXPECT_EQ(log, (std::vector<std::string>{"down b 0 8", "click b", "down b 1 16", "up b 1"}));

  // Pressed on nothing, released on a widget: no click.
  log.clear();
  Move(300, 300);
  gui.MouseDown(engine::gbLeft, 300, 300);
  gui.MouseUp(engine::gbLeft, 10, 10);
  EXPECT_EQ(log, (std::vector<std::string>{"leave b", "enter a", "up a 0"}));
}

// A double click counts once: its second press goes to OnDblClick, and no click follows.
TEST_F(GUITest, DoubleClickGoesToItsHandlerOnlyOnTheWidgetOfTheFirstPress) {
  TOmegaGUIList* list = gui.AddList("GUI2");
  TOmegaButton* a = AddButton(list, 0, 0, 50, 50, "a");
  AddButton(list, 100, 0, 50, 50, "b");
  a->OnDblClick = [this](TOmegaGUIComponent* s) { log.push_back("double " + s->Name); };
  gui.MouseMove(10, 10);
  gui.MouseDown(engine::gbLeft, 10, 10);
  gui.MouseUp(engine::gbLeft, 10, 10);
  gui.MouseDoubleClick(10, 10);
  gui.MouseUp(engine::gbLeft, 10, 10);
  // Another quick press right after a double click starts a new click.
  gui.MouseDoubleClick(10, 10);
  gui.MouseUp(engine::gbLeft, 10, 10);
  EXPECT_EQ(log, (std::vector<std::string>{"enter a", "down a 0 8", "click a", "double a", "up a 0",
                                           "down a 0 8", "click a"}));

  // The second press landing on another widget is a press of that widget.
  log.clear();
  gui.MouseDoubleClick(110, 10);
  gui.MouseUp(engine::gbLeft, 110, 10);
  EXPECT_EQ(log, (std::vector<std::string>{"leave a", "enter b", "down b 0 8", "click b"}));
}

TEST_F(GUITest, MovesAreThinnedButPressesLandWhereTheButtonWentDown) {
  TOmegaGUIList* list = gui.AddList("GUI2");
  TOmegaButton* a = AddButton(list, 0, 0, 50, 50, "a");
  TOmegaButton* b = AddButton(list, 100, 0, 50, 50, "b");
  gui.MouseMove(10, 10);
  clock.Advance(4000);  // 4 ms later: held back
  gui.MouseMove(110, 10);
  EXPECT_EQ(gui.HoverID, a->ID);
  EXPECT_EQ(gui.MouseX, 10);

  // The next frame shows the held-back position.
  clock.Advance(7000);
  gui.Draw();
  EXPECT_EQ(gui.HoverID, b->ID);
  EXPECT_EQ(gui.MouseX, 110);

  // A move dropped just before a press does not send the click elsewhere.
  clock.Advance(11000);
  gui.MouseMove(120, 20);
  clock.Advance(1000);
  gui.MouseMove(20, 20);
  gui.MouseDown(engine::gbLeft, 20, 20);
  gui.MouseUp(engine::gbLeft, 20, 20);
  EXPECT_EQ(log.back(), "click a");
  EXPECT_EQ(gui.PreviousState.LeftButton, true);
}

TEST_F(GUITest, InputIsRoutedOnlyWhileHooked) {
  TOmegaGUIList* list = gui.AddList("GUI2");
  AddButton(list, 0, 0, 50, 50, "a");
  gui.Stop();
  EXPECT_FALSE(gui.MouseMove(10, 10));
  EXPECT_FALSE(gui.MouseDown(engine::gbLeft, 10, 10));
  EXPECT_FALSE(gui.MouseUp(engine::gbLeft, 10, 10));
  EXPECT_FALSE(gui.Char('a'));
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(gui.HoverID, -1);
  gui.Start();
  EXPECT_TRUE(gui.MouseMove(10, 10));
  EXPECT_EQ(log, (std::vector<std::string>{"enter a"}));
  // Key-downs always go on to the game as well.
  EXPECT_FALSE(gui.KeyDown(65));
}

TEST_F(GUITest, FocusedButtonClicksOnEnterAndSpace) {
  TOmegaGUIList* list = gui.AddList("GUI2");
  TOmegaButton* a = AddButton(list, 0, 0, 50, 50, "a");
  gui.KeyDown(13);
  EXPECT_TRUE(log.empty());
  a->SetFocus();
  gui.KeyDown(13);
  gui.KeyDown(32);
  gui.KeyDown(65);
  gui.Char(' ');
  EXPECT_EQ(log, (std::vector<std::string>{"click a", "click a"}));
}

TEST_F(GUITest, IdsAreNeverReusedAndFreedWidgetsStopMatching) {
  TOmegaGUIList* list = gui.AddList("GUI2");
  TOmegaButton* a = AddButton(list, 0, 0, 50, 50, "a");
  const int32_t firstId = a->ID;
  EXPECT_EQ(firstId, 1);
  EXPECT_EQ(a->Caption, "1");
  EXPECT_EQ(gui.Widgets(firstId), a);
  gui.MouseMove(10, 10);
  list->Free();
  EXPECT_EQ(gui.ListCount(), 0);
  EXPECT_EQ(gui.Widgets(firstId), nullptr);
  TOmegaGUIList* next = gui.AddList("GUI2");
  TOmegaButton* b = AddButton(next, 0, 0, 50, 50, "b");
  EXPECT_EQ(b->ID, firstId + 1);
  // The new button under the resting pointer shows its hover with the next frame.
  gui.Draw();
  EXPECT_EQ(gui.HoverID, b->ID);
}

// The game changes screens from click handlers: the handler frees the list holding the button
// that was clicked and builds the next screen's list.
TEST_F(GUITest, HandlersMayFreeTheirOwnList) {
  TOmegaGUIList* list = gui.AddList("GUI2");
  TOmegaButton* a = AddButton(list, 0, 0, 50, 50, "a");
  TOmegaGUIList* next = nullptr;
  a->OnClick = [&](TOmegaGUIComponent* sender) {
    log.push_back("click " + sender->Name);
    gui.FreeList(list);
    next = gui.AddList("GUI2");
    AddButton(next, 0, 0, 50, 50, "b");
  };
  gui.MouseMove(10, 10);
  gui.MouseDown(engine::gbLeft, 10, 10);
  gui.MouseUp(engine::gbLeft, 10, 10);
  ASSERT_EQ(gui.ListCount(), 1);
  EXPECT_EQ(gui.Lists(0), next);
  gui.Draw();
  EXPECT_EQ(log.back(), "enter b");

  // Freed from a leave handler, from a press, and a widget removing itself.
  TOmegaButton* b = static_cast<TOmegaButton*>(next->Items(0));
  b->OnMouseLeave = [&](TOmegaGUIComponent*) { next->Free(); };
  Move(300, 300);
  EXPECT_EQ(gui.ListCount(), 0);
  TOmegaGUIList* third = gui.AddList("GUI3");
  TOmegaButton* c = AddButton(third, 0, 0, 50, 50, "c");
  TOmegaButton* d = AddButton(third, 100, 0, 50, 50, "d");
  c->OnMouseDown = [&](TOmegaGUIComponent* s, int, int, int, int) { third->Remove(s); };
  d->OnMouseEnter = [&](TOmegaGUIComponent*) { third->Free(); };
  Move(10, 10);
  gui.MouseDown(engine::gbLeft, 10, 10);
  EXPECT_EQ(third->Count(), 1);
  gui.MouseUp(engine::gbLeft, 10, 10);
  Move(110, 10);
  EXPECT_EQ(gui.ListCount(), 0);
  gui.Draw();
}

TEST_F(GUITest, ButtonLooksFollowHoverAndTheLeftButton) {
  TOmegaGUIList* list = gui.AddList("GUI2");
  TOmegaButton* a = AddButton(list, 10, 20, 100, 40, "a");
  a->Caption.clear();
  EXPECT_EQ(a->CurrentState(), 0);
  gui.MouseMove(50, 30);
  EXPECT_EQ(a->CurrentState(), 1);
  gui.MouseDown(engine::gbLeft, 50, 30);
  EXPECT_EQ(a->CurrentState(), 0);  // no picture for look 2
  a->SetImage(2, buttonPicture);
  a->SetPattern(2, 1);
  EXPECT_EQ(a->CurrentState(), 2);

  dev.quads.clear();
  gui.Draw();
  ASSERT_EQ(dev.quads.size(), 1u);
  const auto& quad = dev.quads[0];
  EXPECT_FLOAT_EQ(quad.corners[0].x, 9.5f);
  EXPECT_FLOAT_EQ(quad.corners[0].y, 19.5f);
  EXPECT_FLOAT_EQ(quad.corners[2].x, 109.5f);
  EXPECT_FLOAT_EQ(quad.corners[2].y, 59.5f);
  EXPECT_FLOAT_EQ(quad.corners[0].v, 40.0f / 81);  // pattern 1: the second tile row
}

TEST_F(GUITest, CaptionIsCentredOnTheButton) {
  TOmegaGUIList* list = gui.AddList("GUI2");
  TOmegaButton* a = AddButton(list, 10, 20, 100, 40, "a");
  a->Caption = "12";  // 2 cells of 10 x 20
  dev.quads.clear();
  gui.Draw();
  ASSERT_EQ(dev.quads.size(), 3u);
  // x = 10 + 50 - 20 / 2, y = 20 + 20 - 20 / 2
  EXPECT_FLOAT_EQ(dev.quads[1].corners[0].x, 50.0f);
  EXPECT_FLOAT_EQ(dev.quads[1].corners[0].y, 30.0f);
  a->CenterCaption = false;
  a->CaptionX = 3;
  dev.quads.clear();
  gui.Draw();
  EXPECT_FLOAT_EQ(dev.quads[1].corners[0].x, 38.0f);  // 10 + 3 + 100 / 4
}

TEST(WidgetStateTest, AnimationWrapsStopsAndRunsBackwards) {
  engine::TWidgetState state;
  state.SetPattern(2);
  state.PatternCount = 2;
  state.Delay = 20;  // a step every 2 frames
  state.Restart();
  std::vector<int> seen;
  for (int i = 0; i < 8; ++i) {
    state.Step();
    seen.push_back(state.Pattern);
  }
  EXPECT_EQ(seen, (std::vector<int>{2, 3, 3, 4, 4, 2, 2, 3}));

  state.Loop = false;
  state.Delay = 0;
  state.Restart();
  for (int i = 0; i < 5; ++i) state.Step();
  EXPECT_EQ(state.Pattern, 4);
  EXPECT_TRUE(state.Finished);

  state.Reverse = true;
  state.Restart();
  EXPECT_EQ(state.Pattern, 4);
  EXPECT_FALSE(state.Finished);
  for (int i = 0; i < 5; ++i) state.Step();
  EXPECT_EQ(state.Pattern, 2);
  EXPECT_TRUE(state.Finished);
}

}  // namespace
