// Reading and writing Config.cfg and Configdat.cfg: every value on its own line, padded with "%"
// and encoded; damaged values keep their defaults, and a file is only ever replaced whole.
#include "frontend/Settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "engine/Messages.h"
#include "frontend/GameIni.h"
#include "frontend/HiScoreDifficulty.h"
#include "frontend/Profiles.h"
#include "frontend/Registration.h"
#include "frontend/ScreenSettings.h"
#include "online/TextCodec.h"
#include "platform/Files.h"

namespace frontend {
namespace {

// Encoded lines of Config.cfg before the profiles: 2 flags, volume, options text, player name,
// 10 × (name, score), profile count, current profile.
constexpr size_t kFirstProfileLine = 28;
// Configdat.cfg: five values, then hundredths, seconds, minutes of each track record.
constexpr size_t kFirstBestTimeLine = 6;

// Pads with "%" to a multiple of the block; an empty value stays empty (an empty line).
std::string Padded(std::string text, size_t block) {
  while (text.size() % block != 0) text += '%';
  return text;
}

std::string EncodeValue(const std::string& text, size_t block) {
  return online::encode(Padded(text, block));
}

std::string EncodeNumber(int32_t value, size_t block) {
  return EncodeValue(std::to_string(value), block);
}

// A decimal integer with an optional sign and nothing else around it, within 32 bits.
std::optional<int32_t> ParseNumber(const std::string& text) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  if (first == last) return std::nullopt;
  int32_t value = 0;
  const auto result = std::from_chars(first, last, value);
  if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
  return value;
}

// Text the game itself could have stored: no control characters, no unassigned byte 0x98. A line
// decoded from damage usually fails this.
bool IsCleanText(const std::string& text) {
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 32 || b == 127 || b == 0x98) return false;
  }
  return true;
}

// The lines of a settings file, decoded on demand. Line numbers count from 1.
class EncodedLines {
 public:
  explicit EncodedLines(std::string_view content) {
    size_t start = 0;
    while (start < content.size()) {
      size_t end = content.find('\n', start);
      if (end == std::string_view::npos) end = content.size();
      std::string_view line = content.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines_.emplace_back(line);
      start = end + 1;
    }
  }

  size_t Count() const { return lines_.size(); }
  bool Has(size_t number) const { return number >= 1 && number <= lines_.size(); }

  // The decoded text, nothing when the line is missing.
  std::optional<std::string> Raw(size_t number) const {
    if (!Has(number)) return std::nullopt;
    return online::decode(lines_[number - 1]);
  }

  // The decoded text without its trailing "%", nothing when missing or not clean text.
  std::optional<std::string> Text(size_t number) const {
    std::optional<std::string> raw = Raw(number);
    if (!raw) return std::nullopt;
    std::string text = online::StripTrailing(std::move(*raw), '%');
    if (!IsCleanText(text)) return std::nullopt;
    return text;
  }

  // A name or option text, cut to what the name entry lets a player type. Padding the cut leaves
  // at the end goes too, as it would on the next read.
  std::optional<std::string> Name(size_t number) const {
    std::optional<std::string> text = Text(number);
    if (text && text->size() > static_cast<size_t>(kMaxNameLength)) {
      text->resize(kMaxNameLength);
      *text = online::StripTrailing(std::move(*text), '%');
    }
    return text;
  }

  std::optional<int32_t> Number(size_t number) const {
    std::optional<std::string> text = Text(number);
    if (!text) return std::nullopt;
    return ParseNumber(*text);
  }

 private:
  std::vector<std::string> lines_;
};

template <class T>
T Clamped(T value, T low, T high) {
  return std::min(std::max(value, low), high);
}

}  // namespace

// A settings file that is not there gives the defaults quietly; one that cannot be read or is far
// larger than the game ever writes is damage, said once on the console, and gives the defaults.
bool ReadSettingsFile(const char* name, std::string& content) {
  std::string error;
  if (platform::ReadWholeFile(name, platform::kMaxSettingsFileBytes, content, error)) return true;
  if (!error.empty()) std::fprintf(stderr, "vornakel: %s ignored: %s\n", name, error.c_str());
  return false;
}

