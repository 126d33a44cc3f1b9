// The score store as the server sees it: a row, and the interface every storage backend offers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scored {

struct ScoreRow {
  std::string name;  // UTF-8
  int32_t score = 0;
  std::string text;                    // UTF-8, the player's options text
  int64_t time = 0;                    // seconds since 1970, UTC
  std::string difficulty = "classic";  // the word the game sent (Protocol.h's kDifficulties)
  // Set once the game behind the score has been replayed and found honest.
  bool verified = false;
};

// A player's best verified time on the road of one day.
struct DailyTime {
  std::string day;   // "YYYY-MM-DD", UTC
  std::string name;  // UTF-8
  int32_t hund = 0;  // hundredths of a second driven
  int64_t time = 0;  // when it was set, seconds since 1970, UTC
};

// Safe to share between threads; SQLite on one machine, PostgreSQL for several servers.
class ScoreStore {
 public:
  virtual ~ScoreStore() = default;
  // True once the row is committed and durable.
  virtual bool Insert(const ScoreRow& row) = 0;
  // The best rows of one difficulty: highest score first, the earlier entry first among equal
  // scores.
  virtual std::vector<ScoreRow> Best(int limit, const std::string& difficulty = "classic") = 0;
  // Keeps the time when it beats the player's time of that day (or is their first); true once the
  // store holds the player's best, whichever it is.
  virtual bool KeepDailyTime(const DailyTime& entry) = 0;
  // The day's times, fastest first, the earlier set first among equal times.
  virtual std::vector<DailyTime> DailyTimes(const std::string& day, int limit) = 0;
  // The number of rows, or -1 when the store cannot be read.
  virtual int64_t Count() = 0;
  virtual std::string LastError() = 0;
};

}  // namespace scored
