// TForm1: the main form, which owns every engine component and all game state, and routes input and
// frames.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "engine/OmegaBitmapFont.h"
#include "engine/OmegaFont.h"
#include "engine/OmegaGUI.h"
#include "engine/OmegaImageList.h"
#include "engine/OmegaMusic.h"
#include "engine/OmegaScreen.h"
#include "engine/OmegaSound3D.h"
#include "engine/OmegaSprite.h"
#include "engine/OmegaTimer.h"
#include "game/Difficulty.h"
#include "game/FrameTakeover.h"
#include "game/InputRouter.h"
#include "game/KeyBindings.h"
#include "game/Language.h"
#include "game/MenuState.h"
#include "game/RaceState.h"
#include "game/ReplayRecorder.h"
#include "game/ScreenSound.h"
#include "game/SeedRace.h"
#include "game/StateMachine.h"
#include "game/TruckSounds.h"
#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/FontRasterizer.h"
#include "platform/RenderDevice.h"
#include "platform/Shell.h"

namespace game {

// What the form needs from the machine it runs on.
struct PlatformServices {
  platform::RenderDevice* device = nullptr;
  platform::FontRasterizer* fonts = nullptr;
  platform::Clock* clock = nullptr;
  platform::Shell* shell = nullptr;
  platform::AudioDevice* audio = nullptr;
};

// The 10 ms race clock: a periodic callback the frame loop services on the main thread.
struct PeriodicTimer {
  bool Enabled = false;
  int Interval = 10;  // milliseconds
};

class TForm1 {
 public:
  explicit TForm1(const PlatformServices& services);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Window life cycle.
  void FormCreate();
  void FormShow();
  // True when the window may close now.
  bool FormCloseQuery();
  void FormDestroy();
  bool Closed() const { return closed_; }
  // A close from outside the game (the window's close box, SIGTERM): the settings and progress
  // are saved and the window closes at once, whatever the screen.
  void CloseFromOutside();
  // Set when the game cannot go on (the menus' pictures are missing): the program's exit code.
  int ExitCode = 0;
  // Closes the window from inside the game (the exit screen does this).
  void Close() { closed_ = true; }

  // Input. Keys and controller buttons pass through the player's bindings in a race and through
  // the fixed menu meanings elsewhere before they reach KeyDown, KeyReleased and the GUI.
  void FormKeyDown(int key);
  void FormKeyUp(int key);
  void FormPadDown(int button);
  void FormPadUp(int button);
  void FormText(const std::string& text1251);
  void FormMouseMove(int x, int y);
  // clicks: the system's count of quick presses in a row at one spot (2 for a double click).
  void FormMouseDown(int button, int x, int y, int clicks = 1);
  void FormMouseUp(int button, int x, int y);
  // A controller was unplugged: a race under way pauses, as if P had been pressed.
  void FormControllerLost();
  // A virtual key goes down or up as the game reads it, after the bindings (replays feed these).
  void PressKey(int vk);
  void ReleaseKey(int vk);

  // Frame and race-clock callbacks.
  void OmegaTimer1Timer();
  void RaceTimerTimer();

  // State dispatch.
  void EnterState(uint8_t code);
  void RunStateFrame(uint8_t code) { States.RunStateFrame(code); }
  void LeaveState(uint8_t code) { States.LeaveState(code); }

  // Trace fields of the current frame (state, tick and, while a game runs, the race).
  std::string TraceLine() const;
  // The race's trace fields while a game runs (" level=... opp=..."), empty otherwise.
  std::string RaceTraceFields() const;

  PlatformServices Services;

