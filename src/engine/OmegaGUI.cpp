// TOmegaGUI, its lists and the widget base: ownership, IDs, hit testing, event routing and the
// drawing every widget shares.
#include "engine/OmegaGUI.h"

#include <algorithm>
#include <utility>

#include "engine/OmegaBitmapFont.h"
#include "engine/OmegaImageList.h"
#include "engine/OmegaSprite.h"

namespace engine {
namespace {

// Mouse moves closer together than this are held back.
constexpr uint64_t kMoveIntervalMs = 10;

}  // namespace

// ---------------------------------------------------------------------------------------------
// State records

void TWidgetState::Restart() {
  Pattern = Reverse ? StartPattern + PatternCount : StartPattern;
  Finished = false;
  Counter = 0;
}

void TWidgetState::Step() {
  if (++Counter < Delay / 10) return;
  Counter = 0;
  const int32_t first = StartPattern;
  const int32_t last = StartPattern + PatternCount;
  if (Reverse) {
    --Pattern;
    if (Pattern < first) {
      if (Loop) {
        Pattern = last;
      } else {
        Pattern = first;
        Finished = true;
      }
    }
  } else {
    ++Pattern;
    if (Pattern > last) {
      if (Loop) {
        Pattern = first;
      } else {
        Pattern = last;
        Finished = true;
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Widget base

TOmegaGUIComponent::TOmegaGUIComponent(TOmegaGUIList* list) : List(list) {
  TOmegaGUI* gui = list->GUI;
  ID = gui->Register(this);
  Font = gui->OmegaBitmapFont;
  if (Font != nullptr) {
    FontColor = PackARGB(Font->Alpha, Font->Red, Font->Green, Font->Blue);
    FontScaleX = Font->ScaleX;
    FontScaleY = Font->ScaleY;
  }
}

TOmegaGUIComponent::~TOmegaGUIComponent() {
  List->GUI->Unregister(this);
}

void TOmegaGUIComponent::SetImage(int32_t state, TImageListItem* image) {
  if (state < 0 || state > 3) return;
  States[static_cast<size_t>(state)].Image = image;
}

void TOmegaGUIComponent::SetPattern(int32_t state, int32_t pattern) {
  if (state < 0 || state > 3) return;
  States[static_cast<size_t>(state)].SetPattern(pattern);
}

void TOmegaGUIComponent::SetBlendMode(int32_t state, int32_t mode) {
  if (state < 0 || state > 3) return;
  States[static_cast<size_t>(state)].BlendMode = mode;
}

TOmegaGUI* TOmegaGUIComponent::GUI() const {
  return List->GUI;
}

void TOmegaGUIComponent::BringToFront() {
  auto& widgets = List->widgets_;
  const auto found = std::find_if(widgets.begin(), widgets.end(),
                                  [this](const auto& widget) { return widget.get() == this; });
  if (found == widgets.end()) return;
  std::rotate(found, found + 1, widgets.end());
}

bool TOmegaGUIComponent::Contains(int32_t x, int32_t y) const {
  return Left <= x && x <= Left + Width && Top <= y && y <= Top + Height;
}

bool TOmegaGUIComponent::Hovered() const {
  return GUI()->HoverID == ID;
}

bool TOmegaGUIComponent::Focused() const {
  return GUI()->FocusID == ID;
}

void TOmegaGUIComponent::SetFocus() {
  GUI()->FocusID = ID;
}

bool TOmegaGUIComponent::Alive() const {
  return GUI()->Widgets(ID) == this;
}

void TOmegaGUIComponent::RestartAnimations() {
  for (TWidgetState& state : States) state.Restart();
}

int32_t TOmegaGUIComponent::CurrentState() const {
  int32_t state = 0;
  if (Hovered()) state = GUI()->LeftButton ? 2 : 1;
  if (States[static_cast<size_t>(state)].Image == nullptr) state = 0;
  return state;
}

void TOmegaGUIComponent::Click() {
  if (OnClick) OnClick(this);
}

void TOmegaGUIComponent::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TOmegaGUIComponent::MouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TOmegaGUIComponent::MouseUp(int32_t button, int32_t shift, int32_t x, int32_t y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TOmegaGUIComponent::Key(int32_t key, bool isChar) {
  if (OnKey) {
    OnKey(this, key, isChar);
    if (!Alive()) return;
  }
  KeyAction(key, isChar);
}

void TOmegaGUIComponent::DrawWidget() {
  TWidgetState& state = States[static_cast<size_t>(CurrentState())];
  if (state.Image != nullptr) {
    const uint32_t c = state.Color;
    const TRect rect{Left, Top, Left + Width, Top + Height};
    state.Image->DrawStretched(0, 0, rect, state.Pattern, state.BlendMode, MirrorX, MirrorY,
                               static_cast<int32_t>(c >> 16 & 255),
                               static_cast<int32_t>(c >> 8 & 255), static_cast<int32_t>(c & 255),
                               static_cast<int32_t>(c >> 24), 1, 1, 0.5f, 0.5f, Rotation);
  }
  if (state.Animate) state.Step();
}

void TOmegaGUIComponent::DrawOverlay() {
  const TWidgetState& overlay = States[3];
  if (overlay.Image == nullptr) return;
  overlay.Image->DrawEx(Left, Top, overlay.Pattern, overlay.BlendMode, MirrorX, MirrorY,
                        overlay.Color, 1, 1, 0.5f, 0.5f, Rotation);
}

void TOmegaGUIComponent::Draw() {
  DrawWidget();
}

// ---------------------------------------------------------------------------------------------
// Lists

TOmegaGUIList::TOmegaGUIList(TOmegaGUI* gui, std::string name) : Name(std::move(name)), GUI(gui) {}

TOmegaGUIList::~TOmegaGUIList() {
  // Widgets go in reverse order of creation, each leaving the GUI's index.
  while (!widgets_.empty()) widgets_.pop_back();
}

TOmegaGUIComponent* TOmegaGUIList::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return widgets_[static_cast<size_t>(index)].get();
}

void TOmegaGUIList::Remove(TOmegaGUIComponent* widget) {
  const auto found = std::find_if(widgets_.begin(), widgets_.end(),
                                  [widget](const auto& owned) { return owned.get() == widget; });
  if (found == widgets_.end()) return;
  std::unique_ptr<TOmegaGUIComponent> owned = std::move(*found);
  widgets_.erase(found);
  GUI->ReleaseWidget(std::move(owned));
}

void TOmegaGUIList::BringToFront() {
  GUI->BringListToFront(this);
}

void TOmegaGUIList::Free() {
  GUI->FreeList(this);
}

void TOmegaGUIList::Draw() {
  if (!Visible) return;
  for (const auto& widget : widgets_) {
    if (widget->Visible) widget->Draw();
  }
}

// ---------------------------------------------------------------------------------------------
// The GUI

TOmegaGUI::EventScope::~EventScope() {
  if (--gui_.eventDepth_ > 0) return;
  // The outermost event is over: nothing refers to the freed lists and widgets any more.
  auto lists = std::move(gui_.deadLists_);
  auto widgets = std::move(gui_.deadWidgets_);
  gui_.deadLists_.clear();
  gui_.deadWidgets_.clear();
}

TOmegaGUI::TOmegaGUI(TOmegaScreen* screen, TOmegaBitmapFont* font, platform::Clock* clock)
    : OmegaScreen(screen), OmegaBitmapFont(font), clock_(clock) {}

TOmegaGUI::~TOmegaGUI() {
  Stop();
  deadWidgets_.clear();
  deadLists_.clear();
  while (!lists_.empty()) lists_.pop_back();
}

TGUIInputState TOmegaGUI::CurrentState() const {
  return TGUIInputState{MouseX,  MouseY,     HoverID,     PressedID,
                        FocusID, LeftButton, RightButton, MiddleButton};
}

void TOmegaGUI::Start() {
  hooked_ = true;
}

void TOmegaGUI::Stop() {
  hooked_ = false;
}

TOmegaGUIList* TOmegaGUI::AddList(const std::string& name) {
  lists_.push_back(std::make_unique<TOmegaGUIList>(this, name));
  layoutChanged_ = true;
  return lists_.back().get();
}

void TOmegaGUI::FreeList(TOmegaGUIList* list) {
  const auto found = std::find_if(lists_.begin(), lists_.end(),
                                  [list](const auto& owned) { return owned.get() == list; });
  if (found == lists_.end()) return;
  std::unique_ptr<TOmegaGUIList> owned = std::move(*found);
  lists_.erase(found);
  layoutChanged_ = true;
  if (eventDepth_ == 0) return;  // owned goes now, and its widgets with it
  // An event of one of its widgets may still be running: the widgets stop matching their IDs
  // now and are deleted when the event is over.
  for (const auto& widget : owned->widgets_) Unregister(widget.get());
  deadLists_.push_back(std::move(owned));
}

TOmegaGUIList* TOmegaGUI::Lists(int index) const {
  if (index < 0 || index >= ListCount()) return nullptr;
  return lists_[static_cast<size_t>(index)].get();
}

TOmegaGUIComponent* TOmegaGUI::Widgets(int32_t id) const {
  const auto found = widgets_.find(id);
  return found == widgets_.end() ? nullptr : found->second;
}

int32_t TOmegaGUI::Register(TOmegaGUIComponent* widget) {
  const int32_t id = nextID_++;
  widgets_[id] = widget;
  layoutChanged_ = true;
  return id;
}

void TOmegaGUI::Unregister(TOmegaGUIComponent* widget) {
  const auto found = widgets_.find(widget->ID);
  if (found != widgets_.end() && found->second == widget) widgets_.erase(found);
  layoutChanged_ = true;
}

void TOmegaGUI::ReleaseWidget(std::unique_ptr<TOmegaGUIComponent> widget) {
  if (eventDepth_ == 0) return;  // deleted here
  Unregister(widget.get());
  deadWidgets_.push_back(std::move(widget));
}

void TOmegaGUI::BringListToFront(TOmegaGUIList* list) {
  const auto found = std::find_if(lists_.begin(), lists_.end(),
                                  [list](const auto& owned) { return owned.get() == list; });
  if (found == lists_.end()) return;
  std::rotate(found, found + 1, lists_.end());
}

uint64_t TOmegaGUI::Milliseconds() const {
  const uint64_t frequency = clock_->Frequency();
  if (frequency == 0) return 0;
  const uint64_t ticks = clock_->Ticks();
  return ticks / frequency * 1000 + ticks % frequency * 1000 / frequency;
}

void TOmegaGUI::Draw() {
  if (hooked_) {
    // A move held back by the thinning, or a screen built under a resting pointer, still has to
    // show its hover.
    if (movePending_ && (clock_ == nullptr || Milliseconds() - lastMoveMs_ >= kMoveIntervalMs)) {
      MouseMove(pendingX_, pendingY_);
    } else if (layoutChanged_ && HoverID >= 0) {
      EventScope scope(*this);
      UpdateHover(MouseX, MouseY);
    }
  }
  if (Background != nullptr) Background->Draw(0, 0, -1);
  for (const auto& list : lists_) list->Draw();
}

void TOmegaGUI::UpdateHover(int32_t x, int32_t y) {
  PreviousState = CurrentState();
  MouseX = x;
  MouseY = y;
  layoutChanged_ = false;
  movePending_ = false;

  int32_t hit = 0;
  for (const auto& list : lists_) {
    if (!list->Enabled || !list->Visible) continue;
    for (const auto& widget : list->widgets_) {
      if (widget->Enabled && widget->Visible && widget->Contains(MouseX, MouseY)) {
        hit = widget->ID;
      }
    }
  }
  const int32_t previous = HoverID;
  HoverID = hit;
  // Every handler may free widgets or lists, so each step looks its widget up again.
  if (previous != hit) {
    if (TOmegaGUIComponent* left = Widgets(previous)) {
      left->RestartAnimations();
      if (left->OnMouseLeave) left->OnMouseLeave(left);
    }
    if (TOmegaGUIComponent* entered = Widgets(hit)) {
      entered->RestartAnimations();
      if (entered->OnMouseEnter) entered->OnMouseEnter(entered);
    }
  }
  if (HoverID == hit) {
    if (TOmegaGUIComponent* over = Widgets(hit)) over->MouseOver();
  }
}

bool TOmegaGUI::MouseMove(int32_t x, int32_t y) {
  if (!hooked_) return false;
  if (clock_ != nullptr) {
    const uint64_t now = Milliseconds();
    if (moveSeen_ && now - lastMoveMs_ < kMoveIntervalMs) {
      movePending_ = true;
      pendingX_ = x;
      pendingY_ = y;
      return true;
    }
    lastMoveMs_ = now;
  }
  moveSeen_ = true;
  EventScope scope(*this);
  UpdateHover(x, y);
  return true;
}

void TOmegaGUI::Dispatch(int32_t button, Action action) {
  const int32_t shift = (LeftButton ? kShiftLeft : 0) | (RightButton ? kShiftRight : 0) |
                        (MiddleButton ? kShiftMiddle : 0);
  TOmegaGUIComponent* widget = HoverID > 0 ? Widgets(HoverID) : nullptr;
  if (widget == nullptr) return;
  switch (action) {
    case Action::kDouble:
      widget->DblClick();
      break;
    case Action::kDown:
      widget->MouseDown(button, shift, MouseX, MouseY);
      break;
    case Action::kUp:
      // A click needs press and release over the same widget.
      if (button == gbLeft && HoverID == PressedID) {
        widget->Click();
      } else {
        widget->MouseUp(button, shift, MouseX, MouseY);
      }
      break;
  }
}

bool TOmegaGUI::MouseDown(int32_t button, int32_t x, int32_t y) {
  if (!hooked_) return false;
  EventScope scope(*this);
  // The press happens where the button went down, even when the last move was held back.
  UpdateHover(x, y);
  return Press(button);
}

bool TOmegaGUI::Press(int32_t button) {
  PreviousState = CurrentState();
  switch (button) {
    case gbLeft:
      LeftButton = true;
      PressedID = HoverID;
      lastLeftPressID_ = HoverID;
      break;
    case gbRight:
      RightButton = true;
      break;
    case gbMiddle:
      MiddleButton = true;
      break;
    default:
      return false;
  }
  Dispatch(button, Action::kDown);
  return true;
}

bool TOmegaGUI::MouseUp(int32_t button, int32_t x, int32_t y) {
  if (!hooked_) return false;
  EventScope scope(*this);
  UpdateHover(x, y);
  PreviousState = CurrentState();
  switch (button) {
    case gbLeft:
      LeftButton = false;
      Dispatch(button, Action::kUp);
      PressedID = -1;
      break;
    case gbRight:
      RightButton = false;
      Dispatch(button, Action::kUp);
      break;
    case gbMiddle:
      MiddleButton = false;
      Dispatch(button, Action::kUp);
      break;
    default:
      return false;
  }
  return true;
}

bool TOmegaGUI::MouseDoubleClick(int32_t x, int32_t y) {
  if (!hooked_) return false;
  EventScope scope(*this);
  UpdateHover(x, y);
  // Only a second press on the widget of the first one is a double click there; a press on
  // another widget (or on a new screen's button under the same spot) is a press of its own.
  if (HoverID <= 0 || HoverID != lastLeftPressID_) return Press(gbLeft);
  PreviousState = CurrentState();
  LeftButton = true;
  // The next press of the same widget starts a new click, not a third one of this double click.
  lastLeftPressID_ = -1;
  Dispatch(gbLeft, Action::kDouble);
  return true;
}

bool TOmegaGUI::KeyDown(int32_t key) {
  if (!hooked_) return false;
  EventScope scope(*this);
  if (TOmegaGUIComponent* widget = FocusID > 0 ? Widgets(FocusID) : nullptr) {
    widget->Key(key, false);
  }
  return false;
}

bool TOmegaGUI::Char(unsigned char c) {
  if (!hooked_) return false;
  EventScope scope(*this);
  if (TOmegaGUIComponent* widget = FocusID > 0 ? Widgets(FocusID) : nullptr) {
    widget->Key(c, true);
  }
  return true;
}

}  // namespace engine
