// A small pool of PostgreSQL connections (libpq's are not thread-safe), each with our statements.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct pg_conn;
struct pg_result;

namespace scored {

struct PgResultDeleter {
  void operator()(pg_result* result) const;
};
using PgResult = std::unique_ptr<pg_result, PgResultDeleter>;

class PgPool {
 public:
  // Whether a statement may run again on a fresh connection when the old one was lost under it:
  // only those that change nothing, or whose repetition does no harm.
  enum class Retry { kNo, kOnLostConnection };

  // Connects once, to prove the database is reachable, and creates what is missing of our tables.
  // Returns null and sets error when it cannot. Further connections open as requests need them.
  static std::unique_ptr<PgPool> Open(const std::string& conninfo, size_t size, std::string& error);
  ~PgPool();
  PgPool(const PgPool&) = delete;
  PgPool& operator=(const PgPool&) = delete;

  // Runs one of our prepared statements (PgSchema.h) with text parameters; null on failure, with
  // the reason in LastError.
  PgResult Run(const char* statement, const std::vector<std::string>& params, Retry retry);
  std::string LastError();

  // "PostgreSQL database D on HOST:PORT as USER", never the password.
  static std::string Describe(const std::string& conninfo);

 private:
  struct Slot {
    pg_conn* conn = nullptr;
    bool busy = false;
  };

  explicit PgPool(std::string conninfo, size_t size);
  // A new connection with every statement prepared, after running firstRun when given; null and
  // error set when it cannot.
  pg_conn* Connect(const char* firstRun, std::string& error);
  size_t Acquire();
  void Release(size_t slot);
  void SetError(const std::string& error);
  // Says once on stderr when the database was lost and when it is back; a failed connection
  // attempt also holds further attempts off for a moment.
  void NoteReachable(bool reachable, const std::string& why, bool connectFailed);

  std::string conninfo_;
  std::mutex mutex_;  // guards everything below but the connection of a busy slot
  std::condition_variable freed_;
  std::vector<Slot> slots_;
  std::string lastError_;
  bool reachable_ = true;
  std::chrono::steady_clock::time_point lastFailedConnect_ =
      std::chrono::steady_clock::now() - std::chrono::hours(1);
};

}  // namespace scored
