// The difficulty a game is played on: the classic rules, or the easier ones a new player may pick.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/Language.h"

namespace game {

// Classic keeps every rule and constant of the original game; Easy gives a longer clock, softer
// walls and lets a spare truck buy another try when the time runs out.
enum class Difficulty : uint8_t { Classic = 0, Easy = 1 };

// The name the player sees in Language, in code page 1251: "Классика", "Лёгкая" in Russian.
std::string DifficultyName(Difficulty difficulty, Language language);
// The word stored in our files and sent to the score server: "classic", "easy".
std::string_view DifficultyToken(Difficulty difficulty);
// Reads a stored word; false (and out unchanged) for anything else.
bool ParseDifficultyToken(std::string_view token, Difficulty& out);

}  // namespace game
