// The score server: version requests, submissions and the table, all on /cgi/version.pl.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/Protocol.h"
#include "server/ReplayVerifier.h"
#include "server/ScorePage.h"
#include "server/ScoreStore.h"
#include "server/TokenBook.h"
#include "server/VerifyPool.h"

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
  // The folder holding the game's Data/ (its pictures decide sizes and collisions); without it
  // replays cannot be verified and are refused.
  std::string dataFolder;
  // Games replayed at once (0: one per core), and games that may wait for a worker.
  size_t verifyThreads = 0;
  size_t verifyQueue = 8;
  VerifyLimits verifyLimits{};
  // The day the road of the day is for ("YYYY-MM-DD"); empty: the UTC date now (tests fix it).
  std::string fixedToday{};
  // A request that carries a replay may take this long to arrive (its body is far larger).
  std::chrono::milliseconds replayRequestTimeout{20000};
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

  // A submission with its game's replay ("hs&prg=Vornakel&inf=CODE&replay") or a daily-road time
  // with its race ("daily&prg=Vornakel&inf=CODE&date=YYYY-MM-DD"): the body is the replay file.
  Reply HandleReplay(std::string_view query, std::string_view replay,
                     const std::string& client = {});

  // Empty when replays can be verified; otherwise why not (said once at start).
  const std::string& VerificationProblem() const { return verificationProblem_; }
  size_t VerifyThreads() const;

  int64_t Accepted() const { return accepted_; }
  int64_t Rejected() const { return rejected_; }

 private:
  ScoreServer(ScoreStore& db, std::unique_ptr<TokenBook> ownTokens, TokenBook* tokens,
              ServerOptions options);
  Reply Version(const std::string& client);
  Reply Submit(std::string_view code);
  Reply Table(PageLanguage language);
  Reply SubmitVerified(std::string_view code, std::string_view replay, const std::string& client);
  Reply SubmitDaily(std::string_view code, std::string_view date, std::string_view replay,
                    const std::string& client);
  // Runs a verification on the pool and waits for it; null when the pool is full.
  std::optional<Verdict> Verify(VerifyPool::Job job);
  Reply RefuseReplay(const std::string& client, const std::string& reason);
  // Uses up a submission's token: nothing when it was good, else the refusal to answer.
  std::optional<Reply> TakeToken(const std::string& token, TokenTicket& ticket);
  // Stores a checked score whose token was taken; a failed write gives the token back.
  Reply Store(const Submission& entry, const TokenTicket& ticket, bool verified);
  // A submission that came with its replay, once verified: its fields, its token and the verdict.
  struct VerifiedEntry {
    Submission entry;
    TokenTicket ticket;
    Verdict verdict;
  };
  using MakeJob = std::function<VerifyPool::Job(const Submission&, std::string replay)>;
  // Checks the code and the replay's size, takes the token and verifies on the pool: the reply of
  // a refusal, or nothing with out filled in (the token is then used up unless given back).
  std::optional<Reply> VerifyEntry(std::string_view code, std::string_view replay,
                                   const std::string& client, std::string_view what,
                                   const MakeJob& makeJob, VerifiedEntry& out);

  ScoreStore& db_;
  ServerOptions options_;
  std::unique_ptr<TokenBook> ownTokens_;
  TokenBook& tokens_;
  std::unique_ptr<HttpFront> http_;
  std::string verificationProblem_;
  std::unique_ptr<VerifyPool> verifier_;
  std::atomic<bool> running_{false};
  std::atomic<bool> stopRequested_{false};
  std::atomic<int64_t> accepted_{0};
  std::atomic<int64_t> rejected_{0};
};

}  // namespace scored
