// The menu screens outside the race: first name entry, main menu, help, high scores, clearing the
// table and the question whether to quit.
#include <array>
#include <string>

#include "engine/Messages.h"
#include "frontend/MenuKit.h"
#include "frontend/MenuStates.h"
#include "frontend/Profiles.h"
#include "frontend/Settings.h"
#include "game/HudSprites.h"
#include "game/Phrases.h"
#include "game/RaceFlow.h"
#include "online/GoToLink.h"
#include "platform/Input.h"
#include "platform/Text1251.h"

namespace frontend {

namespace {

using game::TForm1;
using platform::kVkBack;
using platform::kVkEscape;
using platform::kVkReturn;
using platform::kVkZ;

constexpr std::array<const char*, 4> kHelpPages = {"scr_help", "scr_help2", "scr_help3",
                                                   "scr_help4"};

// ---- 1: the first player's name ----

void AcceptFirstName(TForm1& form) {
  if (form.Menu.NameEdit == nullptr) return;
  const std::string name = TrimSpaces(form.Menu.NameEdit->Text);
  if (name.empty()) return;
  if (!AddProfile(form.Menu, name)) return;
  form.PlayerName = CurrentProfileName(form.Menu);
  Click(form);
  SwitchState(form, game::gsNameEntry, game::gsMainMenu);
}

constexpr MenuButton kNameEntryButtons[] = {
    {.picture = "b_add", .left = 330, .top = 426, .action = AcceptFirstName},
};

void RegisterNameEntry(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClearKeys(form);
    form.Menu.HelpPage = 1;
    form.GameState = game::gsNameEntry;
    SetFont(form.OmegaFont1, "Arial", 17, 250, 250, 250);
    MakeEditFont(form, 28, 21, 16, 137);
    BeginButtons(form);
    AddButtons(form, form, kNameEntryButtons);
    engine::TOmegaEdit* edit = AddEditBox(form, "e_name", 200, 276, kMaxNameLength);
    edit->SetText("");
    edit->SetFocus();
    form.MenuScreen = new TMenuScreen(form, 60, 90, 20, "scr_add", "scr_Add");
    NudgeSprites(form);
    form.ScreenTick = 0;
  };
  state.frame = [&form] {
    if (form.ScreenTick < 80) ++form.ScreenTick;
    engine::TOmegaEdit* edit = form.Menu.NameEdit;
    if (TakeKey(form, kVkReturn) && edit != nullptr && !edit->Text.empty()) {
      AcceptFirstName(form);
      if (form.GameState != game::gsNameEntry) return;
    }
    // A focused edit box has already taken the key itself; one press deletes one character.
    if (TakeKey(form, kVkBack) && edit != nullptr && !edit->Focused() && !edit->Text.empty()) {
      edit->SetText(edit->Text.substr(0, edit->Text.size() - 1));
    }
    BlinkCaret(form, edit);
    StandardMenuFrame(form);
  };
  state.leave = [&form] {
    if (form.Menu.NameEdit != nullptr) form.PlayerName = TrimSpaces(form.Menu.NameEdit->Text);
    // The new player goes into Config.cfg; the progress file is written only on quitting.
    WriteConfigFile(form);
    FreeButtons(form);
    KillSprite(form.MenuScreen);
    form.OmegaSprite1.Dead();
  };
  form.States.Register(game::gsNameEntry, state);
}

// ---- 4: main menu ----

template <uint8_t To>
constexpr auto GoFromMainMenu = GoWithClick<game::gsMainMenu, To>;

void StartFromMainMenu(TForm1& form) {
  ClearKeys(form);
  Click(form);
  form.LeaveState(game::gsMainMenu);
  form.EnterState(game::gsTrackSelect);
}

void VisitMoreGames(TForm1& form) {
  ClickIfSoundOn(form);
  if (form.Services.shell != nullptr) online::OpenMoreGames(*form.Services.shell);
}

void VisitWebsite(TForm1& form) {
  ClickIfSoundOn(form);
  if (form.Services.shell != nullptr) online::OpenWebsite(*form.Services.shell);
}

constexpr MenuButton kMainMenuButtons[] = {
    {.picture = "b_stgame", .left = 56, .top = 411, .action = StartFromMainMenu},
    {.picture = "b_opt", .left = 27, .top = 350, .action = GoFromMainMenu<game::gsOptions>},
    {.picture = "b_hiscr", .left = 68, .top = 87, .action = GoFromMainMenu<game::gsHiScores>},
    {.picture = "b_help", .left = 694, .top = 124, .action = GoFromMainMenu<game::gsHelp>},
    {.picture = "b_visit", .left = 637, .top = 239, .action = VisitMoreGames},
    {.picture = "b_exit", .left = 606, .top = 371, .action = GoFromMainMenu<game::gsExitGame>},
    {.picture = "b_logo", .left = 270, .top = 510, .action = VisitWebsite},
    {.picture = "b_presshere",
     .left = 605,
     .top = 540,
     .action = GoFromMainMenu<game::gsProfileList>},
};

void RegisterMainMenu(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    if (form.Menu.MenuLights[0] == nullptr) CreateMenuLights(form);
    form.GameState = game::gsMainMenu;
    NudgeSprites(form);
    ClearKeys(form);
    BeginButtons(form);
    AddButtons(form, form, kMainMenuButtons);
    form.LevelNumber = 1;
    SetFont(form.OmegaFont1, "Gungsuh", 11, 0, 0, 0);
    SetFont(form.OmegaFont2, "Gungsuh", 10, 15, 15, 15);
    SetFont(form.OmegaFont3, "Gungsuh", 23, 167, 9, 24);
    HideMenuLights(form);
    form.ScreenTick = 0;
  };
  state.frame = [&form] {
    if (TakeKey(form, kVkEscape)) {
      KeyClick(form);
      GoFromMainMenu<game::gsExitGame>(form);
      return;
    }
    if (TakeKey(form, kVkZ)) form.Score = game::AddedScore(form.Score, 10);
    BeginMenuFrame(form, form.OmegaImageList1, "mainback");
    DrawScene(form, true);
    form.OmegaGUI1.Draw();
    TextCentered(form.OmegaFont1, 675, 517,
                 game::Say(form.Lang, game::Phrase::Hello) + form.PlayerName + "!");
    DrawMenuLights(form);
    if (form.MenuFrameOverlay) form.MenuFrameOverlay();
    EnsureCursor(form)->Draw();
    form.OmegaScreen1.EndScene();
  };
  state.leave = [&form] {
    HideMenuLights(form);
    form.OmegaSprite1.Dead();
    FreeButtons(form);
  };
  form.States.Register(game::gsMainMenu, state);
}

