// The three profile screens: the list of players (22) with its pulsing bar, adding a player (21)
// and the question whether to delete one (23).
#include <algorithm>
#include <cstdint>
#include <string>

#include "engine/Random.h"
#include "frontend/MenuKit.h"
#include "frontend/ProfileSettings.h"
#include "frontend/Profiles.h"
#include "frontend/ProfilesStates.h"
#include "frontend/Registration.h"
#include "frontend/ReplayStore.h"
#include "frontend/Settings.h"
#include "platform/Input.h"

namespace frontend {

using game::TForm1;

namespace {

using platform::kVkBack;
using platform::kVkDown;
using platform::kVkEscape;
using platform::kVkReturn;
using platform::kVkUp;

// Slots of the list screen's buttons.
enum ListSlot { kUp = 0, kDown = 1, kAdd = 2, kDelete = 3, kBack = 4, kSelect = 5 };

// The end of a menu frame whose own drawing goes over the GUI: the pointer, then the scene ends.
// The live scene has already moved the pointer.
void FinishFrame(TForm1& form) {
  if (form.MenuFrameOverlay) form.MenuFrameOverlay();
  TCursor* cursor = EnsureCursor(form);
  cursor->Draw();
  form.OmegaScreen1.EndScene();
}

void LeaveListTo(TForm1& form, uint8_t to) {
  form.LeaveState(game::gsProfileList);
  form.EnterState(to);
}

// ---- 22: the list ----

void CursorUp(TForm1& form) {
  if (form.Menu.ProfileCursor > 0) --form.Menu.ProfileCursor;
  Click(form);
}

void CursorDown(TForm1& form) {
  if (form.Menu.ProfileCursor < form.Menu.ProfileCount - 1) ++form.Menu.ProfileCursor;
  Click(form);
}

void SelectFromList(TForm1& form) {
  SelectProfile(form.Menu);
  form.PlayerName = CurrentProfileName(form.Menu);
  Click(form);
}

void BackToMainMenu(TForm1& form) {
  form.PlayerName = CurrentProfileName(form.Menu);
  LeaveListTo(form, game::gsMainMenu);
}

void OpenAdd(TForm1& form) {
  if (form.Menu.ProfileCount >= game::MenuState::kMaxProfiles) return;
  SwitchWithClick(form, game::gsProfileList, game::gsProfileAdd);
}

void OpenDelete(TForm1& form) {
  if (form.Menu.ProfileCount <= 0) return;
  SwitchWithClick(form, game::gsProfileList, game::gsProfileDelete);
}

void BackWithClick(TForm1& form) {
  Click(form);
  BackToMainMenu(form);
}

constexpr MenuButton kListButtons[] = {
    {.picture = "b_up", .left = 206, .top = 209, .action = CursorUp},
    {.picture = "b_down", .left = 575, .top = 209, .action = CursorDown},
    {.picture = "b_add", .left = 257, .top = 420, .action = OpenAdd},
    {.picture = "b_delete", .left = 408, .top = 420, .action = OpenDelete},
    {.picture = "b_back2", .left = 103, .top = 420, .action = BackWithClick},
    {.picture = "b_select", .left = 560, .top = 420, .action = SelectFromList},
};

// Buttons that cannot act now are disabled (drawn as their third frame, never clicked).
void UpdateListButtons(TForm1& form) {
  const int32_t count = form.Menu.ProfileCount;
  const bool enabled[6] = {count > 1, count > 1, count<game::MenuState::kMaxProfiles, count> 0,
                           count > 0, count > 0};
  for (int slot = 0; slot < 6; ++slot) {
    if (engine::TOmegaButton* button = form.Menu.Buttons[static_cast<size_t>(slot)]) {
      button->Enabled = enabled[slot];
    }
  }
}

void DrawProfileNames(TForm1& form) {
  engine::TOmegaFont& font = form.OmegaFont4;
  for (int32_t i = 0; i < form.Menu.ProfileCount; ++i) {
    if (i == form.Menu.CurrentProfile) {
      SetFont(font, "Gungsuh", 9, 255, 86, 86);
    } else {
      SetFont(font, "Gungsuh", 9, 21, 16, 137);
    }
    TextCentered(font, 405, 206 + 20 * i, form.Menu.Profiles[static_cast<size_t>(i)].Name);
  }
}

void RegisterProfileList(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClearKeys(form);
    form.GameState = game::gsProfileList;
    SetFont(form.OmegaFont1, "Arial", 12, 250, 250, 250);
    BeginButtons(form);
    AddButtons(form, form, kListButtons);
    UpdateListButtons(form);
    form.Menu.ProfileCursor = form.Menu.CurrentProfile;
    form.Menu.ChooseLine = new TChooseLine(form);
    form.MenuScreen = new TMenuScreen(form, 60, 90, 20, "scr_change", "scr_change");
    NudgeSprites(form);
  };
  state.frame = [&form] {
    game::MenuState& menu = form.Menu;
    if (menu.ProfileCount >= 1 && TakeKey(form, kVkEscape)) {
      KeyClick(form);
      BackToMainMenu(form);
    } else if (TakeKey(form, kVkReturn)) {
      KeyClick(form);
      SelectFromList(form);
    } else if (TakeKey(form, kVkUp)) {
      if (menu.ProfileCursor > 0) Click(form);
      CursorUp(form);
    } else if (TakeKey(form, kVkDown)) {
      if (menu.ProfileCursor < menu.ProfileCount - 1) Click(form);
      CursorDown(form);
    } else {
      UpdateListButtons(form);
      BeginMenuFrame(form, form.OmegaImageList1, "undermenu");
      DrawScene(form, true);
      form.OmegaGUI1.Draw();
      for (engine::TOmegaButton* button : menu.Buttons) DrawDisabledButton(button);
      DrawProfileNames(form);
      FinishFrame(form);
    }
  };
  state.leave = [&form] {
    WriteConfigFile(form);
    FreeButtons(form);
    KillSprite(form.MenuScreen);
    KillSprite(form.Menu.ChooseLine);
    form.OmegaSprite1.Dead();
  };
  form.States.Register(game::gsProfileList, state);
}

// ---- 21: adding a player ----

void AcceptNewProfile(TForm1& form) {
  engine::TOmegaEdit* edit = form.Menu.NameEdit;
  if (edit == nullptr || !HasNonSpace(edit->Text)) return;
  Click(form);
  if (!AddProfile(form.Menu, edit->Text)) return;
  form.PlayerName = CurrentProfileName(form.Menu);
  KeyClick(form);
  SwitchState(form, game::gsProfileAdd, game::gsProfileList);
}

constexpr MenuButton kAddButtons[] = {
    {.picture = "b_add", .left = 330, .top = 426, .action = AcceptNewProfile},
};

void RegisterProfileAdd(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClearKeys(form);
    form.GameState = game::gsProfileAdd;
    SetFont(form.OmegaFont1, "Arial", 17, 250, 250, 250);
    MakeEditFont(form, 28, 21, 16, 137);
    BeginButtons(form);
    AddButtons(form, form, kAddButtons);
    engine::TOmegaEdit* edit = AddEditBox(form, "e_name", 200, 276, kMaxNameLength);
    edit->SetText("");
    edit->SetFocus();
    form.MenuScreen = new TMenuScreen(form, 60, 90, 20, "scr_add", "scr_Add");
    NudgeSprites(form);
  };
  state.frame = [&form] {
    engine::TOmegaEdit* edit = form.Menu.NameEdit;
    BlinkCaret(form, edit);
    // A focused edit box has already taken the key itself; one press deletes one character.
    if (TakeKey(form, kVkBack) && edit != nullptr && !edit->Focused() && !edit->Text.empty()) {
      edit->SetText(edit->Text.substr(0, edit->Text.size() - 1));
    }
    if (TakeKey(form, kVkReturn)) {
      AcceptNewProfile(form);
      if (form.GameState != game::gsProfileAdd) return;
    }
    if (TakeKey(form, kVkEscape)) {
      KeyClick(form);
      SwitchState(form, game::gsProfileAdd, game::gsProfileList);
      return;
    }
    engine::TOmegaButton* add = form.Menu.Buttons[0];
    if (add != nullptr) add->Enabled = edit != nullptr && HasNonSpace(edit->Text);
    BeginMenuFrame(form, form.OmegaImageList1, "undermenu");
    DrawScene(form, true);
    form.OmegaGUI1.Draw();
    DrawDisabledButton(add);
    FinishFrame(form);
  };
  state.leave = [&form] {
    WriteConfigFile(form);
    FreeButtons(form);
    KillSprite(form.MenuScreen);
    form.OmegaSprite1.Dead();
  };
  form.States.Register(game::gsProfileAdd, state);
}

