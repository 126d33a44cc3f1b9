// Submission tokens in PostgreSQL: a token one server issues, any server sharing the book accepts.
#pragma once

#include <chrono>
#include <memory>

#include "server/PgPool.h"
#include "server/TokenBook.h"

namespace scored {

class PgTokenBook : public TokenBook {
 public:
  PgTokenBook(std::shared_ptr<PgPool> pool, std::chrono::seconds lifetime, size_t capacity,
              size_t perOwner);

  std::string Issue(const std::string& owner) override;
  using TokenBook::Take;
  Taken Take(const std::string& token, TokenTicket& ticket) override;
  void Return(const TokenTicket& ticket) override;
  size_t Outstanding() override;

 private:
  std::shared_ptr<PgPool> pool_;
  std::string lifetime_;
  std::string capacity_;
  std::string perOwner_;
};

}  // namespace scored
