// Tests of the libcurl client and the score client against small local servers on loopback.
#include "online/CurlHttpClient.h"

#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "online/ScoreClient.h"
#include "online/TextCodec.h"

namespace online {
namespace {

using ::testing::ElementsAre;

constexpr HttpTimeouts kTestTimeouts{1000, 1000};

// An httplib server that records every request on /cgi/version.pl and answers from a script.
class RecordingServer {
 public:
  struct Seen {
    std::string path, query, accept, userAgent, contentType, cookie;
  };

  explicit RecordingServer(
      std::function<void(const httplib::Request&, httplib::Response&)> answer) {
    server_.Get(
        "/cgi/version.pl", [this, answer](const httplib::Request& req, httplib::Response& res) {
          {
            std::lock_guard lock(mutex_);
            const size_t mark = req.target.find('?');
            seen_.push_back({req.path, mark == std::string::npos ? "" : req.target.substr(mark + 1),
                             req.get_header_value("Accept"), req.get_header_value("User-Agent"),
                             req.get_header_value("Content-Type"), req.get_header_value("Cookie")});
          }
          answer(req, res);
        });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~RecordingServer() {
    server_.stop();
    thread_.join();
  }
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_); }
  std::vector<Seen> Requests() {
    std::lock_guard lock(mutex_);
    return seen_;
  }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<Seen> seen_;
};

// A socket that accepts connections into its backlog and never answers.
class SilentServer {
 public:
  SilentServer() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(fd_, 8);
    socklen_t size = sizeof addr;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &size);
    port_ = ntohs(addr.sin_port);
  }
  ~SilentServer() { close(fd_); }
  int Port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// A loopback port that nothing listens on.
int ClosedPort() {
  SilentServer gone;
  return gone.Port();
}

TEST(CurlScoreClient, SendsExactPathQueriesHeadersAndKeepsCookies) {
  RecordingServer server([](const httplib::Request& req, httplib::Response& res) {
    if (req.has_param("version")) {
      res.set_header("Set-Cookie", "session=abc; Path=/");
      res.set_content("OK|Vornakel|1|0|tok42|", "text/plain");
    } else {
      res.set_content("OK", "text/plain");
    }
  });
  CurlHttpClient http(kTestTimeouts);
  std::vector<std::string> messages;
  ScoreClient client(server.Address(), http, [&](const std::string& m) { messages.push_back(m); });
  ASSERT_TRUE(client.submitScore("Kyrrin", 777, "hi"));
  EXPECT_TRUE(messages.empty());

  const auto seen = server.Requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].path, "/cgi/version.pl");
  EXPECT_EQ(seen[0].query, "version&prg=Vornakel");
  EXPECT_EQ(seen[1].path, "/cgi/version.pl");
  EXPECT_EQ(seen[1].query,
            "hs&prg=Vornakel&inf=" + encode(BuildScorePayload("Kyrrin", 777, "tok42", "hi")));
  for (const auto& request : seen) {
    EXPECT_EQ(request.accept, "text/html, */*");
    EXPECT_EQ(request.userAgent, "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(request.contentType, "text/html");
  }
  EXPECT_EQ(seen[0].cookie, "");
  EXPECT_EQ(seen[1].cookie, "session=abc");
}

TEST(CurlScoreClient, CantConnectOnRefusalErrorStatusAndUnwillingServer) {
  {
    CurlHttpClient http(kTestTimeouts);
    std::vector<std::string> messages;
    ScoreClient client("http://127.0.0.1:" + std::to_string(ClosedPort()), http,
                       [&](const std::string& m) { messages.push_back(m); });
    EXPECT_FALSE(client.submitScore("x", 1, ""));
    EXPECT_THAT(messages, ElementsAre("Can't connect to server!"));
  }
  for (const int status : {200, 503}) {
    RecordingServer server([status](const httplib::Request&, httplib::Response& res) {
      res.status = status;
      res.set_content(status == 200 ? "Closed for repairs" : "OK|a|b|c|d|", "text/plain");
    });
    CurlHttpClient http(kTestTimeouts);
    std::vector<std::string> messages;
    ScoreClient client(server.Address(), http,
                       [&](const std::string& m) { messages.push_back(m); });
    EXPECT_FALSE(client.submitScore("x", 1, ""));
    EXPECT_THAT(messages, ElementsAre("Can't connect to server!"));
    EXPECT_EQ(server.Requests().size(), 1u) << "no submission after a refused version request";
  }
}

TEST(CurlScoreClient, ASilentServerTimesOutInsteadOfHanging) {
  SilentServer silent;
  CurlHttpClient http(kTestTimeouts);
  std::vector<std::string> messages;
  ScoreClient client("http://127.0.0.1:" + std::to_string(silent.Port()), http,
                     [&](const std::string& m) { messages.push_back(m); });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(client.submitScore("x", 1, ""));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_THAT(messages, ElementsAre("Can't connect to server!"));
  EXPECT_LT(took, std::chrono::seconds(3));
}

TEST(CurlHttpClient, OversizedReplyIsAFailure) {
  RecordingServer server([](const httplib::Request&, httplib::Response& res) {
    res.set_content(std::string(CurlHttpClient::kMaxReplyBytes + 1, 'O'), "text/plain");
  });
  CurlHttpClient http(kTestTimeouts);
  const HttpResult result = http.Get(server.Address() + "/cgi/version.pl?x", {});
  EXPECT_FALSE(result.completed);
  EXPECT_TRUE(result.body.empty());
  EXPECT_FALSE(result.error.empty());
}

}  // namespace
}  // namespace online
