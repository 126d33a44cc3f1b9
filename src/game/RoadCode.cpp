// Writing and reading road codes, and the road of the day.
#include "game/RoadCode.h"

#include <ctime>

#include "game/TrackCatalogue.h"
#include "online/TextCodec.h"

namespace game {

namespace {

static_assert(std::size(kTrackCatalogue) == kRoadCodeTracks, "road codes hold twelve tracks");

constexpr int kDataBits = 44;
constexpr int kCheckBits = 6;
constexpr uint32_t kSettingsLimit = 2 * kRoadCodeTracks * kRoadCodeLevels;  // 4080

uint32_t Crc6(uint64_t data) {
  uint32_t crc = 0x3F;
  for (int bit = kDataBits - 1; bit >= 0; --bit) {
    const uint32_t in = static_cast<uint32_t>(data >> bit) & 1u;
    const uint32_t top = crc >> 5 & 1u;
    crc = crc << 1 & 0x3Fu;
    if ((top ^ in) != 0) crc ^= 0x03u;
  }
  return crc;
}

int SymbolValue(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const size_t at = online::kCodecAlphabet.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

std::string EncodeRoadCode(const RoadCode& code) {
  const uint32_t track = code.Track >= 0 && code.Track < kRoadCodeTracks ? code.Track : 0;
  const uint32_t level = code.Level < 1                 ? 1
                         : code.Level > kRoadCodeLevels ? kRoadCodeLevels
                                                        : code.Level;
  const uint32_t easy = code.GameDifficulty == Difficulty::Easy ? 1 : 0;
  const uint32_t settings = (easy * kRoadCodeTracks + track) * kRoadCodeLevels + level - 1;
  const uint64_t data = static_cast<uint64_t>(code.Seed) << 12 | settings;
  const uint64_t word = data << kCheckBits | Crc6(data);
  std::string text;
  for (int i = static_cast<int>(kRoadCodeSymbols) - 1; i >= 0; --i) {
    text += online::kCodecAlphabet[static_cast<size_t>(word >> (5 * i) & 31u)];
    if (i == 5) text += '-';
  }
  return text;
}

std::optional<RoadCode> DecodeRoadCode(std::string_view text, RoadCodeError* error) {
  RoadCodeError ignored;
  RoadCodeError& why = error != nullptr ? *error : ignored;
  uint64_t word = 0;
  size_t symbols = 0;
  bool foreign = false;
  for (char c : text) {
    if (c == '-' || c == ' ') continue;
    const int value = SymbolValue(c);
    if (value < 0) foreign = true;
    word = word << 5 | static_cast<uint64_t>(value < 0 ? 0 : value);
    ++symbols;
  }
  if (symbols != kRoadCodeSymbols) {
    why = RoadCodeError::Length;
    return std::nullopt;
  }
  if (foreign) {
    why = RoadCodeError::Symbol;
    return std::nullopt;
  }
  const uint64_t data = word >> kCheckBits;
  const auto settings = static_cast<uint32_t>(data & 0xFFFu);
  if (Crc6(data) != (word & 0x3Fu) || settings >= kSettingsLimit) {
    why = RoadCodeError::Check;
    return std::nullopt;
  }
  RoadCode code;
  code.Seed = static_cast<uint32_t>(data >> 12);
  code.Level = static_cast<int32_t>(settings % kRoadCodeLevels) + 1;
  code.Track = static_cast<int32_t>(settings / kRoadCodeLevels % kRoadCodeTracks);
  code.GameDifficulty =
      settings / kRoadCodeLevels / kRoadCodeTracks == 1 ? Difficulty::Easy : Difficulty::Classic;
  why = RoadCodeError::None;
  return code;
}

RoadCode DailyRoadCode(std::string_view isoDate) {
  // FNV-1a, then SplitMix64's finaliser: fixed arithmetic, the same on every machine.
  uint64_t h = 14695981039346656037ull;
  for (char c : isoDate) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  h ^= h >> 30;
  h *= 0xBF58476D1CE4E5B9ull;
  h ^= h >> 27;
  h *= 0x94D049BB133111EBull;
  h ^= h >> 31;
  RoadCode code;
  code.Seed = static_cast<uint32_t>(h);
  code.Track = static_cast<int32_t>((h >> 32) % kRoadCodeTracks);
  code.Level = static_cast<int32_t>((h >> 40) % 9) + 1;
  return code;
}

bool IsIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  int parts[3] = {0, 0, 0};
  const size_t starts[3] = {0, 5, 8};
  const size_t lengths[3] = {4, 2, 2};
  for (int p = 0; p < 3; ++p) {
    for (size_t i = 0; i < lengths[p]; ++i) {
      const char c = text[starts[p] + i];
      if (c < '0' || c > '9') return false;
      parts[p] = parts[p] * 10 + (c - '0');
    }
  }
  const int year = parts[0];
  const int month = parts[1];
  const int day = parts[2];
  if (year < 1970 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string TodayUtc() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &utc);
  return text;
}

}  // namespace game
