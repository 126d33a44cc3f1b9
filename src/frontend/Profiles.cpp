// Player profiles and the high-score table: adding, deleting and selecting players, the default
// table, the entry rule, and the table drawn on the high-score screen.
#include "frontend/Profiles.h"

#include <charconv>
#include <limits>

#include "frontend/MenuKit.h"

namespace frontend {
namespace {

// A row's score as a number; a row that somehow holds no number is beaten by any score.
int64_t RowScore(const std::string& text) {
  int64_t value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  const auto result = std::from_chars(first, last, value);
  if (result.ec != std::errc() || result.ptr != last || first == last) {
    return std::numeric_limits<int64_t>::min();
  }
  return value;
}

}  // namespace

void ResetHiScores(game::MenuState& menu) {
  for (int32_t n = 1; n <= game::MenuState::kHiScoreRows; ++n) {
    game::MenuState::THiScoreRow& row = menu.HiScores[static_cast<size_t>(n - 1)];
    row.Rank = std::to_string(n);
    row.Name = kDefaultHiScoreName;
    row.Score = std::to_string(1100 - 100 * n);
    row.GameDifficulty = game::Difficulty::Classic;
  }
}

bool EnterHiScore(game::MenuState& menu, const std::string& playerName, int32_t score,
                  game::Difficulty difficulty) {
  const int rows = game::MenuState::kHiScoreRows;
  int r = 0;
  while (r < rows && RowScore(menu.HiScores[static_cast<size_t>(r)].Score) > score) ++r;
  if (r == rows) return false;
  for (int k = rows - 2; k >= r; --k) {
    auto& below = menu.HiScores[static_cast<size_t>(k + 1)];
    const auto& above = menu.HiScores[static_cast<size_t>(k)];
    below.Name = above.Name;
    below.Score = above.Score;
    below.GameDifficulty = above.GameDifficulty;
  }
  auto& entered = menu.HiScores[static_cast<size_t>(r)];
  entered.Name = playerName;
  entered.Score = std::to_string(score);
  entered.GameDifficulty = difficulty;
  return true;
}

bool EnterHiScore(game::TForm1& form) {
  return EnterHiScore(form.Menu, form.PlayerName, form.Score, form.GameDifficulty);
}

std::string TrimSpaces(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

bool HasNonSpace(const std::string& text) {
  return text.find_first_not_of(' ') != std::string::npos;
}

bool AddProfile(game::MenuState& menu, const std::string& name) {
  const std::string trimmed = TrimSpaces(name);
  if (trimmed.empty() || menu.ProfileCount >= game::MenuState::kMaxProfiles) return false;
  if (menu.ProfileCount < 0) menu.ProfileCount = 0;
  menu.Profiles[static_cast<size_t>(menu.ProfileCount)].Name = trimmed;
  menu.CurrentProfile = menu.ProfileCount;
  ++menu.ProfileCount;
  return true;
}

void DeleteProfile(game::MenuState& menu) {
  if (menu.ProfileCount <= 0) return;
  const int32_t last = menu.ProfileCount - 1;
  if (menu.ProfileCursor < 0) menu.ProfileCursor = 0;
  if (menu.ProfileCursor > last) menu.ProfileCursor = last;
  const int32_t c = menu.ProfileCursor;
  if (c == last) {
    menu.Profiles[static_cast<size_t>(c)].Name.clear();
    menu.Profiles[static_cast<size_t>(c)].ProfileTag = 1;
    if (menu.ProfileCount > 1) {
      if (menu.CurrentProfile == c) --menu.CurrentProfile;
      --menu.ProfileCursor;
    }
  } else {
    if (c < menu.CurrentProfile) --menu.CurrentProfile;
    for (int32_t i = c; i < last; ++i) {
      menu.Profiles[static_cast<size_t>(i)] = menu.Profiles[static_cast<size_t>(i + 1)];
    }
    menu.Profiles[static_cast<size_t>(last)].Name.clear();
  }
  --menu.ProfileCount;
  if (menu.CurrentProfile < 0 || menu.CurrentProfile >= game::MenuState::kMaxProfiles) {
    menu.CurrentProfile = 0;
  }
}

void SelectProfile(game::MenuState& menu) {
  if (menu.ProfileCursor < 0 || menu.ProfileCursor >= menu.ProfileCount) return;
  menu.CurrentProfile = menu.ProfileCursor;
}

std::string CurrentProfileName(const game::MenuState& menu) {
  if (menu.CurrentProfile < 0 || menu.CurrentProfile >= game::MenuState::kMaxProfiles) return {};
  return menu.Profiles[static_cast<size_t>(menu.CurrentProfile)].Name;
}

void DrawHiScoreTable(game::TForm1& form) {
  engine::TOmegaFont& font = form.OmegaFont4;
  SetFont(font, "Gungsuh", 11, 21, 16, 137);
  for (int32_t n = 1; n <= game::MenuState::kHiScoreRows; ++n) {
    const auto& row = form.Menu.HiScores[static_cast<size_t>(n - 1)];
    const int32_t y = 213 + 17 * n;
    TextCentered(font, 244, y, row.Rank);
    TextCentered(font, 380, y, row.Name);
    TextCentered(font, 540, y, row.Score);
  }
  // The difficulty of each row right of the score, in smaller letters that share the rows'
  // baseline: Easy in green so it stands out from the Classic rows.
  engine::TOmegaFont& small = form.OmegaFont2;
  SetFont(small, "Arial", 9, 0, 0, 0);
  for (int32_t n = 1; n <= game::MenuState::kHiScoreRows; ++n) {
    const game::Difficulty difficulty =
        form.Menu.HiScores[static_cast<size_t>(n - 1)].GameDifficulty;
    small.SetColor(difficulty == game::Difficulty::Easy ? engine::PackARGB(255, 24, 128, 40)
                                                        : engine::PackARGB(255, 96, 92, 150));
    TextCentered(small, kHiScoreDifficultyX, 213 + 17 * n + 3,
                 game::DifficultyName(difficulty, form.Lang));
  }
}

}  // namespace frontend
