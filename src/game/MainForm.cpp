// TForm1: start-up, shut-down, input recording and the per-frame dispatch.
#include "game/MainForm.h"

#include <cstdio>

#include "engine/Messages.h"
#include "engine/Random.h"
#include "platform/Paths.h"

namespace game {

TForm1::TForm1(const PlatformServices& services)
    : Services(services),
      OmegaScreen1(services.device),
      OmegaImageList1(&OmegaScreen1),
      GameImageList(&OmegaScreen1),
      ShareList(&OmegaScreen1),
      OmegaTimer1(services.clock) {
  OmegaScreen1.Width = 800;
  OmegaScreen1.Height = 600;
  OmegaScreen1.CenterX = 400;
  OmegaScreen1.CenterY = 300;
  OmegaScreen1.ShowMouseCursor = false;
  OmegaTimer1.SetTargetFPS(90);
  OmegaTimer1.SetMinFPS(10);
  OmegaTimer1.SetMaxFPS(120);
  OmegaTimer1.SetFPSWarningFrames(10);
  OmegaTimer1.OnTimer = [this](engine::TOmegaTimer&) { OmegaTimer1Timer(); };
  RegisterLogoState();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  if (FixedSeed) {
    engine::SetRandSeed(Seed);
  } else {
    engine::Randomize();
  }
  FullScreen = false;
  MusicOn = true;
  SoundOn = true;
  PlayerName.clear();
  Score = 0;
  GameImagesPending = true;
  for (size_t key = 1; key < KeyReleased.size(); ++key) KeyReleased[key] = false;
  OmegaImageList1.ImageList().LoadFromFile(platform::NativePath("Data\\data1.oil"));
  if (Services.device != nullptr) {
    OmegaScreen1.Width = Services.device->Width();
    OmegaScreen1.Height = Services.device->Height();
  }
  OmegaScreen1.Start();
  OmegaImageList1.Initialize();
  Score = 0;
  NextUnlockScore = 300;
  UnlockLevel = 0;
  UnlockSteps = {400, 500, 1000, 500, 2000, 2000, 2500, 4000, 4500};
  LevelNumber = 3;
  OmegaScreen1.SetFilter(true);
  TracksOpen = 3;
  TrucksOpen = 5;
  ScreenTick = 0;
}

void TForm1::FormShow() {
  OmegaTimer1.SetEnabled(true);
  EnterState(gsLogo);
}

bool TForm1::FormCloseQuery() {
  if (GameState == gsExitScreen) return true;
  // A state this build cannot show must not trap the player in the window.
  return !States.Has(GameState);
}

void TForm1::FormDestroy() {
  OmegaTimer1.SetEnabled(false);
}

void TForm1::FormKeyDown(int key) {
  if (key >= 0 && key < 256) KeyDown[static_cast<size_t>(key)] = true;
}

void TForm1::FormKeyUp(int key) {
  if (key < 0 || key >= 256) return;
  KeyReleased[static_cast<size_t>(key)] = true;
  KeyDown[static_cast<size_t>(key)] = false;
}

void TForm1::FormText(const std::string&) {}
void TForm1::FormMouseMove(int, int) {}
void TForm1::FormMouseDown(int, int, int) {}
void TForm1::FormMouseUp(int, int, int) {}

void TForm1::OmegaTimer1Timer() {
  RunStateFrame(GameState);
}

void TForm1::RaceTimerTimer() {}

std::string TForm1::TraceLine() const {
  return "state=" + std::to_string(GameState) + " tick=" + std::to_string(ScreenTick);
}

engine::TImageListItem* TForm1::MenuImage(const std::string& name) {
  engine::TImageListItem* item = OmegaImageList1.Find(name);
  if (item == nullptr)
    engine::ReportOnce("picture \"" + name + "\" is missing from Data/data1.oil");
  return item;
}

}  // namespace game
