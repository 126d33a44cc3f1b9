// The letter grid a controller types a name with: the letters row by row, then a row of space,
// delete and done keys, with a cursor that wraps round at every edge.
#pragma once

#include <cstdint>
#include <string>

#include "game/Language.h"

namespace frontend {

// What the cursor rests on.
enum class PickerKey : uint8_t { kLetter, kSpace, kDelete, kDone };

class LetterPicker {
 public:
  // The last row's keys, left to right.
  static constexpr int32_t kCommandKeys = 3;

  // The grid of a language: its alphabet in capitals, then small letters, then digits and a few
  // signs, each kept only when allowed holds it (the name box's own characters).
  LetterPicker(game::Language language, const std::string& allowed);

  int32_t Columns() const { return columns_; }
  // Rows of letters; the command row comes after them.
  int32_t LetterRows() const;
  int32_t Row() const { return row_; }
  int32_t Column() const { return column_; }
  bool OnCommandRow() const { return row_ == LetterRows(); }

  // The letter at a place of the grid, 0 where there is none.
  char LetterAt(int32_t row, int32_t column) const;
  PickerKey Key() const;
  // The letter under the cursor (0 on the command row).
  char Letter() const { return LetterAt(row_, column_); }

  // A step of the cursor (dx, dy of -1, 0 or 1); off one edge it comes back at the other.
  void Move(int32_t dx, int32_t dy);

 private:
  // Cells in a row: the letters there, or the command keys.
  int32_t RowLength(int32_t row) const;

  std::string letters_;
  int32_t columns_ = 1;
  int32_t row_ = 0;
  int32_t column_ = 0;
};

}  // namespace frontend
