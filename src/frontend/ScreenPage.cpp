// The screen and sound page (29), reached from the options: full screen, scaling, vertical sync,
// the music's volume and the language, each applied and saved at once; "Назад" and Esc go back to
// the options screen.
#include <memory>

#include "frontend/LanguageSetting.h"
#include "frontend/MenuKit.h"
#include "frontend/Registration.h"
#include "frontend/ScreenSettings.h"
#include "game/Phrases.h"
#include "game/PictureSet.h"
#include "platform/Input.h"
#include "platform/Text1251.h"

namespace frontend {

using game::TForm1;

namespace {

using platform::kVkEscape;

// The page's widgets, alive while it is shown.
struct ScreenPage {
  engine::TOmegaButton* fullScreenSwitch = nullptr;
  // The mode the full-screen switch shows.
  bool shownFull = false;
  engine::TOmegaButton* scalingSwitch = nullptr;
  engine::TOmegaButton* vsyncSwitch = nullptr;
  engine::TOmegaScrollBar* musicBar = nullptr;
  engine::TOmegaButton* languageSwitch = nullptr;
};

const char* ScalingPicture(platform::Scaling scaling) {
  return scaling == platform::Scaling::kInteger ? "b_sharp" : "b_fit";
}

void Save(TForm1& form) {
  WriteScreenSound(form);
}

// The switch shows the display mode in use, whoever changed it (Alt+Enter too).
void ShowFullScreen(TForm1& form, ScreenPage& page) {
  const bool full = form.Menu.ScreenIsFull;
  if (page.fullScreenSwitch == nullptr || page.shownFull == full) return;
  page.shownFull = full;
  SetButtonPicture(form, page.fullScreenSwitch, SwitchPicture(full));
}

// As Alt+Enter: the mode changes at once and the options keep it (Config.cfg takes it at its
// next write, when the options screen is left).
void ToggleFullScreen(TForm1& form, ScreenPage& page) {
  Click(form);
  if (form.SwitchDisplayMode) form.SwitchDisplayMode();
  ShowFullScreen(form, page);
}

void ToggleScaling(TForm1& form, ScreenPage& page) {
  game::ScreenSoundSettings& settings = form.ScreenSound;
  Click(form);
  settings.Scaling = settings.Scaling == platform::Scaling::kInteger ? platform::Scaling::kLetterbox
                                                                     : platform::Scaling::kInteger;
  form.ApplyPresentation();
  Save(form);
  SetButtonPicture(form, page.scalingSwitch, ScalingPicture(settings.Scaling));
}

void ToggleVSync(TForm1& form, ScreenPage& page) {
  game::ScreenSoundSettings& settings = form.ScreenSound;
  Click(form);
  settings.VSync = !settings.VSync;
  form.ApplyPresentation();
  // A driver that refuses keeps it off; the page says why.
  if (settings.VSyncRefused) settings.VSync = false;
  Save(form);
  SetButtonPicture(form, page.vsyncSwitch, SwitchPicture(settings.VSync));
}

void SetMusicVolume(TForm1& form, int32_t volume) {
  if (volume < 0 || volume > game::kMaxMusicVolume || volume == form.ScreenSound.MusicVolume)
    return;
  form.ScreenSound.MusicVolume = volume;
  form.ApplyMusicVolume();
  Save(form);
}

void StepMusicVolume(TForm1& form, ScreenPage& page, int32_t delta) {
  Click(form);
  SetMusicVolume(form, form.ScreenSound.MusicVolume + delta);
  if (page.musicBar != nullptr) page.musicBar->SetPosition(form.ScreenSound.MusicVolume);
}

const char* LanguagePicture(game::Language language) {
  return language == game::Language::English ? "b_english" : "b_russian";
}

// The pictures change language in place, so the page (and every screen after it) speaks the new
// one at once; the choice is kept for the next start.
void ToggleLanguage(TForm1& form, ScreenPage& page) {
  Click(form);
  const game::Language next =
      form.Lang == game::Language::English ? game::Language::Russian : game::Language::English;
  game::SwitchLanguage(form, next);
  StoreLanguage(form, next);
  SetButtonPicture(form, page.languageSwitch, LanguagePicture(form.Lang));
}

void Back(TForm1& form) {
  form.LeaveState(game::gsScreenPage);
  form.EnterState(game::gsOptions);
}

void Enter(TForm1& form, ScreenPage& page) {
  ClearKeys(form);
  form.GameState = game::gsScreenPage;
  BeginButtons(form);
  const game::ScreenSoundSettings& settings = form.ScreenSound;
  // Rows as the "scr_screen" card draws them.
  page.shownFull = form.Menu.ScreenIsFull;
  page.fullScreenSwitch = AddButton(form, SwitchPicture(page.shownFull), 646, 170,
                                    [&form, &page] { ToggleFullScreen(form, page); });
  page.scalingSwitch = AddButton(form, ScalingPicture(settings.Scaling), 598, 218,
                                 [&form, &page] { ToggleScaling(form, page); });
  page.vsyncSwitch = AddButton(form, SwitchPicture(settings.VSync), 646, 266,
                               [&form, &page] { ToggleVSync(form, page); });
  AddButton(form, "b_menuleft", 453, 326, [&form, &page] { StepMusicVolume(form, page, -1); });
  AddButton(form, "b_menuright", 653, 326, [&form, &page] { StepMusicVolume(form, page, +1); });
  page.musicBar =
      AddVolumeBar(form, "music", 482, 326, game::kMaxMusicVolume, settings.MusicVolume);
  page.languageSwitch = AddButton(form, LanguagePicture(form.Lang), 598, 372,
                                  [&form, &page] { ToggleLanguage(form, page); });
  AddButton(form, "b_back", 315, 420, [&form] {
    Click(form);
    Back(form);
  });
  form.MenuScreen = new TMenuScreen(form, 60, 90, 20, "scr_screen", "scrScreen");
}

void DrawRefusal(TForm1& form) {
  if (!form.ScreenSound.VSyncRefused) return;
  SetFont(form.OmegaFont4, "Arial", 11, 170, 40, 30);
  // Under the switch, clear of the row's own lines.
  TextCentered(form.OmegaFont4, 545, 303, game::Say(form.Lang, game::Phrase::VSyncRefused));
}

void Frame(TForm1& form, ScreenPage& page) {
  // Dragging the bar changes the music at once.
  if (page.musicBar != nullptr) SetMusicVolume(form, page.musicBar->Position);
  ShowFullScreen(form, page);
  if (TakeKey(form, kVkEscape)) {
    KeyClick(form);
    Back(form);
    return;
  }
  StandardMenuFrame(form, [&form] { DrawRefusal(form); });
}

void Leave(TForm1& form, ScreenPage& page) {
  FreeButtons(form);
  page = ScreenPage{};
  KillSprite(form.MenuScreen);
  form.OmegaSprite1.Dead();
}

}  // namespace

void RegisterScreenPage(TForm1& form) {
  auto page = std::make_shared<ScreenPage>();
  game::StateHandlers state;
  state.enter = [&form, page] { Enter(form, *page); };
  state.frame = [&form, page] { Frame(form, *page); };
  state.leave = [&form, page] { Leave(form, *page); };
  form.States.Register(game::gsScreenPage, state);
}

}  // namespace frontend
