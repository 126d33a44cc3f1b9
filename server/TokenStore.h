// One-time submission tokens: random, unguessable, expiring, each accepted once, few per client.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace scored {

class TokenStore {
 public:
  using Clock = std::chrono::steady_clock;

  // A token taken for a submission; handed back when the score could not be stored.
  struct Ticket {
    std::string token;
    std::string owner;
    Clock::time_point expires;
    uint64_t serial = 0;
  };

  // At most capacity tokens are outstanding, and at most perOwner for one client; issuing more
  // forgets the oldest of that client, or the oldest of all, so one client's flood only pushes
  // out its own tokens.
  TokenStore(std::chrono::seconds lifetime, size_t capacity, size_t perOwner = 16);

  // A fresh token (32 hex digits from the system's random source); empty if none could be made.
  std::string Issue(const std::string& owner, Clock::time_point now = Clock::now());
  std::string Issue(Clock::time_point now = Clock::now()) { return Issue(std::string(), now); }
  // Takes a token that was issued and has not expired; null otherwise.
  std::optional<Ticket> Take(const std::string& token, Clock::time_point now = Clock::now());
  // Puts a taken token back, as it was, unless it has expired meanwhile.
  void Return(const Ticket& ticket, Clock::time_point now = Clock::now());
  // True exactly once for a token that was issued and has not expired.
  bool Consume(const std::string& token, Clock::time_point now = Clock::now()) {
    return Take(token, now).has_value();
  }
  size_t Outstanding();

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
