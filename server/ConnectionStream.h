// One client connection as cpp-httplib's stream: its own read buffer kept from request to request
// (so pipelined requests are all read), and a deadline for each whole request.
#pragma once

#include <httplib.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <string>

namespace scored {

class ConnectionStream final : public httplib::Stream {
 public:
  using Clock = std::chrono::steady_clock;

  ConnectionStream(int sock, std::chrono::milliseconds writeTimeout, size_t maxRequestBytes);

  // Waits up to idle for the first byte of the next request; false when none came, the client
  // left, or stopping() turned true.
  bool WaitForRequest(std::chrono::milliseconds idle, const std::function<bool()>& stopping);
  // Every read of the request that starts now must be done by the deadline, and within
  // maxRequestBytes, so that endless headers cannot fill the memory either.
  void StartRequest(Clock::time_point deadline) {
    deadline_ = deadline;
    requestBytes_ = 0;
    requestLimit_ = maxRequestBytes_;
    answered_ = false;
  }
  // Lets the request under way (one that carries a replay) grow to maxBytes and last until
  // deadline; never shrinks what it may do.
  void Widen(size_t maxBytes, Clock::time_point deadline) {
    requestLimit_ = std::max(requestLimit_, maxBytes);
    deadline_ = std::max(deadline_, deadline);
  }
  // The request ran into its byte limit; whether anything was written since it started.
  bool TooLarge() const { return requestBytes_ >= requestLimit_; }
  bool Answered() const { return answered_; }
  bool HasBuffered() const { return start_ < end_; }
  const std::string& PeerAddress() const { return peerIp_; }

  bool is_readable() const override;
  bool is_writable() const override;
  ssize_t read(char* ptr, size_t size) override;
  ssize_t write(const char* ptr, size_t size) override;
  void get_remote_ip_and_port(std::string& ip, int& port) const override;
  void get_local_ip_and_port(std::string& ip, int& port) const override;
  int socket() const override { return sock_; }

 private:
  // Polls for the events until the deadline; true when they came.
  bool Wait(short events, Clock::time_point until) const;

  int sock_;
  std::chrono::milliseconds writeTimeout_;
  size_t maxRequestBytes_;
  size_t requestBytes_ = 0;
  size_t requestLimit_ = 0;
  bool answered_ = false;
  Clock::time_point deadline_;
  std::array<char, 4096> buffer_{};
  size_t start_ = 0;
  size_t end_ = 0;
  std::string peerIp_;
  int peerPort_ = 0;
  std::string localIp_;
  int localPort_ = 0;
};

}  // namespace scored
