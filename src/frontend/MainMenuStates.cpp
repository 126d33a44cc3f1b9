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
#include "platform/Text1251.h"

namespace frontend {

namespace {

using game::TForm1;

constexpr int kVkReturn = 13;
constexpr int kVkEscape = 27;
constexpr int kVkBack = 8;
constexpr int kVkZ = 90;

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

void RegisterNameEntry(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClearKeys(form);
    form.Menu.HelpPage = 1;
    form.GameState = game::gsNameEntry;
    SetFont(form.OmegaFont1, "Arial", 17, 250, 250, 250);
    MakeEditFont(form, 28, 21, 16, 137);
    BeginButtons(form);
    AddButton(form, "b_add", 330, 426, [&form] { AcceptFirstName(form); });
    engine::TOmegaEdit* edit = AddEditBox(form, "e_name", 200, 276, kMaxNameLength);
    edit->SetText("");
    edit->SetFocus();
    form.MenuScreen = new TMenuScreen(form, 60, 90, 20, "scr_add", "scr_Add");
    form.OmegaSprite1.Move(0.00001f);
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

void GoFromMainMenu(TForm1& form, uint8_t to) {
  form.LeaveState(game::gsMainMenu);
  Click(form);
  form.EnterState(to);
}

void RegisterMainMenu(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    if (form.Menu.MenuLights[0] == nullptr) CreateMenuLights(form);
    form.GameState = game::gsMainMenu;
    form.OmegaSprite1.Move(0.00001f);
    ClearKeys(form);
    BeginButtons(form);
    AddButton(form, "b_stgame", 56, 411, [&form] {
      ClearKeys(form);
      Click(form);
      form.LeaveState(game::gsMainMenu);
      form.EnterState(game::gsTrackSelect);
    });
    AddButton(form, "b_opt", 27, 350, [&form] { GoFromMainMenu(form, game::gsOptions); });
    AddButton(form, "b_hiscr", 68, 87, [&form] { GoFromMainMenu(form, game::gsHiScores); });
    AddButton(form, "b_help", 694, 124, [&form] { GoFromMainMenu(form, game::gsHelp); });
    AddButton(form, "b_visit", 637, 239, [&form] {
      ClickIfSoundOn(form);
      if (form.Services.shell != nullptr) online::OpenMoreGames(*form.Services.shell);
    });
    AddButton(form, "b_exit", 606, 371, [&form] { GoFromMainMenu(form, game::gsExitGame); });
    AddButton(form, "b_logo", 270, 510, [&form] {
      ClickIfSoundOn(form);
      if (form.Services.shell != nullptr) online::OpenWebsite(*form.Services.shell);
    });
    AddButton(form, "b_presshere", 605, 540, [&form] {
      Click(form);
      form.LeaveState(game::gsMainMenu);
      form.EnterState(game::gsProfileList);
    });
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
      GoFromMainMenu(form, game::gsExitGame);
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

void RegisterHelp(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClearKeys(form);
    form.Menu.HelpPage = 1;
    form.GameState = game::gsHelp;
    BeginButtons(form);
    AddButton(form, "b_back", 97, 415, [&form] {
      form.LeaveState(game::gsHelp);
      Click(form);
      form.EnterState(game::gsMainMenu);
    });
    AddButton(form, "b_next", 516, 415, [&form] {
      Click(form);
      TurnHelpPage(form, +1);
    });
    AddButton(form, "b_prev", 308, 415, [&form] {
      TurnHelpPage(form, -1);
      Click(form);
    });
    form.MenuScreen = new TMenuScreen(form, 55, 80, 500, kHelpPages[0], "scr_Help");
    form.OmegaSprite1.Move(0.00001f);
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

void RegisterHiScores(TForm1& form, const std::shared_ptr<ScoreLink>& scores) {
  game::StateHandlers state;
  state.enter = [&form, scores] {
    ClearKeys(form);
    form.GameState = game::gsHiScores;
    BeginButtons(form);
    AddButton(form, "b_clrhiscr", 331, 455, [&form] {
      Click(form);
      SwitchState(form, game::gsHiScores, game::gsClearHiScores);
    });
    AddButton(form, "b_viewwhiscr", 328, 428, [&form, scores] { scores->ShowOnlineTable(form); });
    AddButton(form, "b_back", 116, 430, [&form] {
      form.LeaveState(game::gsHiScores);
      Click(form);
      form.EnterState(game::gsMainMenu);
    });
    form.MenuScreen = new TMenuScreen(form, 60, 90, 20, "scr_hiscr", "scrHiscr");
    form.OmegaSprite1.Move(0.00001f);
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
    AddButton(form, "b_yes", 278, 327, [&form] {
      ResetHiScores(form.Menu);
      form.LeaveState(game::gsClearHiScores);
      Click(form);
      form.EnterState(game::gsHiScores);
    });
    AddButton(form, "b_no", 415, 378, [&form] {
      form.LeaveState(game::gsClearHiScores);
      Click(form);
      form.EnterState(game::gsHiScores);
    });
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

void RegisterExitQuestion(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClearKeys(form);
    form.GameState = game::gsExitGame;
    BeginButtons(form);
    AddButton(form, "b_yes", 278, 327, [&form] { QuitGame(form); });
    AddButton(form, "b_no", 415, 378, [&form] {
      form.LeaveState(game::gsExitGame);
      Click(form);
      form.EnterState(game::gsMainMenu);
    });
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

void RegisterMainMenuStates(TForm1& form, std::shared_ptr<ScoreLink> scores) {
  RegisterNameEntry(form);
  RegisterMainMenu(form);
  RegisterHelp(form);
  RegisterHiScores(form, scores);
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
