// Writing and matching back the difficulty of each high-score row.
#include "frontend/HiScoreDifficulty.h"

#include <vector>

#include "frontend/Profiles.h"
#include "online/TextCodec.h"

namespace frontend {
namespace {

constexpr std::string_view kHeader = "Vornakel high-score difficulties 1";
// More lines than this are not ours: the rest is ignored.
constexpr size_t kMaxLines = 100;

struct StoredRow {
  game::Difficulty difficulty = game::Difficulty::Classic;
  std::string score;
  std::string name;
};

// The name as Config.cfg gives it back: trailing padding gone, cut to what the name entry
// takes, and the table's default for a name that is empty.
std::string NameAsRead(std::string name) {
  name = online::StripTrailing(std::move(name), '%');
  if (name.size() > static_cast<size_t>(kMaxNameLength)) {
    name.resize(kMaxNameLength);
    name = online::StripTrailing(std::move(name), '%');
  }
  return name.empty() ? std::string(kDefaultHiScoreName) : name;
}

// Splits a line at single spaces; empty fields are kept.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t space = line.find(' ', start);
    fields.push_back(line.substr(start, space == std::string_view::npos ? space : space - start));
    if (space == std::string_view::npos) return fields;
    start = space + 1;
  }
}

std::vector<StoredRow> ParseRows(std::string_view content) {
  std::vector<StoredRow> rows;
  size_t start = 0;
  bool header = true;
  for (size_t count = 0; start < content.size() && count < kMaxLines; ++count) {
    size_t end = content.find('\n', start);
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = content.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (header) {
      if (line != kHeader) return rows;
      header = false;
      continue;
    }
    const std::vector<std::string_view> fields = Fields(line);
    StoredRow row;
    if (fields.size() != 3 || !game::ParseDifficultyToken(fields[0], row.difficulty)) continue;
    row.score = fields[1];
    row.name = NameAsRead(online::decode(fields[2]));
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace

std::string FormatHiScoreDifficulties(const game::MenuState& menu) {
  std::string out(kHeader);
  out += '\n';
  for (const auto& row : menu.HiScores) {
    out += game::DifficultyToken(row.GameDifficulty);
    out += ' ';
    out += row.Score;
    out += ' ';
    out += online::encode(online::PadToFive(row.Name, '%'));
    out += '\n';
  }
  return out;
}

void ApplyHiScoreDifficulties(std::string_view content, game::MenuState& menu) {
  const std::vector<StoredRow> stored = ParseRows(content);
  size_t next = 0;
  for (auto& row : menu.HiScores) {
    row.GameDifficulty = game::Difficulty::Classic;
    for (size_t j = next; j < stored.size(); ++j) {
      if (stored[j].score == row.Score && stored[j].name == row.Name) {
        row.GameDifficulty = stored[j].difficulty;
        next = j + 1;
        break;
      }
    }
  }
}

}  // namespace frontend
