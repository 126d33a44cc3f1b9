// Reading and editing vornakel.ini line by line: only the lines of the difficulty change, so what
// others wrote there (or a player by hand) stays; damage reads as Classic.
#include "frontend/ProfileSettings.h"

#include <cstdio>
#include <vector>

#include "engine/Messages.h"
#include "frontend/Profiles.h"
#include "platform/Files.h"
#include "platform/Text1251.h"

namespace frontend {

namespace {

constexpr std::string_view kDifficultyKey = "difficulty";
// Section identities: "profile" and the name, a line break between (no name holds one).
constexpr std::string_view kProfilePrefix = "profile\n";

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    out += line;
    out += '\n';
  }
  return out;
}

// The player's name as the file holds it: UTF-8, control characters (which no name entry lets
// through) as "?".
std::string StoredName(std::string_view name1251) {
  std::string name = platform::Cp1251ToUtf8(name1251);
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 32) c = '?';
  }
  return name;
}

std::string ProfileIdentity(std::string_view name1251) {
  return std::string(kProfilePrefix) + StoredName(name1251);
}

std::string ProfileHeader(std::string_view name1251) {
  std::string header = "[profile \"";
  for (const char c : StoredName(name1251)) {
    if (c == '"' || c == '\\') header += '\\';
    header += c;
  }
  return header + "\"]";
}

// The identity of a section header line, nothing for any other line. [profile "NAME"] (quotes
// and backslashes in the name escaped with a backslash) is the player NAME; any other header is
// its own text.
std::optional<std::string> SectionOf(std::string_view line) {
  line = Trimmed(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  const std::string_view inner = Trimmed(line.substr(1, line.size() - 2));
  constexpr std::string_view kWord = "profile";
  if (inner.substr(0, kWord.size()) != kWord) return std::string(inner);
  std::string_view rest = Trimmed(inner.substr(kWord.size()));
  if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') return std::string(inner);
  rest = rest.substr(1, rest.size() - 2);
  std::string name(kProfilePrefix);
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '\\' && i + 1 < rest.size()) ++i;
    name += rest[i];
  }
  return name;
}

// The value of a "key = value" line for this key, nothing for other lines.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view key) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos || Trimmed(line.substr(0, equals)) != key)
    return std::nullopt;
  return Trimmed(line.substr(equals + 1));
}

// Where the player's sections and difficulty lines are in a list of lines.
struct ProfileLines {
  std::optional<size_t> lastKey;     // the difficulty line that counts (the last one)
  std::optional<size_t> sectionEnd;  // after the last filled line of the player's last section
};

ProfileLines FindProfile(const std::vector<std::string>& lines, const std::string& identity) {
  ProfileLines found;
  bool inside = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (std::optional<std::string> section = SectionOf(lines[i])) {
      inside = *section == identity;
    } else if (inside && ValueOf(lines[i], kDifficultyKey)) {
      found.lastKey = i;
    }
    // A new line goes after the section's last line that holds something.
    if (inside && !Trimmed(lines[i]).empty()) found.sectionEnd = i + 1;
  }
  return found;
}

std::string DifficultyLine(game::Difficulty difficulty) {
  return std::string(kDifficultyKey) + " = " + std::string(game::DifficultyToken(difficulty));
}

// The file's text; a missing file is empty, an unreadable one is said once and read as empty.
std::string ReadOwnSettings() {
  std::string content;
  std::string error;
  if (platform::ReadWholeFile(kOwnSettingsFileName, platform::kMaxSettingsFileBytes, content,
                              error))
    return content;
  if (!error.empty())
    std::fprintf(stderr, "vornakel: %s ignored: %s\n", kOwnSettingsFileName, error.c_str());
  return {};
}

void WriteOwnSettings(game::TForm1& form, const std::string& content) {
  std::string error;
  if (platform::WriteFileAtomically(kOwnSettingsFileName, content, error)) return;
  if (form.Menu.SettingsWriteReported) return;
  form.Menu.SettingsWriteReported = true;
  engine::ShowMessage(std::string("Could not save ") + kOwnSettingsFileName + ": " + error +
                          ".\nThe game goes on; the choice is kept until it ends.",
                      "Vornakel");
}

bool HasProfiles(const game::MenuState& menu) {
  return menu.ProfileCount > 0;
}

}  // namespace

game::Difficulty ProfileDifficultyIn(std::string_view ini, std::string_view name1251) {
  const std::vector<std::string> lines = SplitLines(ini);
  const ProfileLines found = FindProfile(lines, ProfileIdentity(name1251));
  game::Difficulty difficulty = game::Difficulty::Classic;
  if (found.lastKey) {
    game::ParseDifficultyToken(*ValueOf(lines[*found.lastKey], kDifficultyKey), difficulty);
  }
  return difficulty;
}

std::string WithProfileDifficulty(std::string_view ini, std::string_view name1251,
                                  game::Difficulty difficulty) {
  std::vector<std::string> lines = SplitLines(ini);
  const ProfileLines found = FindProfile(lines, ProfileIdentity(name1251));
  if (found.lastKey) {
    lines[*found.lastKey] = DifficultyLine(difficulty);
  } else if (found.sectionEnd) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*found.sectionEnd),
                 DifficultyLine(difficulty));
  } else {
    if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.emplace_back();
    lines.push_back(ProfileHeader(name1251));
    lines.push_back(DifficultyLine(difficulty));
  }
  return JoinLines(lines);
}

std::string WithoutProfile(std::string_view ini, std::string_view name1251) {
  const std::string identity = ProfileIdentity(name1251);
  std::vector<std::string> kept;
  bool inside = false;
  for (std::string& line : SplitLines(ini)) {
    if (std::optional<std::string> section = SectionOf(line)) inside = *section == identity;
    if (!inside) kept.push_back(std::move(line));
  }
  return JoinLines(kept);
}

game::Difficulty OfferedDifficulty(game::TForm1& form) {
  game::MenuState& menu = form.Menu;
  if (form.ForcedDifficulty) return *form.ForcedDifficulty;
  if (!HasProfiles(menu)) return menu.ChosenDifficulty;
  const std::string name = CurrentProfileName(menu);
  if (menu.DifficultyOwner != name) {
    menu.DifficultyOwner = name;
    menu.ChosenDifficulty = ProfileDifficultyIn(ReadOwnSettings(), name);
  }
  return menu.ChosenDifficulty;
}

void ChooseDifficulty(game::TForm1& form, game::Difficulty difficulty) {
  game::MenuState& menu = form.Menu;
  // The player's own choice replaces the harness's from now on.
  form.ForcedDifficulty.reset();
  menu.ChosenDifficulty = difficulty;
  if (!HasProfiles(menu)) {
    menu.DifficultyOwner.reset();
    return;
  }
  const std::string name = CurrentProfileName(menu);
  menu.DifficultyOwner = name;
  WriteOwnSettings(form, WithProfileDifficulty(ReadOwnSettings(), name, difficulty));
}

void ForgetDeletedProfile(game::TForm1& form, const std::string& name1251) {
  game::MenuState& menu = form.Menu;
  for (int32_t i = 0; i < menu.ProfileCount; ++i) {
    if (menu.Profiles[static_cast<size_t>(i)].Name == name1251) return;
  }
  if (menu.DifficultyOwner == name1251) menu.DifficultyOwner.reset();
  const std::string content = ReadOwnSettings();
  const std::string kept = WithoutProfile(content, name1251);
  if (kept != content) WriteOwnSettings(form, kept);
}

}  // namespace frontend
