// Chooses and opens the server's storage: an SQLite file (one machine) or a PostgreSQL database.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "server/ScoreServer.h"
#include "server/ScoreStore.h"
#include "server/TokenBook.h"

namespace scored {

struct Storage {
  std::unique_ptr<ScoreStore> scores;
  std::unique_ptr<TokenBook> tokens;
  std::string description;  // for the log: the file, or the database without its password
};

// Connections one server instance keeps open to PostgreSQL.
inline constexpr size_t kPgConnections = 8;

// True for a PostgreSQL address where a file name could stand: postgresql://… or postgres://….
bool IsPostgresAddress(std::string_view where);
// True when this build can use PostgreSQL (libpq was there when it was built).
bool PostgresAvailable();
// "PostgreSQL database D on HOST:PORT as USER": what a connection string points at, never its
// password.
std::string DescribePostgres(const std::string& conninfo);

// The SQLite file at path, with tokens in this process's memory.
std::optional<Storage> OpenSqliteStorage(const std::string& path, const ServerOptions& options,
                                         std::string& error);
// The PostgreSQL database named by a libpq connection string or URI; scores and tokens both live
// there, so servers sharing it behave as one.
std::optional<Storage> OpenPostgresStorage(const std::string& conninfo,
                                           const ServerOptions& options, std::string& error);

}  // namespace scored
