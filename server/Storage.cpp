// Opens the server's storage backend.
#include "server/Storage.h"

#include "server/ScoreDb.h"
#include "server/TokenStore.h"

#ifdef VORNAKEL_SCORED_PG
#include "server/PgPool.h"
#include "server/PgScoreStore.h"
#include "server/PgTokenBook.h"
#endif

namespace scored {

bool IsPostgresAddress(std::string_view where) {
  return where.substr(0, 13) == "postgresql://" || where.substr(0, 11) == "postgres://";
}

bool PostgresAvailable() {
#ifdef VORNAKEL_SCORED_PG
  return true;
#else
  return false;
#endif
}

std::string DescribePostgres(const std::string& conninfo) {
#ifdef VORNAKEL_SCORED_PG
  return PgPool::Describe(conninfo);
#else
  (void)conninfo;
  return "the PostgreSQL database";
#endif
}

std::optional<Storage> OpenSqliteStorage(const std::string& path, const ServerOptions& options,
                                         std::string& error) {
  auto db = ScoreDb::Open(path, error);
  if (!db) return std::nullopt;
  return Storage{std::move(db),
                 std::make_unique<TokenStore>(options.tokenLifetime, options.tokenCapacity,
                                              options.tokensPerClient),
                 path};
}

std::optional<Storage> OpenPostgresStorage(const std::string& conninfo,
                                           const ServerOptions& options, std::string& error) {
#ifdef VORNAKEL_SCORED_PG
  std::shared_ptr<PgPool> pool = PgPool::Open(conninfo, kPgConnections, error);
  if (!pool) return std::nullopt;
  return Storage{std::make_unique<PgScoreStore>(pool),
                 std::make_unique<PgTokenBook>(pool, options.tokenLifetime, options.tokenCapacity,
                                               options.tokensPerClient),
                 DescribePostgres(conninfo)};
#else
  (void)conninfo;
  (void)options;
  error =
      "this vornakel-scored was built without PostgreSQL (libpq-dev was missing); "
      "install it (scripts/install-deps) and build again";
  return std::nullopt;
#endif
}

}  // namespace scored
