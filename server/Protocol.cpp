// The score server's protocol checks.
#include "server/Protocol.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "online/TextCodec.h"

namespace scored {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> UrlDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      const int hi = HexValue(text[i + 1]);
      const int lo = HexValue(text[i + 2]);
      if (hi < 0 || lo < 0) return std::nullopt;
      out += static_cast<char>(hi * 16 + lo);
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

// Control characters (and the one unassigned 1251 byte) have no place in a shown name.
bool Printable1251(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F || b == 0x98;
  });
}

bool IsToken(std::string_view text) {
  return !text.empty() && text.size() <= 64 &&
         std::all_of(text.begin(), text.end(), [](char c) { return HexValue(c) >= 0; });
}

// Only the digits the game writes: no sign, no leading zero, within what a game can reach.
std::optional<int32_t> ParseScore(std::string_view text) {
  if (text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  if (value > kMaxScore || (text.size() > 1 && text[0] == '0')) return std::nullopt;
  return value;
}

}  // namespace

std::optional<QueryParams> ParseQuery(std::string_view query) {
  QueryParams params;
  size_t start = 0;
  while (start <= query.size()) {
    size_t end = query.find('&', start);
    if (end == std::string_view::npos) end = query.size();
    const std::string_view item = query.substr(start, end - start);
    if (!item.empty()) {
      const size_t eq = item.find('=');
      auto key = UrlDecode(item.substr(0, eq));
      auto value =
          UrlDecode(eq == std::string_view::npos ? std::string_view() : item.substr(eq + 1));
      if (!key || !value) return std::nullopt;
      params.emplace_back(std::move(*key), std::move(*value));
    }
    start = end + 1;
  }
  return params;
}

std::optional<std::string> SingleParam(const QueryParams& params, std::string_view name) {
  std::optional<std::string> found;
  for (const auto& [key, value] : params) {
    if (key != name) continue;
    if (found) return std::nullopt;
    found = value;
  }
  return found;
}

SubmissionCheck CheckSubmission(std::string_view code) {
  SubmissionCheck check;
  if (code.empty() || code.size() > kMaxCodeLength) {
    check.problem = "the code is empty or too long";
    return check;
  }
  // The client pads its text to a multiple of 5 bytes, so a genuine code is whole 8-symbol groups.
  if (code.size() % 8 != 0 ||
      code.find_first_not_of(online::kCodecAlphabet) != std::string_view::npos) {
    check.problem = "the code is malformed";
    return check;
  }
  const std::string text = online::decode(code);

  constexpr std::array<std::string_view, 8> kFields = {"type", "name", "score", "key",
                                                       "p",    "add",  "z",     "dif"};
  constexpr size_t kOptionalDifficulty = 7;
  std::array<std::optional<std::string_view>, kFields.size()> values;
  const std::string_view all = text;
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find('|', start);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view field = all.substr(start, end - start);
    const size_t eq = field.find('=');
    const auto known = std::find(kFields.begin(), kFields.end(), field.substr(0, eq));
    if (eq == std::string_view::npos || known == kFields.end()) {
      check.problem = "unknown field";
      return check;
    }
    auto& slot = values[static_cast<size_t>(known - kFields.begin())];
    if (slot) {
      check.problem = "repeated field";
      return check;
    }
    slot = field.substr(eq + 1);
    start = end + 1;
  }
  for (size_t i = 0; i < kOptionalDifficulty; ++i) {
    if (!values[i]) {
      check.problem = "missing field";
      return check;
    }
  }
  const std::string_view type = *values[0], name = *values[1], score = *values[2], key = *values[3],
                         token = *values[4], add = *values[5], pad = *values[6];
  if (type != "0" || key != "X") {
    check.problem = "wrong type or key";
    return check;
  }
  if (pad.size() > 4 || pad.find_first_not_of('0') != std::string_view::npos) {
    check.problem = "wrong padding";
    return check;
  }
  if (name.empty() || name.size() > kMaxNameLength || !Printable1251(name) ||
      name.find_first_not_of(' ') == std::string_view::npos) {
    check.problem = "the name is empty, too long or holds control characters";
    return check;
  }
  if (add.size() > kMaxTextLength || !Printable1251(add)) {
    check.problem = "the text is too long or holds control characters";
    return check;
  }
  const auto value = ParseScore(score);
  if (!value) {
    check.problem = "the score is not one a game can reach";
    return check;
  }
  if (!IsToken(token)) {
    check.problem = "no valid token";
    return check;
  }
  const std::string_view difficulty = values[kOptionalDifficulty].value_or(kClassic);
  if (std::find(kDifficulties.begin(), kDifficulties.end(), difficulty) == kDifficulties.end()) {
    check.problem = "unknown difficulty";
    return check;
  }
  check.submission = Submission{std::string(name), *value, std::string(token), std::string(add),
                                std::string(difficulty)};
  return check;
}

}  // namespace scored
