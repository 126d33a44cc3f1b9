// The score server: version requests, submissions and the table, all on /cgi/version.pl.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "server/ScorePage.h"
#include "server/ScoreStore.h"
#include "server/TokenBook.h"

namespace scored {

class HttpFront;

struct ServerOptions {
  std::string bind = "127.0.0.1";
  int port = 8642;  // 0 picks a free port
  // Connections served at once, and of one client (a trusted proxy's are not counted per client).
  size_t connections = 512;
  size_t connectionsPerClient = 16;
  std::chrono::seconds tokenLifetime{600};
  size_t tokenCapacity = 100000;
  // Outstanding tokens of one client; an honest game holds one for a second or two.
  size_t tokensPerClient = 16;
  // Peers whose X-Real-IP header names the client (the reverse proxy in front of us).
  std::vector<std::string> trustedProxies = {"127.0.0.1", "::1"};
  // Longest request target (path and query) served.
  size_t maxTargetLength = 2048;
  // Longest a request may take from its first byte to its last (head and body); also the longest
  // a reply may take to go out.
  std::chrono::milliseconds requestTimeout{5000};
  // How long an idle connection is kept open, and how many requests it may carry.
  std::chrono::milliseconds keepAlive{2000};
  size_t keepAliveRequests = 100;
};

struct Reply {
  int status = 200;
  std::string contentType = "text/plain; charset=utf-8";
  std::string body;
};

class ScoreServer {
 public:
  // Keeps its tokens in its own memory: one server on one machine.
  ScoreServer(ScoreStore& db, ServerOptions options);
  // Keeps its tokens in a book other servers may share (the token options are the book's then).
  ScoreServer(ScoreStore& db, TokenBook& tokens, ServerOptions options);
  ~ScoreServer();
  ScoreServer(const ScoreServer&) = delete;
  ScoreServer& operator=(const ScoreServer&) = delete;

  // Binds the listening socket; returns the port, or 0 when it could not bind.
  int Bind();
  // Serves until Stop. False when the server could not run.
  bool Run();
  // Safe from any thread and at any time, also before Run has begun.
  void Stop();

  // Answers one request target's query string (everything after "?") from a client (its key);
  // pages follow the browser's Accept-Language unless the query names a language.
  Reply Handle(std::string_view query, const std::string& client = {},
               std::string_view acceptLanguage = {});

  int64_t Accepted() const { return accepted_; }
  int64_t Rejected() const { return rejected_; }

 private:
  ScoreServer(ScoreStore& db, std::unique_ptr<TokenBook> ownTokens, TokenBook* tokens,
              ServerOptions options);
  Reply Version(const std::string& client);
  Reply Submit(std::string_view code);
  Reply Table(PageLanguage language);

  ScoreStore& db_;
  ServerOptions options_;
  std::unique_ptr<TokenBook> ownTokens_;
  TokenBook& tokens_;
  std::unique_ptr<HttpFront> http_;
  std::atomic<bool> running_{false};
  std::atomic<bool> stopRequested_{false};
  std::atomic<int64_t> accepted_{0};
  std::atomic<int64_t> rejected_{0};
};

}  // namespace scored
