// Tests of the vornakel-scored program: SIGTERM under load keeps every acknowledged score, and two
// instances sharing one PostgreSQL database act as one server.
#include <gtest/gtest.h>
#ifdef VORNAKEL_SCORED_PG
#include <libpq-fe.h>
#endif

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "online/CurlHttpClient.h"
#include "online/ScoreClient.h"
#include "online/TextCodec.h"
#include "server/PgCluster.h"
#include "server/ScoredChild.h"
#include "server/ServerFixture.h"
#include "server/Storage.h"

namespace scored {
namespace {

using testing::kScored;
using testing::ScoredChild;

// Sends one score with a token; true when the server took it.
bool Submit(online::CurlHttpClient& http, const std::string& address, const std::string& token,
            int32_t score) {
  const std::string payload = online::BuildScorePayload("load", score, token, "");
  const auto sent = http.Get(online::SubmissionUrl(address, online::encode(payload)), {});
  return sent.status == 200 && sent.body.compare(0, 2, "OK") == 0;
}

std::string Token(online::CurlHttpClient& http, const std::string& address) {
  return online::ExtractToken(http.Get(online::VersionUrl(address), {}).body);
}

TEST(ScoredProcess, SigtermUnderLoadKeepsEveryAcknowledgedScore) {
  if (kScored.empty() || !std::filesystem::exists(kScored))
    GTEST_SKIP() << "vornakel-scored not built";
  testing::TempDir dir;
  const std::string db = dir.File("scores.db");
  ScoredChild scored({"--port", "0", "--db", db});
  ASSERT_GT(scored.Port(), 0) << scored.Log();
  const std::string address = scored.Address();

  std::atomic<int> acknowledged{0};
  std::atomic<bool> keepGoing{true};
  std::vector<std::thread> clients;
  for (int c = 0; c < 4; ++c) {
    clients.emplace_back([&] {
      online::CurlHttpClient http(online::HttpTimeouts{1000, 2000});
      while (keepGoing) {
        const auto version = http.Get(online::VersionUrl(address), {});
        if (!version.Succeeded()) break;
        const std::string payload =
            online::BuildScorePayload("load", 1, online::ExtractToken(version.body), "");
        const auto sent = http.Get(online::SubmissionUrl(address, online::encode(payload)), {});
        if (!sent.Succeeded()) break;
        ++acknowledged;
      }
    });
  }
  while (acknowledged < 50) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(scored.Signal());
  const bool stopped = scored.WaitForExit(std::chrono::seconds(10));
  keepGoing = false;
  for (auto& t : clients) t.join();
  ASSERT_TRUE(stopped) << "vornakel-scored did not stop cleanly on SIGTERM\n" << scored.Log();

  std::string error;
  auto store = ScoreDb::Open(db, error);
  ASSERT_TRUE(store) << error;
  EXPECT_EQ(store->Count(), acknowledged.load());
}

TEST(ScoredProcess, TwoInstancesOnOnePostgresDatabaseActAsOne) {
  if (kScored.empty() || !std::filesystem::exists(kScored))
    GTEST_SKIP() << "vornakel-scored not built";
  if (!PostgresAvailable()) GTEST_SKIP() << "built without PostgreSQL";
  testing::PgCluster cluster;
  if (!cluster.Ready()) GTEST_SKIP() << "PostgreSQL cannot start: " << cluster.Problem();
  // One told on its command line, the other through the environment, as the systemd unit does.
  ScoredChild a({"--port", "0", "--pg", cluster.Conninfo()});
  ScoredChild b({"--port", "0"}, {"VORNAKEL_SCORED_DB=" + cluster.Uri()});
  ASSERT_GT(a.Port(), 0) << a.Log();
  ASSERT_GT(b.Port(), 0) << b.Log();
  online::CurlHttpClient http(online::HttpTimeouts{1000, 3000});

  // A token one instance gave is good on the other, once.
  const std::string token = Token(http, a.Address());
  EXPECT_TRUE(Submit(http, b.Address(), token, 1));
  EXPECT_FALSE(Submit(http, a.Address(), token, 1));
  int stored = 1;

  // One token sent to both at the same moment is accepted by exactly one.
  for (int round = 0; round < 20; ++round) {
    const std::string shared = Token(http, (round % 2 ? a : b).Address());
    std::atomic<int> accepted{0};
    std::vector<std::thread> racers;
    for (const ScoredChild* server : {&a, &b}) {
      racers.emplace_back([&, server] {
        online::CurlHttpClient own(online::HttpTimeouts{1000, 3000});
        accepted += Submit(own, server->Address(), shared, 100 + round) ? 1 : 0;
      });
    }
    for (auto& t : racers) t.join();
    EXPECT_EQ(accepted, 1) << "round " << round;
    stored += accepted;
  }

  // Clients at once, each token used on the other instance: every score stored once.
  std::atomic<int> acknowledged{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < 6; ++c) {
    clients.emplace_back([&, c] {
      online::CurlHttpClient own(online::HttpTimeouts{1000, 3000});
      for (int i = 0; i < 20; ++i) {
        const bool fromA = (c + i) % 2 == 0;
        const std::string mine = Token(own, (fromA ? a : b).Address());
        acknowledged += Submit(own, (fromA ? b : a).Address(), mine, 1000 * c + i) ? 1 : 0;
      }
    });
  }
  for (auto& t : clients) t.join();
  EXPECT_EQ(acknowledged, 120);
  stored += acknowledged;

  std::string error;
  auto storage = OpenPostgresStorage(cluster.Conninfo(), {}, error);
  ASSERT_TRUE(storage) << error;
  EXPECT_EQ(storage->scores->Count(), stored);
  const std::string pageA = http.Get(online::TableUrl(a.Address()), {}).body;
  EXPECT_NE(pageA.find("5019"), std::string::npos);
  EXPECT_EQ(pageA, http.Get(online::TableUrl(b.Address()), {}).body);

#ifdef VORNAKEL_SCORED_PG
  // Connections the database ends under the servers are made again before the next request.
  PGconn* admin = PQconnectdb(cluster.Conninfo().c_str());
  const auto servers = [admin](const char* action) {
    const std::string sql = std::string("SELECT ") + action +
                            " FROM pg_stat_activity WHERE application_name = 'vornakel-scored' "
                            "AND pid <> pg_backend_pid()";
    PGresult* result = PQexec(admin, sql.c_str());
    const int rows = PQntuples(result);
    PQclear(result);
    return rows;
  };
  EXPECT_GT(servers("pg_terminate_backend(pid)"), 0);
  for (int wait = 0; wait < 250 && servers("pid") > 0; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  PQfinish(admin);
  for (const ScoredChild* server : {&a, &b}) {
    for (int i = 0; i < 10; ++i)
      EXPECT_TRUE(Submit(http, server->Address(), Token(http, server->Address()), 7));
  }
#endif

  EXPECT_TRUE(a.Terminate()) << a.Log();
  EXPECT_TRUE(b.Terminate()) << b.Log();
}

}  // namespace
}  // namespace scored
