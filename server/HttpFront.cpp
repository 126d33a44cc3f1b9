// Our connection handling on top of cpp-httplib's request parsing and routing.
#include "server/HttpFront.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string_view>

#include "server/ClientAddress.h"
#include "server/ConnectionStream.h"

namespace scored {
namespace {

// Ends the connection with FIN after the last answer: input the client sent that was never read
// is drained first, as closing over it would reset the connection and could lose that answer.
// The drain is short and bounded, so a client that keeps sending cannot hold the thread.
void CloseGently(int sock) {
  shutdown(sock, SHUT_WR);
  char sink[4096];
  pollfd fd{sock, POLLIN, 0};
  for (int round = 0; round < 16 && poll(&fd, 1, 100) > 0; ++round) {
    if (recv(sock, sink, sizeof sink, MSG_DONTWAIT) <= 0) break;
  }
  close(sock);
}

// Answers a connection that is not admitted ("busy", without waiting for its request) or a request
// cut off for its size; the connection is closed after it.
void SendFinal(int sock, std::string_view answer) {
  [[maybe_unused]] const ssize_t sent = send(sock, answer.data(), answer.size(), MSG_NOSIGNAL);
}

constexpr std::string_view kBusy =
    "HTTP/1.1 503 Service Unavailable\r\nContent-Type: text/plain; charset=utf-8\r\n"
    "Content-Length: 15\r\nRetry-After: 1\r\nConnection: close\r\n\r\nserver is busy\n";
constexpr std::string_view kTooLarge =
    "HTTP/1.1 431 Request Header Fields Too Large\r\nContent-Type: text/plain; charset=utf-8\r\n"
    "Content-Length: 18\r\nConnection: close\r\n\r\nrequest too large\n";

// The connection this thread serves (each connection has a thread of its own while it is served).
thread_local ConnectionStream* tCurrentStream = nullptr;

}  // namespace

ElasticPool::~ElasticPool() {
  shutdown();
}

void ElasticPool::enqueue(std::function<void()> fn) {
  std::lock_guard lock(mutex_);
  jobs_.push_back(std::move(fn));
  if (jobs_.size() > idle_ && threads_.size() < maxThreads_) {
    threads_.emplace_back([this] { Work(); });
  } else {
    ready_.notify_one();
  }
}

void ElasticPool::shutdown() {
  std::vector<std::thread> threads;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    threads.swap(threads_);
  }
  ready_.notify_all();
  for (auto& t : threads) t.join();
}

void ElasticPool::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    ++idle_;
    ready_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    --idle_;
    if (jobs_.empty()) return;
    std::function<void()> job = std::move(jobs_.front());
    jobs_.pop_front();
    lock.unlock();
    job();
    lock.lock();
  }
}

HttpFront::HttpFront(ConnectionLimits limits) : limits_(std::move(limits)) {
  // Spare threads beyond the connection limit only say "busy" and go.
  const size_t threads = limits_.connections + 16;
  new_task_queue = [threads] { return new ElasticPool(threads); };
}

void HttpFront::WidenBacklog() {
  const socket_t sock = svr_sock_;
  if (sock != INVALID_SOCKET) ::listen(sock, static_cast<int>(limits_.connections));
}

bool HttpFront::Admit(const std::string& client, bool trusted) {
  std::lock_guard lock(mutex_);
  if (open_ >= limits_.connections) return false;
  if (!trusted) {
    const auto mine = perClient_.find(client);
    if (mine != perClient_.end() && mine->second >= limits_.perClient) return false;
    if (limits_.perClient == 0) return false;
    ++perClient_[client];
  }
  ++open_;
  return true;
}

void HttpFront::Leave(const std::string& client, bool trusted) {
  std::lock_guard lock(mutex_);
  --open_;
  if (trusted) return;
  const auto it = perClient_.find(client);
  if (it != perClient_.end() && --it->second == 0) perClient_.erase(it);
}

bool HttpFront::process_and_close_socket(socket_t sock) {
  ConnectionStream stream(sock, limits_.write, limits_.requestBytes);
  tCurrentStream = &stream;
  const std::string client = ClientKey(stream.PeerAddress());
  const bool trusted = IsTrustedProxy(stream.PeerAddress(), limits_.trustedProxies);
  bool ok = false;
  if (!Admit(client, trusted)) {
    SendFinal(sock, kBusy);
  } else {
    const auto stopping = [this] { return svr_sock_ == INVALID_SOCKET; };
    for (size_t served = 0; served < limits_.keepAliveRequests; ++served) {
      std::chrono::milliseconds idle = limits_.request;
      if (served > 0) {
        std::lock_guard lock(mutex_);
        idle = open_ * 2 > limits_.connections ? limits_.keepAliveBusy : limits_.keepAlive;
      }
      if (!stream.WaitForRequest(idle, stopping)) break;
      stream.StartRequest(ConnectionStream::Clock::now() + limits_.request);
      const bool last = served + 1 == limits_.keepAliveRequests || stopping();
      bool closed = false;
      ok = process_request(stream, last, closed, nullptr);
      if (!ok && stream.TooLarge() && !stream.Answered()) SendFinal(sock, kTooLarge);
      if (!ok || closed || last) break;
    }
    Leave(client, trusted);
  }
  tCurrentStream = nullptr;
  CloseGently(sock);
  return ok;
}

void HttpFront::WidenCurrentRequest(size_t maxBytes, std::chrono::milliseconds time) {
  if (tCurrentStream != nullptr)
    tCurrentStream->Widen(maxBytes, ConnectionStream::Clock::now() + time);
}

}  // namespace scored
