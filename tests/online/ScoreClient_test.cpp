// Tests of the score client's token, payload and request sequence against a scripted HTTP client.
#include "online/ScoreClient.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>

#include "online/TextCodec.h"
#include "platform/Shell.h"

namespace online {
namespace {

using ::testing::ElementsAre;

struct ScriptedHttp : HttpClient {
  struct Call {
    std::string url;
    std::vector<HttpHeader> headers;
  };
  std::vector<Call> calls;
  std::deque<HttpResult> replies;

  HttpResult Get(const std::string& url, const std::vector<HttpHeader>& headers) override {
    calls.push_back({url, headers});
    if (replies.empty()) return HttpResult{};
    HttpResult r = replies.front();
    replies.pop_front();
    return r;
  }
};

HttpResult Reply(long status, std::string body) {
  return HttpResult{true, status, std::move(body), ""};
}

struct RecordingShell : platform::Shell {
  std::vector<std::string> opened;
  std::vector<std::string> messages;
  void ShowMessage(const std::string& text, const std::string&) override {
    messages.push_back(text);
  }
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return true;
  }
};

TEST(ScoreToken, IsTheFifthFieldOnlyWhenABarFollows) {
  EXPECT_EQ(ExtractToken("OK|a|b|c|d|e|f"), "d");
  EXPECT_EQ(ExtractToken("OK|a|b|c|d|"), "d");
  EXPECT_EQ(ExtractToken("OK|a|b|c|d"), "");
  EXPECT_EQ(ExtractToken("OK"), "");
  EXPECT_EQ(ExtractToken("OK|||||"), "");
}

TEST(ScorePayload, FieldsInOrderPaddedWithZeros) {
  // 37 characters before padding: three zeros make 40.
  EXPECT_EQ(BuildScorePayload("", 0, "", ""), "type=0|name=|score=0|key=X|p=|add=|z=000");
  const std::string payload = BuildScorePayload("Kyrrin", -12345, "tok", "hi");
  EXPECT_EQ(payload, "type=0|name=Kyrrin|score=-12345|key=X|p=tok|add=hi|z=00");
  for (int extra = 0; extra < 10; ++extra) {
    const std::string p = BuildScorePayload(std::string(extra, 'n'), 7, "t", "");
    EXPECT_EQ(p.size() % 5, 0u);
    // Never more than four pad characters after "z=".
    EXPECT_LE(p.size() - (p.rfind("z=") + 2), 4u);
  }
  // "type=0|name=|score=1|key=X|p=|add=|z=" plus "abc" in the token is exactly 40 characters.
  EXPECT_EQ(BuildScorePayload("", 1, "abc", ""), "type=0|name=|score=1|key=X|p=abc|add=|z=");
}

TEST(ScorePayload, BarsInPlayerTextCannotAddFields) {
  const std::string payload = BuildScorePayload("a|p=1", 5, "t", "x|z=");
  EXPECT_EQ(payload.find("|p=1"), std::string::npos);
  EXPECT_NE(payload.find(std::string("a\xA6p=1")), std::string::npos);
  EXPECT_NE(payload.find(std::string("x\xA6z=")), std::string::npos);
}

TEST(ScoreClient, SendsVersionThenEncodedSubmissionWithTheHeaders) {
  ScriptedHttp http;
  http.replies = {Reply(200, "OK|Vornakel|1|0|tok123|"), Reply(200, "OK")};
  std::vector<std::string> messages;
  ScoreClient client("http://scores.test:8080/", http,
                     [&](const std::string& m) { messages.push_back(m); });
  EXPECT_TRUE(client.submitScore("Kyrrin", 4200, "hello"));

  ASSERT_EQ(http.calls.size(), 2u);
  EXPECT_EQ(http.calls[0].url, "http://scores.test:8080/cgi/version.pl?version&prg=Vornakel");
  const std::string code = encode(BuildScorePayload("Kyrrin", 4200, "tok123", "hello"));
  EXPECT_EQ(http.calls[1].url,
            "http://scores.test:8080/cgi/version.pl?hs&prg=Vornakel&inf=" + code);
  for (const auto& call : http.calls) {
    EXPECT_THAT(call.headers,
                ElementsAre(HttpHeader{"Accept", "text/html, */*"},
                            HttpHeader{"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
                            HttpHeader{"Content-Type", "text/html"}));
  }
  EXPECT_TRUE(messages.empty());
}

TEST(ScoreClient, AnyVersionFailureShowsOneMessageAndSendsNothing) {
  const std::vector<HttpResult> failures = {
      HttpResult{},                  // no connection
      Reply(500, "OK|a|b|c|d|"),     // an error status, whatever the body says
      Reply(200, "Error|a|b|c|d|"),  // the server is not willing
      Reply(200, "O"),               // a broken reply
  };
  for (const HttpResult& failure : failures) {
    ScriptedHttp http;
    http.replies = {failure};
    std::vector<std::string> messages;
    ScoreClient client("127.0.0.1:1", http, [&](const std::string& m) { messages.push_back(m); });
    EXPECT_FALSE(client.submitScore("x", 1, ""));
    EXPECT_EQ(http.calls.size(), 1u);
    EXPECT_THAT(messages, ElementsAre("Can't connect to server!"));
  }
}

TEST(ScoreClient, FailedSubmissionIsSilent) {
  ScriptedHttp http;
  http.replies = {Reply(200, "OK|a|b|c|d|"), HttpResult{}};
  int shown = 0;
  ScoreClient client("http://h", http, [&](const std::string&) { ++shown; });
  EXPECT_TRUE(client.submitScore("x", 1, ""));
  EXPECT_EQ(shown, 0);
}

TEST(ScoreClient, TableOpensInTheBrowserAndMessagesGoToTheShell) {
  ScriptedHttp http;
  RecordingShell shell;
  ScoreClient client("127.0.0.1:8642", http, ShellMessageSink(shell));
  EXPECT_TRUE(client.showOnlineTable(shell));
  EXPECT_THAT(shell.opened,
              ElementsAre("http://127.0.0.1:8642/cgi/version.pl?prg=Vornakel&show&type=0"));
  client.submitScore("x", 1, "");
  EXPECT_THAT(shell.messages, ElementsAre("Can't connect to server!"));
}

TEST(ScoreServerSetting, EnvironmentOverridesTheDefault) {
  unsetenv("VORNAKEL_SCORE_SERVER");
  EXPECT_EQ(ScoreServerAddress(), "http://127.0.0.1:8642");
  setenv("VORNAKEL_SCORE_SERVER", "http://10.1.2.3:8080/", 1);
  EXPECT_EQ(ScoreServerAddress(), "http://10.1.2.3:8080");
  setenv("VORNAKEL_SCORE_SERVER", "", 1);
  EXPECT_EQ(ScoreServerAddress(), "http://127.0.0.1:8642");
  unsetenv("VORNAKEL_SCORE_SERVER");
}

}  // namespace
}  // namespace online
