// The widget kinds: buttons with captions, the one-line edit box and the two position bars.
#include <cmath>
#include <string>

#include "engine/KeyboardLayout.h"
#include "engine/OmegaBitmapFont.h"
#include "engine/OmegaGUI.h"
#include "engine/OmegaImageList.h"
#include "engine/OmegaSprite.h"

namespace engine {
namespace {

// Halves go to the even neighbour, as the rest of the engine's text placement does.
int32_t RoundHalfEven(double value) {
  return static_cast<int32_t>(std::nearbyint(value));
}

bool IsLatinCapital(unsigned char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsLatinSmall(unsigned char c) {
  return c >= 'a' && c <= 'z';
}
// Code page 1251: А..Я are 192..223 with Ё at 168; а..я are 224..255 with ё at 184.
bool IsCyrillicCapital(unsigned char c) {
  return (c >= 192 && c <= 223) || c == 168;
}
bool IsCyrillicSmall(unsigned char c) {
  return c >= 224 || c == 184;
}

unsigned char ToCapital(unsigned char c) {
  if (IsLatinSmall(c) || c >= 224) return static_cast<unsigned char>(c - 32);
  if (c == 184) return 168;
  return c;
}

unsigned char ToSmall(unsigned char c) {
  if (IsLatinCapital(c) || (c >= 192 && c <= 223)) return static_cast<unsigned char>(c + 32);
  if (c == 168) return 184;
  return c;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Button

TOmegaButton::TOmegaButton(TOmegaGUIList* list)
    : TOmegaGUIComponent(list), Caption(std::to_string(ID)) {
  FontColor = 0xFFFFFFFFu;
}

void TOmegaButton::ShowPicture(TImageListItem* image) {
  SetImage(0, image);
  SetPattern(0, 0);
  SetImage(1, image);
  SetPattern(1, 1);
  SetWidth(image->TileWidth);
  SetHeight(image->TileHeight);
}

void TOmegaButton::Draw() {
  DrawWidget();
  if (ShowOverlay) DrawOverlay();
  if (Font == nullptr || Caption.empty()) return;
  const int32_t textWidth = RoundHalfEven(Font->TextWidth(Caption) * FontScaleX);
  const int32_t textHeight = RoundHalfEven(Font->TextHeight(Caption) * FontScaleY);
  const int32_t x =
      CenterCaption ? Left + Width / 2 + CaptionX - textWidth / 2 : Left + CaptionX + Width / 4;
  const int32_t y = Top + Height / 2 + CaptionY - textHeight / 2;
  Font->TextOutEx(x, y, 0, Caption, FontColor, FontScaleX, FontScaleY, FontRotation);
}

void TOmegaButton::KeyAction(int32_t key, bool isChar) {
  if (!isChar && (key == kVkReturn || key == kVkSpace)) Click();
}

// ---------------------------------------------------------------------------------------------
// Edit box

TOmegaEdit::TOmegaEdit(TOmegaGUIList* list) : TOmegaGUIComponent(list) {}

void TOmegaEdit::SetText(const std::string& value) {
  Text = value;
  CaretPos = static_cast<int32_t>(Text.size());
}

void TOmegaEdit::Exit() {
  GUI()->FocusID = -1;
}

void TOmegaEdit::ClampCaret() {
  // The game writes Text directly, so the caret may point past a shortened text.
  const auto length = static_cast<int32_t>(Text.size());
  if (CaretPos > length) CaretPos = length;
  if (CaretPos < 0) CaretPos = 0;
}

bool TOmegaEdit::InFont(unsigned char c) const {
  if (Font == nullptr) return true;
  return Font->Characters().find(static_cast<char>(c)) != std::string::npos;
}

bool TOmegaEdit::InsertChar(unsigned char c) {
  ClampCaret();
  if (MaxLength >= 0 && static_cast<int32_t>(Text.size()) >= MaxLength) return false;
  // A character the box accepts as it is stays itself; only the rest may be a Latin letter key.
  if (LatinToCyrillic && !InFont(c)) c = engine::LatinToCyrillic(c);
  if (CharFilter == cfToCapitals) c = ToCapital(c);
  if (CharFilter == cfToSmall) c = ToSmall(c);
  if (CharFilter == cfCapitalsOnly && !IsLatinCapital(c) && !IsCyrillicCapital(c)) return false;
  if (CharFilter == cfSmallOnly && !IsLatinSmall(c) && !IsCyrillicSmall(c)) return false;
  if (CharFilter == cfDigitsOnly && (c < '0' || c > '9')) return false;
  if (!InFont(c)) return false;
  Text.insert(static_cast<size_t>(CaretPos), 1, static_cast<char>(c));
  ++CaretPos;
  return true;
}

void TOmegaEdit::Click() {
  SetFocus();
  TOmegaGUIComponent::Click();
}

void TOmegaEdit::KeyAction(int32_t key, bool isChar) {
  if (ReadOnly) return;
  ClampCaret();
  const auto length = static_cast<int32_t>(Text.size());
  // Backspace and Enter arrive as key-downs only; they count as their characters.
  if (!isChar && key != kVkBack && key != kVkReturn) {
    switch (key) {
      case kVkEnd:
        CaretPos = length;
        break;
      case kVkHome:
        CaretPos = 0;
        break;
      case kVkLeft:
        if (CaretPos > 0) --CaretPos;
        break;
      case kVkRight:
        if (CaretPos < length) ++CaretPos;
        break;
      case kVkDelete:
        if (CaretPos < length) Text.erase(static_cast<size_t>(CaretPos), 1);
        break;
      default:
        break;
    }
    return;
  }
  if (key == kVkBack) {
    if (CaretPos > 0) {
      Text.erase(static_cast<size_t>(CaretPos - 1), 1);
      --CaretPos;
    }
    return;
  }
  if (key == kVkReturn) return;
  if (key >= 0 && key <= 255) InsertChar(static_cast<unsigned char>(key));
}

void TOmegaEdit::Draw() {
  DrawWidget();
  if (Font != nullptr) {
    ClampCaret();
    const int32_t x = Left + Margin;
    const int32_t y =
        Top + Height / 2 - static_cast<int32_t>(std::trunc(Font->CharHeight() * FontScaleY)) / 2;
    if (!Text.empty()) {
      Font->TextOutEx(x, y, TextBlendMode, Text, FontColor, FontScaleX, FontScaleY, FontRotation);
    }
    if (ShowCaret && Focused() && !Caret.empty()) {
      const std::string before = Text.substr(0, static_cast<size_t>(CaretPos));
      const int32_t caretX = x + RoundHalfEven(Font->TextWidth(before) * FontScaleX);
      Font->TextOutEx(caretX, y, TextBlendMode, Caret, FontColor, FontScaleX, FontScaleY,
                      FontRotation);
    }
  }
  if (ShowOverlay || Focused()) DrawOverlay();
}

// ---------------------------------------------------------------------------------------------
// Bars

int32_t TOmegaRangeBar::Steps() const {
  const int32_t steps = Max - Min + 1;
  return steps < 1 ? 1 : steps;
}

int32_t TOmegaRangeBar::Clamped(int32_t value) const {
  if (value > Max) value = Max;
  if (value < Min) value = Min;
  return value;
}

void TOmegaRangeBar::SetPosition(int32_t value) {
  Position = Clamped(value);
}

void TOmegaRangeBar::Draw() {
  const TWidgetState& track = States[0];
  if (track.Image != nullptr) {
    const uint32_t c = track.Color;
    const TRect rect{Left, Top, Left + Width, Top + Height};
    track.Image->DrawStretched(0, 0, rect, track.Pattern, track.BlendMode, MirrorX, MirrorY,
                               static_cast<int32_t>(c >> 16 & 255),
                               static_cast<int32_t>(c >> 8 & 255), static_cast<int32_t>(c & 255),
                               static_cast<int32_t>(c >> 24), 1, 1, 0.5f, 0.5f, Rotation);
  }
  const TWidgetState& knob = States[3];
  if (knob.Image == nullptr) return;
  const uint32_t c = knob.Color;
  const auto red = static_cast<int32_t>(c >> 16 & 255);
  const auto green = static_cast<int32_t>(c >> 8 & 255);
  const auto blue = static_cast<int32_t>(c & 255);
  const auto alpha = static_cast<int32_t>(c >> 24);
  // A position outside the range (from a damaged settings file) still shows the knob on the bar.
  const int32_t offset = Clamped(Position) - Min;
  if (Vertical) {
    const int32_t step = Height / Steps();
    const TRect source{0, 0, Width, step};
    knob.Image->DrawSource(Left, Top + Height - step * (offset + 1), source, 0, false, false, red,
                           green, blue, alpha, 1, 1, 0, 0, 0);
  } else {
    const int32_t step = Width / Steps();
    const TRect source{0, 0, step, Height};
    knob.Image->DrawSource(Left + offset * step, Top, source, 0, false, false, red, green, blue,
                           alpha, 1, 1, 0, 0, 0);
  }
}

int32_t TOmegaScrollBar::PositionAt(int32_t x, int32_t y) const {
  const int32_t step = (Vertical ? Height : Width) / Steps();
  if (step <= 0) return Clamped(Min);  // a bar narrower than its range has only one place
  const int32_t position = Vertical ? Max - (y - Top) / step : Min + (x - Left) / step;
  return Clamped(position);
}

void TOmegaScrollBar::Click() {
  Position = PositionAt(GUI()->MouseX, GUI()->MouseY);
  TOmegaGUIComponent::Click();
}

void TOmegaScrollBar::MouseOver() {
  // Dragging the knob: the left button went down on this bar and is still held.
  const TOmegaGUI* gui = GUI();
  if (gui->LeftButton && gui->PressedID == ID) Position = PositionAt(gui->MouseX, gui->MouseY);
}

int32_t TOmegaBar::PositionAt(int32_t x, int32_t y) const {
  const double span = Vertical ? Height : Width;
  if (span <= 0) return Clamped(Min);
  const double step = span / Steps();
  const int32_t position = Vertical ? static_cast<int32_t>(std::trunc(Max - (y - Top) / step))
                                    : RoundHalfEven((x - Left) / step + Min);
  return Clamped(position);
}

void TOmegaBar::Click() {
  if (Dragging) Position = PositionAt(GUI()->MouseX, GUI()->MouseY);
  Dragging = false;
  TOmegaGUIComponent::Click();
}

void TOmegaBar::MouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) {
  if (button == gbLeft) {
    Dragging = true;
    Position = PositionAt(x, y);
  }
  TOmegaGUIComponent::MouseDown(button, shift, x, y);
}

void TOmegaBar::MouseOver() {
  const TOmegaGUI* gui = GUI();
  if (!gui->LeftButton) Dragging = false;
  if (Dragging) Position = PositionAt(gui->MouseX, gui->MouseY);
}

}  // namespace engine
