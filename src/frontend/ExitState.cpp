// The exit screen state: its entry, its frame and the clicks on its buttons.
#include "frontend/ExitState.h"

#include <memory>
#include <utility>

#include "online/GoToLink.h"
#include "online/Share.h"

namespace frontend {
namespace {

// The menus' pointer sprite while the sprite engine still holds it.
engine::TSprite* LiveCursor(game::TForm1& form) {
  for (int i = 0; i < form.OmegaSprite1.Count(); ++i) {
    engine::TSprite* sprite = form.OmegaSprite1.Sprites(i);
    if (sprite == form.Menu.Cursor && !sprite->IsDead) return sprite;
  }
  return nullptr;
}

}  // namespace

void RegisterExitState(game::TForm1& form) {
  auto share = std::make_shared<online::TShareScreen>(form.ShareList, &form.OmegaScreen1,
                                                      form.Services.fonts);
  share->Load();

  game::StateHandlers exitScreen;
  exitScreen.enter = [&form, share] {
    form.GameState = game::gsExitScreen;
    form.OmegaScreen1.ShowMouseCursor = true;
    if (platform::RenderDevice* device = form.OmegaScreen1.Device()) device->ShowSystemCursor(true);
    form.OmegaGUI1.Stop();
    if (!share->Valid) {
      // Nothing to show: the window goes at once.
      share->Countdown = 0;
      form.Close();
    }
  };
  exitScreen.frame = [&form, share] {
    share->Tick();
    form.OmegaScreen1.Clear(0, 0, 0, 0);
    form.OmegaScreen1.BeginScene();
    form.ShareList.BeginDraw();
    share->UpdateHover(form.MouseX, form.MouseY);
    share->Draw();
    if (engine::TSprite* cursor = LiveCursor(form)) {
      cursor->Move(0);
      cursor->Draw();
    }
    form.ShareList.EndDraw();
    form.OmegaScreen1.EndScene();
  };
  form.States.Register(game::gsExitScreen, std::move(exitScreen));

  form.ExitScreenBusy = [share] { return share->Busy(); };

  // Left clicks on the exit screen; every other press goes on to whoever listened before.
  form.OnMouseDownHook = [&form, share, previous = std::move(form.OnMouseDownHook)](int button,
                                                                                    int x, int y) {
    if (previous) previous(button, x, y);
    if (form.GameState != game::gsExitScreen || button != engine::gbLeft) return;
    // The press counts where it happens, even when no frame has seen the pointer there yet.
    share->UpdateHover(x, y);
    share->Click(form.Services.shell, [&form] {
      if (form.FormCloseQuery()) form.Close();
    });
  };

  form.ExitLauncher = [&form] {
    if (form.Services.shell != nullptr) online::RunExitLauncher(*form.Services.shell);
  };
}

}  // namespace frontend
