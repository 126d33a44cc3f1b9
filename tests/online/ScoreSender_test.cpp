// Score sending: what each server answer means for the score, one time limit for both requests,
// and the queue file that keeps unsent scores across runs.
#include "online/ScoreSender.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

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
  void LimitTime(long totalMs) override { limits.push_back(totalMs); }
  bool reachable = true;
  long submitStatus = 200;
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
