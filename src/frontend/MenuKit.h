// The building blocks every menu screen shares: title sprites, the pointer sprite, the screen's
// button list, edit boxes, fonts and the standard menu frame.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/OmegaGUI.h"
#include "engine/OmegaImageList.h"
#include "engine/OmegaSprite.h"
#include "game/MainForm.h"

namespace frontend {

// Characters the name and options edit boxes accept (code page 1251). In Russian no Latin letters,
// so a Latin keyboard types through the Russian layout; in English Latin letters type as they are.
const std::string& NameCharacters(game::Language language);

// A title or picture sprite of the menu archive (OmegaImageList1), placed by its top-left corner.
class TMenuScreen : public engine::TSprite {
 public:
  TMenuScreen(game::TForm1& form, float x, float y, int32_t z, const std::string& picture,
              const std::string& name, int32_t alpha = 255, bool visible = true);
};

// The same for pictures of the race archive (GameImageList): the in-race overlays.
class TGameMenuScreen : public engine::TSprite {
 public:
  TGameMenuScreen(game::TForm1& form, float x, float y, int32_t z, const std::string& picture,
                  const std::string& name, int32_t alpha = 255, bool visible = true);
};

// The mouse pointer: "mousecursor", eight frames stepping every fifth frame, its top-left corner
// at the mouse position in back-buffer pixels (window and full screen alike).
class TCursor : public engine::TSprite {
 public:
  explicit TCursor(game::TForm1& form);
  void Move(float moveCount) override;

  int32_t Counter = 1;