// ---- 6: help ----

void TurnHelpPage(TForm1& form, int step) {
  const int32_t page = form.Menu.HelpPage + step;
  if (page < 1 || page > static_cast<int32_t>(kHelpPages.size())) return;
  form.Menu.HelpPage = page;
  if (form.MenuScreen != nullptr)
    ShowPicture(*form.MenuScreen, form.MenuImage(kHelpPages[static_cast<size_t>(page - 1)]));
}

void NextHelpPage(TForm1& form) {
  Click(form);
  TurnHelpPage(form, +1);
}

void PrevHelpPage(TForm1& form) {
  TurnHelpPage(form, -1);
  Click(form);
}

constexpr MenuButton kHelpButtons[] = {
    {.picture = "b_back",
     .left = 97,
     .top = 415,
     .action = GoWithClick<game::gsHelp, game::gsMainMenu>},
    {.picture = "b_next", .left = 516, .top = 415, .action = NextHelpPage},
    {.picture = "b_prev", .left = 308, .top = 415, .action = PrevHelpPage},
};

void RegisterHelp(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClearKeys(form);
    form.Menu.HelpPage = 1;
    form.GameState = game::gsHelp;
    BeginButtons(form);
    AddButtons(form, form, kHelpButtons);
    form.MenuScreen = new TMenuScreen(form, 55, 80, 500, kHelpPages[0], "scr_Help");
    NudgeSprites(form);
    form.ScreenTick = 0;
  };
  state.frame = [&form] {
    if (TakeKey(form, kVkEscape)) {
      KeyClick(form);
      SwitchState(form, game::gsHelp, game::gsMainMenu);
      return;
    }
    StandardMenuFrame(form);
  };
  state.leave = [&form] {
    FreeButtons(form);
    KillSprite(form.MenuScreen);
    form.OmegaSprite1.Dead();
  };
  form.States.Register(game::gsHelp, state);
}

// ---- 8: high scores, 9: clearing them ----

constexpr MenuButton kHiScoreButtons[] = {
    {.picture = "b_clrhiscr",
     .left = 331,
     .top = 455,
     .action = GoWithClick<game::gsHiScores, game::gsClearHiScores>},
    {.picture = "b_viewwhiscr", .left = 328, .top = 428, .action = OpenOnlineTable},
    {.picture = "b_back",
     .left = 116,
     .top = 430,
     .action = GoWithClick<game::gsHiScores, game::gsMainMenu>},
    {.picture = "b_replays",
     .left = 514,
     .top = 430,
     .action = GoWithClick<game::gsHiScores, game::gsReplays>},
};

void ClearTable(TForm1& form) {
  ResetHiScores(form.Menu);
  SwitchWithClick(form, game::gsClearHiScores, game::gsHiScores);
}