  // Components.
  engine::TOmegaScreen OmegaScreen1;
  engine::TOmegaImageList OmegaImageList1;
  engine::TOmegaImageList GameImageList;
  // The scenery theme's pictures (ground, road, walls, roadside), looked up before GameImageList.
  engine::TOmegaImageList ThemeImageList;
  engine::TOmegaImageList ShareList;
  // The menus: profiles, high scores, options, the current screen's sprites and buttons.
  MenuState Menu;
  // The current game and race (declared before the sprite engine: race sprites still reach it while
  // the engine frees them).
  RaceState Race;
  engine::TOmegaSprite OmegaSprite1;
  engine::TOmegaBitmapFont OmegaBitmapFont1;
  engine::TOmegaFont OmegaFont1;
  engine::TOmegaFont OmegaFont2;
  engine::TOmegaFont OmegaFont3;
  engine::TOmegaFont OmegaFont4;
  engine::TOmegaGUI OmegaGUI1;
  engine::TOmegaTimer OmegaTimer1;
  engine::TOmegaSound3D Sound3D;
  // The engines and knocks of the race's trucks (voices on Sound3D's device).
  TruckSounds TruckAudio;
  engine::TOmegaMusic OmegaMusic1;
  PeriodicTimer RaceTimer;
  StateMachine States;
  // Every race is recorded as it is played, for its replay.
  ReplayRecorder Replays;

  // Game-wide state.
  uint8_t GameState = gsLogo;
  int32_t ScreenTick = 0;
  std::array<bool, 256> KeyDown{};
  std::array<bool, 256> KeyReleased{};
  // The driving keys and buttons of the current player (read when a game starts).
  KeyBindings Bindings = KeyBindings::Defaults();
  // While set, every key and controller button press goes here and nowhere else, and its release
  // is swallowed (the controls screen waiting for the key to bind).
  std::function<void(int input)> CaptureInput;
  bool FullScreen = false;
  bool MusicOn = true;
  bool SoundOn = true;
  int32_t SoundVolume = 0;
  // Ours (vornakel.ini [general]): scaling, vertical sync and the music's volume step.
  ScreenSoundSettings ScreenSound;
  std::string PlayerName;
  int32_t Score = 0;
  // The difficulty of the game under way (taken from the profile's choice when a game starts).
  Difficulty GameDifficulty = Difficulty::Classic;
  int32_t NextUnlockScore = 300;
  int32_t UnlockLevel = 0;
  std::array<int32_t, 9> UnlockSteps{400, 500, 1000, 500, 2000, 2000, 2500, 4000, 4500};
  int32_t TracksOpen = 3;
  int32_t TrucksOpen = 5;
  int32_t LevelNumber = 3;
  bool GameImagesPending = true;
  // The menu archive as it is read ahead (main starts it before the window opens; FormCreate
  // takes it, or starts it when nobody did), and the race archive read ahead once the menu
  // pictures are all in, taken when the first game starts.
  std::shared_ptr<engine::ArchiveLoad> MenuArchive;
  std::shared_ptr<engine::ArchiveLoad> GameArchive;
  // Set once the first frame has run: the sounds and pictures held back for it follow.
  bool FrameShown = false;
  // The scenery theme ThemeImageList holds (-1: none yet), and the themes whose archives failed
  // (bit per theme: reported once, then the default theme is used at once).
  int32_t LoadedTheme = -1;
  uint32_t BrokenThemes = 0;
  // The language of every text and picture with words; the missing English pictures are reported
  // once.
  Language Lang = Language::Russian;
  bool EnglishMissingReported = false;
  // Last mouse position in back-buffer pixels, whatever the GUI does with it.
  int32_t MouseX = 0;
  int32_t MouseY = 0;
  // Mouse presses since the program started (screens that take a click anywhere compare it).
  uint32_t MousePresses = 0;

  // Named sound effects ("skid", "coin" ...). Callers check SoundOn where the game does.
  void PlaySound(const std::string& name);
  bool SoundIsPlaying(const std::string& name);
  // Starts a named module ("menumusic", "gamemusic", "losemusic") / stops it.
  void PlayMusic(const std::string& name);
  void StopMusic(const std::string& name);

  // A picture of the menu archive by name; a missing one is reported once and gives null.
  engine::TImageListItem* MenuImage(const std::string& name);

