// The score store on PostgreSQL.
#include "server/PgScoreStore.h"

#include <libpq-fe.h>

#include <cstdlib>

namespace scored {

bool PgScoreStore::Insert(const ScoreRow& row) {
  // Not run again on a lost connection: the row may have been committed just before it went.
  return pool_->Run("scores_insert",
                    {row.name, std::to_string(row.score), row.text, std::to_string(row.time),
                     row.difficulty, row.verified ? "true" : "false"},
                    PgPool::Retry::kNo) != nullptr;
}

std::vector<ScoreRow> PgScoreStore::Best(int limit, const std::string& difficulty) {
  std::vector<ScoreRow> rows;
  const PgResult result = pool_->Run("scores_best", {std::to_string(limit), difficulty},
                                     PgPool::Retry::kOnLostConnection);
  if (!result) return rows;
  const int count = PQntuples(result.get());
  rows.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    ScoreRow row;
    row.name = PQgetvalue(result.get(), i, 0);
    row.score = static_cast<int32_t>(std::strtol(PQgetvalue(result.get(), i, 1), nullptr, 10));
    row.text = PQgetvalue(result.get(), i, 2);
    row.time = std::strtoll(PQgetvalue(result.get(), i, 3), nullptr, 10);
    row.difficulty = PQgetvalue(result.get(), i, 4);
    row.verified = PQgetvalue(result.get(), i, 5)[0] == 't';
    rows.push_back(std::move(row));
  }
  return rows;
}

bool PgScoreStore::KeepDailyTime(const DailyTime& entry) {
  // Run again on a lost connection: keeping the better time twice keeps it once.
  return pool_->Run("daily_keep",
                    {entry.day, entry.name, std::to_string(entry.hund), std::to_string(entry.time)},
                    PgPool::Retry::kOnLostConnection) != nullptr;
}

std::vector<DailyTime> PgScoreStore::DailyTimes(const std::string& day, int limit) {
  std::vector<DailyTime> rows;
  const PgResult result =
      pool_->Run("daily_times", {day, std::to_string(limit)}, PgPool::Retry::kOnLostConnection);
  if (!result) return rows;
  for (int i = 0; i < PQntuples(result.get()); ++i) {
    rows.push_back({PQgetvalue(result.get(), i, 0), PQgetvalue(result.get(), i, 1),
                    static_cast<int32_t>(std::strtol(PQgetvalue(result.get(), i, 2), nullptr, 10)),
                    std::strtoll(PQgetvalue(result.get(), i, 3), nullptr, 10)});
  }
  return rows;
}

int64_t PgScoreStore::Count() {
  const PgResult result = pool_->Run("scores_count", {}, PgPool::Retry::kOnLostConnection);
  if (!result || PQntuples(result.get()) != 1) return -1;
  return std::strtoll(PQgetvalue(result.get(), 0, 0), nullptr, 10);
}

}  // namespace scored
