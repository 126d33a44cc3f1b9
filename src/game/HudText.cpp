// Draws the race display's text and the results screen's lines.
#include "game/HudText.h"

#include <cstdio>

#include "engine/OmegaFont.h"
#include "game/MainForm.h"
#include "game/Phrases.h"
#include "game/Player.h"

namespace game {

std::string ClockText(int32_t minutes, int32_t seconds, int32_t hundredths) {
  char text[48];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", minutes, seconds, hundredths);
  return text;
}

void TextCentredOn(engine::TOmegaFont& font, int32_t x, int32_t y, const std::string& text) {
  font.TextOut(x - font.TextWidth(text) / 2, y, text);
}

void ShowScreenHud(TForm1& form) {
  RaceState& race = form.Race;
  engine::TOmegaFont& font = form.OmegaFont2;
  if (const TPlayer* player = race.Player) {
    font.TextOut(
        78, 500,
        std::to_string(player->RacePosition) + "/" + std::to_string(race.OpponentCount + 1));
  }
  TextCentredOn(font, 98, 531, ClockText(race.TimeLeftMin, race.TimeLeftSec, race.TimeLeftHund));
  TextCentredOn(font, 114, 562, std::to_string(race.Lives));
  TextCentredOn(font, 735, 569, std::to_string(form.Score));
}

void ShowRaceResults(TForm1& form) {
  const RaceState& race = form.Race;
  engine::TOmegaFont& font = form.OmegaFont1;
  const int32_t lines = race.ResultLines;
  if (lines >= 1) TextCentredOn(font, 593, 217, std::to_string(race.FinishPlace));
  if (lines >= 2)
    TextCentredOn(font, 593, 268, ClockText(race.FinishMin, race.FinishSec, race.FinishHund));
  if (lines >= 3) TextCentredOn(font, 594, 320, std::to_string(race.RacePrize));
  if (lines >= 4) TextCentredOn(font, 593, 373, std::to_string(form.Score));
}

void ShowRoadCode(TForm1& form) {
  engine::TOmegaFont& font = form.OmegaFont1;
  std::string label = Say(form.Lang, Phrase::RoadCodeLabel);
  while (!label.empty() && label.back() == ' ') label.pop_back();
  TextCentredOn(font, 593, 418, label);
  TextCentredOn(font, 593, 440, EncodeRoadCode(form.Race.Road));
}

}  // namespace game
