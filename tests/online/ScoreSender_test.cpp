// Score sending: what each server answer means for the score, one time limit for both requests,
// and the queue file that keeps unsent scores across runs.
#include "online/ScoreSender.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <tuple>

#include "online/ScoreClient.h"
#include "online/TextCodec.h"

namespace {

// Answers the version request with a token and the submission with a set status.
class ScriptedHttp : public online::HttpClient {
 public:
  online::HttpResult Get(const std::string& url, const std::vector<online::HttpHeader>&) override {
    online::HttpResult result;
    urls.push_back(url);
    result.completed = reachable;
    const bool version = url.find("version&") != std::string::npos;
    result.status = version ? 200 : submitStatus;
    result.body = version ? "OK|a|b|c|token|e" : "";
    if (version) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return result;
  }
  online::HttpResult Post(const std::string& url, const std::string& body,
                          const std::vector<online::HttpHeader>&) override {
    urls.push_back("POST " + url);
    posted = body;
    online::HttpResult result;
    result.completed = reachable;
    result.status = replayStatus;
    result.body = replayBody;
    return result;
  }
  void LimitTime(long totalMs) override { limits.push_back(totalMs); }
  bool reachable = true;
  long submitStatus = 200;
  long replayStatus = 200;
  std::string replayBody;
  std::string posted;
  std::vector<long> limits;
  std::vector<std::string> urls;
};

TEST(ScoreSenderTest, AnswersDecideWhetherAScoreIsSentKeptOrDropped) {
  ScriptedHttp http;
  const online::PendingScore score{"Vasya", 120, "hi"};
  EXPECT_EQ(online::SendOneScore("http://s", http, score), online::SendOutcome::kSent);
  ASSERT_EQ(http.limits.size(), 2u);
  EXPECT_EQ(http.limits[0], online::ScoreSender::kDeadlineMs);
  EXPECT_LT(http.limits[1], http.limits[0]) << "the submission gets what is left";
  for (const auto& [status, outcome] :
       std::vector<std::pair<long, online::SendOutcome>>{{500, online::SendOutcome::kServerError},
                                                         {403, online::SendOutcome::kServerError},
                                                         {400, online::SendOutcome::kRefused}}) {
    http.submitStatus = status;
    EXPECT_EQ(online::SendOneScore("http://s", http, score), outcome) << status;
  }
  http.reachable = false;
  EXPECT_EQ(online::SendOneScore("http://s", http, score), online::SendOutcome::kNoConnection);
}

// The "inf" code of a request's URL.
std::string Inf(const std::string& url) {
  const size_t start = url.find("&inf=") + 5;
  const size_t end = url.find('&', start);
  return url.substr(start, end == std::string::npos ? end : end - start);
}

// A score with its replay is posted; only a server that does not know that request (an older one)
// gets it the plain way, with the same token.
TEST(ScoreSenderTest, AReplayGoesWithTheScoreAndOlderServersGetThePlainRequest) {
  online::PendingScore score{"Vasya", 120, "hi"};
  score.replay = std::string("VRP\0bytes", 9);
  ScriptedHttp http;
  EXPECT_EQ(online::SendOneScore("http://s", http, score), online::SendOutcome::kSent);
  ASSERT_EQ(http.urls.size(), 2u);
  EXPECT_EQ(http.urls[1].rfind("POST http://s/cgi/version.pl?hs&prg=Vornakel&inf=", 0), 0u);
  EXPECT_EQ(http.urls[1].substr(http.urls[1].size() - 7), "&replay");
  EXPECT_EQ(http.posted, score.replay);
  EXPECT_EQ(http.limits[0], online::ScoreSender::kReplayDeadlineMs);
  for (const auto& [status, body, outcome, plain] :
       std::vector<std::tuple<long, std::string, online::SendOutcome, bool>>{
           {404, "", online::SendOutcome::kSent, true},
           {413, "", online::SendOutcome::kSent, true},
           {400, "unknown request\n", online::SendOutcome::kSent, true},
           {403, "replay refused: a race went another way\n", online::SendOutcome::kReplayRefused,
            false},
           {503, "busy verifying other games\n", online::SendOutcome::kServerError, false},
           {400, "bad name\n", online::SendOutcome::kRefused, false}}) {
    http.urls.clear();
    http.replayStatus = status;
    http.replayBody = body;
    EXPECT_EQ(online::SendOneScore("http://s", http, score), outcome) << status << body;
    ASSERT_EQ(http.urls.size(), plain ? 3u : 2u) << status << body;
    // The plain request carries the code (and so the token) the posted one did.
    if (plain) {
      EXPECT_EQ(Inf(http.urls[2]), Inf(http.urls[1]));
    }
  }
  // A daily time has no plain way.
  score.dailyDate = "2026-12-09";
  http.urls.clear();
  http.replayStatus = 404;
  EXPECT_EQ(online::SendOneScore("http://s", http, score), online::SendOutcome::kRefused);
  ASSERT_EQ(http.urls.size(), 2u);
  EXPECT_NE(http.urls[1].find("daily&prg=Vornakel&inf="), std::string::npos);
  EXPECT_NE(http.urls[1].find("&date=2026-12-09"), std::string::npos);
}

TEST(ScoreSenderTest, UnsentScoresSurviveInTheQueueFileAndGoOutAtTheNextStart) {
  const std::vector<online::PendingScore> scores{{"Вася", 5, ""}, {"a b|c", 900, "x y"}};
  const std::string text = online::FormatScoreQueue(scores);
  std::vector<online::PendingScore> back = online::ParseScoreQueue(text + "junk\n-4 AB CD\n");
  ASSERT_EQ(back.size(), 2u) << "damaged lines are skipped";
  EXPECT_EQ(back[1].name, "a b|c");
  EXPECT_EQ(back[1].score, 900);
  EXPECT_EQ(back[1].optionText, "x y");
  EXPECT_TRUE(online::ParseScoreQueue("not ours\n5 AB CD\n").empty());

  const std::string path =
      (std::filesystem::temp_directory_path() / "vornakel-queue-test.txt").string();
  std::filesystem::remove(path);
  ScriptedHttp http;
  auto factory = [&http](long) -> std::unique_ptr<online::HttpClient> {
    struct Lent : online::HttpClient {
      explicit Lent(online::HttpClient& h) : inner(h) {}
      online::HttpResult Get(const std::string& u,
                             const std::vector<online::HttpHeader>& h) override {
        return inner.Get(u, h);
      }
      online::HttpClient& inner;
    };
    return std::make_unique<Lent>(http);
  };
  http.reachable = false;
  {
    online::ScoreSender sender("http://s", path, factory);
    sender.Send({"Вася", 77, ""});
    sender.Wait();
    const auto report = sender.Poll();
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->unreachable);
    EXPECT_EQ(report->kept, 1);
  }
  ASSERT_TRUE(std::filesystem::exists(path));
  http.reachable = true;
  online::ScoreSender next("http://s", path, factory);
  next.RetryQueued();
  next.Wait();
  const auto report = next.Poll();
  ASSERT_TRUE(report);
  EXPECT_EQ(report->sent, 1);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ScoreSenderTest, EasyScoresSayTheirDifficultyWhileClassicOnesAndOldQueuesStayAsTheyWere) {
  // A Classic payload is the one every server has always taken; Easy adds one field.
  const std::string classic = "type=0|name=Kyrrin|score=5|key=X|p=tok|add=hi|z=00";
  EXPECT_EQ(online::BuildScorePayload("Kyrrin", 5, "tok", "hi"), classic);
  EXPECT_EQ(online::BuildScorePayload("Kyrrin", 5, "tok", "hi", "classic"), classic);
  EXPECT_EQ(online::BuildScorePayload("Kyrrin", 5, "tok", "hi", "easy"),
            "type=0|name=Kyrrin|score=5|key=X|p=tok|add=hi|dif=easy|z=000");

  ScriptedHttp http;
  EXPECT_EQ(online::SendOneScore("http://s", http, {"Vasya", 120, "", "easy"}),
            online::SendOutcome::kSent);
  ASSERT_EQ(http.urls.size(), 2u);
  const std::string code = http.urls[1].substr(http.urls[1].find("&inf=") + 5);
  EXPECT_NE(online::decode(code).find("|dif=easy|z="), std::string::npos);

  // The queue keeps each score's difficulty; lines from before it read as Classic games, and a
  // line whose difficulty is no word is skipped.
  const std::vector<online::PendingScore> scores{{"Ann", 5, "", "easy"}, {"Bob", 6, "t"}};
  const std::vector<online::PendingScore> back =
      online::ParseScoreQueue(online::FormatScoreQueue(scores) + "7 JD2L6 AB e|sy\n");
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].difficulty, "easy");
  EXPECT_EQ(back[1].difficulty, "classic");
  EXPECT_EQ(back[1].optionText, "t");
  const std::string name = online::encode(online::PadToFive("Old", '%'));
  const auto old = online::ParseScoreQueue("Vornakel unsent scores 1\n9 " + name + " \n");
  ASSERT_EQ(old.size(), 1u);
  EXPECT_EQ(old[0].name, "Old");
  EXPECT_EQ(old[0].difficulty, "classic");
}

}  // namespace
