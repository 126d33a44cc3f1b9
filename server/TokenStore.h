// One-time submission tokens: random, unguessable, expiring, each accepted once.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

namespace scored {

class TokenStore {
 public:
  using Clock = std::chrono::steady_clock;

  // At most capacity tokens are outstanding; issuing more forgets the oldest.
  TokenStore(std::chrono::seconds lifetime, size_t capacity);

  // A fresh token (32 hex digits from the system's random source); empty if none could be made.
  std::string Issue(Clock::time_point now = Clock::now());
  // True exactly once for a token that was issued and has not expired.
  bool Consume(const std::string& token, Clock::time_point now = Clock::now());
  size_t Outstanding();

 private:
  void Forget(Clock::time_point now);

  std::chrono::seconds lifetime_;
  size_t capacity_;
  std::mutex mutex_;
  std::unordered_map<std::string, Clock::time_point> expiry_;
  // Tokens in the order issued; entries of consumed tokens linger until they reach the front.
  std::deque<std::pair<Clock::time_point, std::string>> issued_;
};

}  // namespace scored
