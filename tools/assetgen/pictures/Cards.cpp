// Painters of the dialog cards: help, scores, questions, profiles, options, in-race overlays.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "pictures/English.h"
#include "pictures/Manifest.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Cards are drawn at (60, 90) on screen.
constexpr double kCardY = 90;
// Where the game writes the high-score table's rows: row n (1..10) from y 213 + 17 n (screen).
constexpr double kHiScoreRowY = 213, kHiScoreRowStep = 17;

// Wraps Text into lines no wider than Width in the current font.
std::vector<std::string> Wrap(cairo_t* cr, std::string_view text, double width) {
  std::vector<std::string> lines;
  std::string line;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string word(text.substr(start, end - start));
    const std::string trial = line.empty() ? word : line + " " + word;
    if (!line.empty() && TextWidth(cr, trial) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = trial;
    }
    start = end + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

double Paragraph(cairo_t* cr, double x, double y, double width, std::string_view text, Rgb c,
                 double lineHeight) {
  for (const std::string& line : Wrap(cr, text, width)) {
    TextLeft(cr, x, y, line, c);
    y += lineHeight;
  }
  return y;
}

// One row of a help page: a picture (or key caps) on the left, a title and a line of text.
void HelpRow(cairo_t* cr, double x, double y, std::string_view title, std::string_view text,
             double textWidth) {
  using namespace palette;
  UseFont(cr, Face::kSans, 15, true);
  TextLeft(cr, x, y, title, kNavy);
  UseFont(cr, Face::kSans, 13, false);
  Paragraph(cr, x, y + 18, textWidth, text, Hex(0x34405A), 16);
}

void HelpControls(cairo_t* cr, const Picture& pic) {
  using namespace palette;
  struct Key {
    const char* caps[3];
    const char* title[2];  // Russian, English
    const char* text[2];
  };
  static constexpr Key kKeys[] = {
      {{"^", "", ""}, {"Газ", "Throttle"}, {"Держите, чтобы разогнаться.", "Hold to speed up."}},
      {{"v", "", ""},
       {"Тормоз и задний ход", "Brake and reverse"},
       {"Сначала тормозит, потом едет назад.", "Brakes first, then backs up."}},
      {{"<", ">", ""},
       {"Руль", "Steering"},
       {"Поворачивает грузовик на ходу.", "Turns the truck while it moves."}},
      {{"Пробел", "Ctrl", ""},
       {"Ручной тормоз", "Handbrake"},
       {"Занос в крутом повороте.", "Slides through a sharp bend."}},
      {{"H", "", ""}, {"Сигнал", "Horn"}, {"Пусть соперники слышат!", "Let the rivals hear you!"}},
      {{"P", "F1", ""},
       {"Пауза", "Pause"},
       {"Остановить гонку и часы.", "Stops the race and the clock."}},
      {{"Esc", "", ""},
       {"Выход из гонки", "Leave the race"},
       {"Спросит, закончить ли игру.", "Asks whether to end the game."}},
      {{"Enter", "", ""},
       {"Подтвердить", "Confirm"},
       {"Выбор в меню и диалогах.", "Chooses in menus and dialogs."}},
  };
  const int lang = pic.english ? 1 : 0;
  // The right column starts clear of the longest left title and ends 15 pixels inside the card.
  for (int i = 0; i < 8; ++i) {
    const double col = i < 4 ? 26 : 356, y = 84 + (i % 4) * 60;
    double x = col;
    for (const char* cap : kKeys[i].caps) {
      if (*cap == '\0') continue;
      const std::string_view label =
          std::string_view(cap) == "Пробел" ? Say(pic, cap, "Space") : cap;
      UseFont(cr, Face::kSans, 14, true);
      const double kw = label.size() > 2 ? TextWidth(cr, label) + 14 : 36;
      DrawKeyCap(cr, x, y, kw, 36, label);
      x += kw + 5;
    }
    HelpRow(cr, col + 136, y + 8, kKeys[i].title[lang], kKeys[i].text[lang], i < 4 ? 180 : 166);
  }
}

void HelpPickups(cairo_t* cr, const Picture& pic, bool hazards) {
  struct Item {
    const char* pictures[2];
    const char* title[2];  // Russian, English
    const char* text[2];
  };
  static constexpr Item kGood[] = {
      {{"bonus1", "bonus3"},
       {"Монеты", "Coins"},
       {"10, 20 или 30 очков к счёту.", "10, 20 or 30 points to the score."}},
      {{"repair", ""},
       {"Ремкомплект", "Repair kit"},
       {"Чинит грузовик: +30 прочности.", "Mends the truck: +30 health."}},
      {{"life", ""},
       {"Запасной грузовик", "Spare truck"},
       {"Ещё одна попытка в этой игре.", "One more try in this game."}},
      {{"time", ""},
       {"Секундомер", "Stopwatch"},
       {"Пять секунд к времени гонки.", "Five more seconds on the clock."}},
      {{"speedup", ""},
       {"Нитро", "Nitro"},
       {"Скорость и разгон вдвое, ненадолго.", "Double speed and pull, for a while."}},
  };
  static constexpr Item kBad[] = {
      {{"luga", ""},
       {"Масляная лужа", "Oil puddle"},
       {"Грузовик заносит и дёргает.", "The truck slides and jerks."}},
      {{"kolodec2", "kolodec1"},
       {"Открытый люк", "Open manhole"},
       {"Тоже заносит. Закрытый люк не опасен.", "Makes you slide too. A closed one is safe."}},
      {{"shipi", ""},
       {"Шипы", "Spikes"},
       {"Пробитые шины: грузовик медленнее.", "Punctured tyres: the truck slows down."}},
      {{"bomb", ""},
       {"Бомба", "Bomb"},
       {"Взрыв: −40 прочности и волчок.", "Blast: −40 health and a spin."}},
      {{"boxes", "barier"},
       {"Ящики и барьер", "Crates and barrier"},
       {"−15 прочности и потеря скорости.", "−15 health and lost speed."}},
  };
  const int lang = pic.english ? 1 : 0;
  const Item* items = hazards ? kBad : kGood;
  for (int i = 0; i < 5; ++i) {
    const double col = i < 3 ? 24 : 350, y = 84 + (i % 3) * 82;
    // The pickups themselves, as big as fits a 108 x 56 box.
    double width = 0, height = 0;
    for (const char* name : items[i].pictures) {
      if (const Picture* s = *name ? FindPicture(name, Archive::kRace) : nullptr) {
        width += s->tileWidth + 4;
        height = std::max(height, static_cast<double>(s->tileHeight));
      }
    }
    const double scale = std::min({1.3, 108 / std::max(1.0, width), 56 / std::max(1.0, height)});
    double x = col;
    for (const char* name : items[i].pictures) {
      if (const Picture* s = *name ? FindPicture(name, Archive::kRace) : nullptr) {
        DrawPicture(cr, name, Archive::kRace, 0, x, y + 28 - s->tileHeight * scale / 2, scale);
        x += (s->tileWidth + 4) * scale;
      }
    }
    HelpRow(cr, col + 118, y + 12, items[i].title[lang], items[i].text[lang], 190);
  }
  if (!hazards) {
    UseFont(cr, Face::kSans, 13, false);
    Paragraph(cr, 350, 84 + 2 * 82 + 12, 290,
              Say(pic, "Бонусы лежат прямо на дороге. Соперники тоже их подбирают!",
                  "Pickups lie right on the road. Your rivals grab them too!"),
              palette::kNavyLight, 16);
  } else {
    UseFont(cr, Face::kSans, 13, false);
    Paragraph(cr, 350, 84 + 2 * 82 + 12, 290,
              Say(pic, "Пока грузовик мигает после аварии, препятствия ему не страшны.",
                  "While the truck blinks after a crash, hazards cannot hurt it."),
              palette::kNavyLight, 16);
  }
}

void HelpRules(cairo_t* cr, const Picture& pic) {
  using namespace palette;
  static constexpr const char* kRules[][2] = {
      {"Старт — когда загорится зелёный свет.", "Go when the green light comes on."},
      {"Приз гонки делится на занятое место: первому — весь.",
       "The prize is divided by your place: the winner takes it all."},
      {"Часы идут: не успели до финиша — игра окончена.",
       "The clock runs: miss the finish in time and the game is over."},
      {"Удары о стены и соперников отнимают прочность.",
       "Hitting walls and rivals costs your truck health."},
      {"Разбитый грузовик заменяет запасной; их три.",
       "A wrecked truck is replaced by a spare; you have three."},
      {"Поехали назад — вас вернут на дорогу.", "Drive the wrong way and you are put back."},
      {"С каждой гонкой соперников больше, трасса длиннее.",
       "Every race brings more rivals and a longer track."},
  };
  UseFont(cr, Face::kSans, 15, true);
  for (int i = 0; i < 7; ++i) {
    const double y = 92 + i * 33;
    Star(cr, 52, y, 5, 9, 4, 0);
    SetColor(cr, i % 2 ? kOrange : kAmber);
    cairo_fill(cr);
    TextLeft(cr, 70, y, kRules[i][pic.english ? 1 : 0], kNavy);
  }
  // Start lights on the right.
  DrawPicture(cr, "svetophor", Archive::kRace, 0, 588, 84, 0.85);
  for (int i = 0; i < 3; ++i) {
    static constexpr const char* kLamps[] = {"redlight", "yellowlight", "greenlight"};
    DrawPicture(cr, kLamps[i], Archive::kRace, 0, 588 - 7 * 0.85, 84 + (-22 + i * 54.5) * 0.85,
                0.85);
  }
}

// Second lines of the question and notice cards, by icon.
std::string_view DetailOf(const Picture& pic) {
  switch (pic.variant) {
    case kIconTrash:
      return Say(pic, "Все результаты будут стёрты.", "Every result will be erased.");
    case kIconDoor:
      return Say(pic, "Настройки и успехи сохранятся.", "Your settings and progress are kept.");
    case kIconPerson:
      return Say(pic, "Игрок будет удалён из списка:", "This player leaves the list:");
    case kIconFlag:
      return Say(pic, "Игра закончится, набранные очки засчитаются.",
                 "The game ends; the points you have won still count.");
    case kIconUpload:
      return Say(pic, "Результат попадёт в таблицу рекордов в сети.",
                 "Your result goes to the online high-score table.");
    case kIconWreck:
      return Say(pic, "Все запасные грузовики разбиты.", "All your spare trucks are wrecked.");
    default:
      return Say(pic, "Вы не успели доехать до финиша.", "You did not reach the finish in time.");
  }
}

void QuestionBody(cairo_t* cr, const Picture& pic, double top) {
  using namespace palette;
  DrawDialogIcon(cr, pic.variant, 120, top + 70, 100);
  FitFont(cr, Face::kSans, 26, true, pic.text, 420);
  TextCentred(cr, 390, top + 34, pic.text, kNavy);
  UseFont(cr, Face::kSans, 16, false);
  const std::vector<std::string> lines = Wrap(cr, DetailOf(pic), 400);
  for (size_t i = 0; i < lines.size(); ++i) {
    TextCentred(cr, 390, top + 72 + i * 22.0, lines[i], Hex(0x34405A));
  }
}

}  // namespace

