// Parking the menu pictures through a race and bringing them back behind the screens that end it.
#include "game/MenuPictures.h"

#include <string_view>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "game/MainForm.h"

namespace game {

namespace {

// What the race and the screens over it draw from the menu archive: the GUI's bitmap font, the
// pointer and the overlays' buttons. Any other picture asked for then comes back at once.
constexpr std::string_view kDrawnOverRace[] = {"font",   "mousecursor", "b_no1",
                                               "b_yes1", "bro_next",    "b_replay",
                                               "arrows", "dim",         "groundpoint"};

// The race archive's screens over the race: only the race's end, a pause or the question whether
// to leave it shows them, and each comes back when first drawn (a PNG of some 30 KB).
constexpr std::string_view kRaceOverlays[] = {"undermenu",    "scr_exitgame", "scr_raceover",
                                              "scr_gameover", "scr_timesup",  "scr_yourscore",
                                              "scr_send"};

// How many pictures a frame brings back: each is a texture upload of up to 800 x 600.
constexpr int kRestoredPerFrame = 2;

bool DrawnOverRace(const engine::TImageListItem& item) {
  for (std::string_view name : kDrawnOverRace) {
    if (item.Name == name) return true;
  }
  return false;
}

bool DrawnInRace(const engine::TImageListItem& item) {
  for (std::string_view name : kRaceOverlays) {
    if (item.Name == name) return false;
  }
  return true;
}

bool Racing(uint8_t state) {
  return state == gsRace || state == gsExploded || state == gsPause;
}

// The screens over a race that lead back to the menus (a seed race's results card to the seed
// screen); leaving the race is asked over the race too.
bool EndingRace(const TForm1& form, uint8_t state) {
  return state == gsGameOver || state == gsTimeUp || state == gsYourScore || state == gsSendScore ||
         state == gsRaceMenu || (state == gsRaceOver && form.SeedRace.Active);
}

}  // namespace

void ParkMenuPictures(TForm1& form) {
  if (form.OmegaImageList1.Park(DrawnOverRace) + form.GameImageList.Park(DrawnInRace) == 0) return;
#if defined(__GLIBC__)
  // The textures were big blocks in the middle of the heap: give their pages back now, before the
  // race pictures are read, or the process keeps them for good.
  malloc_trim(0);
#endif
}

void MenuPicturesEntering(TForm1& form, uint8_t state) {
  if (state == gsRace) {
    ParkMenuPictures(form);
  } else if (!Racing(state) && !EndingRace(form, state) && state != gsRaceOver) {
    form.OmegaImageList1.RestoreAll();
  }
}

void MenuPicturesFrame(TForm1& form) {
  engine::TOmegaImageList& menus = form.OmegaImageList1;
  if (Racing(form.GameState)) {
    if (menus.Restoring()) ParkMenuPictures(form);
  } else if (EndingRace(form, form.GameState)) {
    menus.StartRestore();
    menus.RestoreDecoded(kRestoredPerFrame);
  } else if (form.GameState != gsRaceOver) {
    menus.RestoreAll();
  }
}

}  // namespace game