  // Background sprite of the current menu screen.
  engine::TSprite* MenuScreen = nullptr;
  // Seams the other layers fill when they register their states:
  // reads Config.cfg and Configdat.cfg during FormCreate (and marks what they unlock);
  std::function<void()> ReadConfigFiles;
  // writes both settings files;
  std::function<void()> WriteConfigFiles;
  // true while the exit screen still counts down (the window must stay open);
  std::function<bool()> ExitScreenBusy;
  // opens the shortcut files when the window is destroyed.
  std::function<void()> ExitLauncher;
  // Alt+Enter: changes the display mode at once, on any screen, and keeps the choice;
  std::function<void()> SwitchDisplayMode;
  // Drawn at the end of every menu frame, over the buttons (the score sending's status).
  std::function<void()> MenuFrameOverlay;
  // Runs before every state's frame (the menus' keyboard focus takes its keys here).
  std::function<void()> BeforeStateFrame;
  // Sees every controller button (down, then up) before the menus' meanings; a button it takes
  // goes nowhere else (the name screens' letter picker).
  std::function<bool(int button, bool down)> PadButtonHook;
  // Sees every mouse press (button 0 left) before the GUI; the exit screen takes its clicks here.
  std::function<void(int button, int x, int y)> OnMouseDownHook;
  // Gives every sound effect the volume of the SoundVolume step.
  void ApplySoundVolume();
  // Gives every music module the volume of the music step, at once.
  void ApplyMusicVolume();
  // Hands scaling and vertical sync to the render device (noting when the driver refuses vsync).
  void ApplyPresentation();
  // Marks the first TrucksOpen trucks and TracksOpen tracks unlocked.
  void MarkUnlocked();
  // Registers the race states (12, 16, 27).
  void RegisterRaceStates();
  // The truck screen's race button: a new game from race 1 (or StartLevel).
  void StartGame();

  // The seed race: the road picked on the seed screen, and the career it holds meanwhile.
  SeedRaceRun SeedRace;

  // Set before FormCreate: a new game starts at this race (as if LevelUp had run N - 1 times).
  int32_t StartLevel = 0;
  // Set before FormCreate when frames run on a virtual clock: presents never wait for the display.
  bool NeverVSync = false;
  // Set before FormCreate for tests and development: Enter wins a race outright.
  bool DevKeys = false;
  // The current game used that win: its score never enters the table or goes online.
  bool DevWinUsed = false;
  // Set before FormCreate by the harness: the truck screen offers this difficulty instead of the
  // player's stored one, until the player switches.
  std::optional<Difficulty> ForcedDifficulty;
  // Set before FormCreate to seed the generator with a fixed value instead of the clock.
  bool FixedSeed = false;
  uint32_t Seed = 0;

  // While set, it runs in the window instead of the form (a replay being watched): the form's
  // screen, timers, music and recording stand still, and keys pressed meanwhile never reach it.
  std::shared_ptr<FrameTakeover> Takeover;
  // Filled by the frontend: shows the race just run (or every race of the game so far) in the
  // window. Null on a form that plays a replay itself.
  std::function<void(bool wholeGame)> WatchReplay;
  // Filled by the frontend: keeps the races of a game cut short by a close from outside.
  std::function<void()> KeepUnfinishedGame;
  // A form that plays a replay: it keeps nothing and sends nothing, whatever the race does.
  bool Quiet = false;

 private:
  bool MenuPicturesPresent(bool archiveLoaded);
  // Gives the menu pictures decoded so far their textures, and reads the race archive ahead.
  void TakeDecodedPictures();
  // The virtual key an input presses now: by the bindings while a race runs (or is paused), by
  // the menus' fixed meanings otherwise.
  int KeyMeaning(int input) const;
  void InputDown(int input);
  void InputUp(int input);
  // Hands an input to the takeover while one runs; true when it took it.
  bool TakenOver(int input, bool down);
  InputRouter router_;
  // Inputs that went down while a takeover ran: their release is its as well.
  std::set<int> takenInputs_;
  bool closed_ = false;
};

}  // namespace game
