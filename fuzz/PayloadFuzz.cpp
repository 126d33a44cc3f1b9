// Fuzz target: the score server's query parsing and submission decoding and checks.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "server/Protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto params = scored::ParseQuery(input);
  if (params) {
    const auto code = scored::SingleParam(*params, "inf");
    if (code) (void)scored::CheckSubmission(*code);
  }
  const scored::SubmissionCheck check = scored::CheckSubmission(input);
  if (check.submission) {
    const scored::Submission& entry = *check.submission;
    fuzzcheck::Require(!entry.name.empty() && entry.name.size() <= scored::kMaxNameLength,
                       "an accepted name is 1 to 12 characters");
    fuzzcheck::Require(entry.score >= 0 && entry.score <= scored::kMaxScore,
                       "an accepted score is in range");
    fuzzcheck::Require(entry.text.size() <= scored::kMaxTextLength,
                       "an accepted options text is at most 12 characters");
    fuzzcheck::Require(std::find(scored::kDifficulties.begin(), scored::kDifficulties.end(),
                                 entry.difficulty) != scored::kDifficulties.end(),
                       "an accepted difficulty is a known one");
  }
  return 0;
}
