// vornakel-scored-load: version + submission pairs per second against local score servers.
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "online/CurlHttpClient.h"
#include "online/ScoreClient.h"
#include "online/TextCodec.h"

namespace {

constexpr int kMaxClients = 1024;
constexpr int kMaxSeconds = 60;
constexpr long long kMaxPairs = 2000000;

struct Options {
  // With several servers (instances sharing one database), each submission goes to another
  // server than the one that gave its token, as behind a load balancer.
  std::vector<std::string> servers;
  int clients = 16;
  int seconds = 10;
  long long maxPairs = 1000000;
  std::string db;  // when given, the row count is checked against the accepted submissions
};

void PrintUsage() {
  std::fprintf(stderr,
               "usage: vornakel-scored-load [--server URL]... [--clients N] [--seconds N] "
               "[--max-pairs N] [--db FILE]\n"
               "  servers must be on this machine (127.0.0.1, localhost or [::1]); with more\n"
               "  than one, each token is used on the next server\n");
}

template <typename T>
bool ParseNumber(std::string_view text, T low, T high, T& out) {
  T value{};
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size() || value < low || value > high) {
    return false;
  }
  out = value;
  return true;
}

// Only loopback addresses: this program must never load anybody else's server.
bool IsLoopback(const std::string& url) {
  std::string_view rest = url;
  const size_t scheme = rest.find("://");
  if (scheme != std::string_view::npos) rest.remove_prefix(scheme + 3);
  for (const std::string_view host : {"127.0.0.1", "localhost", "[::1]"}) {
    if (rest.substr(0, host.size()) == host &&
        (rest.size() == host.size() || rest[host.size()] == ':' || rest[host.size()] == '/')) {
      return true;
    }
  }
  return false;
}

long long CountRows(const std::string& path) {
  sqlite3* db = nullptr;
  long long count = -1;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_busy_timeout(db, 5000);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM scores", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
      count = sqlite3_column_int64(stmt, 0);
    }
    sqlite3_finalize(stmt);
  }
  sqlite3_close(db);
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h" || i + 1 >= argc) {
      PrintUsage();
      return arg == "--help" || arg == "-h" ? 0 : 2;
    }
    const std::string_view value = argv[++i];
    bool ok = true;
    if (arg == "--server") {
      options.servers.push_back(online::NormaliseServerAddress(value));
      ok = options.servers.size() <= 16;
    } else if (arg == "--clients") {
      ok = ParseNumber(value, 1, kMaxClients, options.clients);
    } else if (arg == "--seconds") {
      ok = ParseNumber(value, 1, kMaxSeconds, options.seconds);
    } else if (arg == "--max-pairs") {
      ok = ParseNumber(value, 1LL, kMaxPairs, options.maxPairs);
    } else if (arg == "--db") {
      options.db = value;
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "vornakel-scored-load: bad option %s %s\n", argv[i - 1], argv[i]);
      PrintUsage();
      return 2;
    }
  }
  if (options.servers.empty()) options.servers.push_back("http://127.0.0.1:8642");
  for (const std::string& server : options.servers) {
    if (!IsLoopback(server)) {
      std::fprintf(stderr, "vornakel-scored-load: %s is not a loopback address\n", server.c_str());
      return 2;
    }
  }

  const long long rowsBefore = options.db.empty() ? 0 : CountRows(options.db);
  std::atomic<long long> started{0};
  std::atomic<long long> accepted{0};
  std::atomic<long long> failed{0};
  const auto begin = std::chrono::steady_clock::now();
  const auto deadline = begin + std::chrono::seconds(options.seconds);

  std::mutex timesMutex;
  std::vector<double> pairMs;
  std::vector<std::thread> clients;
  for (int c = 0; c < options.clients; ++c) {
    clients.emplace_back([&, c] {
      online::CurlHttpClient http;
      const std::string name = "load" + std::to_string(c);
      // Each client comes as its own address through the proxy the server trusts on loopback.
      std::vector<online::HttpHeader> headers = online::ScoreRequestHeaders();
      headers.emplace_back("X-Real-IP",
                           "10.77." + std::to_string(c / 256) + "." + std::to_string(c % 256));
      std::vector<double> mine;
      int32_t score = 0;
      size_t turn = static_cast<size_t>(c);
      while (std::chrono::steady_clock::now() < deadline && started++ < options.maxPairs) {
        const auto pairBegin = std::chrono::steady_clock::now();
        const std::string& issuer = options.servers[turn % options.servers.size()];
        const std::string& taker = options.servers[(turn + 1) % options.servers.size()];
        ++turn;
        const online::HttpResult version = http.Get(online::VersionUrl(issuer), headers);
        const std::string token = online::ExtractToken(version.body);
        if (!version.Succeeded() || version.body.compare(0, 2, "OK") != 0 || token.empty()) {
          ++failed;
          continue;
        }
        const std::string payload = online::BuildScorePayload(name, ++score, token, "load");
        const online::HttpResult sent =
            http.Get(online::SubmissionUrl(taker, online::encode(payload)), headers);
        if (sent.Succeeded() && sent.body.compare(0, 2, "OK") == 0) {
          ++accepted;
        } else {
          ++failed;
        }
        mine.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - pairBegin)
                .count());
      }
      std::lock_guard lock(timesMutex);
      pairMs.insert(pairMs.end(), mine.begin(), mine.end());
    });
  }
  for (auto& t : clients) t.join();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();

  const long long pairs = accepted + failed;
  std::sort(pairMs.begin(), pairMs.end());
  const auto percentile = [&pairMs](double share) {
    return pairMs.empty() ? 0.0 : pairMs[static_cast<size_t>(share * (pairMs.size() - 1))];
  };
  std::printf(
      "servers=%zu clients=%d seconds=%.2f pairs=%lld accepted=%lld failed=%lld "
      "pairs_per_second=%.0f "
      "pair_ms_median=%.1f pair_ms_p99=%.1f pair_ms_max=%.1f\n",
      options.servers.size(), options.clients, seconds, pairs, accepted.load(), failed.load(),
      static_cast<double>(accepted) / seconds, percentile(0.5), percentile(0.99), percentile(1.0));
  bool ok = failed == 0;
  if (!options.db.empty()) {
    const long long rowsAfter = CountRows(options.db);
    const long long added = rowsAfter - rowsBefore;
    std::printf("rows_before=%lld rows_after=%lld rows_added=%lld %s\n", rowsBefore, rowsAfter,
                added, added == accepted ? "(matches accepted)" : "(MISMATCH)");
    ok = ok && added == accepted;
  }
  return ok ? 0 : 1;
}
