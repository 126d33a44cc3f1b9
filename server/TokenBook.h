// The book of one-time submission tokens as the server sees it, kept in memory or in PostgreSQL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace scored {

// A token taken for a submission; handed back when the score could not be stored.
struct TokenTicket {
  std::string token;
  std::string owner;
  int64_t expires = 0;  // microseconds on the book's own clock
  uint64_t serial = 0;  // the order issued
};

// Every token is random and unguessable, expires, is accepted once, and one client holds only a
// few: issuing more forgets that client's oldest, or the oldest of all beyond the book's capacity.
class TokenBook {
 public:
  virtual ~TokenBook() = default;
  // A fresh token for a client (its address key); empty if none could be made.
  virtual std::string Issue(const std::string& owner) = 0;
  enum class Taken { kYes, kNo, kUnavailable };
  // Takes a token that was issued and has not expired into ticket: kNo for any other token, and
  // kUnavailable when the book cannot be reached just now. Of two takes of one token, on any
  // server sharing the book, only one succeeds.
  virtual Taken Take(const std::string& token, TokenTicket& ticket) = 0;
  std::optional<TokenTicket> Take(const std::string& token) {
    TokenTicket ticket;
    if (Take(token, ticket) != Taken::kYes) return std::nullopt;
    return ticket;
  }
  // Puts a taken token back, as it was, unless it has expired meanwhile.
  virtual void Return(const TokenTicket& ticket) = 0;
  // Tokens issued, not yet taken and not expired (or not yet swept).
  virtual size_t Outstanding() = 0;
};

// 32 hex digits from the system's random source; empty if it fails.
std::string NewToken();

}  // namespace scored
