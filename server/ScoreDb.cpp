// The score store on SQLite.
#include "server/ScoreDb.h"

#include <sqlite3.h>

namespace scored {
namespace {

// Runs one fixed statement that returns at most one row; false on error.
bool RunFixed(sqlite3* db, const char* sql, std::string* firstColumn, std::string& error) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
    error = sqlite3_errmsg(db);
    return false;
  }
  const int rc = sqlite3_step(stmt);
  if (rc == SQLITE_ROW && firstColumn != nullptr) {
    const auto* text = sqlite3_column_text(stmt, 0);
    *firstColumn = text != nullptr ? reinterpret_cast<const char*>(text) : "";
  }
  const bool ok = rc == SQLITE_ROW || rc == SQLITE_DONE;
  if (!ok) error = sqlite3_errmsg(db);
  sqlite3_finalize(stmt);
  return ok;
}

// SQLite's quick check: "ok", or the first problems it found. A damaged file is never served.
bool QuickCheck(sqlite3* db, std::string& error) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA quick_check(5)", -1, &stmt, nullptr) != SQLITE_OK) {
    error = std::string("the database is damaged: ") + sqlite3_errmsg(db);
    return false;
  }
  std::string report;
  int rc = SQLITE_ROW;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    const auto* text = sqlite3_column_text(stmt, 0);
    if (!report.empty()) report += "; ";
    report += text != nullptr ? reinterpret_cast<const char*>(text) : "";
  }
  if (rc != SQLITE_DONE) report = sqlite3_errmsg(db);
  sqlite3_finalize(stmt);
  if (report == "ok") return true;
  error = "the database is damaged (" + report + "); restore it from a backup";
  return false;
}

std::string ColumnText(sqlite3_stmt* stmt, int column) {
  const auto* text = sqlite3_column_text(stmt, column);
  const int bytes = sqlite3_column_bytes(stmt, column);
  return text != nullptr ? std::string(reinterpret_cast<const char*>(text), bytes) : std::string();
}

// Brings the table to the current schema in one transaction, so two servers starting on the same
// file cannot both add a column. Databases from before the difficulty hold Classic games only, and
// none of their games has been verified.
bool Migrate(sqlite3* db, std::string& error) {
  if (!RunFixed(db, "BEGIN IMMEDIATE", nullptr, error)) return false;
  std::string hasDifficulty;
  std::string hasVerified;
  const bool ok =
      RunFixed(db,
               "CREATE TABLE IF NOT EXISTS scores ("
               "id INTEGER PRIMARY KEY, name TEXT NOT NULL, score INTEGER NOT NULL, "
               "text TEXT NOT NULL, time INTEGER NOT NULL, "
               "difficulty TEXT NOT NULL DEFAULT 'classic', verified INTEGER NOT NULL DEFAULT 0)",
               nullptr, error) &&
      RunFixed(db, "SELECT count(*) FROM pragma_table_info('scores') WHERE name = 'difficulty'",
               &hasDifficulty, error) &&
      (hasDifficulty != "0" ||
       RunFixed(db, "ALTER TABLE scores ADD COLUMN difficulty TEXT NOT NULL DEFAULT 'classic'",
                nullptr, error)) &&
      RunFixed(db, "SELECT count(*) FROM pragma_table_info('scores') WHERE name = 'verified'",
               &hasVerified, error) &&
      (hasVerified != "0" ||
       RunFixed(db, "ALTER TABLE scores ADD COLUMN verified INTEGER NOT NULL DEFAULT 0", nullptr,
                error)) &&
      RunFixed(db,
               "CREATE TABLE IF NOT EXISTS daily_times (day TEXT NOT NULL, name TEXT NOT NULL, "
               "hund INTEGER NOT NULL, time INTEGER NOT NULL, PRIMARY KEY (day, name))",
               nullptr, error) &&
      RunFixed(db, "DROP INDEX IF EXISTS scores_rank", nullptr, error) &&
      RunFixed(db,
               "CREATE INDEX IF NOT EXISTS scores_rank_by_difficulty "
               "ON scores (difficulty, score DESC, id)",
               nullptr, error) &&
      RunFixed(db, "COMMIT", nullptr, error);
  if (!ok) {
    std::string ignored;
    RunFixed(db, "ROLLBACK", nullptr, ignored);
  }
  return ok;
}

}  // namespace

