// One-time submission tokens in memory, and the random tokens every book hands out.
#include "server/TokenStore.h"

#include <sys/random.h>

#include <array>
#include <cerrno>

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

int64_t Micros(TokenStore::Clock::time_point at) {
  return std::chrono::duration_cast<std::chrono::microseconds>(at.time_since_epoch()).count();
}

TokenStore::Clock::time_point FromMicros(int64_t micros) {
  return TokenStore::Clock::time_point(
      std::chrono::duration_cast<TokenStore::Clock::duration>(std::chrono::microseconds(micros)));
}

}  // namespace

std::string NewToken() {
  std::array<uint8_t, 16> bytes{};
  if (!FillRandom(bytes.data(), bytes.size())) return {};
  static constexpr char kHex[] = "0123456789abcdef";
  std::string token;
  token.reserve(bytes.size() * 2);
  for (const uint8_t b : bytes) {
    token += kHex[b >> 4];
    token += kHex[b & 15];
  }
  return token;
}

TokenStore::TokenStore(std::chrono::seconds lifetime, size_t capacity, size_t perOwner)
    : lifetime_(lifetime),
      capacity_(capacity == 0 ? 1 : capacity),
      perOwner_(perOwner == 0 ? 1 : perOwner) {}

void TokenStore::Add(const std::string& token, Entry entry) {
  order_.emplace(entry.serial, token);
  owners_[entry.owner].emplace(entry.serial, token);
  live_.emplace(token, std::move(entry));
}

void TokenStore::Remove(Live::iterator it) {
  const Entry& entry = it->second;
  order_.erase(entry.serial);
  const auto owner = owners_.find(entry.owner);
  if (owner != owners_.end()) {
    owner->second.erase(entry.serial);
    if (owner->second.empty()) owners_.erase(owner);
  }
  live_.erase(it);
}

void TokenStore::Trim(const std::string& owner, Clock::time_point now) {
  const auto mine = owners_.find(owner);
  if (mine != owners_.end() && mine->second.size() > perOwner_)
    Remove(live_.find(mine->second.begin()->second));
  // Every token lives equally long, so the oldest issued expires first.
  while (!order_.empty()) {
    const auto oldest = live_.find(order_.begin()->second);
    if (oldest->second.expires > now && order_.size() <= capacity_) break;
    Remove(oldest);
  }
}

std::string TokenStore::Issue(const std::string& owner, Clock::time_point now) {
  const std::string token = NewToken();
  if (token.empty()) return {};
  std::lock_guard lock(mutex_);
  Add(token, Entry{owner, now + lifetime_, nextSerial_++});
  Trim(owner, now);
  return token;
}

std::optional<TokenStore::Ticket> TokenStore::Take(const std::string& token,
                                                   Clock::time_point now) {
  std::lock_guard lock(mutex_);
  const auto it = live_.find(token);
  if (it == live_.end()) return std::nullopt;
  const bool expired = now >= it->second.expires;
  Ticket ticket{token, it->second.owner, Micros(it->second.expires), it->second.serial};
  Remove(it);
  if (expired) return std::nullopt;
  return ticket;
}

void TokenStore::Return(const Ticket& ticket, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  const Clock::time_point expires = FromMicros(ticket.expires);
  if (now >= expires || live_.count(ticket.token) != 0) return;
  Add(ticket.token, Entry{ticket.owner, expires, ticket.serial});
  Trim(ticket.owner, now);
}

size_t TokenStore::Outstanding() {
  std::lock_guard lock(mutex_);
  return live_.size();
}

}  // namespace scored
