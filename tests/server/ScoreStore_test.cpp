// Tests of the token store and of the score table's order and page.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <fstream>
#include <set>
#include <thread>

#include "online/ScoreClient.h"
#include "online/TextCodec.h"
#include "server/ClientAddress.h"
#include "server/Protocol.h"
#include "server/ScoreDb.h"
#include "server/ScorePage.h"
#include "server/ServerFixture.h"
#include "server/TokenStore.h"

namespace scored {
namespace {

using std::chrono::seconds;

TEST(TokenStore, EachTokenOnceAndOnlyBeforeItExpires) {
  TokenStore tokens(seconds(60), 100);
  const auto t0 = TokenStore::Clock::time_point{} + seconds(1000);
  const std::string a = tokens.Issue(t0);
  const std::string b = tokens.Issue(t0);
  EXPECT_EQ(a.size(), 32u);
  EXPECT_NE(a, b);
  EXPECT_TRUE(tokens.Consume(a, t0 + seconds(59)));
  EXPECT_FALSE(tokens.Consume(a, t0 + seconds(59)));
  EXPECT_FALSE(tokens.Consume(b, t0 + seconds(60)));
  EXPECT_FALSE(tokens.Consume("", t0));
  EXPECT_EQ(tokens.Outstanding(), 0u);
}

TEST(TokenStore, StaysWithinItsCapacity) {
  TokenStore tokens(seconds(600), 50, 1000);
  const auto now = TokenStore::Clock::now();
  std::set<std::string> issued;
  std::string first;
  for (int i = 0; i < 500; ++i) {
    const std::string t = tokens.Issue(now);
    if (i == 0) first = t;
    issued.insert(t);
  }
  EXPECT_EQ(issued.size(), 500u);
  EXPECT_EQ(tokens.Outstanding(), 50u);
  EXPECT_FALSE(tokens.Consume(first, now));
}

TEST(TokenStore, AFloodFromOneClientPushesOutOnlyItsOwnTokens) {
  TokenStore tokens(seconds(600), 100000, 16);
  const auto now = TokenStore::Clock::now();
  const std::string honest = tokens.Issue("10.0.0.1", now);
  std::string newest;
  for (int i = 0; i < 100000; ++i) newest = tokens.Issue("10.0.0.2", now);
  EXPECT_EQ(tokens.Outstanding(), 17u);
  EXPECT_TRUE(tokens.Consume(honest, now));
  EXPECT_TRUE(tokens.Consume(newest, now));

  // A token taken for a submission that could not be stored goes back as it was.
  const std::string again = tokens.Issue("10.0.0.1", now);
  const auto ticket = tokens.Take(again, now);
  ASSERT_TRUE(ticket);
  tokens.Return(*ticket, now);
  tokens.Return(*ticket, now);
  EXPECT_TRUE(tokens.Consume(again, now));
  EXPECT_FALSE(tokens.Consume(again, now));
}

TEST(ClientAddress, KeysAndTrustedProxies) {
  EXPECT_EQ(ClientKey("203.0.113.9"), "203.0.113.9");
  EXPECT_EQ(ClientKey("::ffff:203.0.113.9"), "203.0.113.9");
  EXPECT_EQ(ClientKey("2001:db8:1:2:aaaa:bbbb:cccc:dddd"), "2001:db8:1:2::/64");
  const std::vector<std::string> proxies = {"127.0.0.1"};
  EXPECT_EQ(RequestClient("127.0.0.1", "198.51.100.7", proxies), "198.51.100.7");
  EXPECT_EQ(RequestClient("127.0.0.1", "", proxies), "127.0.0.1");
  EXPECT_EQ(RequestClient("192.0.2.1", "198.51.100.7", proxies), "192.0.2.1");
}

TEST(ScoreTable, BestHundredHighestFirstEarlierFirstOnTies) {
  testing::TempDir dir;
  std::string error;
  auto db = ScoreDb::Open(dir.File("t.db"), error);
  ASSERT_TRUE(db) << error;
  for (int i = 0; i < 150; ++i) {
    std::string name = "p";
    name += std::to_string(i);
    ASSERT_TRUE(db->Insert({name, i % 75, "", 0}));
  }
  const auto rows = db->Best(kTableRows);
  ASSERT_EQ(rows.size(), 100u);
  EXPECT_EQ(rows[0].name, "p74");
  EXPECT_EQ(rows[1].name, "p149");
  EXPECT_EQ(rows[99].score, 25);

  const std::string page = RenderScorePage({{"classic", rows}});
  size_t count = 0;
  for (size_t at = page.find("<tr><td>"); at != std::string::npos;
       at = page.find("<tr><td>", at + 1))
    ++count;
  EXPECT_EQ(count, 100u);
  EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(RenderScorePage({{"classic", {}}}).find("Пока нет результатов."), std::string::npos);
  EXPECT_EQ(FormatTime(86400 + 3600 + 120), "1970-01-02 01:02");
}

TEST(ScoreTable, EachDifficultyIsStoredAndRankedApartAndOldDatabasesGainIt) {
  // A submission says its difficulty, or is a Classic game.
  const auto check = [](const std::string& payload) {
    return CheckSubmission(online::encode(online::PadToFive(payload, '0')));
  };
  const std::string base = "type=0|name=a|score=1|key=X|p=ab|add=";
  EXPECT_EQ(check(base + "|z=").submission->difficulty, "classic");
  EXPECT_EQ(check(base + "|dif=easy|z=").submission->difficulty, "easy");
  EXPECT_EQ(check(base + "|dif=classic|z=").submission->difficulty, "classic");
  EXPECT_EQ(check(base + "|dif=hard|z=").problem, "unknown difficulty");
  EXPECT_EQ(check(base + "|dif=|z=").problem, "unknown difficulty");
  EXPECT_EQ(check(base + "|dif=easy|dif=easy|z=").problem, "repeated field");

  // A database from before difficulties: its scores become Classic ones.
  testing::TempDir dir;
  const std::string path = dir.File("old.db");
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(raw,
                         "CREATE TABLE scores (id INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                         "score INTEGER NOT NULL, text TEXT NOT NULL, time INTEGER NOT NULL);"
                         "CREATE INDEX scores_rank ON scores (score DESC, id);"
                         "INSERT INTO scores (name, score, text, time) VALUES ('old', 50, '', 0);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(raw);
  std::string error;
  for (int open = 0; open < 2; ++open) {  // the second opening finds it done
    auto db = ScoreDb::Open(path, error);
    ASSERT_TRUE(db) << error;
    ASSERT_TRUE(db->Insert({"easy" + std::to_string(open), 900 + open, "", 0, "easy"}));
    ASSERT_TRUE(db->Insert({"classic" + std::to_string(open), 10 + open, "", 0}));
  }
  auto db = ScoreDb::Open(path, error);
  ASSERT_TRUE(db) << error;
  EXPECT_EQ(db->Count(), 5);
  const auto classic = db->Best(kTableRows, "classic");
  const auto easy = db->Best(kTableRows, "easy");
  ASSERT_EQ(classic.size(), 3u);
  ASSERT_EQ(easy.size(), 2u);
  EXPECT_EQ(classic[0].name, "old");
  EXPECT_EQ(classic[0].difficulty, "classic");
  EXPECT_EQ(easy[0].name, "easy1");

  // The page: both tables under their Russian names, each ranked from 1.
  const std::string page = RenderScorePage({{"classic", classic}, {"easy", easy}});
  const size_t classicAt = page.find("<h2 id=\"classic\">Классика</h2>");
  const size_t easyAt = page.find("<h2 id=\"easy\">Лёгкая</h2>");
  ASSERT_NE(classicAt, std::string::npos);
  ASSERT_NE(easyAt, std::string::npos);
  EXPECT_NE(page.find("<a href=\"#easy\">Лёгкая</a>"), std::string::npos);
  EXPECT_LT(classicAt, page.find("<tr><td>1</td><td>old</td>"));
  EXPECT_GT(page.find("<tr><td>1</td><td>easy1</td>"), easyAt);
  EXPECT_EQ(page.find(">3</td><td>easy"), std::string::npos);
}

TEST(ScoreTable, ConcurrentInsertsAreAllCommittedOnce) {
  testing::TempDir dir;
  std::string error;
  auto db = ScoreDb::Open(dir.File("c.db"), error);
  ASSERT_TRUE(db) << error;
  std::atomic<int> committed{0};
  std::vector<std::thread> writers;
  for (int w = 0; w < 8; ++w) {
    writers.emplace_back([&, w] {
      for (int i = 0; i < 40; ++i) committed += db->Insert({"w", w * 1000 + i, "", 0}) ? 1 : 0;
    });
  }
  for (auto& t : writers) t.join();
  EXPECT_EQ(committed, 320);
  EXPECT_EQ(db->Count(), 320);
  EXPECT_EQ(db->Best(1).at(0).score, 7039);
}

TEST(ScoreTable, OpenFailsCleanlyOnAnUnusablePathOrADamagedFile) {
  std::string error;
  EXPECT_FALSE(ScoreDb::Open("/nonexistent-folder/x/scores.db", error));
  EXPECT_FALSE(error.empty());

  testing::TempDir dir;
  const std::string path = dir.File("d.db");
  ASSERT_TRUE(ScoreDb::Open(path, error)) << error;
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(raw,
                         "INSERT INTO scores (name, score, text, time) WITH RECURSIVE n(i) AS "
                         "(SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                         "SELECT 'name', i, 'some text', 0 FROM n",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(raw);
  // Scribble over a page in the middle of the table; the first page, the schema, stays whole.
  {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(4096 * 6 + 100);
    const std::string junk(2000, '\x5a');
    file.write(junk.data(), static_cast<std::streamsize>(junk.size()));
  }
  error.clear();
  EXPECT_FALSE(ScoreDb::Open(path, error));
  EXPECT_NE(error.find("the database is damaged"), std::string::npos) << error;
}

}  // namespace
}  // namespace scored
