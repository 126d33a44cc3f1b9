// Tests of vornakel-scored over loopback: the game's client end to end, and hostile input.
#include "server/ScoreServer.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "online/CurlHttpClient.h"
#include "online/ScoreClient.h"
#include "online/ScoreSender.h"
#include "online/TextCodec.h"
#include "platform/Text1251.h"
#include "server/ServerFixture.h"

namespace scored {
namespace {

using testing::LiveServer;
using testing::TempDir;

class ScoreServerTest : public ::testing::Test {
 protected:
  std::string Token() {
    const online::HttpResult r = http_.Get(server_.Url("version&prg=Vornakel"), {});
    EXPECT_EQ(r.status, 200);
    return online::ExtractToken(r.body);
  }
  // Submits a hand-made payload (padded with "0"); returns the HTTP status.
  long Submit(const std::string& payload) {
    return http_
        .Get(server_.Url("hs&prg=Vornakel&inf=" + online::encode(online::PadToFive(payload, '0'))),
             {})
        .status;
  }
  std::string Payload(const std::string& name, const std::string& score, const std::string& token,
                      const std::string& add = "") {
    return "type=0|name=" + name + "|score=" + score + "|key=X|p=" + token + "|add=" + add + "|z=";
  }
  std::string Page() { return http_.Get(server_.Url("prg=Vornakel&show&type=0"), {}).body; }

