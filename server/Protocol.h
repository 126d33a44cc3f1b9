// The score server's protocol: query strings and the checked contents of a score submission.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scored {

inline constexpr std::string_view kProgram = "Vornakel";
// The game's name entry takes 1 to 12 characters and trims surrounding spaces.
inline constexpr size_t kMaxNameLength = 12;
inline constexpr size_t kMaxTextLength = 12;
// A game's score starts at 0 and only grows: coins add 10 to 30, and every prize point is tallied
// one a frame at 90 frames a second. A billion points would take over 120 days of unbroken play,
// so anything above it is forged.
inline constexpr int32_t kMaxScore = 1000000000;
// A genuine submission code is under 200 symbols; anything far longer is not one.
inline constexpr size_t kMaxCodeLength = 512;

// The difficulties a game is played on, by the words the game sends; each has its own table.
// A submission without a difficulty is a Classic game (what every older client sends).
inline constexpr std::string_view kClassic = "classic";
inline constexpr std::array<std::string_view, 2> kDifficulties = {kClassic, "easy"};

using QueryParams = std::vector<std::pair<std::string, std::string>>;

// Splits "a&b=c" into (a, "") and (b, c), undoing %XX and "+". Null on a malformed escape.
std::optional<QueryParams> ParseQuery(std::string_view query);

// The value of a parameter that occurs exactly once; null when it is absent or repeated.
std::optional<std::string> SingleParam(const QueryParams& params, std::string_view name);

struct Submission {
  std::string name;  // code page 1251
  int32_t score = 0;
  std::string token;
  std::string text;                                // code page 1251
  std::string difficulty = std::string(kClassic);  // one of kDifficulties
};

struct SubmissionCheck {
  std::optional<Submission> submission;
  std::string problem;  // why it was refused
};

// Decodes an "inf" code and checks every field: type 0, a name of 1 to 12 printable characters
// that is not all spaces, a score written as the game writes it (plain decimal, 0 to kMaxScore),
// key X, a token, an options text of at most 12 printable characters, an optional difficulty
// (one of kDifficulties) and "0" padding; each field at most once, all but the difficulty
// required, nothing else.
SubmissionCheck CheckSubmission(std::string_view code);

}  // namespace scored
