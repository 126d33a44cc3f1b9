// Name and code boxes with only a controller: the letter picker of the name and seed screens.
#include "frontend/PadNameEntry.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "frontend/LetterPicker.h"
#include "frontend/MenuKit.h"
#include "game/Phrases.h"
#include "online/TextCodec.h"
#include "platform/Input.h"
#include "platform/PadButtons.h"

namespace frontend {

namespace {

using game::TForm1;
using platform::PadButton;

// The grid's cells; the panel sits centred under the name box and the card's line below it (which
// ends at y 362), and fits the screen with the Russian alphabet's eight rows.
constexpr int32_t kCellWidth = 40;
constexpr int32_t kCellHeight = 26;
constexpr int32_t kPadding = 10;
constexpr int32_t kPanelTop = 364;

constexpr uint32_t kPanelColor = 0xEE1D2B44u;   // the cards' navy, barely translucent
constexpr uint32_t kKeyColor = 0x26F7F0DEu;     // a faint cream key under each letter
constexpr uint32_t kCursorColor = 0x66F6B332u;  // amber under the cursor

struct PickerKeeper {
  std::optional<LetterPicker> grid;
  bool shown = false;
  // The name box the picker serves (widget IDs are never reused, so a new screen is noticed).
  int32_t editId = 0;
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  // Buttons whose press the picker took: their release is the picker's too.
  std::array<bool, platform::kPadButtonCount> taken{};
};

// The seed screen's code box: the picker holds the code's symbols only, opens on A while the focus
// rests on the box and closes with B, Start or its done key, so the d-pad keeps the buttons.
bool CodeScreen(const TForm1& form) {
  return form.GameState == game::gsSeedRace;
}

engine::TOmegaEdit* NameBox(TForm1& form) {
  const bool nameScreen = form.GameState == game::gsNameEntry ||
                          form.GameState == game::gsProfileAdd || CodeScreen(form);
  return nameScreen ? form.Menu.NameEdit : nullptr;
}

LetterPicker GridFor(const TForm1& form) {
  if (CodeScreen(form))
    return LetterPicker(game::Language::English, std::string(online::kCodecAlphabet));
  return LetterPicker(form.Lang, NameCharacters(form.Lang));
}

// The name box of the screen, if any: a new one starts with the picker hidden on its first
// letter, and a mouse move hides it as it hides the menus' focus.
engine::TOmegaEdit* Follow(TForm1& form, PickerKeeper& keeper) {
  engine::TOmegaEdit* edit = NameBox(form);
  if (edit == nullptr) return nullptr;
  if (edit->ID != keeper.editId || !keeper.grid) {
    keeper.editId = edit->ID;
    keeper.grid.emplace(GridFor(form));
    keeper.shown = false;
    keeper.mouseX = form.MouseX;
    keeper.mouseY = form.MouseY;
  }
  if (form.MouseX != keeper.mouseX || form.MouseY != keeper.mouseY) {
    keeper.mouseX = form.MouseX;
    keeper.mouseY = form.MouseY;
    keeper.shown = false;
  }
  return edit;
}

// At the end of the text, by the box's own rules (its length and the characters it takes).
void TypeLetter(engine::TOmegaEdit& edit, char letter) {
  edit.CaretPos = static_cast<int32_t>(edit.Text.size());
  edit.InsertChar(static_cast<unsigned char>(letter));
}

// The screen's own keys do the rest, in its next frame, as if pressed on the keyboard.
void DeleteLast(TForm1& form, engine::TOmegaEdit& edit) {
  if (edit.Text.empty()) {
    form.KeyReleased[platform::kVkEscape] = true;
  } else {
    edit.SetText(edit.Text.substr(0, edit.Text.size() - 1));
  }
}

void Confirm(TForm1& form) {
  form.KeyReleased[platform::kVkReturn] = true;
}

void PressKey(TForm1& form, PickerKeeper& keeper, engine::TOmegaEdit& edit) {
  const LetterPicker& grid = *keeper.grid;
  if (CodeScreen(form) && grid.Key() == PickerKey::kDone) {
    keeper.shown = false;
    return;
  }
  switch (grid.Key()) {
    case PickerKey::kLetter:
      TypeLetter(edit, grid.Letter());
      break;
    case PickerKey::kSpace:
      TypeLetter(edit, ' ');
      break;
    case PickerKey::kDelete:
      DeleteLast(form, edit);
      break;
    case PickerKey::kDone:
      Confirm(form);
      break;
  }
}

// A button on the seed screen: closed, only A on the focused code box opens the picker; open, it
// takes every button.
bool TakeCodeButton(TForm1& form, PickerKeeper& keeper, engine::TOmegaEdit& edit, int button) {
  const auto pad = static_cast<PadButton>(button);
  if (!keeper.shown) {
    if (pad != PadButton::kA || form.OmegaGUI1.HoverID != edit.ID) return false;
    keeper.shown = true;
  } else if (pad == PadButton::kB || pad == PadButton::kStart) {
    keeper.shown = false;
  } else if (pad == PadButton::kA) {
    PressKey(form, keeper, edit);
  } else if (pad == PadButton::kUp || pad == PadButton::kDown) {
    keeper.grid->Move(0, pad == PadButton::kUp ? -1 : +1);
  } else if (pad == PadButton::kLeft || pad == PadButton::kRight) {
    keeper.grid->Move(pad == PadButton::kLeft ? -1 : +1, 0);
  }
  keeper.taken[static_cast<size_t>(button)] = true;
  return true;
}

bool TakeButton(TForm1& form, PickerKeeper& keeper, int button, bool down) {
  bool& taken = keeper.taken[static_cast<size_t>(button)];
  if (!down) {
    const bool mine = taken;
    taken = false;
    return mine;
  }
  engine::TOmegaEdit* edit = Follow(form, keeper);
  if (edit == nullptr) return false;
  if (CodeScreen(form)) return TakeCodeButton(form, keeper, *edit, button);
  taken = true;
  // The first press only shows the picker, so the cursor is seen before anything is typed.
  const bool wasShown = keeper.shown;
  keeper.shown = true;
  LetterPicker& grid = *keeper.grid;
  switch (static_cast<PadButton>(button)) {
    case PadButton::kUp:
      if (wasShown) grid.Move(0, -1);
      break;
    case PadButton::kDown:
      if (wasShown) grid.Move(0, +1);
      break;
    case PadButton::kLeft:
      if (wasShown) grid.Move(-1, 0);
      break;
    case PadButton::kRight:
      if (wasShown) grid.Move(+1, 0);
      break;
    case PadButton::kA:
      if (wasShown) PressKey(form, keeper, *edit);
      break;
    case PadButton::kB:
      DeleteLast(form, *edit);
      break;
    case PadButton::kStart:
      Confirm(form);
      break;
    default:
      break;
  }
  return true;
}

struct Cell {
  int32_t left;
  int32_t top;
  int32_t width;
};

void DrawKey(TForm1& form, const Cell& cell, const std::string& label, bool cursor) {
  const auto left = static_cast<float>(cell.left);
  const auto top = static_cast<float>(cell.top);
  FillBox(form, left + 2, top + 2, left + static_cast<float>(cell.width) - 2, top + kCellHeight - 2,
          cursor ? kCursorColor : kKeyColor);
  engine::TOmegaFont& font = form.OmegaFont4;
  TextCentered(font, cell.left + cell.width / 2,
               cell.top + (kCellHeight - font.TextHeight(label)) / 2, label);
  if (cursor) DrawFocusRing(form, cell.left + 2, cell.top + 2, cell.width - 4, kCellHeight - 4);
}

void DrawPicker(TForm1& form, PickerKeeper& keeper) {
  if (Follow(form, keeper) == nullptr || !keeper.shown) return;
  const LetterPicker& grid = *keeper.grid;
  const int32_t width = grid.Columns() * kCellWidth;
  const int32_t left = 400 - width / 2;
  const int32_t top = kPanelTop + kPadding;
  const int32_t bottom = top + (grid.LetterRows() + 1) * kCellHeight;
  FillBox(form, static_cast<float>(left - kPadding), static_cast<float>(kPanelTop),
          static_cast<float>(left + width + kPadding), static_cast<float>(bottom + kPadding),
          kPanelColor);
  SetFont(form.OmegaFont4, "Gungsuh", 14, 247, 240, 222);
  for (int32_t row = 0; row < grid.LetterRows(); ++row) {
    for (int32_t column = 0; column < grid.Columns(); ++column) {
      const char letter = grid.LetterAt(row, column);
      if (letter == 0) continue;
      const bool cursor = row == grid.Row() && column == grid.Column();
      DrawKey(form, {left + column * kCellWidth, top + row * kCellHeight, kCellWidth},
              std::string(1, letter), cursor);
    }
  }
  constexpr game::Phrase kLabels[LetterPicker::kCommandKeys] = {
      game::Phrase::PickerSpace, game::Phrase::PickerDelete, game::Phrase::PickerDone};
  const int32_t keyWidth = width / LetterPicker::kCommandKeys;
  for (int32_t key = 0; key < LetterPicker::kCommandKeys; ++key) {
    const bool cursor = grid.OnCommandRow() && grid.Column() == key;
    DrawKey(form, {left + key * keyWidth, bottom - kCellHeight, keyWidth},
            game::Say(form.Lang, kLabels[key]), cursor);
  }
}

}  // namespace

std::function<void()> InstallLetterPicker(TForm1& form) {
  auto keeper = std::make_shared<PickerKeeper>();
  form.PadButtonHook = [&form, keeper](int button, bool down) {
    return TakeButton(form, *keeper, button, down);
  };
  return [&form, keeper] { DrawPicker(form, *keeper); };
}

}  // namespace frontend
