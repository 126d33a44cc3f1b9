// Menus without a mouse: the keyboard focus over the current screen's buttons, for every screen.
#include "frontend/FocusKeys.h"

#include <array>
#include <memory>
#include <vector>

#include "engine/OmegaGUI.h"
#include "frontend/MenuFocus.h"
#include "frontend/MenuKit.h"
#include "platform/Input.h"

namespace frontend {

namespace {

using game::TForm1;

// Screens whose arrows already mean something keep them; the focus moves there with Tab.
struct ArrowOwner {
  uint8_t state;
  bool leftRight;
  bool upDown;
};
constexpr ArrowOwner kArrowOwners[] = {
    {.state = game::gsTrackSelect, .leftRight = true, .upDown = false},
    {.state = game::gsTruckSelect, .leftRight = true, .upDown = true},
    {.state = game::gsProfileList, .leftRight = false, .upDown = true},
    {.state = game::gsReplays, .leftRight = false, .upDown = true},
};

struct FocusKeeper {
  MenuFocus focus;
  // The first widget's ID names the screen (IDs are never reused).
  int32_t screen = 0;
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  std::vector<engine::TOmegaGUIComponent*> widgets;
  std::vector<FocusTarget> targets;
  // The widget drawn with the outline (0: none).
  int32_t outlined = 0;
  // Keys count only when they went down and up on this screen: an arrow let go after the race,
  // or Enter let go after the screen before, does nothing here.
  std::array<bool, 256> wasDown{};
  std::array<bool, 256> armed{};
  std::array<bool, 256> pressed{};
};

constexpr int kFocusKeys[] = {platform::kVkTab,  platform::kVkReturn, platform::kVkSpace,
                              platform::kVkLeft, platform::kVkUp,     platform::kVkRight,
                              platform::kVkDown};

void WatchKeys(TForm1& form, FocusKeeper& keeper, bool newScreen) {
  for (const int key : kFocusKeys) {
    const auto k = static_cast<size_t>(key);
    const bool down = form.KeyDown[k];
    keeper.pressed[k] = false;
    if (newScreen) {
      keeper.armed[k] = false;
    } else if (down && !keeper.wasDown[k]) {
      keeper.armed[k] = true;
    } else if (!down && keeper.armed[k]) {
      keeper.armed[k] = false;
      keeper.pressed[k] = true;
    }
    keeper.wasDown[k] = down;
  }
}

// A key pressed and let go on this screen, taken from the screen.
bool TakeFocusKey(TForm1& form, FocusKeeper& keeper, int key) {
  const auto k = static_cast<size_t>(key);
  if (!keeper.pressed[k]) return false;
  keeper.pressed[k] = false;
  TakeKey(form, key);
  return true;
}

bool Focusable(engine::TOmegaGUIComponent* widget) {
  return dynamic_cast<engine::TOmegaButton*>(widget) != nullptr ||
         dynamic_cast<engine::TOmegaEdit*>(widget) != nullptr;
}

// The current screen's buttons and edit boxes, in the order they were made.
void Gather(TForm1& form, FocusKeeper& keeper) {
  keeper.widgets.clear();
  keeper.targets.clear();
  engine::TOmegaGUIList* list = form.Menu.ButtonList;
  if (list == nullptr || form.GameState == game::gsRace || form.GameState == game::gsExploded)
    return;
  for (int i = 0; i < list->Count(); ++i) {
    engine::TOmegaGUIComponent* widget = list->Items(i);
    if (!Focusable(widget)) continue;
    keeper.widgets.push_back(widget);
    keeper.targets.push_back(
        {widget->Left, widget->Top, widget->Width, widget->Height,
         list->Visible && list->Enabled && widget->Visible && widget->Enabled});
  }
}

// The edit box that takes the typed keys now, if any: its caret keys and Space stay its own.
engine::TOmegaEdit* TypingEdit(TForm1& form) {
  engine::TOmegaGUI& gui = form.OmegaGUI1;
  return gui.FocusID > 0 ? dynamic_cast<engine::TOmegaEdit*>(gui.Widgets(gui.FocusID)) : nullptr;
}

void TakeSteps(TForm1& form, FocusKeeper& keeper, bool typing) {
  bool leftRight = !typing;
  bool upDown = true;
  for (const ArrowOwner& owner : kArrowOwners) {
    if (owner.state != form.GameState) continue;
    leftRight = leftRight && !owner.leftRight;
    upDown = upDown && !owner.upDown;
  }
  const struct {
    int key;
    bool free;
    FocusStep step;
  } keys[] = {
      {platform::kVkTab, true,
       form.KeyDown[static_cast<size_t>(platform::kVkShift)] ? FocusStep::kPrevious
                                                             : FocusStep::kNext},
      {platform::kVkLeft, leftRight, FocusStep::kLeft},
      {platform::kVkRight, leftRight, FocusStep::kRight},
      {platform::kVkUp, upDown, FocusStep::kUp},
      {platform::kVkDown, upDown, FocusStep::kDown},
  };
  for (const auto& entry : keys) {
    if (entry.free && TakeFocusKey(form, keeper, entry.key))
      keeper.focus.Step(keeper.targets, entry.step, form.MouseX, form.MouseY);
  }
}

// Enter or Space on the focused widget does what a click does. An edit box that already takes
// the typing leaves Enter to the screen (name entry accepts the name with it).
void TakePress(TForm1& form, FocusKeeper& keeper, engine::TOmegaEdit* typing) {
  const int32_t index = keeper.focus.Pressed(keeper.targets);
  if (index < 0) return;
  engine::TOmegaGUIComponent* widget = keeper.widgets[static_cast<size_t>(index)];
  if (widget == typing) return;
  const bool enter = TakeFocusKey(form, keeper, platform::kVkReturn);
  const bool space = typing == nullptr && TakeFocusKey(form, keeper, platform::kVkSpace);
  if (!enter && !space) return;
  if (auto* edit = dynamic_cast<engine::TOmegaEdit*>(widget)) edit->SetFocus();
  // A copy: the handler may free the list, and this handler with it.
  const engine::TOmegaGUIComponent::TNotifyEvent handler = widget->OnClick;
  if (handler) handler(widget);
}

void FocusFrame(TForm1& form, FocusKeeper& keeper) {
  Gather(form, keeper);
  const int32_t screen = keeper.widgets.empty() ? 0 : form.Menu.ButtonList->Items(0)->ID;
  const bool newScreen = screen != keeper.screen;
  if (newScreen) {
    keeper.screen = screen;
    keeper.focus.Reset();
  }
  WatchKeys(form, keeper, newScreen);
  if (form.MouseX != keeper.mouseX || form.MouseY != keeper.mouseY) {
    keeper.mouseX = form.MouseX;
    keeper.mouseY = form.MouseY;
    keeper.focus.Hide();
  }
  keeper.outlined = 0;
  if (keeper.widgets.empty()) return;
  engine::TOmegaEdit* typing = TypingEdit(form);
  TakeSteps(form, keeper, typing != nullptr);
  const int32_t index = keeper.focus.Pressed(keeper.targets);
  keeper.outlined = index >= 0 ? keeper.widgets[static_cast<size_t>(index)]->ID : 0;
  // The focused button shows its pointer-over picture as if the pointer were on it.
  if (index >= 0) form.OmegaGUI1.HoverID = keeper.outlined;
  TakePress(form, keeper, typing);
}

}  // namespace

std::function<void()> InstallMenuFocus(TForm1& form) {
  auto keeper = std::make_shared<FocusKeeper>();
  keeper->mouseX = form.MouseX;
  keeper->mouseY = form.MouseY;
  std::function<void()> previous = form.BeforeStateFrame;
  form.BeforeStateFrame = [&form, keeper, previous] {
    if (previous) previous();
    FocusFrame(form, *keeper);
  };
  return [&form, keeper] {
    // A press that changed the screen has freed the widget: the lookup finds nothing then.
    const engine::TOmegaGUIComponent* widget =
        keeper->outlined > 0 ? form.OmegaGUI1.Widgets(keeper->outlined) : nullptr;
    if (widget != nullptr && widget->Visible)
      DrawFocusRing(form, widget->Left, widget->Top, widget->Width, widget->Height);
  };
}

}  // namespace frontend
