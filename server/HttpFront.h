// cpp-httplib's server with our own connection handling: limits on connections in all and per
// client, a deadline for every whole request, keep-alive that gives way under load, pipelining.
#pragma once

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace scored {

struct ConnectionLimits {
  // Connections served at once; one more is answered "503 busy" at once.
  size_t connections = 512;
  // Connections of one client at once (not for trusted proxies, which carry many clients).
  size_t perClient = 16;
  std::vector<std::string> trustedProxies;
  // From a request's first byte to its last (head and body).
  std::chrono::milliseconds request{5000};
  // The most a request may send, head and body; ours are GETs of well under 4 KB.
  size_t requestBytes = 16384;
  std::chrono::milliseconds write{5000};
  // How long an idle connection is kept; when more than half the connections are taken, idle
  // ones are let go after `keepAliveBusy` instead.
  std::chrono::milliseconds keepAlive{2000};
  std::chrono::milliseconds keepAliveBusy{200};
  // Requests on one connection before it is closed.
  size_t keepAliveRequests = 100;
};

// Threads made as connections need them, up to a ceiling; a waiting connection costs a thread.
class ElasticPool final : public httplib::TaskQueue {
 public:
  explicit ElasticPool(size_t maxThreads) : maxThreads_(maxThreads == 0 ? 1 : maxThreads) {}
  ~ElasticPool() override;
  void enqueue(std::function<void()> fn) override;
  void shutdown() override;

 private:
  void Work();

  size_t maxThreads_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::function<void()>> jobs_;
  std::vector<std::thread> threads_;
  size_t idle_ = 0;
  bool stopping_ = false;
};

class HttpFront final : public httplib::Server {
 public:
  explicit HttpFront(ConnectionLimits limits);

  // Lets as many connections wait to be accepted as may be served; cpp-httplib listens with a
  // queue of 5, and a burst of clients beyond that waits a second or more for a SYN resend.
  void WidenBacklog();
  // From a handler (or the pre-routing handler, before the body is read): the request this thread
  // is reading may grow to maxBytes and take up to time from now.
  static void WidenCurrentRequest(size_t maxBytes, std::chrono::milliseconds time);

 private:
  bool process_and_close_socket(socket_t sock) override;
  // Counts the connection in; false when it is one too many in all or for its client.
  bool Admit(const std::string& client, bool trusted);
  void Leave(const std::string& client, bool trusted);

  ConnectionLimits limits_;
  std::mutex mutex_;
  size_t open_ = 0;
  std::unordered_map<std::string, size_t> perClient_;
};

}  // namespace scored