  TempDir dir_;
  LiveServer server_{dir_.File("scores.db")};
  online::CurlHttpClient http_{online::HttpTimeouts{1000, 2000}};
};

TEST_F(ScoreServerTest, TheGamesClientSubmitsAndTheScoreIsShown) {
  std::vector<std::string> messages;
  online::ScoreClient client(server_.Address(), http_,
                             [&](const std::string& m) { messages.push_back(m); });
  EXPECT_TRUE(client.submitScore(Ru("Кирилл"), 98765, Ru("привет")));
  EXPECT_TRUE(client.submitScore(Ru("Лёша"), 99999, "", "easy"));
  // The server refuses what no game can send; the client does not show that answer.
  EXPECT_TRUE(client.submitScore("", -3, ""));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(server_.Db().Count(), 2);

  const online::HttpResult page = http_.Get(online::TableUrl(server_.Address()), {});
  EXPECT_EQ(page.status, 200);
  // Each first in its own difficulty's table.
  EXPECT_NE(
      page.body.find("<tr><td>1</td><td>Кирилл</td><td class=\"score\">98765</td><td>привет</td>"),
      std::string::npos);
  EXPECT_GT(page.body.find("<tr><td>1</td><td>Лёша</td>"), page.body.find("Лёгкая</h2>"));
  EXPECT_EQ(page.body.find(">-3<"), std::string::npos);

  // The home page and the games page the menu's links open.
  const online::HttpResult home = http_.Get(server_.Address() + "/", {});
  EXPECT_EQ(home.status, 200);
  EXPECT_NE(home.body.find("<td>Кирилл</td>"), std::string::npos);
  EXPECT_NE(home.body.find("href=\"/cgi/version.pl?prg=Vornakel&amp;show&amp;type=0\""),
            std::string::npos);
  EXPECT_EQ(http_.Get(server_.Address() + "/games", {}).status, 200);
}

// An English reader gets English pages, by the browser's languages or by the link on each page;
// the game's own requests and Russian readers see what they always saw.
TEST_F(ScoreServerTest, PagesSpeakTheReadersLanguage) {
  ASSERT_TRUE(server_.Db().Insert({"Kirill", 500, "", 0, "easy"}));
  const auto get = [&](const std::string& path, const std::string& accept = "") {
    std::vector<online::HttpHeader> headers;
    if (!accept.empty()) headers.emplace_back("Accept-Language", accept);
    const online::HttpResult r = http_.Get(server_.Address() + path, headers);
    EXPECT_EQ(r.status, 200) << path;
    return r.body;
  };
  EXPECT_NE(get("/", "en-GB,en;q=0.9").find("<html lang=\"en\">"), std::string::npos);
  EXPECT_NE(get("/", "en-GB,en;q=0.9").find("<h2>Easy</h2>"), std::string::npos);
  EXPECT_NE(get("/?lang=en").find("href=\"/games?lang=en\""), std::string::npos);
  EXPECT_NE(get("/games", "de,en;q=0.5").find("Games on this server"), std::string::npos);
  const std::string table = get("/cgi/version.pl?prg=Vornakel&show&type=0&lang=en", "ru");
  EXPECT_NE(table.find("the best 100"), std::string::npos);
  EXPECT_NE(table.find("No scores yet."), std::string::npos);
  EXPECT_NE(table.find("lang=ru\">Русский</a>"), std::string::npos);
  // Russian wins when preferred, when nothing is said and when only other languages are named.
  EXPECT_NE(get("/", "ru,en;q=0.8").find("<html lang=\"ru\">"), std::string::npos);
  EXPECT_NE(get("/", "en;q=0.3,ru;q=0.7").find("<h2>Лёгкая</h2>"), std::string::npos);
  EXPECT_NE(get("/", "de-DE").find("<html lang=\"ru\">"), std::string::npos);
  EXPECT_NE(Page().find("Пока нет результатов."), std::string::npos);
  EXPECT_NE(get("/?lang=ru", "en").find("lang=en\">English</a>"), std::string::npos);
}

TEST_F(ScoreServerTest, RefusesBadInputStoresNothingAndKeepsServing) {
  const std::string forged = "0123456789abcdef0123456789abcdef";
  std::vector<std::string> refusedQueries = {
      "hs&prg=Vornakel&inf=ABCDEFGH",
      "hs&prg=Vornakel&inf=%%%",
      "hs&prg=Vornakel",
      "hs&prg=Vornakel&inf=AAAAAAAA&inf=BBBBBBBB",
      "hs&prg=Other&inf=AAAAAAAA",
      "hs&prg=Vornakel&prg=Vornakel&inf=AAAAAAAA",
      "version&prg=Vornakel&extra=1",
      "prg=Vornakel&show&type=1",
      "",
      "hs&prg=Vornakel&inf=" + std::string(600, 'A'),
      "hs&prg=Vornakel&inf=" + online::encode(online::PadToFive(Payload("a", "1", forged), '0')),
      "version&prg=Vornakel&pad=" + std::string(3000, 'x'),
      "version&prg=Vornakel&pad=" + std::string(20000, 'x'),
  };
  for (const std::string& query : refusedQueries) {
    const online::HttpResult r = http_.Get(server_.Url(query), {});
    EXPECT_TRUE(r.status >= 400 && r.status < 500) << query.substr(0, 60) << " gave " << r.status;
  }

  EXPECT_EQ(Submit(Payload(std::string(13, 'n'), "1", Token())), 400);
  EXPECT_EQ(Submit(Payload("n", "2147483648", Token())), 400);
  EXPECT_EQ(Submit(Payload("n", "1", Token(), std::string(13, 'a'))), 400);
  EXPECT_EQ(Submit(Payload("n", "1", Token()) + "|name=again"), 400);

  // A token is good for one submission only.
  const std::string token = Token();
  EXPECT_EQ(Submit(Payload("once", "10", token)), 200);
  EXPECT_EQ(Submit(Payload("twice", "10", token)), 403);
  EXPECT_EQ(Submit(Payload("forged", "10", forged)), 403);

  EXPECT_EQ(server_.Db().Count(), 1);
  EXPECT_EQ(online::ExtractToken(http_.Get(server_.Url("version&prg=Vornakel"), {}).body).size(),
            32u);
  EXPECT_EQ(server_.Server().Accepted(), 1);
}

TEST_F(ScoreServerTest, HostileNamesAreStoredVerbatimAndShownEscaped) {
  EXPECT_EQ(Submit(Payload("';DROP TABLE", "5", Token(), "<script>")), 200);
  EXPECT_EQ(Submit(Payload("<b>x</b>&\"", "6", Token(), "a'); --")), 200);
  EXPECT_EQ(server_.Db().Count(), 2);
  const auto rows = server_.Db().Best(10);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "<b>x</b>&\"");
  EXPECT_EQ(rows[1].name, "';DROP TABLE");

