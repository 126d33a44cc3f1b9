// The letter grid a controller types a name with, and its wrapping cursor.
#include "frontend/LetterPicker.h"

#include <algorithm>

#include "platform/Text1251.h"

namespace frontend {

namespace {

struct Alphabet {
  const char* letters;  // UTF-8
  int32_t columns;
};

// Eleven columns hold the Russian alphabet in three full rows, thirteen the Latin one in two.
Alphabet AlphabetOf(game::Language language) {
  if (language == game::Language::English) {
    return {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._", 13};
  }
  return {"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя0123456789-", 11};
}

int32_t Wrap(int32_t value, int32_t count) {
  return count <= 0 ? 0 : (value % count + count) % count;
}

}  // namespace

LetterPicker::LetterPicker(game::Language language, const std::string& allowed) {
  const Alphabet alphabet = AlphabetOf(language);
  columns_ = alphabet.columns;
  for (const char c : platform::Utf8To1251(alphabet.letters)) {
    if (allowed.find(c) != std::string::npos) letters_ += c;
  }
}

int32_t LetterPicker::LetterRows() const {
  return (static_cast<int32_t>(letters_.size()) + columns_ - 1) / columns_;
}

int32_t LetterPicker::RowLength(int32_t row) const {
  if (row == LetterRows()) return kCommandKeys;
  return std::clamp(static_cast<int32_t>(letters_.size()) - row * columns_, 0, columns_);
}

char LetterPicker::LetterAt(int32_t row, int32_t column) const {
  if (row < 0 || row >= LetterRows() || column < 0 || column >= RowLength(row)) return 0;
  return letters_[static_cast<size_t>(row * columns_ + column)];
}

PickerKey LetterPicker::Key() const {
  if (!OnCommandRow()) return PickerKey::kLetter;
  constexpr PickerKey kKeys[kCommandKeys] = {PickerKey::kSpace, PickerKey::kDelete,
                                             PickerKey::kDone};
  return kKeys[column_];
}

void LetterPicker::Move(int32_t dx, int32_t dy) {
  const int32_t rows = LetterRows() + 1;
  if (dx != 0) column_ = Wrap(column_ + dx, RowLength(row_));
  if (dy == 0) return;
  const int32_t from = row_;
  row_ = Wrap(row_ + dy, rows);
  // The command keys each stand under a third of the letter columns.
  if (OnCommandRow()) {
    column_ = column_ * kCommandKeys / columns_;
  } else if (from == LetterRows()) {
    column_ = (2 * column_ + 1) * columns_ / (2 * kCommandKeys);
  }
  column_ = std::min(column_, RowLength(row_) - 1);
}

}  // namespace frontend
