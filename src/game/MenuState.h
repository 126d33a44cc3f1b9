// The state of the menus: profiles, high scores, options and the current screen's sprites and
// buttons.
#pragma once

namespace game {

struct MenuState {};

}  // namespace game
