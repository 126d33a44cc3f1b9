// The controls screen (30): one row per driving action with two keys and two controller buttons;
// a clicked slot waits for the next key or button, and a key another action holds is asked about.
#include <memory>
#include <optional>
#include <string>

#include "frontend/KeyNames.h"
#include "frontend/MenuKit.h"
#include "frontend/ProfileBindings.h"
#include "frontend/Registration.h"
#include "game/Phrases.h"
#include "platform/Input.h"
#include "platform/PadButtons.h"
#include "platform/Text1251.h"

namespace frontend {

using game::DriveAction;
using game::TForm1;

namespace {

using platform::kVkEscape;
using platform::kVkReturn;
constexpr int kPadA = game::PadInput(static_cast<int>(platform::PadButton::kA));
constexpr int kPadB = game::PadInput(static_cast<int>(platform::PadButton::kB));

// Where the slots sit on screen (the card "scr_controls" at (60, 90) draws the rows behind them).
constexpr int kRowTop = 182;
constexpr int kRowStep = 25;
constexpr int kSlotLeft[game::kSlotsPerAction] = {270, 382, 502, 614};
constexpr int kSlotWidth = 104;
constexpr int kSlotHeight = 22;
constexpr int kNameLeft = 86;
constexpr int kMessageY = kRowTop + game::kDriveActionCount * kRowStep + 6;

class ControlsScreen {
 public:
  explicit ControlsScreen(TForm1& form) : form_(form) {}

  void Enter();
  void Frame();
  void Leave();

 private:
  enum class Mode { kBrowse, kWaiting, kConflict };

  void Wait(int action, int slot);
  void Captured(int input);
  void Offer(int input);
  void Accept();
  void EndWait();
  void RestoreDefaults();
  void Back();
  void Draw();
  void DrawSlot(int action, int slot);
  std::string Message() const;

