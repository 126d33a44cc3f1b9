// One client connection's stream with a per-request deadline.
#include "server/ConnectionStream.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace scored {
namespace {

void NameOf(const sockaddr_storage& address, socklen_t length, std::string& ip, int& port) {
  char host[NI_MAXHOST] = {};
  char service[NI_MAXSERV] = {};
  if (getnameinfo(reinterpret_cast<const sockaddr*>(&address), length, host, sizeof host, service,
                  sizeof service, NI_NUMERICHOST | NI_NUMERICSERV) == 0) {
    ip = host;
    port = std::atoi(service);
  }
}

}  // namespace

ConnectionStream::ConnectionStream(int sock, std::chrono::milliseconds writeTimeout,
                                   size_t maxRequestBytes)
    : sock_(sock),
      writeTimeout_(writeTimeout),
      maxRequestBytes_(maxRequestBytes),
      requestLimit_(maxRequestBytes),
      deadline_(Clock::now()) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (getpeername(sock, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    NameOf(address, length, peerIp_, peerPort_);
  length = sizeof address;
  if (getsockname(sock, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    NameOf(address, length, localIp_, localPort_);
}

bool ConnectionStream::Wait(short events, Clock::time_point until) const {
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    if (left <= 0) return false;
    pollfd fd{sock_, events, 0};
    const int got = poll(&fd, 1, static_cast<int>(left));
    if (got > 0) return true;
    if (got < 0 && errno != EINTR) return false;
  }
}

bool ConnectionStream::WaitForRequest(std::chrono::milliseconds idle,
                                      const std::function<bool()>& stopping) {
  if (HasBuffered()) return true;
  const auto until = Clock::now() + idle;
  constexpr auto kSlice = std::chrono::milliseconds(50);
  while (!stopping()) {
    const auto now = Clock::now();
    if (now >= until) return false;
    if (!Wait(POLLIN, std::min(until, now + kSlice))) continue;
    ssize_t got = 0;
    do {
      got = recv(sock_, buffer_.data(), buffer_.size(), 0);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return false;
    start_ = 0;
    end_ = static_cast<size_t>(got);
    return true;
  }
  return false;
}

bool ConnectionStream::is_readable() const {
  return HasBuffered() || Wait(POLLIN, deadline_);
}

bool ConnectionStream::is_writable() const {
  return Wait(POLLOUT, Clock::now() + writeTimeout_);
}

ssize_t ConnectionStream::read(char* ptr, size_t size) {
  if (requestBytes_ >= requestLimit_) return -1;
  if (!HasBuffered()) {
    // A client that trickles its request still has to finish it by the deadline.
    if (!Wait(POLLIN, deadline_)) return -1;
    ssize_t got = 0;
    do {
      got = recv(sock_, buffer_.data(), buffer_.size(), 0);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return -1;
    start_ = 0;
    end_ = static_cast<size_t>(got);
  }
  const size_t n = std::min({size, end_ - start_, requestLimit_ - requestBytes_});
  std::memcpy(ptr, buffer_.data() + start_, n);
  start_ += n;
  requestBytes_ += n;
  return static_cast<ssize_t>(n);
}

ssize_t ConnectionStream::write(const char* ptr, size_t size) {
  answered_ = true;
  const auto until = Clock::now() + writeTimeout_;
  size_t done = 0;
  while (done < size) {
    if (!Wait(POLLOUT, until)) return -1;
    const ssize_t sent = send(sock_, ptr + done, size - done, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
      return -1;
    }
    done += static_cast<size_t>(sent);
  }
  return static_cast<ssize_t>(size);
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const {
  ip = peerIp_;
  port = peerPort_;
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
  ip = localIp_;
  port = localPort_;
}

}  // namespace scored
