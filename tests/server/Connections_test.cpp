// Tests of the server's connection handling on loopback: slow clients, limits, keep-alive,
// pipelining.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "online/CurlHttpClient.h"
#include "server/ServerFixture.h"

namespace scored {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::LiveServer;
using testing::TempDir;

const std::string kVersion = "GET /cgi/version.pl?version&prg=Vornakel HTTP/1.1\r\nHost: t\r\n";

// A plain TCP connection to the server, for what an HTTP library would not send.
class RawConnection {
 public:
  explicit RawConnection(int port) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~RawConnection() { close(fd_); }
  bool Send(const std::string& text) {
    return connected_ &&
           send(fd_, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size());
  }
  // Everything that arrives until the server closes, or until the wait runs out.
  std::string Read(std::chrono::milliseconds wait, bool* closed = nullptr) {
    std::string got;
    const auto until = Clock::now() + wait;
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
      pollfd fd{fd_, POLLIN, 0};
      if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0) break;
      char chunk[4096];
      const ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
      if (n <= 0) {
        if (closed != nullptr) *closed = true;
        break;
      }
      got.append(chunk, static_cast<size_t>(n));
    }
    return got;
  }

 private:
  int fd_;
  bool connected_ = false;
};

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(Connections, PipelinedRequestsAreAllAnsweredOrTheConnectionClosesCleanly) {
  TempDir dir;
  {
    LiveServer server(dir.File("a.db"));
    RawConnection c(server.Port());
    ASSERT_TRUE(c.Send(kVersion + "\r\n" + kVersion + "\r\n" +
                       "GET /cgi/version.pl?prg=Vornakel&show&type=0 HTTP/1.1\r\nHost: t\r\n"
                       "Connection: close\r\n\r\n"));
    bool closed = false;
    const std::string answers = c.Read(3s, &closed);
    EXPECT_TRUE(closed);
    EXPECT_EQ(Count(answers, "HTTP/1.1 200 OK"), 3u) << answers;
    EXPECT_EQ(Count(answers, "OK|Vornakel|"), 2u);
    EXPECT_LT(answers.find("OK|Vornakel|"), answers.find("<html"));
  }
  ServerOptions options;
  options.keepAliveRequests = 2;
  LiveServer server(dir.File("b.db"), options);
  RawConnection c(server.Port());
  ASSERT_TRUE(c.Send(kVersion + "\r\n" + kVersion + "\r\n" + kVersion + "\r\n"));
  bool closed = false;
  const std::string answers = c.Read(3s, &closed);
  EXPECT_TRUE(closed);
  EXPECT_EQ(Count(answers, "HTTP/1.1 200 OK"), 2u) << answers;
  EXPECT_EQ(Count(answers, "Connection: close"), 1u);
}

TEST(Connections, TricklingClientsAreCutOffAndHonestOnesStillServed) {
  TempDir dir;
  ServerOptions options;
  options.requestTimeout = 1000ms;
  options.connectionsPerClient = 1000;
  LiveServer server(dir.File("s.db"), options);
  std::vector<std::unique_ptr<RawConnection>> slow;
  for (int i = 0; i < 200; ++i) {
    slow.push_back(std::make_unique<RawConnection>(server.Port()));
    slow.back()->Send("GET /cgi/version.pl?version&prg=Vornakel HTTP/1.1\r\nX-Slow: ");
  }
  const auto begin = Clock::now();
  std::atomic<bool> trickle{true};
  std::thread trickler([&] {
    while (trickle) {
      for (auto& c : slow) c->Send("x");
      std::this_thread::sleep_for(200ms);
    }
  });
  online::CurlHttpClient http(online::HttpTimeouts{1000, 1000});
  for (int i = 0; i < 10; ++i) {
    const auto asked = Clock::now();
    EXPECT_EQ(http.Get(server.Url("version&prg=Vornakel"), {}).status, 200) << i;
    EXPECT_LT(Clock::now() - asked, 500ms);
    std::this_thread::sleep_for(100ms);
  }
  // The whole request had a second; every trickling connection is closed soon after.
  size_t closed = 0;
  for (auto& c : slow) {
    bool gone = false;
    c->Read(std::chrono::duration_cast<std::chrono::milliseconds>(begin + 3s - Clock::now()),
            &gone);
    closed += gone ? 1 : 0;
  }
  const auto allClosed = Clock::now() - begin;
  trickle = false;
  trickler.join();
  EXPECT_LT(allClosed, 2500ms);
  EXPECT_EQ(closed, slow.size());
}

TEST(Connections, LimitsPerClientAndManyKeepAliveClientsServedAtOnce) {
  TempDir dir;
  {
    ServerOptions options;
    options.connectionsPerClient = 4;
    options.trustedProxies.clear();
    LiveServer server(dir.File("l.db"), options);
    std::vector<std::unique_ptr<RawConnection>> held;
    for (int i = 0; i < 4; ++i) {
      held.push_back(std::make_unique<RawConnection>(server.Port()));
      held.back()->Send(kVersion + "\r\n");
      EXPECT_NE(held.back()->Read(300ms).find("200 OK"), std::string::npos);
    }
    RawConnection fifth(server.Port());
    fifth.Send(kVersion + "\r\n");
    EXPECT_NE(fifth.Read(1s).find("HTTP/1.1 503"), std::string::npos);
    held.pop_back();
    // Endless headers are cut off instead of filling the memory.
    RawConnection endless(server.Port());
    std::string head = kVersion;
    for (int i = 0; i < 1000; ++i) head += "X-Filler-" + std::to_string(i) + ": 0123456789\r\n";
    endless.Send(head + "\r\n");
    bool closed = false;
    EXPECT_EQ(endless.Read(2s, &closed).find("200 OK"), std::string::npos);
    EXPECT_TRUE(closed);
  }
  // 64 clients that keep their connections open are all answered at once.
  LiveServer server(dir.File("k.db"));
  std::atomic<int> answered{0};
  std::vector<std::thread> clients;
  for (int i = 0; i < 64; ++i) {
    clients.emplace_back([&] {
      online::CurlHttpClient http(online::HttpTimeouts{1000, 1000});
      for (int r = 0; r < 3; ++r) {
        answered += http.Get(server.Url("version&prg=Vornakel"), {}).status == 200 ? 1 : 0;
        std::this_thread::sleep_for(500ms);
      }
    });
  }
  for (auto& t : clients) t.join();
  EXPECT_EQ(answered, 64 * 3);
}

}  // namespace
}  // namespace scored
