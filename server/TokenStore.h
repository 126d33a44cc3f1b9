// One-time submission tokens kept in this process's memory (one server on one machine).
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "server/TokenBook.h"

namespace scored {

class TokenStore : public TokenBook {
 public:
  using Clock = std::chrono::steady_clock;
  using Ticket = TokenTicket;

  // At most capacity tokens are outstanding, and at most perOwner for one client; issuing more
  // forgets the oldest of that client, or the oldest of all, so one client's flood only pushes
  // out its own tokens.
  TokenStore(std::chrono::seconds lifetime, size_t capacity, size_t perOwner = 16);

  std::string Issue(const std::string& owner) override { return Issue(owner, Clock::now()); }
  using TokenBook::Take;
  Taken Take(const std::string& token, Ticket& ticket) override {
    auto taken = Take(token, Clock::now());
    if (!taken) return Taken::kNo;
    ticket = std::move(*taken);
    return Taken::kYes;
  }
  void Return(const Ticket& ticket) override { Return(ticket, Clock::now()); }
  size_t Outstanding() override;

  // The same at a given moment, for tests of expiry.
  std::string Issue(const std::string& owner, Clock::time_point now);
  std::string Issue(Clock::time_point now = Clock::now()) { return Issue(std::string(), now); }
  std::optional<Ticket> Take(const std::string& token, Clock::time_point now);
  void Return(const Ticket& ticket, Clock::time_point now);
  // True exactly once for a token that was issued and has not expired.
  bool Consume(const std::string& token, Clock::time_point now = Clock::now()) {
    return Take(token, now).has_value();
  }

 private:
  struct Entry {
    std::string owner;
    Clock::time_point expires;
    uint64_t serial = 0;
  };
  using Live = std::unordered_map<std::string, Entry>;

  void Add(const std::string& token, Entry entry);
  void Remove(Live::iterator it);
  // Drops expired tokens, a client's oldest beyond its share and the oldest beyond capacity.
  void Trim(const std::string& owner, Clock::time_point now);

  std::chrono::seconds lifetime_;
  size_t capacity_;
  size_t perOwner_;
  std::mutex mutex_;
  Live live_;
  // Outstanding tokens by serial (the order issued), of all clients and of each client.
  std::map<uint64_t, std::string> order_;
  std::unordered_map<std::string, std::map<uint64_t, std::string>> owners_;
  uint64_t nextSerial_ = 0;
};

}  // namespace scored
