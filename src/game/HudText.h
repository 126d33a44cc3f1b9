// The race display's text: place, clock, spare trucks and score during a race, and the result
// lines of the results screen.
#pragma once

#include <cstdint>
#include <string>

namespace engine {
class TOmegaFont;
}

namespace game {

class TForm1;

// "M:SS:HH": minutes without a leading zero, seconds and hundredths with two digits.
std::string ClockText(int32_t minutes, int32_t seconds, int32_t hundredths);
// Draws the text with its left edge at x minus half its width (truncated) and its top at y.
void TextCentredOn(engine::TOmegaFont& font, int32_t x, int32_t y, const std::string& text);
// Place "P/N", the race clock, the spare trucks and the score, in OmegaFont2 (the race,
// pause and destroyed-truck frames draw it).
void ShowScreenHud(TForm1& form);
// The results screen's lines 1..ResultLines in OmegaFont1: place, finish time, prize, score.
void ShowRaceResults(TForm1& form);
// The race's road code under the result values, right of the next-race button, in OmegaFont1.
void ShowRoadCode(TForm1& form);

}  // namespace game
