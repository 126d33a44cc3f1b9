// vornakel-scored: the online score server (HTTP on one path, scores in SQLite or PostgreSQL).
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>

#include <time.h>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>

#include "game/RoadCode.h"
#include "server/Protocol.h"
#include "server/ReplayVerifier.h"
#include "server/ScoreServer.h"
#include "server/Storage.h"

namespace {

void PrintUsage() {
  std::fprintf(stderr,
               "usage: vornakel-scored [--port N] [--db FILE|URI | --pg CONNINFO] [--bind ADDR]\n"
               "                       [--connections N] [--per-client N]\n"
               "                       [--trusted-proxy ADDR,...|none] [--data DIR]\n"
               "                       [--verify-threads N] [--verify-queue N]\n"
               "       vornakel-scored --verify FILE --score N [--difficulty WORD] [--data DIR]\n"
               "  --port N           TCP port (default 8642; 0 picks a free one)\n"
               "  --db FILE          SQLite database (default vornakel-scores.db), or a\n"
               "                     postgresql:// address as for --pg\n"
               "  --pg CONNINFO      PostgreSQL database (libpq connection string or URI),\n"
               "                     which several servers may share\n"
               "  --bind ADDR        address to listen on (default 127.0.0.1)\n"
               "  --connections N    connections served at once (default 512)\n"
               "  --per-client N     connections of one client address (default 16)\n"
               "  --trusted-proxy A  proxies whose X-Real-IP names the client\n"
               "                     (default 127.0.0.1,::1)\n"
               "  --data DIR         the folder holding the game's Data/, for replaying games\n"
               "                     (default " VORNAKEL_SCORED_DEFAULT_DATA
               ")\n"
               "  --verify-threads N games replayed at once (default: one per core)\n"
               "  --verify-queue N   games that may wait to be replayed (default 8)\n"
               "  --today DATE       the day whose road takes times (YYYY-MM-DD; default\n"
               "                     today and yesterday, UTC), for tests\n"
               "  --verify FILE      replays a saved game against --score, prints the verdict\n"
               "                     and the processor time it took, and exits\n"
               "  VORNAKEL_SCORED_DB and VORNAKEL_SCORED_DATA in the environment stand for\n"
               "  --db and --data when those are not given.\n");
}

bool ParseInt(std::string_view text, int low, int high, int& out) {
  int value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size() || value < low || value > high) {
    return false;
  }
  out = value;
  return true;
}