std::unique_ptr<ScoreDb> ScoreDb::Open(const std::string& path, std::string& error) {
  std::unique_ptr<ScoreDb> store(new ScoreDb());
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &store->db_, flags, nullptr) != SQLITE_OK) {
    error = store->db_ != nullptr ? sqlite3_errmsg(store->db_) : "out of memory";
    return nullptr;
  }
  sqlite3_busy_timeout(store->db_, 5000);
  if (!QuickCheck(store->db_, error)) return nullptr;
  std::string mode;
  if (!RunFixed(store->db_, "PRAGMA journal_mode=WAL", &mode, error)) return nullptr;
  if (mode != "wal") {
    error = "the database cannot use write-ahead logging (journal mode " + mode + ")";
    return nullptr;
  }
  // Every acknowledged score is on disk before the reply leaves.
  if (!RunFixed(store->db_, "PRAGMA synchronous=FULL", nullptr, error)) return nullptr;
  if (!Migrate(store->db_, error)) return nullptr;
  if (!store->Prepare()) {
    error = store->lastError_;
    return nullptr;
  }
  return store;
}

bool ScoreDb::Prepare() {
  const auto prepare = [this](const char* sql, sqlite3_stmt** stmt) {
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, stmt, nullptr) == SQLITE_OK) {
      return true;
    }
    lastError_ = sqlite3_errmsg(db_);
    return false;
  };
  return prepare(
             "INSERT INTO scores (name, score, text, time, difficulty, verified) "
             "VALUES (?1, ?2, ?3, ?4, ?5, ?6)",
             &insert_) &&
         prepare(
             "SELECT name, score, text, time, difficulty, verified FROM scores WHERE difficulty = "
             "?2 "
             "ORDER BY score DESC, id LIMIT ?1",
             &best_) &&
         prepare(
             "INSERT INTO daily_times (day, name, hund, time) VALUES (?1, ?2, ?3, ?4) "
             "ON CONFLICT (day, name) DO UPDATE SET hund = excluded.hund, time = excluded.time "
             "WHERE excluded.hund < daily_times.hund",
             &keepDaily_) &&
         prepare(
             "SELECT day, name, hund, time FROM daily_times WHERE day = ?1 "
             "ORDER BY hund, time, name LIMIT ?2",
             &daily_) &&
         prepare("SELECT count(*) FROM scores", &count_) && prepare("BEGIN IMMEDIATE", &begin_) &&
         prepare("COMMIT", &commit_) && prepare("ROLLBACK", &rollback_);
}

ScoreDb::~ScoreDb() {
  sqlite3_finalize(insert_);
  sqlite3_finalize(keepDaily_);
  sqlite3_finalize(daily_);
  sqlite3_finalize(best_);
  sqlite3_finalize(count_);
  sqlite3_finalize(begin_);
  sqlite3_finalize(commit_);
  sqlite3_finalize(rollback_);
  // Closing the last connection folds the write-ahead log back into the database file.
  if (db_ != nullptr) sqlite3_close(db_);
}

bool ScoreDb::Step(sqlite3_stmt* stmt) {
  const int rc = sqlite3_step(stmt);
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) lastError_ = sqlite3_errmsg(db_);
  sqlite3_reset(stmt);
  return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

