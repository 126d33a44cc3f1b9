// The edit box (focus, caret keys, filters, length, font, the Latin-to-Cyrillic keys) and the two
// position bars.
#include <gtest/gtest.h>

#include <string>

#include "engine/GUIFixture.h"
#include "engine/KeyboardLayout.h"
#include "engine/OmegaGUI.h"
#include "platform/Text1251.h"

namespace {

using engine::TOmegaEdit;
using engine::TOmegaGUIComponent;
using engine::TOmegaScrollBar;

class EditTest : public enginetest::GUIFixture {
 protected:
  void SetUp() override {
    GUIFixture::SetUp();
    edit = gui.AddList("GUI2")->Add<TOmegaEdit>();
    edit->Left = 200;
    edit->Top = 276;
    edit->Width = 300;
    edit->Height = 40;
    edit->SetFocus();
  }

  void Type(const std::string& text) {
    for (const char c : text) gui.Char(static_cast<unsigned char>(c));
  }
  void Keys(std::initializer_list<int> keys) {
    for (const int key : keys) gui.KeyDown(key);
  }

  TOmegaEdit* edit = nullptr;
};

TEST_F(EditTest, ClickTakesTheFocusAndExitGivesItUp) {
  gui.FocusID = 0;
  Type("1");
  EXPECT_EQ(edit->Text, "");
  int clicks = 0;
  edit->OnClick = [&](TOmegaGUIComponent*) { ++clicks; };
  Move(210, 290);
  gui.MouseDown(engine::gbLeft, 210, 290);
  gui.MouseUp(engine::gbLeft, 210, 290);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(edit->Focused());
  Type("12");
  EXPECT_EQ(edit->Text, "12");
  edit->Exit();
  EXPECT_EQ(gui.FocusID, -1);
  Type("3");
  EXPECT_EQ(edit->Text, "12");
}

TEST_F(EditTest, CaretKeysStayWithinTheText) {
  Type("123");
  EXPECT_EQ(edit->CaretPos, 3);
  Keys({engine::kVkRight});
  EXPECT_EQ(edit->CaretPos, 3);
  Keys({engine::kVkHome, engine::kVkLeft});
  EXPECT_EQ(edit->CaretPos, 0);
  Keys({engine::kVkRight});
  Type("9");
  EXPECT_EQ(edit->Text, "1923");
  Keys({engine::kVkDelete});
  EXPECT_EQ(edit->Text, "193");
  Keys({engine::kVkBack});
  EXPECT_EQ(edit->Text, "13");
  EXPECT_EQ(edit->CaretPos, 1);
  Keys({engine::kVkBack, engine::kVkBack, engine::kVkEnd, engine::kVkDelete, engine::kVkReturn});
  EXPECT_EQ(edit->Text, "3");
  EXPECT_EQ(edit->CaretPos, 1);
  Keys({engine::kVkBack, engine::kVkBack});
  EXPECT_EQ(edit->Text, "");

  // The game writes the text directly; the caret never points past it.
  edit->Text = "1";
  edit->CaretPos = 7;
  Type("2");
  EXPECT_EQ(edit->Text, "12");
  edit->SetText("456");
  Type("7");
  EXPECT_EQ(edit->Text, "4567");

  edit->ReadOnly = true;
  Type("8");
  Keys({engine::kVkBack, engine::kVkHome});
  EXPECT_EQ(edit->Text, "4567");
  EXPECT_EQ(edit->CaretPos, 4);
}

TEST_F(EditTest, MaxLengthAndTheFontLimitWhatIsTyped) {
  edit->MaxLength = 12;
  Type(Ru("Вася 12345678"));
  EXPECT_EQ(edit->Text, Ru("Вася 1234567"));
  edit->SetText("");
  // The name font holds no Latin letters and no control characters.
  Type("Ab\t" + Ru("Ёж"));
  EXPECT_EQ(edit->Text, Ru("Ёж"));
}

TEST_F(EditTest, CharFiltersConvertAndRefuse) {
  struct Case {
    int filter;
    std::string typed;
    std::string kept;
  };
  const Case cases[] = {
      {TOmegaEdit::cfCapitalsOnly, Ru("ЯяЁё1"), Ru("ЯЁ")},
      {TOmegaEdit::cfSmallOnly, Ru("ЯяЁё1"), Ru("яё")},
      {TOmegaEdit::cfDigitsOnly, Ru("Я1-2"), "12"},
      {TOmegaEdit::cfToCapitals, Ru("аяёЖ1"), Ru("АЯЁЖ1")},
      {TOmegaEdit::cfToSmall, Ru("АЯЁж1"), Ru("аяёж1")},
  };
  for (const Case& c : cases) {
    edit->SetText("");
    edit->CharFilter = c.filter;
    Type(c.typed);
    EXPECT_EQ(edit->Text, c.kept) << "filter " << c.filter;
  }
}

TEST_F(EditTest, LatinLettersGiveTheCyrillicLettersOnTheirKeysWhenAsked) {
  EXPECT_EQ(engine::LatinToCyrillic('q'), static_cast<unsigned char>(Ru("й")[0]));
  EXPECT_EQ(engine::LatinToCyrillic('Q'), static_cast<unsigned char>(Ru("Й")[0]));
  EXPECT_EQ(engine::LatinToCyrillic('m'), static_cast<unsigned char>(Ru("ь")[0]));
  // Punctuation the name boxes accept is never turned into a letter.
  for (const char c : std::string("[]{};:'\",.<>`~1 ")) {
    EXPECT_EQ(engine::LatinToCyrillic(static_cast<unsigned char>(c)), static_cast<unsigned char>(c))
        << c;
  }
  const auto ya = static_cast<unsigned char>(Ru("я")[0]);
  EXPECT_EQ(engine::LatinToCyrillic(ya), ya);

  Type("Dfcz");
  EXPECT_EQ(edit->Text, "");
  edit->LatinToCyrillic = true;
  Type("Dfcz 1.[~");
  EXPECT_EQ(edit->Text, Ru("Вася 1.[~"));
  // The mapped letter goes through the filters and the length limit.
  edit->SetText("");
  edit->CharFilter = TOmegaEdit::cfToCapitals;
  edit->MaxLength = 3;
  Type("ghbdtn");
  EXPECT_EQ(edit->Text, Ru("ПРИ"));
}

TEST_F(EditTest, TextAndCaretAreDrawnAfterTheMargin) {
  edit->Margin = 3;
  edit->Caret = ".";
  Type("12");
  Keys({engine::kVkLeft});
  dev.quads.clear();
  gui.Draw();
  ASSERT_EQ(dev.quads.size(), 3u);  // no picture: two glyphs and the caret
  // y = 276 + 20 - 20 / 2; the caret follows one 10-pixel glyph.
  EXPECT_FLOAT_EQ(dev.quads[0].corners[0].x, 203.0f);
  EXPECT_FLOAT_EQ(dev.quads[0].corners[0].y, 286.0f);
  EXPECT_FLOAT_EQ(dev.quads[2].corners[0].x, 213.0f);
  edit->Exit();
  dev.quads.clear();
  gui.Draw();
  EXPECT_EQ(dev.quads.size(), 2u);
}

TEST_F(EditTest, KeyHandlerMayFreeTheList) {
  edit->OnKey = [&](TOmegaGUIComponent* sender, int, bool) { sender->List->Free(); };
  gui.Char('1');
  EXPECT_EQ(gui.ListCount(), 0);
  EXPECT_EQ(gui.Widgets(1), nullptr);
  gui.Char('2');
  gui.KeyDown(engine::kVkBack);
}

class ScrollBarTest : public enginetest::GUIFixture {
 protected:
  void SetUp() override {
    GUIFixture::SetUp();
    bar = gui.AddList("GUI2")->Add<TOmegaScrollBar>();
    bar->Left = 482;
    bar->Top = 323;
    bar->Width = 168;
    bar->Height = 28;
    bar->Min = 0;
    bar->Max = 5;
  }

