// The score server's protocol: query strings and the checked contents of a score submission.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scored {

inline constexpr std::string_view kProgram = "Vornakel";
inline constexpr size_t kMaxNameLength = 12;
inline constexpr size_t kMaxTextLength = 12;
// A genuine submission code is under 200 symbols; anything far longer is not one.
inline constexpr size_t kMaxCodeLength = 512;

using QueryParams = std::vector<std::pair<std::string, std::string>>;

// Splits "a&b=c" into (a, "") and (b, c), undoing %XX and "+". Null on a malformed escape.
std::optional<QueryParams> ParseQuery(std::string_view query);

// The value of a parameter that occurs exactly once; null when it is absent or repeated.
std::optional<std::string> SingleParam(const QueryParams& params, std::string_view name);

struct Submission {
  std::string name;  // code page 1251
  int32_t score = 0;
  std::string token;
  std::string text;  // code page 1251
};

struct SubmissionCheck {
  std::optional<Submission> submission;
  std::string problem;  // why it was refused
};

// Decodes an "inf" code and checks every field: type 0, a name of at most 12 printable
// characters, a decimal score in the signed 32-bit range, key X, a token, an options text of at
// most 12 printable characters and "0" padding; each field exactly once, nothing else.
SubmissionCheck CheckSubmission(std::string_view code);

}  // namespace scored
