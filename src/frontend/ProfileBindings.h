// Each player's driving keys and controller buttons in vornakel.ini: "key.ACTION = 38, 17" and
// "pad.ACTION = righttrigger, dpup" lines in the player's [profile "NAME"] section.
#pragma once

#include <string_view>

#include "frontend/IniDocument.h"
#include "game/KeyBindings.h"
#include "game/MainForm.h"

namespace frontend {

// A player's bindings. A missing line gives that action's default keys (or buttons); so does a
// damaged one (a word we do not know, a code out of range, more than two entries). "none" is an
// action with no key (or button). An input listed twice stays with the first action.
game::KeyBindings ProfileBindingsIn(const IniDocument& ini, std::string_view name1251);
void SetProfileBindings(IniDocument& ini, std::string_view name1251,
                        const game::KeyBindings& bindings);

// The current player's bindings, read from the file the first time they are asked for in this run
// and kept in memory after that (so a change survives a file that cannot be written). Without a
// profile they live in memory only.
const game::KeyBindings& CurrentBindings(game::TForm1& form);
// The controls screen's result: the current player's bindings, written to the file at once.
void SaveBindings(game::TForm1& form, const game::KeyBindings& bindings);

}  // namespace frontend
