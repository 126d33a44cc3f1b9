// Tests of the submission checks and the query parser: every malformed submission is refused.
#include "server/Protocol.h"

#include <gtest/gtest.h>

#include "online/ScoreClient.h"
#include "online/TextCodec.h"

namespace scored {
namespace {

std::string Code(const std::string& payload) {
  return online::encode(online::PadToFive(payload, '0'));
}

std::string Why(const std::string& payload) {
  const SubmissionCheck check = CheckSubmission(Code(payload));
  return check.submission ? "accepted" : check.problem;
}

TEST(CheckSubmission, AcceptsWhatTheClientSends) {
  const SubmissionCheck check =
      CheckSubmission(online::encode(online::BuildScorePayload("Kyrrin", 5, "00ff", "")));
  ASSERT_TRUE(check.submission) << check.problem;
  EXPECT_EQ(check.submission->name, "Kyrrin");
  EXPECT_EQ(check.submission->score, 5);
  EXPECT_EQ(check.submission->token, "00ff");
  EXPECT_EQ(check.submission->text, "");
  // Fields in another order are still the same fields.
  EXPECT_EQ(Why("name=a|type=0|key=X|score=1|add=|p=ab|z="), "accepted");
}

TEST(CheckSubmission, RefusesGarbageCodes) {
  EXPECT_FALSE(CheckSubmission("").submission);
  EXPECT_FALSE(CheckSubmission("ABCDEFGH").submission);
  EXPECT_FALSE(CheckSubmission("abcdefgh").submission);                   // outside the alphabet
  EXPECT_FALSE(CheckSubmission(Code("type=0|name=a") + "A").submission);  // not whole groups
  EXPECT_FALSE(CheckSubmission(std::string(kMaxCodeLength + 8, 'A')).submission);
  // An unpadded payload (39 bytes) would decode with a leading NUL; it is refused, not guessed at.
  EXPECT_FALSE(
      CheckSubmission(online::encode("type=0|name=|score=1|key=X|p=ab|add=|z=")).submission);
}

TEST(CheckSubmission, RefusesMissingRepeatedAndUnknownFields) {
  EXPECT_EQ(Why("type=0|name=a|score=1|key=X|p=ab|z="), "missing field");
  EXPECT_EQ(Why("type=0|name=a|name=b|score=1|key=X|p=ab|add=|z="), "repeated field");
  EXPECT_EQ(Why("type=0|name=a|score=1|key=X|p=ab|add=|z=|x=1"), "unknown field");
  EXPECT_EQ(Why("type=0|name=a|score=1|key=X|p=ab|add=|z=|"), "unknown field");
  EXPECT_EQ(Why("type=1|name=a|score=1|key=X|p=ab|add=|z="), "wrong type or key");
  EXPECT_EQ(Why("type=0|name=a|score=1|key=Y|p=ab|add=|z="), "wrong type or key");
  EXPECT_EQ(Why("type=0|name=a|score=1|key=X|p=ab|add=|z=1"), "wrong padding");
  EXPECT_EQ(Why("type=0|name=a|score=1|key=X|p=|add=|z="), "no valid token");
  EXPECT_EQ(Why("type=0|name=a|score=1|key=X|p=x'--|add=|z="), "no valid token");
}

TEST(CheckSubmission, NamesTextsAndScoresWithinTheirLimits) {
  const auto with = [](const std::string& name, const std::string& score, const std::string& add) {
    return Why("type=0|name=" + name + "|score=" + score + "|key=X|p=ab|add=" + add + "|z=");
  };
  EXPECT_EQ(with(std::string(12, 'n'), "1", std::string(12, 'a')), "accepted");
  EXPECT_NE(with(std::string(13, 'n'), "1", ""), "accepted");
  EXPECT_NE(with("n", "1", std::string(13, 'a')), "accepted");
  EXPECT_NE(with("a\tb", "1", ""), "accepted");
  EXPECT_NE(with("n", "1", "a\x01"), "accepted");
}

TEST(CheckSubmission, RefusesWhatTheGameCanNeverSend) {
  const auto with = [](const std::string& name, const std::string& score) {
    return Why("type=0|name=" + name + "|score=" + score + "|key=X|p=ab|add=|z=");
  };
  EXPECT_EQ(with("n", "0"), "accepted");
  EXPECT_EQ(with("n", std::to_string(kMaxScore)), "accepted");
  for (const std::string& bad :
       {std::string("-1"), std::string("-2147483648"), std::to_string(kMaxScore + 1),
        std::string("2147483647"), std::string("2147483648"), std::string("007"), std::string("-0"),
        std::string(""), std::string("+1"), std::string("1e3"), std::string(" 1"),
        std::string("0x10"), std::string("12a")}) {
    EXPECT_EQ(with("n", bad), "the score is not one a game can reach") << bad;
  }
  for (const std::string& bad : {std::string(""), std::string(" "), std::string(12, ' ')}) {
    EXPECT_EQ(with(bad, "1"), "the name is empty, too long or holds control characters") << bad;
  }
}

TEST(ParseQuery, SplitsAndUnescapes) {
  const auto params = ParseQuery("version&prg=Vornakel&a=%41%2b+b&=x&&c=");
  ASSERT_TRUE(params);
  const QueryParams expected = {
      {"version", ""}, {"prg", "Vornakel"}, {"a", "A+ b"}, {"", "x"}, {"c", ""}};
  EXPECT_EQ(*params, expected);
  EXPECT_FALSE(ParseQuery("a=%4"));
  EXPECT_FALSE(ParseQuery("a=%zz"));
  EXPECT_EQ(SingleParam(*params, "prg"), "Vornakel");
  EXPECT_FALSE(SingleParam(*ParseQuery("prg=a&prg=b"), "prg"));
  EXPECT_FALSE(SingleParam(*params, "hs"));
}

}  // namespace
}  // namespace scored