  void ClickAt(int x, int y) {
    Move(x, y);
    gui.MouseDown(engine::gbLeft, x, y);
    gui.MouseUp(engine::gbLeft, x, y);
  }

  TOmegaScrollBar* bar = nullptr;
};

TEST_F(ScrollBarTest, ClicksPickTheStepUnderThePointerWithinMinAndMax) {
  ClickAt(482 + 60, 330);
  EXPECT_EQ(bar->Position, 2);
  ClickAt(482 + 168, 330);
  EXPECT_EQ(bar->Position, 5);
  ClickAt(482, 330);
  EXPECT_EQ(bar->Position, 0);

  bar->Vertical = true;
  bar->Height = 60;  // 10 pixels a step, the top is Max
  ClickAt(490, 323);
  EXPECT_EQ(bar->Position, 5);
  ClickAt(490, 323 + 59);
  EXPECT_EQ(bar->Position, 0);
  ClickAt(490, 323 + 25);
  EXPECT_EQ(bar->Position, 3);

  // Ranges that leave no room for a step still give a position within the range.
  bar->Vertical = false;
  bar->Width = 3;
  ClickAt(484, 330);
  EXPECT_EQ(bar->Position, 0);
  bar->Max = -4;
  ClickAt(484, 330);
  EXPECT_EQ(bar->Position, 0);
  gui.Draw();
}

TEST_F(ScrollBarTest, DraggingFollowsThePointerWhileTheButtonIsHeld) {
  Move(490, 330);
  gui.MouseDown(engine::gbLeft, 490, 330);
  Move(482 + 100, 330);
  EXPECT_EQ(bar->Position, 3);
  Move(482 + 140, 330);
  EXPECT_EQ(bar->Position, 5);
  gui.MouseUp(engine::gbLeft, 482 + 120, 330);
  EXPECT_EQ(bar->Position, 4);
  // Without the button, moving over the bar changes nothing.
  Move(490, 330);
  EXPECT_EQ(bar->Position, 4);
  // Released off the bar: no click, the last position on the bar stays.
  gui.MouseDown(engine::gbLeft, 490, 330);
  Move(482 + 60, 330);
  gui.MouseUp(engine::gbLeft, 100, 100);
  EXPECT_EQ(bar->Position, 2);
}

TEST_F(ScrollBarTest, KnobShowsTheLeftStepOfItsPictureAtThePosition) {
  bar->SetImage(0, buttonPicture);
  bar->SetPattern(0, 1);
  bar->SetImage(3, buttonPicture);
  bar->SetBlendMode(3, 1);
  bar->Position = 2;
  dev.quads.clear();
  gui.Draw();
  ASSERT_EQ(dev.quads.size(), 2u);
  const auto& knob = dev.quads[1].corners;
  EXPECT_FLOAT_EQ(knob[0].x, 482 + 56 - 0.5f);
  EXPECT_FLOAT_EQ(knob[2].x, 482 + 84 - 0.5f);
  EXPECT_FLOAT_EQ(knob[2].y, 323 + 28 - 0.5f);
  EXPECT_FLOAT_EQ(knob[2].u, 28.0f / 101);
  // A position out of the range (a damaged settings file) keeps the knob on the bar.
  bar->Position = 9;
  dev.quads.clear();
  gui.Draw();
  EXPECT_FLOAT_EQ(dev.quads[1].corners[0].x, 482 + 140 - 0.5f);
}

TEST_F(ScrollBarTest, TheRoundingBarMovesOnlyWhileDragged) {
  auto* dragBar = gui.Lists(0)->Add<engine::TOmegaBar>();
  dragBar->Left = 0;
  dragBar->Top = 0;
  dragBar->Width = 60;  // 10 pixels a step
  dragBar->Height = 20;
  dragBar->Max = 5;
  Move(14, 10);
  EXPECT_EQ(dragBar->Position, 0);
  gui.MouseDown(engine::gbLeft, 16, 10);
  EXPECT_TRUE(dragBar->Dragging);
  EXPECT_EQ(dragBar->Position, 2);  // round(1.6)
  Move(44, 10);
  EXPECT_EQ(dragBar->Position, 4);
  gui.MouseUp(engine::gbLeft, 55, 10);
  EXPECT_EQ(dragBar->Position, 5);  // round(5.5) = 6, held at Max
  EXPECT_FALSE(dragBar->Dragging);
  Move(5, 10);
  EXPECT_EQ(dragBar->Position, 5);
}

}  // namespace