void PaintHelpPage(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  DrawCard(cr, pic.tileWidth, pic.tileHeight, pic.text);
  switch (pic.variant) {
    case 1:
      HelpControls(cr, pic);
      break;
    case 2:
      HelpPickups(cr, pic, false);
      break;
    case 3:
      HelpPickups(cr, pic, true);
      break;
    default:
      HelpRules(cr, pic);
      break;
  }
  UseFont(cr, Face::kSans, 12, true);
  TextRight(cr, pic.tileWidth - 36, pic.tileHeight - 32,
            std::string(Say(pic, "страница ", "page ")) + std::to_string(pic.variant) +
                std::string(Say(pic, " из 4", " of 4")),
            kNavyLight);
}

void PaintHiScoreScreen(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  DrawCard(cr, pic.tileWidth, pic.tileHeight, pic.text);
  // The game writes row n (1..10) from y 213 + 17 n down (screen) in dark blue Gungsuh 11: rank
  // centred on x 244, name on 380, score on 540. The capitals fall 4..14 pixels below that y and
  // the descenders reach 17, so each row's stripe starts one pixel below it.
  auto stripeTop = [](int n) { return kHiScoreRowY + kHiScoreRowStep * n + 1 - kCardY; };
  const double tableTop = stripeTop(1) - 30, tableBottom = stripeTop(10) + kHiScoreRowStep + 6;
  // The table reaches right to the difficulty column (centred on x 612 on screen).
  DrawInset(cr, 96, tableTop, 508, tableBottom - tableTop, 10);
  UseFont(cr, Face::kSans, 13, true);
  for (auto [x, label] : {std::pair{184.0, Say(pic, "Место", "Place")},
                          {320.0, Say(pic, "Игрок", "Player")},
                          {480.0, Say(pic, "Очки", "Score")},
                          {552.0, Say(pic, "Сложность", "Difficulty")}}) {
    TextCentred(cr, x, stripeTop(1) - 14, label, kOrange);
  }
  for (int n = 1; n <= 10; n += 2) {
    cairo_rectangle(cr, 102, stripeTop(n), 496, kHiScoreRowStep);
    SetColor(cr, kAmber, 0.16);
    cairo_fill(cr);
  }
  // Cups for the first three places, in their rows left of the rank.
  static constexpr Rgb kCups[] = {Hex(0xFFD34D), Hex(0xDDE3EA), Hex(0xE0965A)};
  for (int i = 0; i < 3; ++i) {
    const double s = 0.38;  // the cup is 39 s tall: 15 pixels fit a 17-pixel row
    const double cx = 165, cy = stripeTop(i + 1) + kHiScoreRowStep / 2 - 3.5 * s;
    auto bowl = [&] {
      cairo_move_to(cr, cx - 16 * s, cy - 16 * s);
      cairo_line_to(cr, cx + 16 * s, cy - 16 * s);
      cairo_curve_to(cr, cx + 16 * s, cy + 6 * s, cx + 6 * s, cy + 10 * s, cx, cy + 10 * s);
      cairo_curve_to(cr, cx - 6 * s, cy + 10 * s, cx - 16 * s, cy + 6 * s, cx - 16 * s,
                     cy - 16 * s);
      cairo_close_path(cr);
    };
    bowl();
    FillVertical(cr, cy - 16 * s, cy + 10 * s, Lighter(kCups[i], 0.4), Darker(kCups[i], 0.2));
    bowl();  // a dark rim keeps the silver cup visible on the light stripes
    SetColor(cr, Darker(kCups[i], 0.5));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_rectangle(cr, cx - 3 * s, cy + 10 * s, 6 * s, 8 * s);
    RoundedRect(cr, cx - 11 * s, cy + 17 * s, 22 * s, 6 * s, 1);
    SetColor(cr, Darker(kCups[i], 0.3));
    cairo_fill(cr);
  }
}