bool ScoreDb::WriteGroup(const std::vector<PendingInsert*>& group) {
  if (!Step(begin_)) return false;
  bool ok = true;
  for (const PendingInsert* pending : group) {
    const ScoreRow& row = *pending->row;
    sqlite3_bind_text(insert_, 1, row.name.data(), static_cast<int>(row.name.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_int(insert_, 2, row.score);
    sqlite3_bind_text(insert_, 3, row.text.data(), static_cast<int>(row.text.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_int64(insert_, 4, row.time);
    sqlite3_bind_text(insert_, 5, row.difficulty.data(), static_cast<int>(row.difficulty.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_int(insert_, 6, row.verified ? 1 : 0);
    ok = Step(insert_);
    sqlite3_clear_bindings(insert_);
    if (!ok) break;
  }
  if (ok && Step(commit_)) return true;
  // Nothing of a failed group stays behind, so every caller's answer is true.
  const std::string why = lastError_;
  if (!sqlite3_get_autocommit(db_)) Step(rollback_);
  lastError_ = why;
  return false;
}

bool ScoreDb::Insert(const ScoreRow& row) {
  PendingInsert mine;
  mine.row = &row;
  std::unique_lock queue(queueMutex_);
  pending_.push_back(&mine);
  // Wait while another thread commits; it may take this row along with its own.
  while (!mine.done && committing_) committed_.wait(queue);
  if (mine.done) return mine.ok;

  committing_ = true;
  std::vector<PendingInsert*> group;
  group.swap(pending_);
  queue.unlock();
  bool ok = false;
  {
    std::lock_guard db(dbMutex_);
    ok = WriteGroup(group);
  }
  queue.lock();
  for (PendingInsert* pending : group) {
    pending->ok = ok;
    pending->done = true;
  }
  committing_ = false;
  committed_.notify_all();
  return mine.ok;
}

std::vector<ScoreRow> ScoreDb::Best(int limit, const std::string& difficulty) {
  std::lock_guard lock(dbMutex_);
  std::vector<ScoreRow> rows;
  sqlite3_bind_int(best_, 1, limit);
  sqlite3_bind_text(best_, 2, difficulty.data(), static_cast<int>(difficulty.size()),
                    SQLITE_TRANSIENT);
  int rc = SQLITE_ROW;
  while ((rc = sqlite3_step(best_)) == SQLITE_ROW) {
    ScoreRow row;
    row.name = ColumnText(best_, 0);
    row.score = sqlite3_column_int(best_, 1);
    row.text = ColumnText(best_, 2);
    row.time = sqlite3_column_int64(best_, 3);
    row.difficulty = ColumnText(best_, 4);
    row.verified = sqlite3_column_int(best_, 5) != 0;
    rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) lastError_ = sqlite3_errmsg(db_);
  sqlite3_reset(best_);
  sqlite3_clear_bindings(best_);
  return rows;
}

bool ScoreDb::KeepDailyTime(const DailyTime& entry) {
  std::lock_guard lock(dbMutex_);
  sqlite3_bind_text(keepDaily_, 1, entry.day.data(), static_cast<int>(entry.day.size()),
                    SQLITE_TRANSIENT);
  sqlite3_bind_text(keepDaily_, 2, entry.name.data(), static_cast<int>(entry.name.size()),
                    SQLITE_TRANSIENT);
  sqlite3_bind_int(keepDaily_, 3, entry.hund);
  sqlite3_bind_int64(keepDaily_, 4, entry.time);
  const bool ok = Step(keepDaily_);
  sqlite3_clear_bindings(keepDaily_);
  return ok;
}

std::vector<DailyTime> ScoreDb::DailyTimes(const std::string& day, int limit) {
  std::lock_guard lock(dbMutex_);
  std::vector<DailyTime> rows;
  sqlite3_bind_text(daily_, 1, day.data(), static_cast<int>(day.size()), SQLITE_TRANSIENT);
  sqlite3_bind_int(daily_, 2, limit);
  int rc = SQLITE_ROW;
  while ((rc = sqlite3_step(daily_)) == SQLITE_ROW) {
    rows.push_back({ColumnText(daily_, 0), ColumnText(daily_, 1), sqlite3_column_int(daily_, 2),
                    sqlite3_column_int64(daily_, 3)});
  }
  if (rc != SQLITE_DONE) lastError_ = sqlite3_errmsg(db_);
  sqlite3_reset(daily_);
  sqlite3_clear_bindings(daily_);
  return rows;
}

std::string ScoreDb::LastError() {
  std::lock_guard lock(dbMutex_);
  return lastError_;
}

int64_t ScoreDb::Count() {
  std::lock_guard lock(dbMutex_);
  int64_t count = -1;
  if (sqlite3_step(count_) == SQLITE_ROW) count = sqlite3_column_int64(count_, 0);
  sqlite3_reset(count_);
  return count;
}

}  // namespace scored
