// One-time submission tokens.
#include "server/TokenStore.h"

#include <sys/random.h>

#include <array>
#include <cerrno>
#include <cstdint>

namespace scored {
namespace {

bool FillRandom(uint8_t* out, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t got = getrandom(out + done, size - done, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(got);
  }
  return true;
}

}  // namespace

TokenStore::TokenStore(std::chrono::seconds lifetime, size_t capacity)
    : lifetime_(lifetime), capacity_(capacity == 0 ? 1 : capacity) {}

void TokenStore::Forget(Clock::time_point now) {
  while (!issued_.empty() && (issued_.front().first <= now || issued_.size() > capacity_)) {
    const auto it = expiry_.find(issued_.front().second);
    if (it != expiry_.end() && it->second == issued_.front().first) expiry_.erase(it);
    issued_.pop_front();
  }
}

std::string TokenStore::Issue(Clock::time_point now) {
  std::array<uint8_t, 16> bytes{};
  if (!FillRandom(bytes.data(), bytes.size())) return {};
  static constexpr char kHex[] = "0123456789abcdef";
  std::string token;
  token.reserve(bytes.size() * 2);
  for (const uint8_t b : bytes) {
    token += kHex[b >> 4];
    token += kHex[b & 15];
  }
  const Clock::time_point expires = now + lifetime_;
  std::lock_guard lock(mutex_);
  issued_.emplace_back(expires, token);
  expiry_[token] = expires;
  Forget(now);
  return token;
}

bool TokenStore::Consume(const std::string& token, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  const auto it = expiry_.find(token);
  if (it == expiry_.end()) return false;
  const bool fresh = now < it->second;
  expiry_.erase(it);
  return fresh;
}

size_t TokenStore::Outstanding() {
  std::lock_guard lock(mutex_);
  return expiry_.size();
}

}  // namespace scored
