// Submission tokens in PostgreSQL: issuing trims in the same statement, taking is one DELETE.
#include "server/PgTokenBook.h"

#include <libpq-fe.h>

#include <cstdlib>

namespace scored {

PgTokenBook::PgTokenBook(std::shared_ptr<PgPool> pool, std::chrono::seconds lifetime,
                         size_t capacity, size_t perOwner)
    : pool_(std::move(pool)),
      lifetime_(std::to_string(lifetime.count())),
      capacity_(std::to_string(capacity == 0 ? 1 : capacity)),
      perOwner_(std::to_string(perOwner == 0 ? 1 : perOwner)) {}

std::string PgTokenBook::Issue(const std::string& owner) {
  const std::string token = NewToken();
  if (token.empty()) return {};
  // A second try after a lost connection at worst leaves one unused token behind to expire.
  const PgResult result =
      pool_->Run("tokens_issue", {token, owner, lifetime_, perOwner_, capacity_},
                 PgPool::Retry::kOnLostConnection);
  return result && PQntuples(result.get()) == 1 ? token : std::string();
}

TokenBook::Taken PgTokenBook::Take(const std::string& token, TokenTicket& ticket) {
  // Never run twice: the first may have taken the token before the connection went.
  const PgResult result = pool_->Run("tokens_take", {token}, PgPool::Retry::kNo);
  if (!result) return Taken::kUnavailable;
  if (PQntuples(result.get()) != 1) return Taken::kNo;
  if (PQgetvalue(result.get(), 0, 3)[0] != 't') return Taken::kNo;  // expired
  ticket.token = token;
  ticket.owner = PQgetvalue(result.get(), 0, 0);
  ticket.expires = std::strtoll(PQgetvalue(result.get(), 0, 1), nullptr, 10);
  ticket.serial = std::strtoull(PQgetvalue(result.get(), 0, 2), nullptr, 10);
  return Taken::kYes;
}

void PgTokenBook::Return(const TokenTicket& ticket) {
  pool_->Run(
      "tokens_return",
      {ticket.token, ticket.owner, std::to_string(ticket.expires), std::to_string(ticket.serial)},
      PgPool::Retry::kOnLostConnection);
}

size_t PgTokenBook::Outstanding() {
  const PgResult result = pool_->Run("tokens_outstanding", {}, PgPool::Retry::kOnLostConnection);
  if (!result || PQntuples(result.get()) != 1) return 0;
  return std::strtoull(PQgetvalue(result.get(), 0, 0), nullptr, 10);
}

}  // namespace scored
