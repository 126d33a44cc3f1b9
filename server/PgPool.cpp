// The PostgreSQL connection pool: connects lazily, prepares our statements, reconnects when lost.
#include "server/PgPool.h"

#include <libpq-fe.h>
#include <poll.h>

#include <cstdio>

#include "server/PgSchema.h"

namespace scored {
namespace {

// libpq's messages end in a newline and may run over several lines; ours are one line.
std::string OneLine(const char* message) {
  std::string line;
  for (const char* c = message != nullptr ? message : ""; *c != '\0'; ++c) {
    const bool space = *c == '\n' || *c == '\t' || *c == ' ';
    if (space && (line.empty() || line.back() == ' ')) continue;
    line += space ? ' ' : *c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line.empty() ? "unknown error" : line;
}

bool HasUnreadInput(PGconn* conn) {
  pollfd socket{PQsocket(conn), POLLIN, 0};
  return poll(&socket, 1, 0) != 0;
}

// After a failed connection attempt, requests fail at once for this long instead of each waiting
// for its own attempt.
constexpr std::chrono::seconds kReconnectPause{1};

}  // namespace

void PgResultDeleter::operator()(pg_result* result) const {
  PQclear(result);
}

PgPool::PgPool(std::string conninfo, size_t size)
    : conninfo_(std::move(conninfo)), slots_(size == 0 ? 1 : size) {}

PgPool::~PgPool() {
  for (Slot& slot : slots_) {
    if (slot.conn != nullptr) PQfinish(slot.conn);
  }
}

std::unique_ptr<PgPool> PgPool::Open(const std::string& conninfo, size_t size, std::string& error) {
  std::unique_ptr<PgPool> pool(new PgPool(conninfo, size));
  // The tables come before the statements that name them.
  PGconn* conn = pool->Connect(kPgSchema, error);
  if (conn == nullptr) return nullptr;
  pool->slots_[0].conn = conn;
  return pool;
}

PGconn* PgPool::Connect(const char* firstRun, std::string& error) {
  // The given string may set any of these; only the encoding is ours to fix, as all our text is
  // UTF-8.
  const char* const keys[] = {"connect_timeout", "application_name", "dbname", "client_encoding",
                              nullptr};
  const char* const values[] = {"5", "vornakel-scored", conninfo_.c_str(), "UTF8", nullptr};
  PGconn* conn = PQconnectdbParams(keys, values, 1);
  if (conn == nullptr) {
    error = "out of memory";
    return nullptr;
  }
  if (PQstatus(conn) != CONNECTION_OK) {
    error = OneLine(PQerrorMessage(conn));
    PQfinish(conn);
    return nullptr;
  }
  // What the database says unasked (a shutdown, a warning) goes to the log as one of our lines.
  PQsetNoticeProcessor(
      conn,
      [](void*, const char* message) {
        std::fprintf(stderr, "vornakel-scored: the database says: %s\n", OneLine(message).c_str());
      },
      nullptr);
  if (firstRun != nullptr) {
    PGresult* ran = PQexec(conn, firstRun);
    const bool ok = PQresultStatus(ran) == PGRES_COMMAND_OK;
    if (!ok) error = "cannot create the tables: " + OneLine(PQresultErrorMessage(ran));
    PQclear(ran);
    if (!ok) {
      PQfinish(conn);
      return nullptr;
    }
  }
  for (const PgStatement& statement : PgStatements()) {
    PGresult* prepared = PQprepare(conn, statement.name, statement.sql, 0, nullptr);
    const bool ok = PQresultStatus(prepared) == PGRES_COMMAND_OK;
    if (!ok) {
      error = std::string("cannot prepare ") + statement.name + ": " +
              OneLine(PQresultErrorMessage(prepared));
    }
    PQclear(prepared);
    if (!ok) {
      PQfinish(conn);
      return nullptr;
    }
  }
  return conn;
}

size_t PgPool::Acquire() {
  std::unique_lock lock(mutex_);
  while (true) {
    for (size_t i = 0; i < slots_.size(); ++i) {
      if (!slots_[i].busy) {
        slots_[i].busy = true;
        return i;
      }
    }
    freed_.wait(lock);
  }
}

void PgPool::Release(size_t slot) {
  {
    std::lock_guard lock(mutex_);
    slots_[slot].busy = false;
  }
  freed_.notify_one();
}

void PgPool::SetError(const std::string& error) {
  std::lock_guard lock(mutex_);
  lastError_ = error;
}

std::string PgPool::LastError() {
  std::lock_guard lock(mutex_);
  return lastError_;
}

void PgPool::NoteReachable(bool reachable, const std::string& why, bool connectFailed) {
  std::lock_guard lock(mutex_);
  if (connectFailed) lastFailedConnect_ = std::chrono::steady_clock::now();
  if (reachable == reachable_) return;
  reachable_ = reachable;
  if (reachable) {
    std::fprintf(stderr, "vornakel-scored: the database is reachable again\n");
  } else {
    std::fprintf(stderr, "vornakel-scored: cannot reach the database (%s); retrying\n",
                 why.c_str());
  }
}

PgResult PgPool::Run(const char* statement, const std::vector<std::string>& params, Retry retry) {
  std::vector<const char*> values;
  values.reserve(params.size());
  for (const std::string& param : params) values.push_back(param.c_str());

  // After a database restart every pooled connection is stale, so a statement that may run again
  // tries until it reaches a fresh one.
  const size_t attempts = retry == Retry::kNo ? 1 : slots_.size() + 1;
  for (size_t attempt = 0; attempt < attempts; ++attempt) {
    const size_t slot = Acquire();
    // Only the holder of a busy slot touches its connection.
    PGconn*& conn = slots_[slot].conn;
    // A connection the database ended while it sat idle (a restart, an idle limit) has the
    // goodbye waiting in its socket, where an idle connection has nothing to read: finding that
    // out before a statement is sent on it means no statement is lost to an idle connection.
    if (conn != nullptr && (PQstatus(conn) != CONNECTION_OK || HasUnreadInput(conn))) {
      PQfinish(conn);
      conn = nullptr;
    }
    if (conn == nullptr) {
      bool pausing = false;
      {
        std::lock_guard lock(mutex_);
        pausing =
            !reachable_ && std::chrono::steady_clock::now() - lastFailedConnect_ < kReconnectPause;
      }
      std::string why = "the database was unreachable a moment ago";
      if (!pausing) conn = Connect(nullptr, why);
      if (conn == nullptr) {
        Release(slot);
        if (!pausing) NoteReachable(false, why, true);
        SetError("cannot reach the database: " + why);
        return nullptr;
      }
      NoteReachable(true, {}, false);
    }
    PgResult result(PQexecPrepared(conn, statement, static_cast<int>(values.size()), values.data(),
                                   nullptr, nullptr, 0));
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK) {
      Release(slot);
      return result;
    }
    const std::string why =
        OneLine(result ? PQresultErrorMessage(result.get()) : PQerrorMessage(conn));
    const bool lost = PQstatus(conn) == CONNECTION_BAD;
    if (lost) {
      PQfinish(conn);
      conn = nullptr;
    }
    Release(slot);
    SetError(why);
    if (lost) NoteReachable(false, why, false);
    if (!lost) return nullptr;
  }
  return nullptr;
}

std::string PgPool::Describe(const std::string& conninfo) {
  char* problem = nullptr;
  PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), &problem);
  if (options == nullptr) {
    const std::string why = OneLine(problem);
    PQfreemem(problem);
    return "a PostgreSQL database (" + why + ")";
  }
  std::string host, port, dbname, user;
  for (PQconninfoOption* option = options; option->keyword != nullptr; ++option) {
    if (option->val == nullptr) continue;
    const std::string keyword = option->keyword;
    if (keyword == "host" || keyword == "hostaddr") host = option->val;
    if (keyword == "port") port = option->val;
    if (keyword == "dbname") dbname = option->val;
    if (keyword == "user") user = option->val;
  }
  PQconninfoFree(options);
  std::string text = "PostgreSQL database " + (dbname.empty() ? std::string("(default)") : dbname);
  text += " on " + (host.empty() ? std::string("the local socket") : host);
  if (!port.empty()) text += ":" + port;
  if (!user.empty()) text += " as " + user;
  return text;
}

}  // namespace scored