bool WriteSettingsFile(game::TForm1& form, const char* name, const std::string& content) {
  std::string error;
  if (platform::WriteFileAtomically(name, content, error)) return true;
  if (!form.Menu.SettingsWriteReported) {
    form.Menu.SettingsWriteReported = true;
    engine::ShowMessage(std::string("Could not save ") + name + ": " + error +
                            ".\nThe game goes on; settings and progress are kept until it ends.",
                        "Vornakel");
  }
  return false;
}

std::string FormatConfig(game::TForm1& form) {
  game::MenuState& menu = form.Menu;
  std::string out;
  auto line = [&out](const std::string& encoded) {
    out += encoded;
    out += "\r\n";
  };
  line(online::encode(form.FullScreen ? "true" : "false"));
  line(online::encode(form.MusicOn ? "true" : "false"));
  line(EncodeNumber(form.SoundVolume, 10));
  menu.OptionText = Padded(menu.OptionText, 5);
  line(online::encode(menu.OptionText));
  menu.OptionText = online::StripTrailing(menu.OptionText, '%');
  form.PlayerName = Padded(form.PlayerName, 5);
  line(online::encode(form.PlayerName));
  form.PlayerName = online::StripTrailing(form.PlayerName, '%');
  for (const auto& row : menu.HiScores) {
    line(EncodeValue(row.Name, 5));
    line(EncodeValue(row.Score, 5));
  }
  const int32_t count = Clamped(menu.ProfileCount, 0, game::MenuState::kMaxProfiles);
  line(EncodeNumber(count, 10));
  line(EncodeNumber(menu.CurrentProfile, 10));
  for (int32_t i = 0; i < count; ++i) {
    const auto& profile = menu.Profiles[static_cast<size_t>(i)];
    line(EncodeValue(profile.Name, 10));
    line(EncodeNumber(profile.ProfileTag, 10));
  }
  return out;
}

bool ParseConfig(std::string_view content, game::TForm1& form) {
  const EncodedLines lines(content);
  game::MenuState& menu = form.Menu;
  // Line 1: "false" is a window, "true" full screen (it decodes with a NUL in front, being four
  // bytes long); anything else is damage and keeps the window.
  bool fullScreen = false;
  if (std::optional<std::string> flag = lines.Raw(1)) {
    fullScreen = *flag == "true" || *flag == std::string("\0true", 5);
  }
  if (fullScreen) {
    form.FullScreen = true;
    menu.ScreenIsFull = true;
  }
  if (std::optional<std::string> flag = lines.Raw(2); flag && *flag == "false")
    form.MusicOn = false;
  if (std::optional<int32_t> volume = lines.Number(3)) form.SoundVolume = Clamped(*volume, 0, 5);
  if (std::optional<std::string> text = lines.Name(4)) menu.OptionText = *text;
  const std::optional<std::string> playerName = lines.Name(5);
  if (playerName) form.PlayerName = *playerName;
  for (size_t k = 0; k < static_cast<size_t>(game::MenuState::kHiScoreRows); ++k) {
    auto& row = menu.HiScores[k];
    const size_t nameLine = 6 + 2 * k;
    // An empty line keeps the row's default, and so does a name of padding only: an empty name
    // would be written as an empty line.
    if (std::optional<std::string> raw = lines.Raw(nameLine); raw && !raw->empty()) {
      std::optional<std::string> name = lines.Name(nameLine);
      if (name && !name->empty()) row.Name = *name;
    }
    if (std::optional<std::string> raw = lines.Raw(nameLine + 1); raw && !raw->empty()) {
      if (std::optional<int32_t> score = lines.Number(nameLine + 1)) {
        row.Score = std::to_string(*score);
      }
    }
  }
  int32_t count = Clamped(lines.Number(26).value_or(0), 0, game::MenuState::kMaxProfiles);
  // A file cut short holds fewer profiles than it announces: keep the ones that are there.
  while (count > 0 && !lines.Has(kFirstProfileLine + 2 * static_cast<size_t>(count - 1))) --count;
  menu.ProfileCount = count;
  for (int32_t i = 0; i < count; ++i) {
    auto& profile = menu.Profiles[static_cast<size_t>(i)];
    const size_t nameLine = kFirstProfileLine + 2 * static_cast<size_t>(i);
    profile.Name = lines.Name(nameLine).value_or(std::string());
    profile.ProfileTag = lines.Number(nameLine + 1).value_or(0);
  }
  const int32_t current = lines.Number(27).value_or(0);
  menu.CurrentProfile = current >= 0 && current < std::max(count, 1) ? current : 0;
  // Without a readable player name the current profile's name greets the player.
  if (!playerName && count > 0) form.PlayerName = CurrentProfileName(menu);
  return fullScreen;
}

