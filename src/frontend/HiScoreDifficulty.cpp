// Writing and matching back the difficulty of each high-score row.
#include "frontend/HiScoreDifficulty.h"

#include <optional>
#include <string>
#include <vector>

#include "frontend/Profiles.h"
#include "online/TextCodec.h"

namespace frontend {
namespace {

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

std::vector<StoredRow> ParseRows(const IniDocument& ini) {
  std::vector<StoredRow> rows;
  for (int32_t n = 1; n <= game::MenuState::kHiScoreRows; ++n) {
    const std::optional<std::string> line = ini.Get(kHiScoreSection, "row" + std::to_string(n));
    if (!line) continue;
    const std::vector<std::string_view> fields = Fields(*line);
    StoredRow row;
    if (fields.size() != 3 || !game::ParseDifficultyToken(fields[0], row.difficulty)) continue;
    row.score = fields[1];
    row.name = NameAsRead(online::decode(fields[2]));
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace

void StoreHiScoreDifficulties(const game::MenuState& menu, IniDocument& ini) {
  int32_t n = 0;
  for (const auto& row : menu.HiScores) {
    std::string line(game::DifficultyToken(row.GameDifficulty));
    line += ' ';
    line += row.Score;
    line += ' ';
    line += online::encode(online::PadToFive(row.Name, '%'));
    ini.Set(kHiScoreSection, "row" + std::to_string(++n), line);
  }
}

void ApplyHiScoreDifficulties(const IniDocument& ini, game::MenuState& menu) {
  const std::vector<StoredRow> stored = ParseRows(ini);
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
