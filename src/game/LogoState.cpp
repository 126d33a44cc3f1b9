// The logo splash: the logo fades in, stays, fades out, and the game moves on to the menus.
#include "game/MainForm.h"

namespace game {

void TForm1::RegisterLogoState() {
  StateHandlers logo;
  logo.enter = [this] {
    GameState = gsLogo;
    MenuScreen = new engine::TSprite(&OmegaSprite1);
    MenuScreen->SetName("logo");
    if (engine::TImageListItem* image = MenuImage("logo")) {
      MenuScreen->SetImage(image);
      MenuScreen->SetWidth(image->TileWidth);
      MenuScreen->SetHeight(image->TileHeight);
    }
    MenuScreen->SetAlpha(0);
    MenuScreen->SetZ(20);
    MenuScreen->SetX(400.0f - static_cast<float>(MenuScreen->Width) / 2);
    MenuScreen->SetY(300.0f - static_cast<float>(MenuScreen->Height) / 2);
    OmegaSprite1.Move(0.00001f);
  };
  logo.frame = [this] {
    if (MenuScreen != nullptr) {
      if (ScreenTick >= 31 && ScreenTick <= 114) MenuScreen->SetAlpha(MenuScreen->Alpha + 3);
      if (ScreenTick > 290 && ScreenTick < 340) MenuScreen->SetAlpha(MenuScreen->Alpha - 5);
    }
    OmegaScreen1.Clear(0, 0, 0, 0);
    OmegaScreen1.BeginScene();
    OmegaSprite1.Dead();
    OmegaSprite1.Move(0);
    OmegaSprite1.Draw();
    OmegaScreen1.EndScene();
    const int32_t tick = ScreenTick++;
    if (tick == 384) {
      OmegaScreen1.SetRed(255);
      OmegaScreen1.SetGreen(255);
      OmegaScreen1.SetBlue(255);
      LeaveState(gsLogo);
      EnterState(gsMainMenu);
    }
  };
  logo.leave = [this] {
    for (int i = 0; i < OmegaSprite1.Count(); ++i) {
      engine::TSprite* sprite = OmegaSprite1.Sprites(i);
      if (sprite->Name == "square") sprite->Dead();
    }
    if (MenuScreen != nullptr) MenuScreen->Dead();
    MenuScreen = nullptr;
    OmegaSprite1.Dead();
  };
  States.Register(gsLogo, logo);
}

}  // namespace game
