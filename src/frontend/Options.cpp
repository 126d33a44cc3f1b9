// The options screen (7): full screen, music, the effect volume and the player's free text, with
// apply, cancel and Esc.
#include <string>

#include "frontend/MenuKit.h"
#include "frontend/Profiles.h"
#include "frontend/Registration.h"
#include "frontend/Settings.h"
#include "online/TextCodec.h"
#include "platform/Input.h"

namespace frontend {

using game::TForm1;

namespace {

using platform::kVkBack;
using platform::kVkEscape;
constexpr int32_t kMaxVolume = 5;

void ToggleFullScreen(TForm1& form) {
  form.FullScreen = !form.FullScreen;
  Click(form);
  // The display mode itself changes only on apply.
  SetButtonPicture(form, form.Menu.FullScreenSwitch, SwitchPicture(form.FullScreen));
}

void ToggleMusic(TForm1& form) {
  form.MusicOn = !form.MusicOn;
  if (form.MusicOn) {
    form.PlayMusic("menumusic");
  } else {
    form.StopMusic("menumusic");
  }
  Click(form);
  SetButtonPicture(form, form.Menu.MusicSwitch, SwitchPicture(form.MusicOn));
}

void ChangeVolume(TForm1& form, int32_t delta) {
  Click(form);
  const int32_t volume = form.SoundVolume + delta;
  if (volume < 0 || volume > kMaxVolume) return;
  form.SoundVolume = volume;
  if (form.Menu.VolumeBar != nullptr) form.Menu.VolumeBar->SetPosition(volume);
}

void TakeSavedCopies(TForm1& form) {
  game::MenuState& menu = form.Menu;
  menu.SavedVolume = form.SoundVolume;
  menu.SavedMusicOn = form.MusicOn;
  menu.SavedFullScreen = form.FullScreen;
  menu.SavedOptionText = menu.OptionText;
}

// Cancel and Esc: the settings as they were before the screen (the file already holds the
// screen's values; the restored ones reach it at its next write).
void RestoreSavedCopies(TForm1& form) {
  game::MenuState& menu = form.Menu;
  form.FullScreen = menu.ScreenIsFull;
  form.SoundVolume = menu.SavedVolume;
  form.MusicOn = menu.SavedMusicOn;
  menu.ScreenIsFull = menu.SavedFullScreen;
  menu.OptionText = menu.SavedOptionText;
  // The effects must not keep the volume that was just cancelled.
  form.ApplySoundVolume();
}

void Apply(TForm1& form) {
  game::MenuState& menu = form.Menu;
  Click(form);
  if (menu.VolumeBar != nullptr) form.SoundVolume = menu.VolumeBar->Position;
  form.LeaveState(game::gsOptions);
  if (menu.ScreenIsFull != form.FullScreen) form.OmegaScreen1.ToggleFullScreen();
  Click(form);
  form.EnterState(game::gsMainMenu);
  menu.ScreenIsFull = form.FullScreen;
  TakeSavedCopies(form);
}

void Cancel(TForm1& form) {
  game::MenuState& menu = form.Menu;
  SwitchWithClick(form, game::gsOptions, game::gsMainMenu);
  if (menu.SavedMusicOn != form.MusicOn) {
    if (menu.SavedMusicOn) {
      form.PlayMusic("menumusic");
    } else {
      form.StopMusic("menumusic");
    }
  }
  RestoreSavedCopies(form);
}

// The screen page and the controls screen, and back again, keep the options' changes pending (not
// applied, not written) so Apply and Cancel still see them.
void OpenSubPage(TForm1& form, uint8_t page) {
  Click(form);
  form.Menu.OptionsPending = true;
  form.LeaveState(game::gsOptions);
  form.EnterState(page);
}

// The two switches' pictures follow their settings once they are made.
constexpr MenuButton kOptionButtons[] = {
    {.picture = "b_apply", .left = 206, .top = 420, .action = Apply},
    {.picture = "b_cancel", .left = 416, .top = 420, .action = Cancel},
    {.picture = "b_off", .left = 646, .top = 194, .action = ToggleFullScreen},
    {.picture = "b_menuleft",
     .left = 453,
     .top = 323,
     .action = [](TForm1& form) { ChangeVolume(form, -1); }},
    {.picture = "b_menuright",
     .left = 653,
     .top = 323,
     .action = [](TForm1& form) { ChangeVolume(form, +1); }},
    {.picture = "b_off", .left = 646, .top = 245, .action = ToggleMusic},
    {.picture = "b_screen",
     .left = 206,
     .top = 510,
     .action = [](TForm1& form) { OpenSubPage(form, game::gsScreenPage); }},
    {.picture = "b_controls",
     .left = 416,
     .top = 510,
     .action = [](TForm1& form) { OpenSubPage(form, game::gsControls); }},
};
enum OptionSlot { kFullScreenSlot = 2, kMusicSlot = 5 };

void Enter(TForm1& form) {
  game::MenuState& menu = form.Menu;
  ClearKeys(form);
  form.GameState = game::gsOptions;
  BeginButtons(form);
  AddButtons(form, form, kOptionButtons);
  menu.FullScreenSwitch = menu.Buttons[kFullScreenSlot];
  SetButtonPicture(form, menu.FullScreenSwitch, SwitchPicture(form.FullScreen));
  menu.MusicSwitch = menu.Buttons[kMusicSlot];
  SetButtonPicture(form, menu.MusicSwitch, SwitchPicture(form.MusicOn));
  MakeEditFont(form, 14, 250, 250, 250);
  engine::TOmegaEdit* edit = AddEditBox(form, "Edit", 466, 377, kMaxNameLength);
  menu.OptionText = online::StripTrailing(menu.OptionText, '%');
  edit->SetText(menu.OptionText);
  edit->OnClick = [&form](engine::TOmegaGUIComponent*) { form.Menu.EditActive = true; };
  menu.VolumeBar = AddVolumeBar(form, "volume", 482, 323, kMaxVolume, form.SoundVolume);
  form.MenuScreen = new TMenuScreen(form, 60, 90, 20, "scr_opt", "scrOptions");
  // Back from a sub-page the changes not yet applied stay pending (Cancel still undoes them).
  if (!menu.OptionsPending) TakeSavedCopies(form);
  menu.OptionsPending = false;
  menu.EditActive = false;
}

void Frame(TForm1& form) {
  game::MenuState& menu = form.Menu;
  if (menu.VolumeBar != nullptr) form.SoundVolume = menu.VolumeBar->Position;
  form.ApplySoundVolume();
  engine::TOmegaEdit* edit = menu.NameEdit;
  if (menu.EditActive) BlinkCaret(form, edit);
  // A focused edit box has already taken the key itself; one press deletes one character.
  if (TakeKey(form, kVkBack) && edit != nullptr && !edit->Focused() && !edit->Text.empty()) {
    edit->SetText(edit->Text.substr(0, edit->Text.size() - 1));
  }
  if (TakeKey(form, kVkEscape)) {
    KeyClick(form);
    form.LeaveState(game::gsOptions);
    RestoreSavedCopies(form);
    form.EnterState(game::gsMainMenu);
    return;
  }
  StandardMenuFrame(form);
}

void Leave(TForm1& form) {
  game::MenuState& menu = form.Menu;
  if (menu.NameEdit != nullptr) menu.OptionText = menu.NameEdit->Text;
  if (!menu.OptionsPending) WriteConfigFile(form);
  FreeButtons(form);
  menu.VolumeBar = nullptr;
  menu.FullScreenSwitch = nullptr;
  menu.MusicSwitch = nullptr;
  KillSprite(form.MenuScreen);
  form.OmegaSprite1.Dead();
}

}  // namespace

namespace {

void SwitchDisplayModeNow(TForm1& form) {
  game::MenuState& menu = form.Menu;
  form.OmegaScreen1.ToggleFullScreen();
  // The mode in use is the one the settings keep, whatever the options screen had pending.
  const bool full = !menu.ScreenIsFull;
  menu.ScreenIsFull = full;
  menu.SavedFullScreen = full;
  form.FullScreen = full;
  if (menu.FullScreenSwitch != nullptr)
    SetButtonPicture(form, menu.FullScreenSwitch, SwitchPicture(full));
}

}  // namespace

void RegisterOptionsState(TForm1& form) {
  form.SwitchDisplayMode = [&form] { SwitchDisplayModeNow(form); };
  game::StateHandlers state;
  state.enter = [&form] { Enter(form); };
  state.frame = [&form] { Frame(form); };
  state.leave = [&form] { Leave(form); };
  form.States.Register(game::gsOptions, state);
}

}  // namespace frontend
