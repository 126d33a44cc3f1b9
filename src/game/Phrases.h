// The phrase book: every text the game writes on screen, in Russian and in English.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

#include "game/Language.h"

namespace game {

enum class Phrase : uint8_t {
  Hello,  // before the player's name on the main menu: "Привет, NAME!"
  Pause,
  Loading,
  Level,  // before the race number
  WrongWay,
  ClassicName,
  EasyName,
  TooHardHint,
  SpareTruckHint,
  ScoreSending,
  ScoreUnreachable,
  ScoreNotTakenBefore,  // "... (code " CODE "), will send later"
  ScoreNotTakenAfter,
  ScoreRefused,  // "... (code " CODE ")"
  ScoreSent,
  ScoresSent,  // before the count
  TrackTitle,  // before the track's number
  BestTime,
  Length,
  Laps,
  Opponents,
  ControlsHint,
  ControlsWaitKey,  // after the action's name
  ControlsWaitPad,
  ControlsTakenBefore,  // KEY " ... " ACTION " ... "
  ControlsTakenAfter,
  VSyncRefused,
  PickerSpace,  // the letter picker's command keys
  PickerDelete,
  PickerDone,
  RoadCodeLabel,  // before a road code
  RoadCodeLength,
  RoadCodeSymbol,
  RoadCodeTypo,
  DailyRoad,  // before the date
  DailyBest,  // before the time
  DailyNoTime,
  YourTime,  // before the time
  ReplayOtherVersion,
  RoadBest,  // before the time, after the code's details
  GhostShown,
  GhostHidden,
  ReplayBanner,  // over a replay being watched, before its speed
  ReplayRace,    // "race 2 of 5": before the number
  ReplayOf,
  ReplayKeys,
  ReplayDamaged,
  ReplaysTitle,
  ReplaysNone,
  ReplayLastGame,  // a line of the replays screen: the race of the last game
  ReplayBestRun,   // the best run on a road code
  ReplayNotFinished,
  ReplayTrack,     // before the track's number
  ReplayGameRace,  // a race of the last game: before its number
  ScoreReplayRefused,
  SendDailyTime,  // the seed screen's button
  DailyTimeSending,
  DailyTimeSent,
  Count
};

struct PhraseForms {
  Phrase phrase;
  const char* russian;  // UTF-8 in the source, code page 1251 on screen
  const char* english;
};

// One row per phrase, in the order of Phrase.
inline constexpr PhraseForms kPhrases[] = {
    {Phrase::Hello, "Привет, ", "Hello, "},
    {Phrase::Pause, "Пауза", "Pause"},
    {Phrase::Loading, "Загрузка", "Loading"},
    {Phrase::Level, "Уровень ", "Level "},
    {Phrase::WrongWay, "Неправильный путь!", "Wrong way!"},
    {Phrase::ClassicName, "Классика", "Classic"},
    {Phrase::EasyName, "Лёгкая", "Easy"},
    {Phrase::TooHardHint, "Слишком трудно? Попробуйте уровень «Лёгкая» на экране выбора грузовика.",
     "Too hard? Try the \"Easy\" level on the truck choice screen."},
    {Phrase::SpareTruckHint, "Запасной грузовик даёт новую попытку: гонка начнётся заново.",
     "A spare truck buys another try: the race starts again."},
    {Phrase::ScoreSending, "Результат отправляется на сервер…",
     "Sending your result to the server…"},
    {Phrase::ScoreUnreachable, "Нет связи с сервером: результат отправим позже",
     "No connection to the server: the result will be sent later"},
    {Phrase::ScoreNotTakenBefore, "Сервер не принял результат (код ",
     "The server did not take the result (code "},
    {Phrase::ScoreNotTakenAfter, "), отправим позже", "), it will be sent later"},
    {Phrase::ScoreRefused, "Сервер отклонил результат (код ",
     "The server refused the result (code "},
    {Phrase::ScoreSent, "Результат отправлен на сервер", "Your result was sent to the server"},
    {Phrase::ScoresSent, "Отправлено результатов: ", "Results sent: "},
    {Phrase::TrackTitle, "Трасса ", "Track "},
    {Phrase::BestTime, "Лучшее время:", "Best time: "},
    {Phrase::Length, "Длина:", "Length:"},
    {Phrase::Laps, "Круги:", "Laps:"},
    {Phrase::Opponents, "Соперники:", "Opponents:"},
    {Phrase::ControlsHint, "Щёлкните клетку и нажмите клавишу или кнопку геймпада.",
     "Click a cell, then press a key or a controller button."},
    {Phrase::ControlsWaitKey, ": нажмите клавишу… Esc — отмена", ": press a key… Esc cancels"},
    {Phrase::ControlsWaitPad, ": нажмите кнопку геймпада… Esc — отмена",
     ": press a controller button… Esc cancels"},
    {Phrase::ControlsTakenBefore, " уже у действия ", " already belongs to "},
    {Phrase::ControlsTakenAfter, ". Забрать?", ". Take it?"},
    {Phrase::VSyncRefused, "Драйвер не даёт включить синхронизацию",
     "The driver does not allow vertical sync"},
    {Phrase::PickerSpace, "Пробел", "Space"},
    {Phrase::PickerDelete, "< Стереть", "< Delete"},
    {Phrase::PickerDone, "Готово", "Done"},
    {Phrase::RoadCodeLabel, "Код трассы: ", "Road code: "},
    {Phrase::RoadCodeLength, "В коде трассы 10 знаков: буквы и цифры",
     "A road code has 10 letters and digits"},
    {Phrase::RoadCodeSymbol, "В кодах нет букв I, O и цифр 0, 1",
     "Road codes have no I, O, 0 or 1"},
    {Phrase::RoadCodeTypo, "В коде опечатка: проверьте знаки", "This code has a typo: check it"},
    {Phrase::DailyRoad, "Трасса дня ", "Road of the day "},
    {Phrase::DailyBest, "Ваше лучшее время: ", "Your best time: "},
    {Phrase::DailyNoTime, "Ваше лучшее время: пока нет", "Your best time: none yet"},
    {Phrase::YourTime, "Время гонки: ", "Race time: "},
    {Phrase::ReplayOtherVersion, "Повтор записан другой версией игры",
     "The replay was recorded by another version of the game"},
    {Phrase::RoadBest, ", лучшее: ", ", best: "},
    {Phrase::GhostShown, "Призрак: показан", "Ghost: shown"},
    {Phrase::GhostHidden, "Призрак: скрыт", "Ghost: hidden"},
    {Phrase::ReplayBanner, "ПОВТОР", "REPLAY"},
    {Phrase::ReplayRace, "гонка ", "race "},
    {Phrase::ReplayOf, " из ", " of "},
    {Phrase::ReplayKeys, "Пробел - пауза, стрелки - скорость, Esc - выход",
     "Space pause, arrows speed, Esc leave"},
    {Phrase::ReplayDamaged, "Файл повтора повреждён", "The replay file is damaged"},
    {Phrase::ReplaysTitle, "Повторы", "Replays"},
    {Phrase::ReplaysNone, "Повторов пока нет", "No replays yet"},
    {Phrase::ReplayLastGame, "Последняя игра", "Last game"},
    {Phrase::ReplayBestRun, "Лучший заезд", "Best run"},
    {Phrase::ReplayNotFinished, "сход", "DNF"},
    {Phrase::ReplayTrack, "Трасса ", "Track "},
    {Phrase::ReplayGameRace, "Игра, гонка ", "Game, race "},
    {Phrase::ScoreReplayRefused, "Сервер проверил запись игры и не принял результат",
     "The server replayed the game and did not accept the result"},
    {Phrase::SendDailyTime, "Отправить время", "Send time"},
    {Phrase::DailyTimeSending, "Время отправляется на сервер…", "Sending your time to the server…"},
    {Phrase::DailyTimeSent, "Время отправлено на сервер", "Your time was sent to the server"},
};
static_assert(std::size(kPhrases) == static_cast<size_t>(Phrase::Count));

// The phrase in Language as the game holds text: code page 1251 bytes.
const std::string& Say(Language language, Phrase phrase);

}  // namespace game
