// The building blocks every menu screen shares: title sprites, the pointer, buttons, edit boxes,
// fonts and the standard menu frame.
#include "frontend/MenuKit.h"

#include "engine/Messages.h"
#include "platform/Text1251.h"

namespace frontend {

namespace {

constexpr int32_t kCursorZ = 90000;

void PlaceTitle(engine::TSprite& sprite, engine::TImageListItem* image, float x, float y, int32_t z,
                const std::string& name, int32_t alpha, bool visible) {
  sprite.SetName(name);
  ShowPicture(sprite, image);
  sprite.SetX(x);
  sprite.SetY(y);
  sprite.SetZ(z);
  sprite.SetAlpha(alpha);
  sprite.Visible = visible;
}

void ReportMissing(const std::string& picture, const char* archive) {
  std::string message = "picture \"";
  message += picture;
  message += "\" is missing from ";
  message += archive;
  engine::ReportOnce(message);
}

engine::TImageListItem* RaceImage(game::TForm1& form, const std::string& name) {
  engine::TImageListItem* item = form.GameImageList.Find(name);
  if (item == nullptr) ReportMissing(name, "Data/data2.oil");
  return item;
}

}  // namespace

const std::string& NameCharacters(game::Language language) {
  static const std::string characters =
      Ru(" !\"#$%&'()*+,-./0123456789:;<=>?@ЯФЙЦЫЧСВУКАМИПЕНРТЬОГШЛБЮДЩЗЖЁЪХЭ[\\]^_`"
         "йфячыцувсмакепитрнгоьблшщдюжзёъхэ{|}~");
  // An English player's keys type Latin letters as they are; Cyrillic still types too.
  static const std::string withLatin =
      characters + "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  return language == game::Language::English ? withLatin : characters;
}

TMenuScreen::TMenuScreen(game::TForm1& form, float x, float y, int32_t z,
                         const std::string& picture, const std::string& name, int32_t alpha,
                         bool visible)
    : engine::TSprite(&form.OmegaSprite1) {
  PlaceTitle(*this, form.MenuImage(picture), x, y, z, name, alpha, visible);
}

TGameMenuScreen::TGameMenuScreen(game::TForm1& form, float x, float y, int32_t z,
                                 const std::string& picture, const std::string& name, int32_t alpha,
                                 bool visible)
    : engine::TSprite(&form.OmegaSprite1) {
  PlaceTitle(*this, RaceImage(form, picture), x, y, z, name, alpha, visible);
}

TCursor::TCursor(game::TForm1& form) : engine::TSprite(&form.OmegaSprite1), form_(form) {
  SetName("cursor");
  SetImage(form.MenuImage("mousecursor"));
  SetPatternIndex(0);
  SetZ(kCursorZ);
  SetX(static_cast<float>(form.MouseX));
  SetY(static_cast<float>(form.MouseY));
}

void TCursor::Move(float) {
  if (Counter % 5 == 0) {
    SetPatternIndex(PatternIndex == 7 ? 0 : PatternIndex + 1);
    Counter = 0;
  }
  ++Counter;
  // The platform delivers the pointer in back-buffer pixels, in a window and in full screen, so
  // the picture's tip sits exactly under the mouse.
  SetX(static_cast<float>(form_.MouseX));
  SetY(static_cast<float>(form_.MouseY));
}

TCursor* EnsureCursor(game::TForm1& form) {
  // The race teardown spares sprites named "cursor"; anything else that freed it is noticed here.
  engine::TSprite*& cursor = form.Menu.Cursor;
  bool alive = false;
  for (int i = 0; i < form.OmegaSprite1.Count() && cursor != nullptr; ++i) {
    if (form.OmegaSprite1.Sprites(i) == cursor) alive = !cursor->IsDead;
  }
  if (!alive) cursor = new TCursor(form);
  return static_cast<TCursor*>(cursor);
}

void ShowCursor(game::TForm1& form, bool visible) {
  EnsureCursor(form)->Visible = visible;
}

void ShowPicture(engine::TSprite& sprite, engine::TImageListItem* image) {
  if (image == nullptr) return;
  sprite.SetWidth(image->PictureWidth);
  sprite.SetHeight(image->PictureHeight);
  sprite.SetImage(image);
}

void KillSprite(engine::TSprite*& sprite) {
  if (sprite != nullptr) sprite->Dead();
  sprite = nullptr;
}

void BeginButtons(game::TForm1& form) {
  FreeButtons(form);
  form.Menu.ButtonList = form.OmegaGUI1.AddList("GUI2");
  form.Menu.ButtonList->BringToFront();
}

engine::TOmegaButton* AddButton(game::TForm1& form, const std::string& picture, int32_t left,
                                int32_t top, ClickHandler onClick) {
  if (form.Menu.ButtonList == nullptr) BeginButtons(form);
  int slot = 0;
  while (slot < static_cast<int>(form.Menu.Buttons.size()) && form.Menu.Buttons[slot] != nullptr)
    ++slot;
  auto* button = form.Menu.ButtonList->Add<engine::TOmegaButton>();
  button->Name = std::to_string(slot);
  button->Caption.clear();
  button->FontColor = 0xFF000000u;
  button->SetLeft(left);
  button->SetTop(top);
  SetButtonPicture(form, button, picture);
  if (onClick) button->OnClick = [onClick](engine::TOmegaGUIComponent*) { onClick(); };
  if (slot < static_cast<int>(form.Menu.Buttons.size())) form.Menu.Buttons[slot] = button;
  return button;
}

engine::TOmegaScrollBar* AddVolumeBar(game::TForm1& form, const std::string& name, int32_t left,
                                      int32_t top, int32_t maxStep, int32_t position) {
  auto* bar = form.Menu.ButtonList->Add<engine::TOmegaScrollBar>();
  bar->Name = name;
  if (engine::TImageListItem* image = form.MenuImage("opt_bar")) {
    bar->SetImage(0, image);
    bar->SetPattern(0, 1);
    bar->SetImage(3, image);
    bar->SetPattern(3, 0);
  }
  bar->SetLeft(left);
  bar->SetTop(top);
  bar->SetWidth(168);
  bar->SetHeight(28);
  bar->Min = 0;
  bar->Max = maxStep;
  bar->ShowValue = false;
  bar->SetPosition(position);
  return bar;
}

void SetButtonPicture(game::TForm1& form, engine::TOmegaButton* button,
                      const std::string& picture) {
  if (button == nullptr) return;
  engine::TImageListItem* image = form.MenuImage(picture);
  if (image == nullptr) return;
  button->ShowPicture(image);
}

void FreeButtons(game::TForm1& form) {
  if (form.Menu.ButtonList != nullptr) form.OmegaGUI1.FreeList(form.Menu.ButtonList);
  form.Menu.ButtonList = nullptr;
  form.Menu.Buttons.fill(nullptr);
  form.Menu.NameEdit = nullptr;
}

void DrawDisabledButton(engine::TOmegaButton* button) {
  if (button == nullptr || button->Enabled || !button->Visible) return;
  engine::TImageListItem* image = button->States[0].Image;
  if (image != nullptr && image->Attached()) image->Draw(button->Left, button->Top, 2);
}

engine::TOmegaEdit* AddEditBox(game::TForm1& form, const std::string& picture, int32_t left,
                               int32_t top, int32_t maxLength) {
  if (form.Menu.ButtonList == nullptr) BeginButtons(form);
  auto* edit = form.Menu.ButtonList->Add<engine::TOmegaEdit>();
  edit->Name = "edit";
  edit->Caret.assign(1, '.');
  edit->MaxLength = maxLength;
  edit->Margin = 3;
  edit->LatinToCyrillic = true;
  edit->SetLeft(left);
  edit->SetTop(top);
  if (engine::TImageListItem* image = form.MenuImage(picture)) {
    edit->SetImage(0, image);
    edit->SetPattern(0, 0);
    edit->SetWidth(image->TileWidth);
    edit->SetHeight(image->TileHeight);
  }
  edit->Font = &form.OmegaBitmapFont1;
  edit->FontColor = engine::PackARGB(255, form.OmegaBitmapFont1.Red, form.OmegaBitmapFont1.Green,
                                     form.OmegaBitmapFont1.Blue);
  form.Menu.NameEdit = edit;
  return edit;
}

void MakeEditFont(game::TForm1& form, int32_t size, int32_t red, int32_t green, int32_t blue,
                  const std::string* characters) {
  engine::TOmegaBitmapFont& font = form.OmegaBitmapFont1;
  font.CreateFromFont("Gungsuh", characters != nullptr ? *characters : NameCharacters(form.Lang),
                      size, 0);
  font.SetRed(red);
  font.SetGreen(green);
  font.SetBlue(blue);
  font.SetAlpha(255);
}

void BlinkCaret(game::TForm1& form, engine::TOmegaEdit* edit) {
  int32_t& blink = form.Menu.CaretBlink;
  if (edit != nullptr) {
    if (blink % 31 == 0) {
      edit->Caret.clear();
    } else if (blink % 63 == 0) {
      edit->Caret.assign(1, '_');
      blink = 0;
    }
  }
  ++blink;
}

void SetFont(engine::TOmegaFont& font, const std::string& face, int32_t size, int32_t red,
             int32_t green, int32_t blue) {
  if (font.FontName() != face || font.Size() != size || !font.Style().bold) {
    font.SetFont(face, size, platform::FontStyle{true, false, false, false});
  }
  font.SetColor(engine::PackARGB(255, red, green, blue));
}

void TextCentered(engine::TOmegaFont& font, int32_t x, int32_t y, const std::string& text) {
  font.TextOut(x - font.TextWidth(text) / 2, y, text);
}

bool TakeKey(game::TForm1& form, int key) {
  if (key < 0 || key > 255 || !form.KeyReleased[static_cast<size_t>(key)]) return false;
  form.KeyReleased[static_cast<size_t>(key)] = false;
  return true;
}

void ClearKeys(game::TForm1& form) {
  form.KeyReleased.fill(false);
}

void ClearBothKeyArrays(game::TForm1& form) {
  form.KeyReleased.fill(false);
  form.KeyDown.fill(false);
}

void BeginMenuFrame(game::TForm1& form, engine::TOmegaImageList& list,
                    const std::string& background) {
  form.OmegaScreen1.Clear(0, 0, 0, 0);
  form.OmegaScreen1.BeginScene();
  if (background.empty()) return;
  engine::TImageListItem* image = list.Find(background);
  if (image == nullptr) {
    ReportMissing(background, "its archive");
  } else if (image->Attached()) {
    image->Draw(0, 0, 0);
  }
}

void DrawScene(game::TForm1& form, bool live) {
  engine::TSprite* cursor = form.Menu.Cursor;
  if (live) {
    form.OmegaSprite1.Dead();
    form.OmegaSprite1.Move(0);
  }
  // The pointer goes over the GUI, so the scene leaves it out.
  const bool shown = cursor != nullptr && cursor->Visible;
  if (cursor != nullptr) cursor->Visible = false;
  form.OmegaSprite1.Draw();
  if (cursor != nullptr) cursor->Visible = shown;
}

void EndMenuFrame(game::TForm1& form, bool cursorMoved) {
  form.OmegaGUI1.Draw();
  if (form.MenuFrameOverlay) form.MenuFrameOverlay();
  TCursor* cursor = EnsureCursor(form);
  if (!cursorMoved) cursor->Move(0);
  cursor->Draw();
  form.OmegaScreen1.EndScene();
}

void StandardMenuFrame(game::TForm1& form, const std::function<void()>& extra) {
  BeginMenuFrame(form, form.OmegaImageList1, "undermenu");
  DrawScene(form, true);
  if (extra) extra();
  EndMenuFrame(form, true);
}

void FillBox(game::TForm1& form, float left, float top, float right, float bottom, uint32_t color) {
  platform::Vertex corners[4];
  corners[0].x = left, corners[0].y = top;
  corners[1].x = right, corners[1].y = top;
  corners[2].x = right, corners[2].y = bottom;
  corners[3].x = left, corners[3].y = bottom;
  for (platform::Vertex& corner : corners) corner.color = color;
  engine::TOmegaScreen& screen = form.OmegaScreen1;
  const int previous = screen.BlendMode();
  screen.SetBlendMode(0);
  screen.DrawQuad(0, corners);
  if (previous > 0) screen.SetBlendMode(previous);
}

void DrawFocusRing(game::TForm1& form, int32_t left, int32_t top, int32_t width, int32_t height) {
  const auto ring = [&](float gap, float thickness, uint32_t color) {
    const float l = static_cast<float>(left) - gap - thickness;
    const float t = static_cast<float>(top) - gap - thickness;
    const float r = static_cast<float>(left + width) + gap + thickness;
    const float b = static_cast<float>(top + height) + gap + thickness;
    FillBox(form, l, t, r, t + thickness, color);
    FillBox(form, l, b - thickness, r, b, color);
    FillBox(form, l, t + thickness, l + thickness, b - thickness, color);
    FillBox(form, r - thickness, t + thickness, r, b - thickness, color);
  };
  ring(3, 3, 0x70FFC850u);
  ring(1, 2, 0xF8FF9A1Eu);
}

void Click(game::TForm1& form) {
  form.PlaySound("check");
}
void ClickIfSoundOn(game::TForm1& form) {
  if (form.SoundOn) form.PlaySound("check");
}
void KeyClick(game::TForm1& form) {
  form.PlaySound("check2");
}
void KeyClickIfSoundOn(game::TForm1& form) {
  if (form.SoundOn) form.PlaySound("check2");
}

void SwitchState(game::TForm1& form, uint8_t from, uint8_t to) {
  form.LeaveState(from);
  form.EnterState(to);
}

void SwitchWithClick(game::TForm1& form, uint8_t from, uint8_t to) {
  form.LeaveState(from);
  Click(form);
  form.EnterState(to);
}

void NudgeSprites(game::TForm1& form) {
  constexpr float kNudgeStep = 0.00001f;
  form.OmegaSprite1.Move(kNudgeStep);
}

}  // namespace frontend
