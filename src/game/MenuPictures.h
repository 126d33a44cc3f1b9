// The menu pictures a race has no use for: given back while it runs, and brought back on the way
// to the menus.
#pragma once

#include <cstdint>

namespace game {

class TForm1;

// Parks the menu pictures a race does not draw (the race's loading screen has been shown), and the
// race's own screens over it until they are shown.
void ParkMenuPictures(TForm1& form);
// Before State is entered: a race parks the menu pictures it does not draw; a menu screen brings
// every one back first.
void MenuPicturesEntering(TForm1& form, uint8_t state);
// Once a frame: the screens that end a race bring the menu pictures back a few at a time, decoded
// on a worker; the race itself keeps them parked.
void MenuPicturesFrame(TForm1& form);

}  // namespace game
