// Our PostgreSQL tables and the statements every pooled connection prepares.
#pragma once

#include <vector>

namespace scored {

// Creates the tables and indexes that are missing, under a lock, so servers starting together
// cannot trip over each other.
extern const char* const kPgSchema;

struct PgStatement {
  const char* name;
  const char* sql;
};
const std::vector<PgStatement>& PgStatements();

}  // namespace scored
