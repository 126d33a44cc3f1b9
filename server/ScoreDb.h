// The score store on one machine: one SQLite table in WAL mode, reached only through prepared
// statements.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "server/ScoreStore.h"

struct sqlite3;
struct sqlite3_stmt;

namespace scored {

// Safe to share between threads. Inserts arriving together are committed together (one disk
// flush per group), and each Insert returns only after its own row is durable.
class ScoreDb : public ScoreStore {
 public:
  // Opens or creates the database after SQLite's quick check, and gives a database from before
  // scores carried their difficulty a difficulty column (its rows are Classic games) and one from
  // before verification a verified column. Returns null and sets error when it cannot or when the
  // file is damaged.
  static std::unique_ptr<ScoreDb> Open(const std::string& path, std::string& error);
  ~ScoreDb() override;
  ScoreDb(const ScoreDb&) = delete;
  ScoreDb& operator=(const ScoreDb&) = delete;

  // True once the row is committed and flushed to disk.
  bool Insert(const ScoreRow& row) override;
  std::vector<ScoreRow> Best(int limit, const std::string& difficulty = "classic") override;
  bool KeepDailyTime(const DailyTime& entry) override;
  std::vector<DailyTime> DailyTimes(const std::string& day, int limit) override;
  int64_t Count() override;
  std::string LastError() override;

 private:
  struct PendingInsert {
    const ScoreRow* row = nullptr;
    bool done = false;
    bool ok = false;
  };

  ScoreDb() = default;
  bool Prepare();
  // Writes a group of rows in one transaction; all or none. Caller holds dbMutex_.
  bool WriteGroup(const std::vector<PendingInsert*>& group);
  bool Step(sqlite3_stmt* stmt);

  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* best_ = nullptr;
  sqlite3_stmt* count_ = nullptr;
  sqlite3_stmt* keepDaily_ = nullptr;
  sqlite3_stmt* daily_ = nullptr;
  sqlite3_stmt* begin_ = nullptr;
  sqlite3_stmt* commit_ = nullptr;
  sqlite3_stmt* rollback_ = nullptr;
  // Guards the connection and lastError_.
  std::mutex dbMutex_;
  std::string lastError_;
  // Guards the waiting inserts; one of the waiting threads at a time commits for all of them.
  std::mutex queueMutex_;
  std::condition_variable committed_;
  std::vector<PendingInsert*> pending_;
  bool committing_ = false;
};

}  // namespace scored