void PaintQuestion(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double top =
      DrawCard(cr, pic.tileWidth, pic.tileHeight, Say(pic, "Подтверждение", "Please Confirm"));
  QuestionBody(cr, pic, top);
  if (pic.variant == kIconPerson) {
    // The game writes the profile's name centred on x 400 from y 280 down (screen) in dark blue
    // Gungsuh 28, its capitals on 288..314; the field is centred on them and ends above the yes
    // button at y 327.
    DrawInset(cr, 170, 188, 340, 44, 10);
  }
}

void PaintAddProfile(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double top = DrawCard(cr, pic.tileWidth, pic.tileHeight, pic.text);
  DrawDialogIcon(cr, kIconNewPerson, 84, top + 50, 80);
  UseFont(cr, Face::kSans, 24, true);
  TextCentred(cr, 340, top + 40, Say(pic, "Как вас зовут?", "What is your name?"), kNavy);
  UseFont(cr, Face::kSans, 15, false);
  TextCentred(cr, 340, top + 72,
              Say(pic, "Имя появится в таблице рекордов.", "It will appear in the high scores."),
              Hex(0x34405A));
  // The name box ("e_name") sits at (200, 276) on screen.
  RoundedRect(cr, 134, 180, 412, 62, 12);
  SetColor(cr, kNavy, 0.12);
  cairo_fill(cr);
  UseFont(cr, Face::kSans, 13, false);
  TextCentred(cr, 340, 262,
              Say(pic, "До 12 букв. Enter — готово.", "Up to 12 letters. Enter when done."),
              kNavyLight);
}