  TForm1& form_;
  game::KeyBindings edited_;
  Mode mode_ = Mode::kBrowse;
  int action_ = 0;  // the slot waiting or asked about
  int slot_ = 0;
  int offered_ = 0;  // the input another action holds
  game::KeyBindings::Place holder_{};
  engine::TOmegaButton* yes_ = nullptr;
  engine::TOmegaButton* no_ = nullptr;
};

DriveAction ActionAt(int index) {
  return static_cast<DriveAction>(index);
}

void ControlsScreen::Enter() {
  ClearKeys(form_);
  form_.GameState = game::gsControls;
  form_.ScreenTick = 0;
  edited_ = CurrentBindings(form_);
  mode_ = Mode::kBrowse;
  BeginButtons(form_);
  for (int a = 0; a < game::kDriveActionCount; ++a) {
    for (int s = 0; s < game::kSlotsPerAction; ++s) {
      AddButton(form_, "b_slot", kSlotLeft[s], kRowTop + a * kRowStep, [this, a, s] {
        Click(form_);
        Wait(a, s);
      });
    }
  }
  AddButton(form_, "b_back", 97, 440, [this] { Back(); });
  AddButton(form_, "b_defaults", 533, 440, [this] { RestoreDefaults(); });
  yes_ = AddButton(form_, "b_yes", 276, 442, [this] { Accept(); });
  no_ = AddButton(form_, "b_no", 404, 442, [this] {
    Click(form_);
    EndWait();
  });
  form_.MenuScreen = new TMenuScreen(form_, 60, 90, 20, "scr_controls", "scrControls");
}

void ControlsScreen::Wait(int action, int slot) {
  mode_ = Mode::kWaiting;
  action_ = action;
  slot_ = slot;
  form_.CaptureInput = [this](int input) { Captured(input); };
}

void ControlsScreen::EndWait() {
  mode_ = Mode::kBrowse;
  form_.CaptureInput = nullptr;
}

// Esc gives up the wait (and so can never be bound here; "По умолчанию" brings it back). A key
// slot takes keys only, a controller slot buttons only; B also gives up a key slot's wait.
void ControlsScreen::Captured(int input) {
  if (mode_ == Mode::kConflict) {
    if (input == kVkReturn || input == kPadA) {
      Accept();
    } else if (input == kVkEscape || input == kPadB) {
      KeyClick(form_);
      EndWait();
    }
    return;
  }
  const bool padSlot = game::IsPadSlot(slot_);
  if (input == kVkEscape || (!padSlot && input == kPadB)) {
    KeyClick(form_);
    EndWait();
  } else if (padSlot == game::IsPadInput(input)) {
    Offer(input);
  }
}

// An input another action holds is asked about first; within the action it just moves.
void ControlsScreen::Offer(int input) {
  const auto holder = edited_.Find(input);
  if (holder && holder->action != ActionAt(action_)) {
    offered_ = input;
    holder_ = *holder;
    mode_ = Mode::kConflict;
    form_.PlaySound("check2");
    return;
  }
  if (holder) edited_.SetSlot(holder->action, holder->slot, 0);
  edited_.SetSlot(ActionAt(action_), slot_, input);
  KeyClick(form_);
  EndWait();
}

// Taking it: the other action loses the input, this slot gets it.
void ControlsScreen::Accept() {
  if (mode_ != Mode::kConflict) return;
  Click(form_);
  edited_.SetSlot(holder_.action, holder_.slot, 0);
  edited_.SetSlot(ActionAt(action_), slot_, offered_);
  EndWait();
}

void ControlsScreen::RestoreDefaults() {
  Click(form_);
  edited_ = game::KeyBindings::Defaults();
  EndWait();
}

// Back (and Esc) keep what the screen shows and return to the options, whose own changes are still
// pending there.
void ControlsScreen::Back() {
  Click(form_);
  SaveBindings(form_, edited_);
  form_.LeaveState(game::gsControls);
  form_.EnterState(game::gsOptions);
}

void ControlsScreen::Frame() {
  if (mode_ == Mode::kBrowse && TakeKey(form_, kVkEscape)) {
    Back();
    return;
  }
  ++form_.ScreenTick;
  Draw();
}

std::string ControlsScreen::Message() const {
  // Quoted names: «Газ» (the quotes are code page 1251's).
  auto quoted = [](std::string text1251) { return std::string("\xAB").append(text1251) + "\xBB"; };
  const game::Language lang = form_.Lang;
  const std::string action = quoted(ActionName(lang, ActionAt(action_)));
  switch (mode_) {
    case Mode::kWaiting:
      return action + game::Say(lang, game::IsPadSlot(slot_) ? game::Phrase::ControlsWaitPad
                                                             : game::Phrase::ControlsWaitKey);
    case Mode::kConflict:
      return quoted(InputName(offered_, lang)) +
             game::Say(lang, game::Phrase::ControlsTakenBefore) +
             quoted(ActionName(lang, holder_.action)) +
             game::Say(lang, game::Phrase::ControlsTakenAfter);
    case Mode::kBrowse:
      break;
  }
  return game::Say(lang, game::Phrase::ControlsHint);
}

void ControlsScreen::DrawSlot(int action, int slot) {
  const int x = kSlotLeft[slot];
  const int y = kRowTop + action * kRowStep;
  const bool asked = mode_ != Mode::kBrowse && action == action_ && slot == slot_;
  const bool holder =
      mode_ == Mode::kConflict && ActionAt(action) == holder_.action && slot == holder_.slot;
  std::string text = InputName(edited_.Slot(ActionAt(action), slot), form_.Lang);
  if (asked || holder) {
    // Waiting: amber; a conflict: both slots red.
    if (engine::TImageListItem* mark = form_.MenuImage("slotmark")) {
      if (mark->Attached()) mark->Draw(x, y, mode_ == Mode::kConflict ? 1 : 0);
    }
  }
  if (asked && mode_ == Mode::kWaiting) {
    text.clear();
    if ((form_.ScreenTick / 30) % 2 == 0) text.push_back('?');
  }
  if (asked && mode_ == Mode::kConflict) text = InputName(offered_, form_.Lang);
  engine::TOmegaFont& font = form_.OmegaFont2;
  if (asked || holder) {
    SetFont(font, "Arial", 10, 255, 255, 255);
  } else {
    SetFont(font, "Arial", 10, 21, 16, 137);
  }
  font.TextOut(x + kSlotWidth / 2 - font.TextWidth(text) / 2, y + (kSlotHeight - 14) / 2, text);
}

void ControlsScreen::Draw() {
  const bool conflict = mode_ == Mode::kConflict;
  if (yes_ != nullptr) yes_->Visible = conflict;
  if (no_ != nullptr) no_->Visible = conflict;
  BeginMenuFrame(form_, form_.OmegaImageList1, "undermenu");
  DrawScene(form_, true);
  form_.OmegaGUI1.Draw();
  SetFont(form_.OmegaFont1, "Arial", 11, 21, 16, 137);
  for (int a = 0; a < game::kDriveActionCount; ++a) {
    const std::string name = ActionName(form_.Lang, ActionAt(a));
    form_.OmegaFont1.TextOut(kNameLeft, kRowTop + a * kRowStep + 4, name);
    for (int s = 0; s < game::kSlotsPerAction; ++s) DrawSlot(a, s);
  }
  if (conflict) {
    SetFont(form_.OmegaFont3, "Arial", 11, 190, 30, 30);
  } else {
    SetFont(form_.OmegaFont3, "Arial", 11, 60, 70, 100);
  }
  TextCentered(form_.OmegaFont3, 400, kMessageY, Message());
  if (form_.MenuFrameOverlay) form_.MenuFrameOverlay();
  TCursor* cursor = EnsureCursor(form_);
  cursor->Draw();
  form_.OmegaScreen1.EndScene();
}

void ControlsScreen::Leave() {
  form_.CaptureInput = nullptr;
  mode_ = Mode::kBrowse;
  yes_ = nullptr;
  no_ = nullptr;
  FreeButtons(form_);
  KillSprite(form_.MenuScreen);
  form_.OmegaSprite1.Dead();
}

}  // namespace

void RegisterControlsState(TForm1& form) {
  auto screen = std::make_shared<ControlsScreen>(form);
  game::StateHandlers state;
  state.enter = [screen] { screen->Enter(); };
  state.frame = [screen] { screen->Frame(); };
  state.leave = [screen] { screen->Leave(); };
  form.States.Register(game::gsControls, state);
}

}  // namespace frontend
