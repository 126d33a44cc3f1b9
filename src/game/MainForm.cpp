// TForm1: start-up, shut-down, input recording and the per-frame dispatch.
#include "game/MainForm.h"

#include <cstdio>

#include "engine/Messages.h"
#include "engine/Random.h"
#include "game/MenuPictures.h"
#include "game/PictureSet.h"
#include "game/SoundTable.h"
#include "game/TrackCatalogue.h"
#include "game/TruckCatalogue.h"
#include "platform/PadButtons.h"
#include "platform/Paths.h"

namespace game {

TForm1::TForm1(const PlatformServices& services)
    : Services(services),
      OmegaScreen1(services.device),
      OmegaImageList1(&OmegaScreen1),
      GameImageList(&OmegaScreen1),
      ThemeImageList(&OmegaScreen1),
      ShareList(&OmegaScreen1),
      OmegaBitmapFont1(&OmegaScreen1, services.fonts),
      OmegaFont1(&OmegaScreen1, services.fonts),
      OmegaFont2(&OmegaScreen1, services.fonts),
      OmegaFont3(&OmegaScreen1, services.fonts),
      OmegaFont4(&OmegaScreen1, services.fonts),
      OmegaGUI1(&OmegaScreen1, &OmegaBitmapFont1, services.clock),
      OmegaTimer1(services.clock),
      Sound3D(services.audio, services.clock) {
  OmegaBitmapFont1.SetOmegaImageList(&OmegaImageList1);
  OmegaBitmapFont1.SetOmegaImageIndex(0);
  OmegaBitmapFont1.LineSpace = 10;
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
  RegisterRaceStates();
}

TForm1::~TForm1() = default;

// The menus cannot be shown, let alone played, without the pictures of the first screens: a
// damaged or cut menu archive ends the program with a message instead of a blind window.
bool TForm1::MenuPicturesPresent(bool archiveLoaded) {
  bool present = archiveLoaded;
  for (const char* name : {"logo", "mainback", "undermenu", "mousecursor", "font"})
    present = present && OmegaImageList1.ImageList().Holds(name);
  if (present) return true;
  engine::ShowMessage(
      "Data/data1.oil is damaged or missing, so the menus have no pictures.\n"
      "Please reinstall the game. This application will now exit.",
      "Vornakel");
  ExitCode = 1;
  Close();
  return false;
}

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
  // Only the first screen's pictures are waited for; the others arrive while the logo shows.
  if (MenuArchive == nullptr) MenuArchive = StartMenuArchive(Lang);
  const bool menusLoaded =
      TakePictureArchive(OmegaImageList1.ImageList(), MenuArchive, EnglishMissingReported);
  MenuArchive.reset();
  if (!MenuPicturesPresent(menusLoaded)) return;
  OmegaGUI1.Start();
  if (Services.device != nullptr) {
    OmegaScreen1.Width = Services.device->Width();
    OmegaScreen1.Height = Services.device->Height();
  }
  OmegaScreen1.Start();
  OmegaImageList1.Initialize();
  BuildTrackCatalogue(Race);
  BuildTruckCatalogue(Race);
  Score = 0;
  NextUnlockScore = 300;
  UnlockLevel = 0;
  UnlockSteps = {400, 500, 1000, 500, 2000, 2000, 2500, 4000, 4500};
  LevelNumber = 3;
  OmegaScreen1.SetFilter(true);
  TracksOpen = 3;
  TrucksOpen = 5;
  if (ReadConfigFiles) ReadConfigFiles();
  MarkUnlocked();
  OmegaFont1.SetFont("Arial", 30, platform::FontStyle{true, false, false, false});
  OmegaFont1.SetColor(0xFFFFFFFF);
  ScreenTick = 0;
  AddGameSounds(Sound3D);
  Sound3D.CreateAudioPaths();
  // The saved volume holds from the start, not only after the options screen was opened.
  ApplySoundVolume();
  ApplyMusicVolume();
  ApplyPresentation();
}

void TForm1::ApplyMusicVolume() {
  const int32_t volume = MusicModuleVolume(ScreenSound.MusicVolume);
  for (int i = 0; i < Sound3D.ModList.Count(); ++i) Sound3D.ModList.Items(i)->SetVolume(volume);
}

void TForm1::ApplyPresentation() {
  if (Services.device == nullptr) return;
  Services.device->SetScaling(ScreenSound.Scaling);
  const bool vsync = ScreenSound.VSync && !NeverVSync;
  ScreenSound.VSyncRefused = !Services.device->SetVSync(vsync) && vsync;
}

void TForm1::ApplySoundVolume() {
  const int32_t volume = EffectVolume(SoundVolume);
  for (int i = 0; i < Sound3D.SoundList.Count(); ++i) Sound3D.SoundList.Items(i)->Volume = volume;
}

