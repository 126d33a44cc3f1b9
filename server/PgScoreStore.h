// The score store on PostgreSQL, shared by every server instance that uses the same database.
#pragma once

#include <memory>

#include "server/PgPool.h"
#include "server/ScoreStore.h"

namespace scored {

class PgScoreStore : public ScoreStore {
 public:
  explicit PgScoreStore(std::shared_ptr<PgPool> pool) : pool_(std::move(pool)) {}

  // True once the row is committed (each insert is its own transaction; PostgreSQL flushes it
  // before it answers).
  bool Insert(const ScoreRow& row) override;
  std::vector<ScoreRow> Best(int limit, const std::string& difficulty = "classic") override;
  bool KeepDailyTime(const DailyTime& entry) override;
  std::vector<DailyTime> DailyTimes(const std::string& day, int limit) override;
  int64_t Count() override;
  std::string LastError() override { return pool_->LastError(); }

 private:
  std::shared_ptr<PgPool> pool_;
};

}  // namespace scored