void PaintSeedRace(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double top = DrawCard(cr, pic.tileWidth, pic.tileHeight, pic.text);
  DrawDialogIcon(cr, kIconFlag, 84, top + 50, 80);
  UseFont(cr, Face::kSans, 24, true);
  TextCentred(cr, 340, top + 40, Say(pic, "Введите код трассы", "Type a road code"), kNavy);
  UseFont(cr, Face::kSans, 15, false);
  TextCentred(cr, 340, top + 72,
              Say(pic, "Код есть на экране итогов каждой гонки.",
                  "Every race's results screen shows its code."),
              Hex(0x34405A));
  // The code box ("e_name") sits at (200, 264) on screen; the game writes what the code holds
  // (or what is wrong with it) from y 320 below it.
  RoundedRect(cr, 134, 168, 412, 62, 12);
  SetColor(cr, kNavy, 0.12);
  cairo_fill(cr);
  // The road of the day: the game writes its date, code and the player's best at y 365 and 390.
  cairo_rectangle(cr, 60, 258, 560, 2);
  SetColor(cr, kNavy, 0.25);
  cairo_fill(cr);
  DrawDialogIcon(cr, kIconStopwatch, 84, 302, 56);
}

void PaintReplayList(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  DrawCard(cr, pic.tileWidth, pic.tileHeight, pic.text);
  // The game writes ten rows from y 190 (screen) 20 apart; the headings sit above them at 172.
  DrawInset(cr, 24, 66, 632, 244, 10);
  UseFont(cr, Face::kSans, 13, true);
  for (auto [x, label] : {std::pair{92.0, Say(pic, "Дата (UTC)", "Date (UTC)")},
                          {226.0, Say(pic, "Трасса", "Track")},
                          {320.0, Say(pic, "Грузовик", "Truck")},
                          {418.0, Say(pic, "Место", "Place")},
                          {498.0, Say(pic, "Время", "Time")},
                          {590.0, Say(pic, "Запись", "Kept as")}}) {
    TextCentred(cr, x, 88, label, kOrange);
  }
  for (int n = 0; n < 10; n += 2) {
    cairo_rectangle(cr, 30, 100 + 20 * n, 620, 20);
    SetColor(cr, kAmber, 0.16);
    cairo_fill(cr);
  }
}

