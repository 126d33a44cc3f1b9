// The game's language as vornakel.ini keeps it: [general] language = ru or en.
#pragma once

#include "frontend/IniDocument.h"
#include "game/Language.h"
#include "game/MainForm.h"

namespace frontend {

// The stored language; Russian when the key is missing or holds anything else.
game::Language StoredLanguage(const IniDocument& ini);
// Keeps Language for the next start (the rest of the file untouched). False when the write failed
// (reported once).
bool StoreLanguage(game::TForm1& form, game::Language language);

}  // namespace frontend