// ---- 23: deleting a player ----

void DeleteAtCursor(TForm1& form) {
  game::MenuState& menu = form.Menu;
  const bool any = menu.ProfileCount > 0;
  // The row DeleteProfile takes: the cursor, kept inside the list.
  const int32_t row = std::clamp(menu.ProfileCursor, 0, std::max(menu.ProfileCount - 1, 0));
  const std::string name = menu.Profiles[static_cast<size_t>(row)].Name;
  DeleteProfile(menu);
  if (any) {
    ForgetDeletedProfile(form, name);
    ForgetPlayerReplays(menu, name);
  }
  form.PlayerName = CurrentProfileName(form.Menu);
  SwitchWithClick(form, game::gsProfileDelete, game::gsProfileList);
}

constexpr MenuButton kDeleteButtons[] = {
    {.picture = "b_yes", .left = 278, .top = 327, .action = DeleteAtCursor},
    {.picture = "b_no",
     .left = 415,
     .top = 378,
     .action = GoWithClick<game::gsProfileDelete, game::gsProfileList>},
};

void RegisterProfileDelete(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClearKeys(form);
    form.GameState = game::gsProfileDelete;
    MakeEditFont(form, 28, 21, 16, 137);
    SetFont(form.OmegaFont1, "Gungsuh", 28, 21, 16, 137);
    BeginButtons(form);
    AddButtons(form, form, kDeleteButtons);
    form.MenuScreen = new TMenuScreen(form, 60, 90, 20, "scr_delete", "scr_Delete");
    NudgeSprites(form);
  };
  state.frame = [&form] {
    if (TakeKey(form, kVkEscape)) {
      KeyClick(form);
      SwitchState(form, game::gsProfileDelete, game::gsProfileList);
      return;
    }
    const game::MenuState& menu = form.Menu;
    std::string name;
    if (menu.ProfileCursor >= 0 && menu.ProfileCursor < game::MenuState::kMaxProfiles) {
      name = menu.Profiles[static_cast<size_t>(menu.ProfileCursor)].Name;
    }
    StandardMenuFrame(form, [&form, name] { TextCentered(form.OmegaFont1, 400, 280, name); });
  };
  state.leave = [&form] {
    FreeButtons(form);
    KillSprite(form.MenuScreen);
    form.OmegaSprite1.Dead();
  };
  form.States.Register(game::gsProfileDelete, state);
}

}  // namespace

TChooseLine::TChooseLine(TForm1& form) : engine::TSprite(&form.OmegaSprite1), form_(form) {
  SetName("chooseline");
  if (engine::TImageListItem* image = form.MenuImage("chooseline")) ShowPicture(*this, image);
  SetPatternIndex(0);
  SetX(236);
  SetY(203);
  SetZ(610);
  SetAlpha(100 + engine::Random(100));
}

void TChooseLine::Move(float /*moveCount*/) {
  SetY(static_cast<float>(203 + 20 * form_.Menu.ProfileCursor));
  if (Step <= 0) {
    if (Alpha <= 100) {
      Step = 5;
    } else {
      SetAlpha(Alpha + Step);
    }
  } else if (Alpha >= 250) {
    Step = -5;
  } else {
    SetAlpha(Alpha + Step);
  }
}

void RegisterProfileStates(TForm1& form) {
  RegisterProfileList(form);
  RegisterProfileAdd(form);
  RegisterProfileDelete(form);
}

}  // namespace frontend
