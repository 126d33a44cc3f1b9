// The picture manifest: every picture of both archives with its size, tiles, patterns, painter.
#pragma once

#include <cstddef>
#include <string_view>

#include "pictures/Painters.h"

namespace assetgen {

// One picture. The picture is Columns x Rows tiles of TileWidth x TileHeight; its patterns are the
// tiles numbered row by row from the top-left, as the image list cuts them.
struct Picture {
  std::string_view name;
  Archive archive;
  int tileWidth;
  int tileHeight;
  int columns;
  int rows;
  int patterns;  // patterns the game shows (at most Columns x Rows)
  Painter paint;
  int variant;            // per painter: model, piece kind, icon ...
  std::string_view text;  // caption or title written on it (UTF-8)
  std::string_view shows;
  int onlyTheme = -1;    // a scenery picture only that theme holds (-1: every theme holds one)
  int theme = 0;         // the theme a scenery picture is drawn for (the builder sets it)
  bool english = false;  // drawn for the English set (the builder sets it)
  constexpr int Width() const { return tileWidth * columns; }
  constexpr int Height() const { return tileHeight * rows; }
};

// Icons of the dialog cards (variant of PaintQuestion and PaintRaceNotice).
enum DialogIcon : int {
  kIconTrash,
  kIconDoor,
  kIconPerson,  // a player crossed out in red: delete
  kIconFlag,
  kIconUpload,
  kIconWreck,
  kIconStopwatch,
  kIconNewPerson,  // a player with a green plus: add
  kIconPlayer,     // a player alone: the list of players
};

// Button looks (variant of PaintButton).
enum ButtonLook : int { kLookMain, kLookPlain, kLookYes, kLookNo };

// Arrow directions (variant of PaintArrowButton).
enum ArrowDir : int { kArrowLeft, kArrowRight, kArrowUp, kArrowDown };

constexpr Archive kMenu = Archive::kMenu;
constexpr Archive kRace = Archive::kRace;
constexpr Archive kTheme = Archive::kTheme;
// The theme whose lamps are lit (its archive adds the lit dashboard).
constexpr int kNightTheme = 4;

// Where things sit: overlays at (60, 90) are 680 x 420; help and quit cards at (55, 80) are 690 x
// 440; full-screen pictures are 800 x 600. Button tiles are sized to the places the screens put
// them. Truck tiles per race design ("car1".."car5"); the shadows and selection pictures follow the
// design.
inline constexpr Picture kPictures[] = {
    // ---- Menu archive. Image 0 is the bitmap font: 16 x 7 cells in the slot order of its
    // character set.
    {"font", kMenu, 20, 28, 16, 7, 109, PaintGlyph, 0, "", "bitmap-font glyph sheet, white glyphs"},
    {"logo", kMenu, 560, 280, 1, 1, 1, PaintLogo, 0, "", "splash logo, centred on (400, 300)"},
    {"mainback", kMenu, 800, 600, 1, 1, 1, PaintMainBack, 0, "", "main menu background"},
    {"undermenu", kMenu, 800, 600, 1, 1, 1, PaintMenuBackground, 0, "", "opaque menu backdrop"},
    {"mousecursor", kMenu, 32, 32, 8, 1, 8, PaintCursor, 0, "", "mouse pointer, 8 frames"},
    {"light1", kMenu, 48, 48, 1, 1, 1, PaintGlint, 0, "", "menu glint at (376, 353)"},
    {"light2", kMenu, 48, 48, 1, 1, 1, PaintGlint, 1, "", "menu glint at (403, 370)"},
    {"chooseline", kMenu, 338, 20, 1, 1, 1, PaintChooseLine, 0, "", "profile highlight bar"},
    {"bar", kMenu, 240, 14, 1, 1, 1, PaintStatBar, 0, "", "truck value bar, scaled in x"},
    {"dim", kMenu, 32, 32, 5, 1, 5, PaintDust, 0, "", "dust puff, 5 fading frames"},
    {"arrows", kMenu, 48, 12, 1, 3, 3, PaintArrows, 0, "", "direction arrows (never shown)"},
    {"groundpoint", kMenu, 6, 6, 1, 1, 1, PaintGroundPoint, 0, "", "road probe (never shown)"},
    {"scr_help", kMenu, 690, 440, 1, 1, 1, PaintHelpPage, 1, "Управление", "help 1: keys"},
    {"scr_help2", kMenu, 690, 440, 1, 1, 1, PaintHelpPage, 2, "Бонусы", "help 2: pickups"},
    {"scr_help3", kMenu, 690, 440, 1, 1, 1, PaintHelpPage, 3, "Препятствия", "help 3: hazards"},
    {"scr_help4", kMenu, 690, 440, 1, 1, 1, PaintHelpPage, 4, "Правила гонки", "help 4: rules"},
    {"scr_hiscr", kMenu, 680, 420, 1, 1, 1, PaintHiScoreScreen, 0, "Рекорды", "high-score card"},
    {"scr_clearhiscr", kMenu, 680, 420, 1, 1, 1, PaintQuestion, kIconTrash,
     "Очистить таблицу рекордов?", "clear-scores question"},
    {"scr_ExitTheGame", kMenu, 690, 440, 1, 1, 1, PaintQuestion, kIconDoor, "Выйти из игры?",
     "quit question"},
    {"scr_add", kMenu, 680, 420, 1, 1, 1, PaintAddProfile, 0, "Новый игрок", "name entry card"},
    {"scr_opt", kMenu, 680, 420, 1, 1, 1, PaintOptions, 0, "Опции", "options card"},
    {"scr_screen", kMenu, 680, 420, 1, 1, 1, PaintOptions, 1, "Экран и звук",
     "screen and sound card, rows as on the options card"},
    {"scr_controls", kMenu, 680, 420, 1, 1, 1, PaintControls, 0, "Управление",
     "controls card: nine rows of an action and four slots"},
    {"scr_change", kMenu, 680, 420, 1, 1, 1, PaintProfileList, 0, "Игроки", "profile list card"},
    {"scr_delete", kMenu, 680, 420, 1, 1, 1, PaintQuestion, kIconPerson, "Удалить игрока?",
     "delete-profile question, name at y 280"},
    {"scr_choose", kMenu, 800, 600, 1, 1, 1, PaintTrackChoice, 0, "Выбор трассы",
     "track choice frame; track picture at (312, 156)"},
    {"scr_replays", kMenu, 680, 420, 1, 1, 1, PaintReplayList, 0, "Повторы", "replays card"},
    {"scr_seed", kMenu, 680, 420, 1, 1, 1, PaintSeedRace, 0, "Гонка по коду",
     "road code card: code box at (200, 264), the day's road below"},
    {"scr_choosecar", kMenu, 680, 420, 1, 1, 1, PaintTruckChoice, 0, "Выбор грузовика",
     "truck choice card; truck at (320, 228), bars at x 397"},
    {"tr_track1", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 1, "", "track map 1"},
    {"tr_track2", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 2, "", "track map 2"},
    {"tr_track3", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 3, "", "track map 3"},
    {"tr_track4", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 4, "", "track map 4"},
    {"tr_track5", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 5, "", "track map 5"},
    {"tr_track6", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 6, "", "track map 6"},
    {"tr_track7", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 7, "", "track map 7"},
    {"tr_track8", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 8, "", "track map 8"},
    {"tr_track9", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 9, "", "track map 9"},
    {"tr_track10", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 10, "", "track map 10"},
    {"tr_track11", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 11, "", "track map 11"},
    {"tr_track12", kMenu, 214, 190, 1, 1, 1, PaintTrackMap, 12, "", "track map 12"},
    {"tr_notav", kMenu, 214, 190, 1, 1, 1, PaintTrackLocked, 0, "Трасса закрыта", "locked track"},
    // Truck portraits end at y 332 on screen: their frame keeps clear of the value bars at 341.
    {"c_car1", kMenu, 200, 104, 1, 1, 1, PaintTruckPortrait, 1, "Спидер", "model 0 (car1)"},
    {"c_car2", kMenu, 200, 104, 1, 1, 1, PaintTruckPortrait, 4, "Турбо", "model 1 (car4)"},
    {"c_car3", kMenu, 200, 104, 1, 1, 1, PaintTruckPortrait, 5, "Вулкан", "model 2 (car5)"},
    {"c_car4", kMenu, 200, 104, 1, 1, 1, PaintTruckPortrait, 2, "Вайпер", "model 3 (car2)"},
    {"c_car5", kMenu, 200, 104, 1, 1, 1, PaintTruckPortrait, 3, "Зверь", "model 4 (car3)"},
    // Buttons: frame 0 normal, 1 highlighted, 2 disabled.
    {"b_stgame", kMenu, 200, 56, 1, 3, 3, PaintButton, kLookMain, "Начать игру", "at (56, 411)"},
    {"b_opt", kMenu, 170, 52, 1, 3, 3, PaintButton, kLookMain, "Опции", "at (27, 350)"},
    {"b_hiscr", kMenu, 170, 52, 1, 3, 3, PaintButton, kLookMain, "Рекорды", "at (68, 87)"},
    {"b_help", kMenu, 104, 52, 1, 3, 3, PaintButton, kLookMain, "Помощь", "at (694, 124)"},
    {"b_visit", kMenu, 160, 52, 1, 3, 3, PaintButton, kLookMain, "Ещё игры", "at (637, 239)"},
    {"b_exit", kMenu, 170, 52, 1, 3, 3, PaintButton, kLookMain, "Выход", "at (606, 371)"},
    {"b_logo", kMenu, 260, 70, 1, 3, 3, PaintLogoButton, 0, "Наш сайт", "at (270, 510)"},
    {"b_presshere", kMenu, 140, 30, 1, 3, 3, PaintLinkButton, 0, "Сменить игрока", "at (605, 540)"},
    {"b_back", kMenu, 170, 48, 1, 3, 3, PaintButton, kLookPlain, "Назад",
     "at (97, 415), (116, 430), (201, 425), (9, 524)"},
    {"b_next", kMenu, 180, 48, 1, 3, 3, PaintButton, kLookPlain, "Следующая", "at (516, 415)"},
    {"b_prev", kMenu, 180, 48, 1, 3, 3, PaintButton, kLookPlain, "Предыдущая", "at (308, 415)"},
    {"b_clrhiscr", kMenu, 150, 24, 1, 3, 3, PaintLinkButton, 0, "Очистить таблицу",
     "at (331, 455)"},
    {"b_viewwhiscr", kMenu, 150, 24, 1, 3, 3, PaintLinkButton, 0, "Рекорды в сети",
     "at (328, 428)"},
    {"b_yes", kMenu, 120, 44, 1, 3, 3, PaintButton, kLookYes, "Да", "at (278, 327)"},
    {"b_no", kMenu, 120, 44, 1, 3, 3, PaintButton, kLookNo, "Нет", "at (415, 378)"},
    {"b_add", kMenu, 146, 44, 1, 3, 3, PaintButton, kLookPlain, "Добавить",
     "at (330, 426), (257, 420)"},
    {"b_yes1", kMenu, 188, 48, 1, 3, 3, PaintButton, kLookYes, "Да", "at (200, 420)"},
    {"b_no1", kMenu, 188, 48, 1, 3, 3, PaintButton, kLookNo, "Нет", "at (412, 420)"},
    {"bro_next", kMenu, 180, 48, 1, 3, 3, PaintButton, kLookMain, "Далее",
     "at (308, 420), (310, 400)"},
    {"b_apply", kMenu, 180, 48, 1, 3, 3, PaintButton, kLookYes, "Применить", "at (206, 420)"},
    {"b_cancel", kMenu, 180, 48, 1, 3, 3, PaintButton, kLookNo, "Отмена", "at (416, 420)"},
    {"b_controls", kMenu, 180, 48, 1, 3, 3, PaintButton, kLookPlain, "Управление", "at (416, 510)"},
    {"b_defaults", kMenu, 180, 48, 1, 3, 3, PaintButton, kLookPlain, "По умолчанию",
     "at (533, 440)"},
    {"b_slot", kMenu, 104, 22, 1, 3, 3, PaintLinkButton, 0, "", "key slots of the controls card"},
    {"slotmark", kMenu, 104, 22, 1, 2, 2, PaintSlotMark, 0, "",
     "over a key slot: 0 waiting for a key, 1 a key another action holds"},
    {"b_on", kMenu, 72, 40, 1, 3, 3, PaintButton, kLookYes, "Вкл.",
     "at (646, 194), (646, 245), short of the options card's edge at 726"},
    {"b_off", kMenu, 72, 40, 1, 3, 3, PaintButton, kLookPlain, "Выкл.", "same places"},
    {"b_screen", kMenu, 180, 48, 1, 3, 3, PaintButton, kLookPlain, "Экран и звук",
     "at (206, 510) below the options card"},
    {"b_fit", kMenu, 120, 40, 1, 3, 3, PaintButton, kLookPlain, "Обычное",
     "scaling switch at (598, 194): fit the window"},
    {"b_sharp", kMenu, 120, 40, 1, 3, 3, PaintButton, kLookYes, "Чёткое",
     "the same place: whole steps, sharp pixels"},
    {"b_russian", kMenu, 120, 40, 1, 3, 3, PaintButton, kLookPlain, "Русский",
     "language switch at (598, 374): the game speaks Russian"},
    {"b_english", kMenu, 120, 40, 1, 3, 3, PaintButton, kLookPlain, "English",
     "the same place: the game speaks English"},
    {"b_menuleft", kMenu, 28, 28, 1, 3, 3, PaintArrowButton, kArrowLeft, "", "at (453, 323)"},
    {"b_menuright", kMenu, 28, 28, 1, 3, 3, PaintArrowButton, kArrowRight, "", "at (653, 323)"},
    {"b_up", kMenu, 30, 40, 1, 3, 3, PaintArrowButton, kArrowUp, "", "at (206, 209)"},
    {"b_down", kMenu, 30, 40, 1, 3, 3, PaintArrowButton, kArrowDown, "", "at (575, 209)"},
    {"b_delete", kMenu, 146, 44, 1, 3, 3, PaintButton, kLookNo, "Удалить", "at (408, 420)"},
    {"b_back2", kMenu, 146, 44, 1, 3, 3, PaintButton, kLookPlain, "Назад", "at (103, 420)"},
    {"b_select", kMenu, 146, 44, 1, 3, 3, PaintButton, kLookYes, "Выбрать", "at (560, 420)"},
    {"bc_next", kMenu, 60, 60, 1, 3, 3, PaintArrowButton, kArrowRight, "", "at (521, 254)"},
    {"bc_prev", kMenu, 60, 60, 1, 3, 3, PaintArrowButton, kArrowLeft, "", "at (257, 254)"},
    {"bc_race", kMenu, 150, 48, 1, 3, 3, PaintButton, kLookMain, "В гонку!",
     "at (407, 425), (642, 524)"},
    {"b_seedrace", kMenu, 170, 48, 1, 3, 3, PaintButton, kLookPlain, "Гонка по коду",
     "track screen at (9, 466), above the back button"},
    {"b_daily", kMenu, 170, 48, 1, 3, 3, PaintButton, kLookPlain, "Трасса дня", "at (315, 440)"},
    {"b_replay", kMenu, 150, 48, 1, 3, 3, PaintButton, kLookPlain, "Повтор",
     "results card at (120, 420), final score at (140, 400)"},
    {"b_replays", kMenu, 170, 48, 1, 3, 3, PaintButton, kLookPlain, "Повторы",
     "high scores, below the table"},
    {"b_sendtime", kMenu, 160, 40, 1, 3, 3, PaintButton, kLookYes, "Отправить время",
     "seed screen at (78, 318), after a race on the road of the day"},
    {"bc_classic", kMenu, 120, 40, 1, 3, 3, PaintButton, kLookPlain, "Классика",
     "difficulty switch at (590, 250)"},
    {"bc_easy", kMenu, 120, 40, 1, 3, 3, PaintButton, kLookYes, "Лёгкая", "the same place"},
    {"e_name", kMenu, 400, 50, 1, 1, 1, PaintEditBox, 0, "", "name edit box at (200, 276)"},
    {"Edit", kMenu, 200, 34, 1, 1, 1, PaintEditBox, 1, "", "options edit box at (466, 377)"},
    {"opt_bar", kMenu, 168, 28, 1, 2, 2, PaintVolumeBar, 0, "",
     "volume: knob in the left 28 x 28 of frame 0, track in frame 1"},

    // ---- Race archive.
    {"undermenu", kRace, 800, 600, 1, 1, 1, PaintRaceVeil, 0, "", "translucent veil over the race"},
    {"scr_exitgame", kRace, 680, 420, 1, 1, 1, PaintRaceNotice, kIconFlag, "Покинуть гонку?",
     "leave-race question"},
    {"scr_gameover", kRace, 680, 420, 1, 1, 1, PaintRaceNotice, kIconWreck, "Игра окончена",
     "no trucks left"},
    {"scr_timesup", kRace, 680, 420, 1, 1, 1, PaintRaceNotice, kIconStopwatch, "Время вышло!",
     "time's up"},
    {"scr_send", kRace, 680, 420, 1, 1, 1, PaintRaceNotice, kIconUpload, "Отправить результат?",
     "send-score question"},
    {"scr_yourscore", kRace, 680, 420, 1, 1, 1, PaintYourScore, 0, "Ваш результат",
     "final score card, score at (410, 283)"},
    {"scr_raceover", kRace, 680, 420, 1, 1, 1, PaintRaceOver, 0, "Финиш!",
     "results card, values centred on x 593"},
    {"speeder", kRace, 800, 169, 1, 1, 1, PaintDashboard, 0, "", "dashboard at (0, 431)"},
    {"radar", kRace, 56, 280, 1, 1, 1, PaintProgressStrip, 0, "", "progress strip at (746, 100)"},
    {"panel", kRace, 160, 48, 1, 1, 1, PaintPanel, 0, "", "spare panel"},
    {"healthbar", kRace, 240, 12, 1, 1, 1, PaintHealthBar, 0, "", "health bar at (206, 581)"},
    {"speedarrow", kRace, 12, 64, 1, 1, 1, PaintNeedle, 0, "", "needle, pivot 0.5/0.9"},
    {"backlight", kRace, 24, 24, 1, 1, 1, PaintReverseLamp, 0, "", "reverse lamp at (660, 579)"},
    {"radarcar1", kRace, 14, 14, 1, 1, 1, PaintBlip, 0, "", "player's blip"},
    {"radarcar2", kRace, 12, 12, 1, 1, 1, PaintBlip, 1, "", "opponent's blip"},
    {"begarrows", kRace, 150, 150, 1, 1, 1, PaintStartRing, 0, "", "start ring at (397, 423)"},
    {"dim", kRace, 32, 32, 5, 1, 5, PaintDust, 0, "", "dust puff, 5 fading frames"},
    {"arrows", kRace, 48, 12, 1, 3, 3, PaintArrows, 0, "", "direction arrows (never shown)"},
    {"groundpoint", kRace, 6, 6, 1, 1, 1, PaintGroundPoint, 0, "", "road probe (never shown)"},
    {"svetophor", kRace, 76, 156, 1, 1, 1, PaintLightHousing, 0, "", "start lights at (0, 70)"},
    {"redlight", kRace, 90, 90, 1, 1, 1, PaintSignalGlow, 0, "", "red lamp at (-7, 48)"},
    {"yellowlight", kRace, 90, 90, 1, 1, 1, PaintSignalGlow, 1, "", "yellow lamp at (-7, 102)"},
    {"greenlight", kRace, 90, 90, 1, 1, 1, PaintSignalGlow, 2, "", "green lamp at (-7, 157)"},
    {"car1", kRace, 54, 96, 3, 1, 3, PaintTruck, 1, "", "pickup racer, 3 colours"},
    {"car2", kRace, 54, 100, 3, 1, 3, PaintTruck, 2, "", "low sport truck, 3 colours"},
    {"car3", kRace, 64, 104, 3, 1, 3, PaintTruck, 3, "", "monster truck, 3 colours"},
    {"car4", kRace, 58, 98, 3, 1, 3, PaintTruck, 4, "", "cab-over racing tractor, 3 colours"},
    {"car5", kRace, 58, 104, 3, 1, 3, PaintTruck, 5, "", "long-nose hot rod, 3 colours"},
    {"carten1", kRace, 54, 96, 1, 1, 1, PaintTruckShadow, 1, "", "shadow of model 0 (car1)"},
    {"carten2", kRace, 58, 98, 1, 1, 1, PaintTruckShadow, 4, "", "shadow of model 1 (car4)"},
    {"carten3", kRace, 58, 104, 1, 1, 1, PaintTruckShadow, 5, "", "shadow of model 2 (car5)"},
    {"carten4", kRace, 54, 100, 1, 1, 1, PaintTruckShadow, 2, "", "shadow of model 3 (car2)"},
    {"carten5", kRace, 64, 104, 1, 1, 1, PaintTruckShadow, 3, "", "shadow of model 4 (car3)"},
    // Ours: each design burnt out, shown while a destroyed truck waits for its respawn.
    {"wreck1", kRace, 54, 96, 1, 1, 1, PaintTruckWreck, 1, "", "burnt-out car1"},
    {"wreck2", kRace, 54, 100, 1, 1, 1, PaintTruckWreck, 2, "", "burnt-out car2"},
    {"wreck3", kRace, 64, 104, 1, 1, 1, PaintTruckWreck, 3, "", "burnt-out car3"},
    {"wreck4", kRace, 58, 98, 1, 1, 1, PaintTruckWreck, 4, "", "burnt-out car4"},
    {"wreck5", kRace, 58, 104, 1, 1, 1, PaintTruckWreck, 5, "", "burnt-out car5"},
    {"smoke", kRace, 64, 64, 4, 1, 4, PaintWreckSmoke, 0, "", "wreck smoke puff, 4 frames"},
    // Road pieces are 300 tall; the road's centre line runs from EntryX at the bottom to ExitX at
    // the top.
    {"r_str", kTheme, 284, 300, 1, 1, 1, PaintRoadPiece, 0, "", "straight, 142 -> 142"},
    {"r_left", kTheme, 705, 300, 1, 1, 1, PaintRoadPiece, 1, "", "diagonal left, 502 -> 203"},
    {"r_right", kTheme, 705, 300, 1, 1, 1, PaintRoadPiece, 2, "", "diagonal right, 203 -> 502"},
    {"r_str_right", kTheme, 476, 300, 1, 1, 1, PaintRoadPiece, 3, "", "turn right, 138 -> 278"},
    {"r_str_left", kTheme, 482, 300, 1, 1, 1, PaintRoadPiece, 4, "", "turn left, 344 -> 206"},
    {"r_right_str", kTheme, 482, 300, 1, 1, 1, PaintRoadPiece, 5, "",
     "back from right, 206 -> 344"},
    {"r_left_str", kTheme, 476, 300, 1, 1, 1, PaintRoadPiece, 6, "", "back from left, 278 -> 138"},
    {"back1", kTheme, 800, 300, 1, 1, 1, PaintGround, 0, "", "terrain 0 (meadow)"},
    {"back2", kTheme, 800, 300, 1, 1, 1, PaintGround, 1, "", "terrain 1 (sand)"},
    {"back3", kTheme, 800, 300, 1, 1, 1, PaintGround, 2, "", "terrain 1 below, 0 above"},
    {"back4", kTheme, 800, 300, 1, 1, 1, PaintGround, 3, "", "terrain 0 below, 1 above"},
    {"wall1", kTheme, 36, 160, 1, 1, 1, PaintWall, 0, "", "barrier along a straight"},
    {"wall2", kTheme, 36, 216, 1, 1, 1, PaintWall, 1, "", "barrier along a diagonal"},
    {"inplace", kRace, 84, 120, 1, 1, 1, PaintGridBox, 0, "", "start-grid box"},
    {"startline", kRace, 264, 36, 1, 1, 1, PaintChequer, 0, "", "start and finish line"},
    {"fline", kRace, 500, 24, 1, 1, 1, PaintFinishSensor, 0, "", "finish sensor (hidden)"},
    {"trees", kTheme, 128, 128, 3, 2, 6, PaintScenery, 0, "", "trees, 6 kinds"},
    {"desert", kTheme, 128, 128, 3, 2, 6, PaintScenery, 1, "", "rocks and cacti, 6 kinds"},
    {"houses", kTheme, 128, 128, 3, 2, 6, PaintScenery, 2, "", "roofs, 6 kinds"},
    {"bonus1", kRace, 40, 40, 1, 1, 1, PaintCoin, 10, "", "bronze coin +10"},
    {"bonus2", kRace, 40, 40, 1, 1, 1, PaintCoin, 20, "", "silver coin +20"},
    {"bonus3", kRace, 40, 40, 1, 1, 1, PaintCoin, 30, "", "gold coin +30"},
    {"luga", kRace, 84, 60, 1, 1, 1, PaintPuddle, 0, "", "oily puddle"},
    {"kolodec1", kRace, 48, 48, 1, 1, 1, PaintManhole, 0, "", "closed manhole (harmless)"},
    {"kolodec2", kRace, 48, 48, 1, 1, 1, PaintManhole, 1, "", "open manhole"},
    {"bomb", kRace, 44, 44, 1, 1, 1, PaintBomb, 0, "", "bomb"},
    {"repair", kRace, 44, 44, 1, 1, 1, PaintRepair, 0, "", "repair kit"},
    {"life", kRace, 44, 44, 1, 1, 1, PaintLife, 0, "", "spare truck"},
    {"time", kRace, 44, 44, 1, 1, 1, PaintExtraTime, 0, "", "stopwatch +5 s"},
    {"shipi", kRace, 96, 32, 1, 1, 1, PaintSpikes, 0, "", "spike strip"},
    {"speedup", kRace, 52, 52, 1, 1, 1, PaintBoost, 0, "", "nitro boost"},
    {"boxes", kRace, 64, 64, 2, 1, 2, PaintBoxes, 0, "", "crates: whole, broken"},
    {"barier", kRace, 96, 40, 2, 1, 2, PaintBarrier, 0, "", "barrier: whole, broken"},
    {"exploid", kRace, 192, 192, 4, 2, 8, PaintExplosion, 0, "", "big explosion, 8 frames"},
    {"exploid2", kRace, 128, 128, 4, 2, 8, PaintExplosion, 1, "", "bomb blast, 8 frames"},
    {"exploid3", kRace, 128, 128, 4, 2, 8, PaintExplosion, 2, "", "smoke burst, 8 frames"},

    // ---- Scenery archives, one per theme (Data/theme_NAME.oil): the pictures above marked
    // kTheme, drawn in each theme's looks, and the few a single theme adds.
    {"speeder", kTheme, 800, 169, 1, 1, 1, PaintDashboard, 0, "", "night: the dashboard lit",
     kNightTheme},
};

inline constexpr size_t kPictureCount = sizeof(kPictures) / sizeof(kPictures[0]);

// The picture of that name in that archive, or null.
constexpr const Picture* FindPicture(std::string_view name, Archive archive) {
  for (const Picture& p : kPictures) {
    if (p.archive == archive && p.name == name) return &p;
  }
  return nullptr;
}

}  // namespace assetgen