void PaintOptions(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  DrawCard(cr, pic.tileWidth, pic.tileHeight, pic.text);
  // Rows follow the widgets: switches at y 194 and 245, volume at 323, text box at 377 (screen).
  struct Row {
    double centreY;
    const char* label[2];  // Russian, English
    const char* hint[2];
  };
  static constexpr Row kOptionRows[] = {
      {124, {"Полный экран", "Full screen"}, {"После «Применить»", "After “Apply”"}},
      {175, {"Музыка", "Music"}, {"Включить или выключить", "On or off"}},
      {247, {"Громкость звуков", "Sound volume"}, {"Шесть ступеней", "Six steps"}},
      {304, {"Девиз", "Motto"}, {"Уйдёт вместе с рекордом", "Sent along with your score"}}};
  // The screen and sound card (variant 1): switches at y 170, 218 and 266, the music's volume at
  // 326 and the language at 372 (screen).
  static constexpr Row kScreenRows[] = {
      {100, {"Полный экран", "Full screen"}, {"Сразу, как Alt+Enter", "At once, like Alt+Enter"}},
      {148,
       {"Масштаб", "Scaling"},
       {"Обычное — во всё окно, Чёткое — целые шаги",
        "Fit fills the window, Sharp keeps whole steps"}},
      {196,
       {"Вертикальная синхронизация", "Vertical sync"},
       {"Без разрывов кадра", "No torn frames"}},
      {250, {"Громкость музыки", "Music volume"}, {"Шесть ступеней", "Six steps"}},
      {302, {"Язык", "Language"}, {"Language: русский или English", "Russian or English"}}};
  const int lang = pic.english ? 1 : 0;
  const bool screen = pic.variant == 1;
  const Row* rows = screen ? kScreenRows : kOptionRows;
  const int count =
      screen ? static_cast<int>(std::size(kScreenRows)) : static_cast<int>(std::size(kOptionRows));
  for (int i = 0; i < count; ++i) {
    const Row& r = rows[i];
    if (i > 0) {
      const double y = (rows[i - 1].centreY + r.centreY) / 2;
      cairo_move_to(cr, 40, y);
      cairo_line_to(cr, 640, y);
      SetColor(cr, kNavy, 0.15);
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
    Star(cr, 50, r.centreY, 4, 7, 3, kPi / 4);
    SetColor(cr, kOrange);
    cairo_fill(cr);
    UseFont(cr, Face::kSans, 19, true);
    TextLeft(cr, 66, r.centreY - 6, r.label[lang], kNavy);
    UseFont(cr, Face::kSans, 12, false);
    TextLeft(cr, 66, r.centreY + 13, r.hint[lang], kNavyLight);
  }
  // Groove behind the volume keys and bar, (453, 323) - (681, 351) on screen on the options card.
  const double volumeY = screen ? kScreenRows[3].centreY : kOptionRows[2].centreY;
  RoundedRect(cr, 387, volumeY - 20, 240, 40, 10);
  SetColor(cr, kNavy, 0.12);
  cairo_fill(cr);
}

void PaintControls(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  DrawCard(cr, pic.tileWidth, pic.tileHeight, pic.text);
  // The game writes nine rows from y 182 in steps of 25 (screen): the action's name from x 86,
  // two key slots at x 270 and 382 and two controller slots at 502 and 614, each 104 x 22.
  constexpr double kRowTop = 182 - kCardY, kRowStep = 25, kRows = 9;
  UseFont(cr, Face::kSans, 13, true);
  TextLeft(cr, 26, kRowTop - 10, Say(pic, "Действие", "Action"), kOrange);
  TextCentred(cr, 318, kRowTop - 10, Say(pic, "Клавиатура", "Keyboard"), kOrange);
  TextCentred(cr, 550, kRowTop - 10, Say(pic, "Геймпад", "Controller"), kOrange);
  for (int n = 0; n < kRows; n += 2) {
    cairo_rectangle(cr, 20, kRowTop + kRowStep * n - 1.5, 644, kRowStep - 1);
    SetColor(cr, kAmber, 0.16);
    cairo_fill(cr);
  }
  // The keyboard and the controller columns apart.
  cairo_move_to(cr, 434, kRowTop - 20);
  cairo_line_to(cr, 434, kRowTop + kRowStep * kRows - 2);
  SetColor(cr, kNavy, 0.2);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void PaintProfileList(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  DrawCard(cr, pic.tileWidth, pic.tileHeight, pic.text);
  // Ten names at y 206 + 20 i (screen), centred on x 405, over the pulsing bar at x 236 .. 574; the
  // field is as wide as the bar.
  DrawInset(cr, 176, 106, 338, 214, 10);
  for (int i = 0; i < 10; ++i) {
    const double y = 203 + 20 * i - 90;
    UseFont(cr, Face::kSans, 10, true);
    TextRight(cr, 198, y + 10, std::to_string(i + 1), Hex(0xB0A890));
  }
  UseFont(cr, Face::kSans, 12, false);
  TextCentred(cr, 90, 150, Say(pic, "Кто сегодня", "Who is"), kNavyLight);
  TextCentred(cr, 90, 166, Say(pic, "за рулём?", "driving today?"), kNavyLight);
  DrawDialogIcon(cr, kIconFlag, 90, 230, 70);
  DrawDialogIcon(cr, kIconPlayer, 590, 200, 80);
}

void PaintRaceVeil(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const double w = pic.tileWidth, h = pic.tileHeight;
  // The frozen race stays visible under the overlays: a dark veil, darker at the edges.
  cairo_pattern_t* v = cairo_pattern_create_radial(w / 2, h / 2, h * 0.2, w / 2, h / 2, w * 0.65);
  AddStop(v, 0, Hex(0x0B1020), 0.5);
  AddStop(v, 1, Hex(0x0B1020), 0.78);
  cairo_set_source(cr, v);
  cairo_paint(cr);
  cairo_pattern_destroy(v);
}

void PaintYourScore(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double top = DrawCard(cr, pic.tileWidth, pic.tileHeight, pic.text);
  DrawDialogIcon(cr, kIconFlag, 110, top + 110, 110);
  UseFont(cr, Face::kSans, 22, true);
  TextCentred(cr, 350, top + 52, Say(pic, "Игра окончена. Ваш счёт:", "Game over. Your score:"),
              kNavy);
  // The game writes the score centred on x 410 at y 283 (screen), 20-point bold dark grey.
  DrawInset(cr, 226, 180, 248, 54, 12);
  UseFont(cr, Face::kSans, 14, false);
  TextCentred(cr, 350, 262,
              Say(pic, "Сейчас посмотрим, попали ли вы в рекорды!",
                  "Let's see if you made the high scores!"),
              kNavyLight);
}

void PaintRaceOver(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  DrawCard(cr, pic.tileWidth, pic.tileHeight, pic.text);
  // Four values centred on x 593 at y 217, 268, 320, 373 (screen); labels to their left.
  static constexpr const char* kLabels[][2] = {
      {"Место", "Place"}, {"Осталось времени", "Time left"}, {"Приз", "Prize"}, {"Счёт", "Score"}};
  static constexpr double kRows[] = {217, 268, 320, 373};
  for (int i = 0; i < 4; ++i) {
    const double y = kRows[i] - 90;
    DrawInset(cr, 453, y - 7, 160, 36, 8);
    UseFont(cr, Face::kSans, 19, true);
    TextRight(cr, 440, y + 11, kLabels[i][pic.english ? 1 : 0], kNavy);
  }
  // A podium with the chequered flag.
  const double px = 130, base = 300;
  static constexpr double kSteps[3][3] = {{-60, 40, 2}, {-20, 70, 1}, {20, 28, 3}};
  for (const auto& s : kSteps) {
    RoundedRect(cr, px + s[0], base - s[1], 40, s[1], 3);
    FillVertical(cr, base - s[1], base, s[2] == 1 ? kAmber : kCreamDark, Darker(kCreamDark, 0.2));
    UseFont(cr, Face::kSans, 16, true);
    TextCentred(cr, px + s[0] + 20, base - s[1] + 15, std::to_string(static_cast<int>(s[2])),
                kNavy);
  }
  DrawDialogIcon(cr, kIconFlag, px, 160, 80);
}

void PaintRaceNotice(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const bool question = pic.variant == kIconFlag || pic.variant == kIconUpload;
  const double top = DrawCard(cr, pic.tileWidth, pic.tileHeight,
                              question ? Say(pic, "Вопрос", "Question") : pic.text);
  if (question) {
    QuestionBody(cr, pic, top + 30);
    return;
  }
  // Shown for a moment before the final score: a big picture and the reason.
  DrawDialogIcon(cr, pic.variant, pic.tileWidth / 2.0, top + 120, 150);
  UseFont(cr, Face::kSans, 20, true);
  TextCentred(cr, pic.tileWidth / 2.0, top + 230, DetailOf(pic), kNavy);
}

}  // namespace assetgen