 private:
  game::TForm1& form_;
};

// The pointer sprite, made once the menu archive is loaded (again if something freed it).
TCursor* EnsureCursor(game::TForm1& form);
void ShowCursor(game::TForm1& form, bool visible);

// Gives a sprite a picture as the title sprites do: the whole picture's size first, then the
// picture, which leaves one tile. A missing picture leaves the sprite as it was.
void ShowPicture(engine::TSprite& sprite, engine::TImageListItem* image);

// Marks the sprite dead (if any) and forgets it.
void KillSprite(engine::TSprite*& sprite);
template <class T>
void KillSprite(T*& sprite) {
  engine::TSprite* base = sprite;
  KillSprite(base);
  sprite = nullptr;
}

// Button lists. A screen's buttons live in one list "GUI2" (Menu.ButtonList), slot by slot in
// Menu.Buttons. BeginButtons frees a list left over from the previous screen.
void BeginButtons(game::TForm1& form);
using ClickHandler = std::function<void()>;
// The next slot's button: picture frame 0 normal, frame 1 under the pointer, one tile in size, at
// (left, top). The handler runs inside the GUI's input handling; it may free the list.
engine::TOmegaButton* AddButton(game::TForm1& form, const std::string& picture, int32_t left,
                                int32_t top, ClickHandler onClick);
// One row of a screen's button table: the picture, the top-left corner and what a click does
// with the screen (the form, or a small object of the screen's own).
template <class Screen>
struct ButtonRow {
  const char* picture;
  int16_t left;
  int16_t top;
  void (*action)(Screen& screen);
};
using MenuButton = ButtonRow<game::TForm1>;
// Makes the table's buttons in its order, one slot each (row i in Menu.Buttons[i] after
// BeginButtons); the screen object must outlive them.
template <class Screen, size_t N>
void AddButtons(game::TForm1& form, Screen& screen, const ButtonRow<Screen> (&rows)[N]) {
  for (const ButtonRow<Screen>& row : rows) {
    void (*action)(Screen&) = row.action;
    AddButton(form, row.picture, row.left, row.top, [&screen, action] { action(screen); });
  }
}
// Gives a button another picture (its size follows the picture's tile).
void SetButtonPicture(game::TForm1& form, engine::TOmegaButton* button, const std::string& picture);
// A volume bar of the current list: "opt_bar" (frame 1 the track, the knob the left square of
// frame 0), 168 x 28 at (left, top), steps 0..maxStep, the knob at position.
engine::TOmegaScrollBar* AddVolumeBar(game::TForm1& form, const std::string& name, int32_t left,
                                      int32_t top, int32_t maxStep, int32_t position);
// The on/off switch's picture for a setting: "b_on" or "b_off".
inline const char* SwitchPicture(bool on) {
  return on ? "b_on" : "b_off";
}
// Frees the list with its buttons and edit box.
void FreeButtons(game::TForm1& form);
// A button that cannot be clicked now is drawn as frame 2 of its picture at its place (the GUI
// skips disabled widgets); call between the GUI and the pointer.
void DrawDisabledButton(engine::TOmegaButton* button);

// An edit box of the current list with frame 0 of the picture as its background, one tile in
// size; at most maxLength characters of NameCharacters, caret ".", Latin keys typed as Cyrillic.
// Becomes Menu.NameEdit.
engine::TOmegaEdit* AddEditBox(game::TForm1& form, const std::string& picture, int32_t left,
                               int32_t top, int32_t maxLength);
// Makes the GUI's bitmap font from a system font with the name characters (or the given ones), in
// one colour.
void MakeEditFont(game::TForm1& form, int32_t size, int32_t red, int32_t green, int32_t blue,
                  const std::string* characters = nullptr);
// One frame of the caret blink shared by the edit screens: empty on multiples of 31 of the
// counter, "_" on multiples of 63 (the counter then restarts).
void BlinkCaret(game::TForm1& form, engine::TOmegaEdit* edit);

// Fonts: bold system font in (red, green, blue).
void SetFont(engine::TOmegaFont& font, const std::string& face, int32_t size, int32_t red,
             int32_t green, int32_t blue);
// Text whose middle is at x (left edge x - width / 2, truncated).
void TextCentered(engine::TOmegaFont& font, int32_t x, int32_t y, const std::string& text);

// Keys: true once per release of the key, clearing the flag.
bool TakeKey(game::TForm1& form, int key);
void ClearKeys(game::TForm1& form);
void ClearBothKeyArrays(game::TForm1& form);

// Frame drawing. BeginMenuFrame clears to black, begins the scene and draws the background
// picture of the given list at (0, 0) (none when the name is empty). DrawScene draws every sprite
// but the pointer (moving them first when live). EndMenuFrame draws the GUI, then the pointer
// (moved here unless the scene moved it), and ends the scene.
void BeginMenuFrame(game::TForm1& form, engine::TOmegaImageList& list,
                    const std::string& background);
void DrawScene(game::TForm1& form, bool live);
void EndMenuFrame(game::TForm1& form, bool cursorMoved);
// The usual menu frame: "undermenu" of the menu archive, live scene, extra drawing, GUI, pointer.
void StandardMenuFrame(game::TForm1& form, const std::function<void()>& extra = {});

// A plain rectangle in one colour (ARGB), blended over what is drawn.
void FillBox(game::TForm1& form, float left, float top, float right, float bottom, uint32_t color);
// The keyboard focus's mark round a rectangle: a two-pixel amber frame just outside it with a
// fainter one round that, the glow of the menus' own highlights.
void DrawFocusRing(game::TForm1& form, int32_t left, int32_t top, int32_t width, int32_t height);

// Sounds: "check" confirms a button, "check2" a key.
void Click(game::TForm1& form);
void ClickIfSoundOn(game::TForm1& form);
void KeyClick(game::TForm1& form);
void KeyClickIfSoundOn(game::TForm1& form);

// A state change from a handler: leave the old state, enter the new one.
void SwitchState(game::TForm1& form, uint8_t from, uint8_t to);
// The same with the button's click between leaving and entering.
void SwitchWithClick(game::TForm1& form, uint8_t from, uint8_t to);
// The same as a button's action in a table.
template <uint8_t From, uint8_t To>
void GoWithClick(game::TForm1& form) {
  SwitchWithClick(form, From, To);
}

// Runs every sprite's move once by a step too small to shift anything, so a new screen's sprites
// (the pointer, the profile list's bar) take their places before its first frame.
void NudgeSprites(game::TForm1& form);

}  // namespace frontend
