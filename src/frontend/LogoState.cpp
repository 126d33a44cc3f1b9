// The logo splash: the logo fades in, stays, fades out, and the game moves on to the menus.
#include "frontend/MenuKit.h"
#include "frontend/MenuStates.h"
#include "game/MainForm.h"

namespace frontend {

void RegisterLogoState(game::TForm1& form) {
  using namespace game;
  StateHandlers logo;
  logo.enter = [&form] {
    form.GameState = gsLogo;
    form.PlaySound("begin");
    form.MenuScreen = new engine::TSprite(&form.OmegaSprite1);
    form.MenuScreen->SetName("logo");
    if (engine::TImageListItem* image = form.MenuImage("logo")) {
      form.MenuScreen->SetImage(image);
      form.MenuScreen->SetWidth(image->TileWidth);
      form.MenuScreen->SetHeight(image->TileHeight);
    }
    form.MenuScreen->SetAlpha(0);
    form.MenuScreen->SetZ(20);
    form.MenuScreen->SetX(400.0f - static_cast<float>(form.MenuScreen->Width) / 2);
    form.MenuScreen->SetY(300.0f - static_cast<float>(form.MenuScreen->Height) / 2);
    NudgeSprites(form);
  };
  logo.frame = [&form] {
    if (form.MenuScreen != nullptr) {
      if (form.ScreenTick >= 31 && form.ScreenTick <= 114)
        form.MenuScreen->SetAlpha(form.MenuScreen->Alpha + 3);
      if (form.ScreenTick > 290 && form.ScreenTick < 340)
        form.MenuScreen->SetAlpha(form.MenuScreen->Alpha - 5);
    }
    form.OmegaScreen1.Clear(0, 0, 0, 0);
    form.OmegaScreen1.BeginScene();
    DrawScene(form, true);
    EndMenuFrame(form, true);
    const int32_t tick = form.ScreenTick++;
    if (tick == 384) {
      form.OmegaScreen1.SetRed(255);
      form.OmegaScreen1.SetGreen(255);
      form.OmegaScreen1.SetBlue(255);
      form.LeaveState(gsLogo);
      // A first run has no player yet and asks for a name.
      form.EnterState(form.Menu.ProfileCount > 0 ? gsMainMenu : gsNameEntry);
    }
  };
  logo.leave = [&form] {
    for (int i = 0; i < form.OmegaSprite1.Count(); ++i) {
      engine::TSprite* sprite = form.OmegaSprite1.Sprites(i);
      if (sprite->Name == "square") sprite->Dead();
    }
    if (form.MenuScreen != nullptr) form.MenuScreen->Dead();
    form.MenuScreen = nullptr;
    form.OmegaSprite1.Dead();
    CreateMenuLights(form);
  };
  form.States.Register(gsLogo, logo);
}

}  // namespace frontend