void TForm1::MarkUnlocked() {
  // Entries are only ever marked here, never cleared.
  for (int32_t i = 0; i < TrucksOpen && i < static_cast<int32_t>(Race.TruckModels.size()); ++i) {
    Race.TruckModels[static_cast<size_t>(i)].Unlocked = true;
  }
  for (int32_t i = 0; i < TracksOpen && i < static_cast<int32_t>(Race.Tracks.size()); ++i) {
    Race.Tracks[static_cast<size_t>(i)].Unlocked = true;
  }
}

void TForm1::FormShow() {
  // The music and the logo's sound are read once the first frame is up.
  Sound3D.Hold();
  OmegaTimer1.SetEnabled(true);
  PlayMusic("menumusic");
  if (!MusicOn) StopMusic("menumusic");
  EnterState(gsLogo);
}

void TForm1::CloseFromOutside() {
  // A seed race gives the career back its score first: the files keep the career's.
  Takeover.reset();
  // The races of a game under way are kept (a seed race's are not: it is no game of the career).
  if (KeepUnfinishedGame) KeepUnfinishedGame();
  EndSeedRace(*this);
  // A game that could not start never read the settings: it must not overwrite them.
  if (ExitCode == 0 && WriteConfigFiles) WriteConfigFiles();
  Close();
}

bool TForm1::FormCloseQuery() {
  // Only the exit screen lets the window go, and only once its countdown has run out.
  return GameState == gsExitScreen && (!ExitScreenBusy || !ExitScreenBusy());
}

void TForm1::FormDestroy() {
  OmegaTimer1.SetEnabled(false);
  for (const char* name : {"losemusic", "gamemusic", "menumusic"}) {
    // A module never loaded has nothing to stop: reading it only to let it go costs the exit time.
    engine::TModListItem* module = Sound3D.ModList.Find(name);
    if (module != nullptr && module->Loaded()) {
      module->Play();
      module->Stop();
      module->Unload();
    }
  }
  if (ExitLauncher && ExitCode == 0) ExitLauncher();
}

int TForm1::KeyMeaning(int input) const {
  const bool racing = GameState == gsRace || GameState == gsExploded || GameState == gsPause;
  return racing ? Bindings.RaceKeyFor(input) : MenuKeyFor(input);
}

void TForm1::InputDown(int input) {
  if (CaptureInput) {
    // The keyboard's repeat of a key held since before (the Enter that opened the wait) is no
    // new press.
    if (router_.Held(input)) return;
    router_.Press(input, 0);
    // The handler may end the capture.
    const std::function<void(int)> capture = CaptureInput;
    capture(input);
    return;
  }
  PressKey(router_.Press(input, KeyMeaning(input)));
}

void TForm1::PressKey(int vk) {
  if (vk <= 0 || vk >= 256) return;
  Replays.Input(ReplayEvent::Of(ReplayEvent::Kind::kKeyDown, vk));
  KeyDown[static_cast<size_t>(vk)] = true;
  OmegaGUI1.KeyDown(vk);
}

void TForm1::InputUp(int input) {
  ReleaseKey(router_.Release(input, CaptureInput ? 0 : KeyMeaning(input)));
}

void TForm1::ReleaseKey(int vk) {
  if (vk <= 0 || vk >= 256) return;
  Replays.Input(ReplayEvent::Of(ReplayEvent::Kind::kKeyUp, vk));
  KeyReleased[static_cast<size_t>(vk)] = true;
  KeyDown[static_cast<size_t>(vk)] = false;
}

bool TForm1::TakenOver(int input, bool down) {
  // A key pressed during a takeover is let go there too, even after it ended (the Esc that ends
  // it must not reach the screen underneath).
  if (!down && takenInputs_.erase(input) > 0) {
    if (Takeover) Takeover->KeyUp(MenuKeyFor(input));
    return true;
  }
  // A key held since before the takeover began is let go to the form that saw it go down.
  if (!down || !Takeover) return false;
  takenInputs_.insert(input);
  Takeover->KeyDown(MenuKeyFor(input));
  return true;
}

void TForm1::FormKeyDown(int key) {
  if (key < 0 || key >= kPadInputBase || TakenOver(KeyInput(key), true)) return;
  InputDown(KeyInput(key));
}

void TForm1::FormKeyUp(int key) {
  if (key < 0 || key >= kPadInputBase || TakenOver(KeyInput(key), false)) return;
  InputUp(KeyInput(key));
}

void TForm1::FormPadDown(int button) {
  if (button < 0 || button >= platform::kPadButtonCount) return;
  if (TakenOver(PadInput(button), true)) return;
  if (PadButtonHook && !CaptureInput && PadButtonHook(button, true)) return;
  InputDown(PadInput(button));
}