  const std::string page = Page();
  EXPECT_NE(page.find("&lt;b&gt;x&lt;/b&gt;&amp;&quot;"), std::string::npos);
  EXPECT_NE(page.find("&#39;;DROP TABLE"), std::string::npos);
  EXPECT_NE(page.find("&lt;script&gt;"), std::string::npos);
  EXPECT_EQ(page.find("<b>x"), std::string::npos);
  EXPECT_EQ(page.find("<script>"), std::string::npos);
}

TEST_F(ScoreServerTest, AScoreThatCouldNotBeStoredKeepsItsToken) {
  const std::string token = Token();
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(dir_.File("scores.db").c_str(), &raw), SQLITE_OK);
  const auto exec = [raw](const char* sql) {
    return sqlite3_exec(raw, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
  };
  ASSERT_TRUE(exec("ALTER TABLE scores RENAME TO kept"));
  EXPECT_EQ(Submit(Payload("late", "10", token)), 500);
  ASSERT_TRUE(exec("ALTER TABLE kept RENAME TO scores"));
  sqlite3_close(raw);
  EXPECT_EQ(Submit(Payload("late", "10", token)), 200);
  EXPECT_EQ(server_.Db().Count(), 1);
}

// The autopilot's Classic game of the verifier's tests, and the score it made.
std::string FixtureReplay() {
  std::ifstream in(std::string(VORNAKEL_TEST_DATA) + "/verify/game.vrp", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(ScoreServerReplays, AScoreWithItsReplayIsStoredVerifiedOnlyWhenTheRacesMakeIt) {
  TempDir dir;
  LiveServer server(
      dir.File("scores.db"),
      ServerOptions{.dataFolder = VORNAKEL_GAME_DIR, .verifyThreads = 1, .verifyQueue = 0});
  ASSERT_TRUE(server.Server().VerificationProblem().empty());
  online::CurlHttpClient http(online::HttpTimeouts{1000, 20000});
  const std::vector<online::HttpHeader> kBinary = {{"Content-Type", "application/octet-stream"}};
  const auto postWith = [&](online::HttpClient& client, const std::string& name, int32_t score,
                            const std::string& replay) {
    const std::string token =
        online::ExtractToken(client.Get(server.Url("version&prg=Vornakel"), {}).body);
    const std::string code = online::encode(online::BuildScorePayload(name, score, token, ""));
    return client.Post(online::ReplaySubmissionUrl(server.Address(), code), replay, kBinary);
  };
  const auto post = [&](const std::string& name, int32_t score, const std::string& replay) {
    return postWith(http, name, score, replay);
  };
  const std::string replay = FixtureReplay();
  const online::HttpResult honest = post("honest", 766, replay);
  EXPECT_EQ(honest.status, 200);
  EXPECT_EQ(honest.body, "OK verified\n");
  const online::HttpResult claimed = post("claimed", 767, replay);
  EXPECT_EQ(claimed.status, 403);
  EXPECT_EQ(claimed.body.rfind("replay refused: the races make 766 points", 0), 0u) << claimed.body;
  // A body far larger than any plain request passes the connection's limits, and is refused for
  // what it holds.
  EXPECT_EQ(post("junk", 5, std::string(100000, 'x')).status, 403);
  const std::vector<ScoreRow> best = server.Db().Best(10);
  ASSERT_EQ(best.size(), 1u);
  EXPECT_EQ(best[0].name, "honest");
  EXPECT_TRUE(best[0].verified);

  // One worker and no queue: a game sent while another is replayed is answered "busy".
  std::thread first([&] {
    online::CurlHttpClient own(online::HttpTimeouts{1000, 20000});
    EXPECT_EQ(postWith(own, "first", 766, replay).status, 200);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(post("second", 766, replay).status, 503);
  first.join();

  // A daily time is only taken for today's or yesterday's road.
  const std::string token =
      online::ExtractToken(http.Get(server.Url("version&prg=Vornakel"), {}).body);
  const std::string code = online::encode(online::BuildScorePayload("d", 4000, token, ""));
  EXPECT_EQ(
      http.Post(online::DailyTimeUrl(server.Address(), code, "2001-01-01"), replay, {}).status,
      400);
  EXPECT_NE(http.Get(server.Address() + "/daily", {}).body.find("Трасса дня"), std::string::npos);
}

TEST(ScoreServerReplays, WithoutTheGameDataReplaysWaitAndPlainScoresGoOnAsBefore) {
  TempDir dir;
  LiveServer server(dir.File("scores.db"), ServerOptions{.dataFolder = dir.File("nothing")});
  EXPECT_NE(server.Server().VerificationProblem().find("Data/data1.oil is missing"),
            std::string::npos);
  online::CurlHttpClient http(online::HttpTimeouts{1000, 5000});
  online::PendingScore score{"plain", 10, ""};
  EXPECT_EQ(online::SendOneScore(server.Address(), http, score), online::SendOutcome::kSent);
  score.replay = FixtureReplay();
  EXPECT_EQ(online::SendOneScore(server.Address(), http, score), online::SendOutcome::kServerError);
  EXPECT_EQ(server.Db().Count(), 1);
}

TEST(ScoreServerLife, ScoresSurviveARestart) {
  TempDir dir;
  const std::string db = dir.File("scores.db");
  {
    LiveServer server(db);
    online::CurlHttpClient http(online::HttpTimeouts{1000, 2000});
    online::ScoreClient client(server.Address(), http, nullptr);
    EXPECT_TRUE(client.submitScore("before", 1234, ""));
  }
  LiveServer server(db);
  online::CurlHttpClient http(online::HttpTimeouts{1000, 2000});
  EXPECT_EQ(server.Db().Count(), 1);
  EXPECT_NE(http.Get(online::TableUrl(server.Address()), {}).body.find(">before<"),
            std::string::npos);
}

TEST(ScoreServerLife, StopBeforeRunStillEndsRun) {
  TempDir dir;
  std::string error;
  auto db = ScoreDb::Open(dir.File("s.db"), error);
  ASSERT_TRUE(db) << error;
  ServerOptions options;
  options.port = 0;
  ScoreServer server(*db, options);
  ASSERT_GT(server.Bind(), 0);
  server.Stop();
  EXPECT_TRUE(server.Run());
}

TEST(ScoreServerLife, AnUnreachableTokenBookIsAServerErrorNotARefusal) {
  // What a token book shared in a database answers while the database is away.
  struct Unreachable : TokenBook {
    std::string Issue(const std::string&) override { return {}; }
    Taken Take(const std::string&, TokenTicket&) override { return Taken::kUnavailable; }
    void Return(const TokenTicket&) override {}
    size_t Outstanding() override { return 0; }
  } book;
  TempDir dir;
  std::string error;
  auto db = ScoreDb::Open(dir.File("s.db"), error);
  ASSERT_TRUE(db) << error;
  ScoreServer server(*db, book, ServerOptions{});
  EXPECT_EQ(server.Handle("version&prg=Vornakel").status, 503);
  const std::string payload =
      "type=0|name=a|score=1|key=X|p=0123456789abcdef0123456789abcdef|add=|z=";
  // The game keeps a score refused with 5xx and sends it again later.
  EXPECT_EQ(server.Handle("hs&prg=Vornakel&inf=" + online::encode(online::PadToFive(payload, '0')))
                .status,
            503);
  EXPECT_EQ(db->Count(), 0);
}

}  // namespace
}  // namespace scored
