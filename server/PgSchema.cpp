// Our PostgreSQL tables and statements: scores, and the tokens every server instance shares.
#include "server/PgSchema.h"

namespace scored {

const char* const kPgSchema =
    "BEGIN;"
    "SET LOCAL client_min_messages = warning;"
    "SELECT pg_advisory_xact_lock(5378362101);"
    "CREATE TABLE IF NOT EXISTS scores ("
    " id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, score INTEGER NOT NULL, text TEXT NOT NULL,"
    " time BIGINT NOT NULL, difficulty TEXT NOT NULL DEFAULT 'classic',"
    " verified BOOLEAN NOT NULL DEFAULT false);"
    "ALTER TABLE scores ADD COLUMN IF NOT EXISTS verified BOOLEAN NOT NULL DEFAULT false;"
    "CREATE INDEX IF NOT EXISTS scores_rank_by_difficulty ON scores (difficulty, score DESC, id);"
    "CREATE TABLE IF NOT EXISTS daily_times ("
    " day TEXT NOT NULL, name TEXT NOT NULL, hund INTEGER NOT NULL, time BIGINT NOT NULL,"
    " PRIMARY KEY (day, name));"
    // Every token lives as long as its server's lifetime says; the database's clock is the one
    // all servers agree on. Tokens are not worth a disk flush each: after a crash the table is
    // empty and the games simply ask for new ones.
    "CREATE UNLOGGED TABLE IF NOT EXISTS tokens ("
    " token TEXT PRIMARY KEY, owner TEXT NOT NULL, expires TIMESTAMPTZ NOT NULL,"
    " serial BIGSERIAL NOT NULL);"
    "CREATE INDEX IF NOT EXISTS tokens_by_owner ON tokens (owner, serial);"
    "CREATE INDEX IF NOT EXISTS tokens_by_serial ON tokens (serial);"
    "CREATE INDEX IF NOT EXISTS tokens_by_expiry ON tokens (expires);"
    "COMMIT;";

const std::vector<PgStatement>& PgStatements() {
  static const std::vector<PgStatement> statements = {
      {"scores_insert",
       "INSERT INTO scores (name, score, text, time, difficulty, verified) "
       "VALUES ($1, $2, $3, $4, $5, $6)"},
      {"scores_best",
       "SELECT name, score, text, time, difficulty, verified FROM scores WHERE difficulty = $2 "
       "ORDER BY score DESC, id LIMIT $1"},
      {"scores_count", "SELECT count(*) FROM scores"},
      {"daily_keep",
       "INSERT INTO daily_times (day, name, hund, time) VALUES ($1, $2, $3, $4)"
       " ON CONFLICT (day, name) DO UPDATE SET hund = excluded.hund, time = excluded.time"
       " WHERE excluded.hund < daily_times.hund"},
      {"daily_times",
       "SELECT day, name, hund, time FROM daily_times WHERE day = $1"
       " ORDER BY hund, time, name LIMIT $2"},
      // $1 token, $2 owner, $3 lifetime in seconds, $4 tokens per owner, $5 capacity. One
      // statement, so the caps hold without a transaction: the owner keeps its newest tokens (the
      // new one among them), and of all tokens only those among the newest `capacity` issued
      // that have not expired stay.
      {"tokens_issue",
       "WITH added AS ("
       " INSERT INTO tokens (token, owner, expires)"
       " VALUES ($1, $2, now() + make_interval(secs => $3::double precision)) RETURNING serial),"
       " crowded AS ("
       " DELETE FROM tokens WHERE owner = $2 AND serial <= (SELECT serial FROM tokens"
       " WHERE owner = $2 ORDER BY serial DESC OFFSET $4::bigint - 1 LIMIT 1)),"
       " beyond AS ("
       " DELETE FROM tokens WHERE serial <= (SELECT serial FROM added) - $5::bigint"
       " OR expires <= now())"
       " SELECT serial FROM added"},
      // Taking deletes: of two servers taking one token at once, only one gets the row.
      {"tokens_take",
       "DELETE FROM tokens WHERE token = $1 RETURNING owner,"
       " (extract(epoch FROM expires) * 1000000)::bigint, serial, expires > now()"},
      {"tokens_return",
       "INSERT INTO tokens (token, owner, expires, serial)"
       " SELECT $1, $2, to_timestamp($3::bigint / 1000000.0), $4::bigint"
       " WHERE to_timestamp($3::bigint / 1000000.0) > now() ON CONFLICT (token) DO NOTHING"},
      {"tokens_outstanding", "SELECT count(*) FROM tokens WHERE expires > now()"},
  };
  return statements;
}

}  // namespace scored
