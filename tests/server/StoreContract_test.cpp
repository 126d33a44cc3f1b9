// The storage contract every backend keeps (SQLite with tokens in memory, and PostgreSQL).
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "server/PgCluster.h"
#include "server/ServerFixture.h"
#include "server/Storage.h"

namespace scored {
namespace {

class StoreContract : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (std::string(GetParam()) == "postgres") {
      if (!PostgresAvailable()) GTEST_SKIP() << "built without PostgreSQL";
      cluster_ = std::make_unique<testing::PgCluster>();
      if (!cluster_->Ready()) GTEST_SKIP() << "PostgreSQL cannot start: " << cluster_->Problem();
    }
  }
  Storage Open(ServerOptions options = {}) {
    std::string error;
    auto storage = cluster_ ? OpenPostgresStorage(cluster_->Conninfo(), options, error)
                            : OpenSqliteStorage(dir_.File("scores.db"), options, error);
    EXPECT_TRUE(storage) << error;
    return storage ? std::move(*storage) : Storage{};
  }

  testing::TempDir dir_;
  std::unique_ptr<testing::PgCluster> cluster_;
};

TEST_P(StoreContract, ScoresAndTokensBehaveAlike) {
  Storage storage = Open();
  ASSERT_TRUE(storage.scores && storage.tokens);
  ScoreStore& scores = *storage.scores;

  // Best first, the earlier first among equals, each difficulty apart, text and flags kept.
  ASSERT_TRUE(scores.Insert({"first", 50, "Привет", 100}));
  ASSERT_TRUE(scores.Insert({"second", 50, "", 200, "classic", true}));
  ASSERT_TRUE(scores.Insert({"top", 70, "", 300}));
  ASSERT_TRUE(scores.Insert({"easy", 90, "", 400, "easy"}));
  auto best = scores.Best(10);
  ASSERT_EQ(best.size(), 3u);
  EXPECT_EQ(best[0].name, "top");
  EXPECT_EQ(best[1].name, "first");
  EXPECT_EQ(best[1].text, "Привет");
  EXPECT_EQ(best[1].time, 100);
  EXPECT_FALSE(best[1].verified);
  EXPECT_EQ(best[2].name, "second");
  EXPECT_TRUE(best[2].verified);
  EXPECT_EQ(scores.Best(1).size(), 1u);
  ASSERT_EQ(scores.Best(10, "easy").size(), 1u);
  EXPECT_EQ(scores.Best(10, "easy")[0].difficulty, "easy");

  // Writers at once: every row stored once.
  std::atomic<int> stored{0};
  std::vector<std::thread> writers;
  for (int w = 0; w < 6; ++w) {
    writers.emplace_back([&, w] {
      for (int i = 0; i < 20; ++i) stored += scores.Insert({"w", w * 100 + i, "", 0}) ? 1 : 0;
    });
  }
  for (auto& t : writers) t.join();
  EXPECT_EQ(stored, 120);
  EXPECT_EQ(scores.Count(), 124);

  // A token is taken once; one handed back may be taken once more.
  TokenBook& tokens = *storage.tokens;
  const std::string token = tokens.Issue("10.0.0.1");
  EXPECT_EQ(token.size(), 32u);
  const auto ticket = tokens.Take(token);
  ASSERT_TRUE(ticket);
  EXPECT_EQ(ticket->owner, "10.0.0.1");
  EXPECT_FALSE(tokens.Take(token));
  tokens.Return(*ticket);
  tokens.Return(*ticket);
  EXPECT_TRUE(tokens.Take(token));
  EXPECT_FALSE(tokens.Take(token));
  EXPECT_FALSE(tokens.Take("0123456789abcdef0123456789abcdef"));

  // One client's flood pushes out only its own oldest tokens.
  const std::string honest = tokens.Issue("10.0.0.1");
  std::string first;
  std::string newest;
  for (int i = 0; i < 40; ++i) {
    newest = tokens.Issue("10.0.0.2");
    if (i == 0) first = newest;
  }
  EXPECT_EQ(tokens.Outstanding(), 17u);
  EXPECT_FALSE(tokens.Take(first));
  EXPECT_TRUE(tokens.Take(honest));
  EXPECT_TRUE(tokens.Take(newest));

  // The book as a whole holds its capacity; the oldest go first.
  ServerOptions small;
  small.tokenCapacity = 50;
  small.tokensPerClient = 1000;
  Storage capped = Open(small);
  ASSERT_TRUE(capped.tokens);
  const std::string oldest = capped.tokens->Issue("10.0.0.3");
  for (int i = 0; i < 199; ++i) capped.tokens->Issue("10.0.0.3");
  EXPECT_EQ(capped.tokens->Outstanding(), 50u);
  EXPECT_FALSE(capped.tokens->Take(oldest));

  // An expired token is refused (a lifetime of nothing expires at once).
  ServerOptions brief;
  brief.tokenLifetime = std::chrono::seconds(0);
  Storage expiring = Open(brief);
  ASSERT_TRUE(expiring.tokens);
  const std::string gone = expiring.tokens->Issue("10.0.0.4");
  EXPECT_FALSE(gone.empty());
  EXPECT_FALSE(expiring.tokens->Take(gone));
}

TEST_P(StoreContract, DailyTimesKeepEachPlayersBestOfTheDay) {
  Storage storage = Open();
  ASSERT_TRUE(storage.scores);
  ScoreStore& scores = *storage.scores;
  ASSERT_TRUE(scores.KeepDailyTime({"2026-12-09", "Ракетчик", 4000, 10}));
  ASSERT_TRUE(scores.KeepDailyTime({"2026-12-09", "Ракетчик", 4500, 20}));  // slower: not kept
  ASSERT_TRUE(scores.KeepDailyTime({"2026-12-09", "b", 3900, 30}));
  ASSERT_TRUE(scores.KeepDailyTime({"2026-12-09", "c", 3900, 25}));
  ASSERT_TRUE(scores.KeepDailyTime({"2026-12-08", "Ракетчик", 100, 5}));
  ASSERT_TRUE(scores.KeepDailyTime({"2026-12-09", "Ракетчик", 3800, 40}));  // faster: kept
  const std::vector<DailyTime> day = scores.DailyTimes("2026-12-09", 10);
  ASSERT_EQ(day.size(), 3u);
  EXPECT_EQ(day[0].name, "Ракетчик");
  EXPECT_EQ(day[0].hund, 3800);
  EXPECT_EQ(day[0].time, 40);
  EXPECT_EQ(day[1].name, "c");  // equal times: the earlier first
  EXPECT_EQ(day[2].name, "b");
  EXPECT_EQ(scores.DailyTimes("2026-12-09", 1).size(), 1u);
  EXPECT_EQ(scores.DailyTimes("2026-12-08", 10).at(0).hund, 100);
  EXPECT_TRUE(scores.DailyTimes("2026-12-07", 10).empty());
}

INSTANTIATE_TEST_SUITE_P(Backends, StoreContract, ::testing::Values("sqlite", "postgres"),
                         [](const auto& backend) { return std::string(backend.param); });

}  // namespace
}  // namespace scored