void TForm1::FormPadUp(int button) {
  if (button < 0 || button >= platform::kPadButtonCount) return;
  if (TakenOver(PadInput(button), false)) return;
  if (PadButtonHook && PadButtonHook(button, false)) return;
  InputUp(PadInput(button));
}

void TForm1::FormText(const std::string& text1251) {
  if (Takeover) return;
  if (Replays.Recording()) {
    ReplayEvent event = ReplayEvent::Of(ReplayEvent::Kind::kText);
    event.text = text1251;
    Replays.Input(event);
  }
  for (const char c : text1251) OmegaGUI1.Char(static_cast<unsigned char>(c));
}

void TForm1::FormMouseMove(int x, int y) {
  if (Takeover) return;
  Replays.Input(ReplayEvent::Of(ReplayEvent::Kind::kMouseMove, x, y));
  MouseX = x;
  MouseY = y;
  OmegaGUI1.MouseMove(x, y);
}
void TForm1::FormMouseDown(int button, int x, int y, int clicks) {
  if (Takeover) return;
  Replays.Input(ReplayEvent::Of(ReplayEvent::Kind::kMouseDown, button, x, y, clicks));
  MouseX = x;
  MouseY = y;
  ++MousePresses;
  if (OnMouseDownHook) OnMouseDownHook(button, x, y);
  // Every second quick left press completes a double click; the press after one starts afresh.
  if (button == engine::gbLeft && clicks >= 2 && clicks % 2 == 0) {
    OmegaGUI1.MouseDoubleClick(x, y);
  } else {
    OmegaGUI1.MouseDown(button, x, y);
  }
}
void TForm1::FormControllerLost() {
  if (Takeover) return;
  Replays.Input(ReplayEvent::Of(ReplayEvent::Kind::kControllerLost));
  constexpr size_t kKeyP = 80;
  if (GameState == gsRace) KeyReleased[kKeyP] = true;
}

void TForm1::FormMouseUp(int button, int x, int y) {
  if (Takeover) return;
  Replays.Input(ReplayEvent::Of(ReplayEvent::Kind::kMouseUp, button, x, y));
  MouseX = x;
  MouseY = y;
  OmegaGUI1.MouseUp(button, x, y);
}

void TForm1::TakeDecodedPictures() {
  // A couple a frame: the logo splash's frames stay short, and the menus are in long before it
  // ends.
  engine::TImageListCollection& menus = OmegaImageList1.ImageList();
  menus.FinishDecoded(2);
  MenuPicturesFrame(*this);
  // One archive at a time: the race pictures are read ahead once the menu ones are in.
  if (!menus.Loading() && GameImagesPending && GameArchive == nullptr)
    GameArchive = StartPictureArchive("Data\\data2.oil", Lang);
}

void TForm1::EnterState(uint8_t code) {
  MenuPicturesEntering(*this, code);
  States.EnterState(code);
}

void TForm1::OmegaTimer1Timer() {
  if (Takeover) {
    // A copy: the takeover may be dropped while it runs.
    const std::shared_ptr<FrameTakeover> takeover = Takeover;
    if (!takeover->Frame() && Takeover == takeover) Takeover.reset();
    return;
  }
  Replays.FrameStarting();
  // Only once a frame has been shown: the first one waits for nothing but its own pictures.
  if (FrameShown) {
    Sound3D.Release();
    TakeDecodedPictures();
  }
  if (MusicOn) OmegaMusic1.Update();
  if (BeforeStateFrame) BeforeStateFrame();
  RunStateFrame(GameState);
  TruckAudio.Update(*this);
  Replays.FrameEnded();
  FrameShown = true;
}

std::string TForm1::TraceLine() const {
  return "state=" + std::to_string(GameState) + " tick=" + std::to_string(ScreenTick) +
         RaceTraceFields();
}

void TForm1::PlaySound(const std::string& name) {
  if (engine::TSoundListItem* sound = Sound3D.SoundList.Find(name)) sound->Play();
}

bool TForm1::SoundIsPlaying(const std::string& name) {
  engine::TSoundListItem* sound = Sound3D.SoundList.Find(name);
  return sound != nullptr && sound->IsPlaying();
}

void TForm1::PlayMusic(const std::string& name) {
  if (engine::TModListItem* module = Sound3D.ModList.Find(name)) module->Play();
}

void TForm1::StopMusic(const std::string& name) {
  if (engine::TModListItem* module = Sound3D.ModList.Find(name)) module->Stop();
}

engine::TImageListItem* TForm1::MenuImage(const std::string& name) {
  engine::TImageListItem* item = OmegaImageList1.Find(name);
  if (item == nullptr)
    engine::ReportOnce("picture \"" + name + "\" is missing from Data/data1.oil");
  return item;
}

}  // namespace game