// Replays one saved game on this thread and says what became of it and what it cost.
int VerifyFile(const std::string& path, int score, const std::string& difficulty,
               const scored::ServerOptions& options) {
  std::string problem;
  if (!scored::GameDataPresent(options.dataFolder, problem)) {
    std::fprintf(stderr, "vornakel-scored: %s\n", problem.c_str());
    return 1;
  }
  scored::UseGameData(options.dataFolder);
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "vornakel-scored: cannot read %s\n", path.c_str());
    return 1;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  timespec start{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
  const scored::Verdict verdict =
      scored::VerifyGameBytes(bytes.str(), score, difficulty, options.verifyLimits);
  timespec end{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
  const double cpu = static_cast<double>(end.tv_sec - start.tv_sec) +
                     static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e9;
  std::printf("%s: %s%s; %zu races, %llu frames, score %d, %zu bytes, %.3f s of processor time\n",
              path.c_str(), verdict.verified ? "verified" : "refused: ", verdict.reason.c_str(),
              verdict.races, static_cast<unsigned long long>(verdict.frames), verdict.score,
              bytes.str().size(), cpu);
  return verdict.verified ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
  scored::ServerOptions options;
  std::string dbPath = "vornakel-scores.db";
  bool postgres = false;
  bool dbGiven = false;
  std::string verifyPath;
  int verifyScore = 0;
  std::string verifyDifficulty(scored::kClassic);
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      PrintUsage();
      return 0;
    }
    if (!hasValue) {
      std::fprintf(stderr, "vornakel-scored: %s needs a value\n", argv[i]);
      PrintUsage();
      return 2;
    }
    const std::string_view value = argv[++i];
    bool ok = true;
    if (arg == "--port") {
      ok = ParseInt(value, 0, 65535, options.port);
    } else if (arg == "--connections" || arg == "--per-client") {
      int count = 0;
      // Each connection holds a descriptor and a thread; stay well inside the usual limits.
      ok = ParseInt(value, 1, 4000, count);
      (arg == "--connections" ? options.connections : options.connectionsPerClient) =
          static_cast<size_t>(count);
    } else if (arg == "--trusted-proxy") {
      options.trustedProxies.clear();
      for (size_t start = 0; value != "none" && start <= value.size();) {
        const size_t comma = std::min(value.find(',', start), value.size());
        if (comma > start) options.trustedProxies.emplace_back(value.substr(start, comma - start));
        start = comma + 1;
      }
    } else if (arg == "--db" || arg == "--pg") {
      dbPath = value;
      postgres = arg == "--pg" || scored::IsPostgresAddress(value);
      dbGiven = true;
      ok = !dbPath.empty();
    } else if (arg == "--data") {
      options.dataFolder = value;
      ok = !options.dataFolder.empty();
    } else if (arg == "--verify-threads" || arg == "--verify-queue") {
      int count = 0;
      ok = ParseInt(value, arg == "--verify-threads" ? 0 : 1, 256, count);
      (arg == "--verify-threads" ? options.verifyThreads : options.verifyQueue) =
          static_cast<size_t>(count);
    } else if (arg == "--today") {
      options.fixedToday = value;
      ok = game::IsIsoDate(options.fixedToday);
    } else if (arg == "--verify") {
      verifyPath = value;
    } else if (arg == "--score") {
      ok = ParseInt(value, 0, scored::kMaxScore, verifyScore);
    } else if (arg == "--difficulty") {
      verifyDifficulty = value;
    } else if (arg == "--bind") {
      options.bind = value;
      ok = !options.bind.empty();
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "vornakel-scored: bad option %s %s\n", argv[i - 1], argv[i]);
      PrintUsage();
      return 2;
    }
  }

  if (const char* fromEnvironment = getenv("VORNAKEL_SCORED_DB");
      !dbGiven && fromEnvironment != nullptr && fromEnvironment[0] != '\0') {
    dbPath = fromEnvironment;
    postgres = scored::IsPostgresAddress(dbPath);
  }

  if (options.dataFolder.empty()) {
    const char* fromEnvironment = getenv("VORNAKEL_SCORED_DATA");
    options.dataFolder = fromEnvironment != nullptr && fromEnvironment[0] != '\0'
                             ? fromEnvironment
                             : VORNAKEL_SCORED_DEFAULT_DATA;
  }
  if (!verifyPath.empty()) return VerifyFile(verifyPath, verifyScore, verifyDifficulty, options);

  // SIGTERM and SIGINT are taken by one waiting thread, never by a handler inside a request.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::string error;
  auto storage = postgres ? scored::OpenPostgresStorage(dbPath, options, error)
                          : scored::OpenSqliteStorage(dbPath, options, error);
  if (!storage) {
    // A connection string may hold a password: name only what it points at.
    const std::string what = postgres ? scored::DescribePostgres(dbPath) : dbPath;
    std::fprintf(stderr, "vornakel-scored: cannot open %s: %s\n", what.c_str(), error.c_str());
    return 1;
  }
  const int64_t storedAtStart = storage->scores->Count();

  scored::ScoreServer server(*storage->scores, *storage->tokens, options);
  const int port = server.Bind();
  if (port == 0) {
    std::fprintf(stderr, "vornakel-scored: cannot listen on %s port %d\n", options.bind.c_str(),
                 options.port);
    return 1;
  }
  std::fprintf(stderr, "vornakel-scored: serving http://%s:%d/cgi/version.pl, %lld scores in %s\n",
               options.bind.c_str(), port, static_cast<long long>(storedAtStart),
               storage->description.c_str());
  if (server.VerificationProblem().empty()) {
    std::fprintf(stderr, "vornakel-scored: replaying games on %zu threads with the data in %s\n",
                 server.VerifyThreads(), options.dataFolder.c_str());
  } else {
    std::fprintf(stderr,
                 "vornakel-scored: cannot replay games (%s; give the folder holding the game's "
                 "Data/ with --data): scores sent with a replay are refused, plain ones are "
                 "taken as before\n",
                 server.VerificationProblem().c_str());
  }

  std::thread signalWaiter([&server, &signals] {
    int received = 0;
    sigwait(&signals, &received);
    if (received != SIGUSR1) {
      std::fprintf(stderr, "vornakel-scored: %s, finishing the requests in hand\n",
                   strsignal(received));
    }
    server.Stop();
  });

  const bool ran = server.Run();
  // Wakes the waiter when the server ended on its own.
  pthread_kill(signalWaiter.native_handle(), SIGUSR1);
  signalWaiter.join();

  std::fprintf(stderr, "vornakel-scored: stopped; %lld scores accepted, %lld requests refused\n",
               static_cast<long long>(server.Accepted()),
               static_cast<long long>(server.Rejected()));
  return ran ? 0 : 1;
}