std::string FormatProgress(const game::TForm1& form) {
  std::string out;
  auto line = [&out](int32_t value) {
    out += EncodeNumber(value, 5);
    out += "\r\n";
  };
  line(form.Score);
  line(form.TracksOpen);
  line(form.TrucksOpen);
  line(form.NextUnlockScore);
  line(form.UnlockLevel);
  for (const game::TrackInfo& track : form.Race.Tracks) {
    line(track.BestHund);
    line(track.BestSec);
    line(track.BestMin);
  }
  return out;
}

void ParseProgress(std::string_view content, game::TForm1& form) {
  const EncodedLines lines(content);
  if (std::optional<int32_t> value = lines.Number(1)) form.Score = *value;
  // Fewer than one open track or truck would leave nothing to race: such a line is damage.
  if (std::optional<int32_t> value = lines.Number(2); value && *value >= 1) {
    form.TracksOpen = std::min(*value, kTrackCount);
  }
  if (std::optional<int32_t> value = lines.Number(3); value && *value >= 1) {
    form.TrucksOpen = std::min(*value, game::kTruckModelCount);
  }
  if (std::optional<int32_t> value = lines.Number(4)) form.NextUnlockScore = *value;
  if (std::optional<int32_t> value = lines.Number(5)) {
    form.UnlockLevel = Clamped(*value, 0, kMaxUnlockLevel);
  }
  for (size_t k = 0; k < form.Race.Tracks.size(); ++k) {
    const size_t first = kFirstBestTimeLine + 3 * k;
    const std::optional<int32_t> hund = lines.Number(first);
    const std::optional<int32_t> sec = lines.Number(first + 1);
    const std::optional<int32_t> min = lines.Number(first + 2);
    if (!hund || !sec || !min) continue;
    if (*hund < 0 || *hund > 99 || *sec < 0 || *sec > 59 || *min < 0) continue;
    game::TrackInfo& track = form.Race.Tracks[k];
    track.BestHund = *hund;
    track.BestSec = *sec;
    track.BestMin = *min;
  }
}

void ReadConfigFile(game::TForm1& form) {
  form.FullScreen = false;
  form.Menu.ScreenIsFull = false;
  form.MusicOn = true;
  form.Menu.OptionText.clear();
  form.PlayerName.clear();
  ResetHiScores(form.Menu);
  form.Menu.ProfileCount = 0;
  form.Menu.CurrentProfile = 0;
  std::string content;
  if (!ReadSettingsFile(kConfigFileName, content)) return;
  if (ParseConfig(content, form) && !form.OmegaScreen1.FullScreen) {
    form.OmegaScreen1.ToggleFullScreen();
  }
  ApplyHiScoreDifficulties(ReadGameIni(), form.Menu);
}

void ReadProgressFile(game::TForm1& form) {
  std::string content;
  if (ReadSettingsFile(kProgressFileName, content)) ParseProgress(content, form);
}

bool WriteConfigFile(game::TForm1& form) {
  // The difficulties follow the table they belong to; when only Config.cfg made it to the disk,
  // the rows the older file cannot match read as Classic.
  return WriteSettingsFile(form, kConfigFileName, FormatConfig(form)) &&
         UpdateGameIni(form,
                       [&form](IniDocument& ini) { StoreHiScoreDifficulties(form.Menu, ini); });
}

bool WriteProgressFile(game::TForm1& form) {
  return WriteSettingsFile(form, kProgressFileName, FormatProgress(form));
}

void InstallSettingsFiles(game::TForm1& form) {
  form.ReadConfigFiles = [&form] {
    ReadConfigFile(form);
    ReadProgressFile(form);
    ReadScreenSound(form);
  };
  form.WriteConfigFiles = [&form] {
    WriteConfigFile(form);
    WriteProgressFile(form);
  };
}

}  // namespace frontend
