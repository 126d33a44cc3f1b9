// Track selection (one catalogue track at a time with its best time, length, laps and opponents)
// and truck selection (one model with its picture and four value bars), from which a game starts.
#include <algorithm>
#include <string>

#include "frontend/MenuKit.h"
#include "frontend/MenuStates.h"
#include "frontend/ProfileBindings.h"
#include "frontend/ProfileSettings.h"
#include "game/Phrases.h"
#include "platform/Input.h"
#include "platform/Text1251.h"

namespace frontend {

namespace {

using game::TForm1;
using platform::kVkDown;
using platform::kVkEscape;
using platform::kVkLeft;
using platform::kVkReturn;
using platform::kVkRight;
using platform::kVkUp;

// Slot 4 is the difficulty switch on the truck screen and the road code button on the track screen.
enum Slot { kNext = 0, kPrev = 1, kBack = 2, kContinue = 3, kDifficulty = 4, kSeedRace = 4 };

// The truck screen's difficulty switch: one button showing the difficulty a game starts on.
constexpr int32_t kDifficultyLeft = 590;
constexpr int32_t kDifficultyTop = 250;

// Frames over which the track screen's buttons slide in from the edges.
constexpr int32_t kSlideFrames = 25;

std::string TwoDigits(int32_t value) {
  std::string text = std::to_string(value);
  if (value < 10) text.insert(text.begin(), '0');
  return text;
}

game::TrackInfo& SelectedTrack(TForm1& form) {
  return form.Race.Tracks[static_cast<size_t>(form.Race.SelectedTrack)];
}

game::TruckModel& SelectedTruck(TForm1& form) {
  return form.Race.TruckModels[static_cast<size_t>(form.Race.SelectedTruck)];
}

// Keeps a selection read from outside (settings, tests) inside the catalogue.
void ClampSelection(TForm1& form) {
  game::RaceState& race = form.Race;
  if (race.SelectedTrack < 0 || race.SelectedTrack > race.LastTrackIndex) race.SelectedTrack = 0;
  if (race.SelectedTruck < 0 || race.SelectedTruck > race.LastTruckIndex) race.SelectedTruck = 0;
}

// What the two screens share: a catalogue walked round with Next and Prev, Back and Esc to the
// main menu, Enter to go on with an unlocked choice.
struct Catalogue {
  uint8_t state;
  int32_t game::RaceState::*selected;
  int32_t game::RaceState::*last;
  void (*show)(TForm1& form);
  bool (*unlocked)(TForm1& form);
  void (*proceed)(TForm1& form);
};

void Turn(TForm1& form, const Catalogue& catalogue, int step) {
  Click(form);
  game::RaceState& race = form.Race;
  int32_t& selected = race.*catalogue.selected;
  const int32_t last = race.*catalogue.last;
  if (step > 0) {
    selected = selected < last ? selected + 1 : 0;
  } else {
    selected = selected > 0 ? selected - 1 : last;
  }
  catalogue.show(form);
}

template <const Catalogue& kCatalogue, int kStep>
void TurnButton(TForm1& form) {
  Turn(form, kCatalogue, kStep);
}

// Where Back and Esc lead: the main menu, or the seed screen while a road code waits for a truck.
uint8_t BackState(const TForm1& form, uint8_t from) {
  return from == game::gsTruckSelect && form.SeedRace.Chosen ? game::gsSeedRace : game::gsMainMenu;
}

template <const Catalogue& kCatalogue>
void BackButton(TForm1& form) {
  SwitchWithClick(form, kCatalogue.state, BackState(form, kCatalogue.state));
}

// Esc, Enter, Right and Left; true when one of them was pressed (the frame draws nothing then).
bool TakeCatalogueKeys(TForm1& form, const Catalogue& catalogue) {
  if (TakeKey(form, kVkEscape)) {
    KeyClickIfSoundOn(form);
    SwitchState(form, catalogue.state, BackState(form, catalogue.state));
  } else if (TakeKey(form, kVkReturn)) {
    if (catalogue.unlocked(form)) catalogue.proceed(form);
  } else if (TakeKey(form, kVkRight)) {
    Turn(form, catalogue, +1);
  } else if (TakeKey(form, kVkLeft)) {
    Turn(form, catalogue, -1);
  } else {
    return false;
  }
  return true;
}

// ---- 14: tracks ----

// The selected track's picture, or "tr_notav" when it is locked; a locked track hides the
// continue button.
void ShowSelectedTrack(TForm1& form) {
  const game::TrackInfo& track = SelectedTrack(form);
  if (form.Menu.TrackImage != nullptr)
    ShowPicture(*form.Menu.TrackImage,
                form.MenuImage(track.Unlocked ? track.Picture : std::string("tr_notav")));
  if (engine::TOmegaButton* button = form.Menu.Buttons[kContinue]) button->Visible = track.Unlocked;
}

void TrackContinue(TForm1& form) {
  SwitchWithClick(form, game::gsTrackSelect, game::gsTruckSelect);
}

void OpenSeedRace(TForm1& form) {
  SwitchWithClick(form, game::gsTrackSelect, game::gsSeedRace);
}

constexpr Catalogue kTracks = {
    .state = game::gsTrackSelect,
    .selected = &game::RaceState::SelectedTrack,
    .last = &game::RaceState::LastTrackIndex,
    .show = ShowSelectedTrack,
    .unlocked = [](TForm1& form) { return SelectedTrack(form).Unlocked; },
    .proceed = TrackContinue,
};

// The buttons start off screen and slide in.
constexpr MenuButton kTrackButtons[] = {
    {.picture = "bc_next", .left = 900, .top = 131, .action = TurnButton<kTracks, +1>},
    {.picture = "bc_prev", .left = -100, .top = 323, .action = TurnButton<kTracks, -1>},
    {.picture = "b_back", .left = -200, .top = 524, .action = BackButton<kTracks>},
    {.picture = "bc_race", .left = 900, .top = 524, .action = TrackContinue},
    {.picture = "b_seedrace", .left = -200, .top = 466, .action = OpenSeedRace},
};

void DrawTrackInfo(TForm1& form) {
  const game::TrackInfo& track = SelectedTrack(form);
  const bool open = track.Unlocked;
  // Tracks are named by their number, in the player's language.
  TextCentered(
      form.OmegaFont3, 419, 68,
      game::Say(form.Lang, game::Phrase::TrackTitle) + std::to_string(form.Race.SelectedTrack + 1));
  const std::string best = BestTimeText(track);
  const struct {
    const std::string& label;
    std::string value;
    int32_t y;
  } rows[] = {
      {game::Say(form.Lang, game::Phrase::BestTime), best, 385},
      {game::Say(form.Lang, game::Phrase::Length), open ? track.LengthText : "-", 425},
      {game::Say(form.Lang, game::Phrase::Laps), open ? std::to_string(track.Laps) : "-", 463},
      {game::Say(form.Lang, game::Phrase::Opponents), open ? std::to_string(track.RivalCount) : "-",
       501},
  };
  for (const auto& row : rows) {
    form.OmegaFont1.TextOut(335, row.y, row.label);
    // A label longer than the column (Russian "best time") moves its value right, not under it.
    const int32_t clear =
        335 + form.OmegaFont1.TextWidth(row.label) + 8 + form.OmegaFont1.TextWidth(row.value) / 2;
    TextCentered(form.OmegaFont1, std::max(480, clear), row.y, row.value);
  }
}

// One frame of the slide: each button moves 20 pixels towards its resting place.
void SlideButtons(TForm1& form) {
  auto& b = form.Menu.Buttons;
  if (b[kNext] != nullptr) b[kNext]->Left = b[kNext]->Left <= 360 ? 360 : b[kNext]->Left - 20;
  if (b[kPrev] != nullptr) b[kPrev]->Left = b[kPrev]->Left > 233 ? 234 : b[kPrev]->Left + 20;
  if (b[kBack] != nullptr) b[kBack]->Left = b[kBack]->Left > 8 ? 9 : b[kBack]->Left + 20;
  if (b[kSeedRace] != nullptr)
    b[kSeedRace]->Left = b[kSeedRace]->Left > 8 ? 9 : b[kSeedRace]->Left + 20;
  if (b[kContinue] != nullptr)
    b[kContinue]->Left = b[kContinue]->Left < 643 ? 642 : b[kContinue]->Left - 20;
}

void RegisterTrackSelect(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClampSelection(form);
    form.GameState = game::gsTrackSelect;
    form.SeedRace.Chosen = false;
    SetFont(form.OmegaFont1, "Arial", 13, 255, 255, 255);
    SetFont(form.OmegaFont2, "Arial", 10, 15, 15, 15);
    SetFont(form.OmegaFont3, "Arial", 15, 14, 58, 69);
    BeginButtons(form);
    AddButtons(form, form, kTrackButtons);
    form.MenuScreen = new TMenuScreen(form, 0, 0, 500, "scr_choose", "choosetrack");
    form.Menu.TrackImage =
        new TMenuScreen(form, 312, 156, 521, SelectedTrack(form).Picture, "trackimage");
    ShowSelectedTrack(form);
    form.Race.DelayCounter = 0;
    ClearKeys(form);
    form.ScreenTick = 0;
  };
  state.frame = [&form] {
    if (TakeCatalogueKeys(form, kTracks)) return;
    if (form.ScreenTick >= 0 && form.ScreenTick <= kSlideFrames) {
      SlideButtons(form);
      ++form.ScreenTick;
    }
    BeginMenuFrame(form, form.OmegaImageList1, "mainback");
    DrawScene(form, true);
    DrawTrackInfo(form);
    DrawMenuLights(form);
    form.OmegaGUI1.Draw();
    if (form.MenuFrameOverlay) form.MenuFrameOverlay();
    EnsureCursor(form)->Draw();
    form.OmegaScreen1.EndScene();
  };
  state.leave = [&form] {
    FreeButtons(form);
    KillSprite(form.MenuScreen);
    KillSprite(form.Menu.TrackImage);
    form.OmegaSprite1.Dead();
  };
  form.States.Register(game::gsTrackSelect, state);
}

// ---- 15: trucks ----

void ShowSelectedTruck(TForm1& form) {
  const game::TruckModel& model = SelectedTruck(form);
  game::MenuState& menu = form.Menu;
  if (menu.TruckImage != nullptr) {
    ShowPicture(*menu.TruckImage, form.MenuImage(model.Picture));
    menu.TruckImage->SetRed(255);
    menu.TruckImage->SetGreen(255);
    menu.TruckImage->SetBlue(255);
  }
  const struct {
    engine::TSprite* bar;
    double scale;
  } bars[] = {
      {menu.SpeedBar, model.MaxSpeed / 15},
      {menu.AccelBar, model.AccelRate * 10 + 0.1},
      {menu.SteerBar, model.SteerRate + 0.2},
      {menu.GripBar, model.Grip},
  };
  for (const auto& entry : bars) {
    if (entry.bar == nullptr) continue;
    entry.bar->Visible = true;
    entry.bar->ScaleX = static_cast<float>(entry.scale);
  }
}

const char* DifficultyPicture(game::Difficulty difficulty) {
  return difficulty == game::Difficulty::Easy ? "bc_easy" : "bc_classic";
}

// The switch's button (mouse) and the up and down arrows (keys): the other difficulty. A road
// code brings its own difficulty.
void SwitchDifficulty(TForm1& form) {
  if (form.SeedRace.Chosen) return;
  Click(form);
  const game::Difficulty next = OfferedDifficulty(form) == game::Difficulty::Easy
                                    ? game::Difficulty::Classic
                                    : game::Difficulty::Easy;
  ChooseDifficulty(form, next);
  SetButtonPicture(form, form.Menu.DifficultySwitch, DifficultyPicture(next));
}

// A game starts on the difficulty the screen shows, with the player's driving keys; a road code
// waiting for a truck starts its seed race instead.
void StartGame(TForm1& form) {
  form.GameDifficulty = OfferedDifficulty(form);
  CurrentBindings(form);
  if (form.SeedRace.Chosen) {
    game::StartSeedRace(form);
  } else {
    form.StartGame();
  }
}

// The switch shows the difficulty the race will have: the road code's, or the offered one.
game::Difficulty ShownDifficulty(TForm1& form) {
  return form.SeedRace.Chosen ? form.SeedRace.Code.GameDifficulty : OfferedDifficulty(form);
}

constexpr Catalogue kTrucks = {
    .state = game::gsTruckSelect,
    .selected = &game::RaceState::SelectedTruck,
    .last = &game::RaceState::LastTruckIndex,
    .show = ShowSelectedTruck,
    .unlocked = [](TForm1& form) { return SelectedTruck(form).Unlocked; },
    .proceed = StartGame,
};

// The difficulty switch's picture follows the offered difficulty once it is made.
constexpr MenuButton kTruckButtons[] = {
    {.picture = "bc_next", .left = 521, .top = 254, .action = TurnButton<kTrucks, +1>},
    {.picture = "bc_prev", .left = 257, .top = 254, .action = TurnButton<kTrucks, -1>},
    {.picture = "b_back", .left = 201, .top = 425, .action = BackButton<kTrucks>},
    {.picture = "bc_race", .left = 407, .top = 425, .action = StartGame},
    {.picture = "bc_classic",
     .left = kDifficultyLeft,
     .top = kDifficultyTop,
     .action = SwitchDifficulty},
};

engine::TSprite* MakeBar(TForm1& form, int32_t y, const char* name) {
  return new TMenuScreen(form, 397, static_cast<float>(y), 522, "bar", name);
}

void RegisterTruckSelect(TForm1& form) {
  game::StateHandlers state;
  state.enter = [&form] {
    ClampSelection(form);
    form.GameState = game::gsTruckSelect;
    SetFont(form.OmegaFont1, "Arial", 13, 30, 30, 30);
    BeginButtons(form);
    AddButtons(form, form, kTruckButtons);
    game::MenuState& menu = form.Menu;
    menu.DifficultySwitch = menu.Buttons[kDifficulty];
    SetButtonPicture(form, menu.DifficultySwitch, DifficultyPicture(ShownDifficulty(form)));
    form.MenuScreen = new TMenuScreen(form, 60, 90, 500, "scr_choosecar", "choosetrack");
    menu.TruckImage = new TMenuScreen(form, 320, 228, 521, SelectedTruck(form).Picture, "carimage");
    menu.SpeedBar = MakeBar(form, 341, "bar1");
    menu.AccelBar = MakeBar(form, 361, "bar2");
    menu.SteerBar = MakeBar(form, 380, "bar3");
    menu.GripBar = MakeBar(form, 400, "bar4");
    ShowSelectedTruck(form);
    if (menu.Buttons[kContinue] != nullptr) menu.Buttons[kContinue]->Visible = true;
    form.Race.DelayCounter = 0;
    ClearKeys(form);
    form.ScreenTick = 0;
  };
  state.frame = [&form] {
    if (TakeCatalogueKeys(form, kTrucks)) return;
    if (TakeKey(form, kVkUp) || TakeKey(form, kVkDown)) {
      SwitchDifficulty(form);
      return;
    }
    StandardMenuFrame(form);
  };
  state.leave = [&form] {
    game::MenuState& menu = form.Menu;
    FreeButtons(form);
    menu.DifficultySwitch = nullptr;
    KillSprite(form.MenuScreen);
    KillSprite(menu.TruckImage);
    KillSprite(menu.SpeedBar);
    KillSprite(menu.AccelBar);
    KillSprite(menu.SteerBar);
    KillSprite(menu.GripBar);
    form.OmegaSprite1.Dead();
  };
  form.States.Register(game::gsTruckSelect, state);
}

}  // namespace

std::string BestTimeText(const game::TrackInfo& track) {
  if (!track.Unlocked || track.BestMin > 999) return "--:--:--";
  return std::to_string(track.BestMin) + ":" + TwoDigits(track.BestSec) + ":" +
         TwoDigits(track.BestHund);
}

void RegisterSelectionStates(TForm1& form) {
  RegisterTrackSelect(form);
  RegisterTruckSelect(form);
}

}  // namespace frontend