constexpr MenuButton kClearHiScoreButtons[] = {
    {.picture = "b_yes", .left = 278, .top = 327, .action = ClearTable},
    {.picture = "b_no",
     .left = 415,
     .top = 378,
     .action = GoWithClick<game::gsClearHiScores, game::gsHiScores>},
};

void RegisterHiScores(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClearKeys(form);
    form.GameState = game::gsHiScores;
    BeginButtons(form);
    AddButtons(form, form, kHiScoreButtons);
    form.MenuScreen = new TMenuScreen(form, 60, 90, 20, "scr_hiscr", "scrHiscr");
    NudgeSprites(form);
  };
  state.frame = [&form] {
    if (TakeKey(form, kVkEscape)) {
      KeyClick(form);
      SwitchState(form, game::gsHiScores, game::gsMainMenu);
      return;
    }
    StandardMenuFrame(form, [&form] { DrawHiScoreTable(form); });
  };
  state.leave = [&form] {
    FreeButtons(form);
    KillSprite(form.MenuScreen);
    form.OmegaSprite1.Dead();
  };
  form.States.Register(game::gsHiScores, state);

  game::StateHandlers clear;
  clear.enter = [&form] {
    ClearKeys(form);
    form.GameState = game::gsClearHiScores;
    BeginButtons(form);
    AddButtons(form, form, kClearHiScoreButtons);
    form.Menu.ClearTitle = new TMenuScreen(form, 60, 90, 22, "scr_clearhiscr", "clearhiscr");
  };
  clear.frame = [&form] {
    if (TakeKey(form, kVkEscape)) {
      KeyClick(form);
      SwitchState(form, game::gsClearHiScores, game::gsHiScores);
      return;
    }
    StandardMenuFrame(form);
  };
  clear.leave = [&form] {
    KillSprite(form.Menu.ClearTitle);
    form.OmegaSprite1.Dead();
    FreeButtons(form);
  };
  form.States.Register(game::gsClearHiScores, clear);
}

// ---- 10: quit the program? ----

void QuitGame(TForm1& form) {
  if (form.WriteConfigFiles) form.WriteConfigFiles();
  SwitchState(form, game::gsExitGame, game::gsExitScreen);
}

constexpr MenuButton kExitButtons[] = {
    {.picture = "b_yes", .left = 278, .top = 327, .action = QuitGame},
    {.picture = "b_no",
     .left = 415,
     .top = 378,
     .action = GoWithClick<game::gsExitGame, game::gsMainMenu>},
};

void RegisterExitQuestion(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClearKeys(form);
    form.GameState = game::gsExitGame;
    BeginButtons(form);
    AddButtons(form, form, kExitButtons);
    form.MenuScreen = new TMenuScreen(form, 55, 80, 500, "scr_ExitTheGame", "exitthegame");
    form.ScreenTick = 0;
  };
  state.frame = [&form] {
    if (TakeKey(form, kVkEscape)) {
      KeyClick(form);
      SwitchState(form, game::gsExitGame, game::gsMainMenu);
      return;
    }
    if (TakeKey(form, kVkReturn)) {
      QuitGame(form);
      return;
    }
    BeginMenuFrame(form, form.OmegaImageList1, "undermenu");
    DrawScene(form, true);
    form.OmegaGUI1.Draw();
    DrawMenuLights(form);
    if (form.MenuFrameOverlay) form.MenuFrameOverlay();
    EnsureCursor(form)->Draw();
    form.OmegaScreen1.EndScene();
  };
  state.leave = [&form] {
    FreeButtons(form);
    KillSprite(form.MenuScreen);
    form.OmegaSprite1.Dead();
  };
  form.States.Register(game::gsExitGame, state);
}

}  // namespace

void RegisterMainMenuStates(TForm1& form) {
  RegisterNameEntry(form);
  RegisterMainMenu(form);
  RegisterHelp(form);
  RegisterHiScores(form);
  RegisterExitQuestion(form);
}

// ---- the menu lights ----

void CreateMenuLights(TForm1& form) {
  for (engine::TSprite*& light : form.Menu.MenuLights) KillSprite(light);
  form.Menu.MenuLights[0] = new game::TLight(form, 376, 353, 0);
  form.Menu.MenuLights[1] = new game::TLight(form, 403, 370, 1);
}

void HideMenuLights(TForm1& form) {
  for (engine::TSprite* light : form.Menu.MenuLights)
    if (light != nullptr) light->Visible = false;
}

void DrawMenuLights(TForm1& form) {
  for (engine::TSprite* light : form.Menu.MenuLights) {
    if (light == nullptr) continue;
    const bool visible = light->Visible;
    light->Visible = true;
    light->Draw();
    light->Visible = visible;
  }
}

}  // namespace frontend
