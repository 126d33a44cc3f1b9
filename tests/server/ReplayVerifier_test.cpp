// Verification of submitted games by replaying them: an honest game passes, every kind of tampering
// and every limit refuses, two games verify at once.
#include "server/ReplayVerifier.h"
#include "server/VerifyPool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <optional>
#include <sstream>
#include <thread>

namespace scored {
namespace {

// A Classic game the autopilot played with seed 7: two races driven to the line, the third
// wrecked until the last truck was gone; it scored 766.
constexpr int32_t kFixtureScore = 766;

std::string ReadFixture() {
  std::ifstream in(std::string(VORNAKEL_TEST_DATA) + "/verify/game.vrp", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

game::Replay Decoded(const std::string& bytes) {
  game::Replay replay;
  EXPECT_EQ(game::DecodeReplay(bytes, replay), game::ReplayError::kNone);
  return replay;
}

// Moves the first arrow key event after frame 2000 of the first race on by 30 frames.
game::Replay WithKeyMoved(game::Replay replay) {
  std::vector<game::ReplayFrame>& frames = replay.races[0].frames;
  uint64_t frame = 0;
  for (size_t i = 1; i < frames.size(); ++i) {
    frame += frames[i].repeat;
    for (size_t e = 0; e < frames[i].events.size() && frame > 2000; ++e) {
      const game::ReplayEvent event = frames[i].events[e];
      if (event.kind != game::ReplayEvent::Kind::kKeyDown || event.a < 37 || event.a > 40) continue;
      frames[i].events.erase(frames[i].events.begin() + static_cast<long>(e));
      // Frames without input may stand for many; the event lands on the first frame 30 on.
      size_t j = i + 1;
      for (uint64_t skipped = 0; j < frames.size() && skipped < 30; ++j)
        skipped += frames[j].repeat;
      frames[j].repeat = 1;
      frames[j].events.push_back(event);
      return replay;
    }
  }
  ADD_FAILURE() << "no arrow key in the fixture";
  return replay;
}

TEST(ReplayVerifierTest, HonestGamesPassAndTamperedOrOversizedOnesAreRefused) {
  UseGameData(VORNAKEL_GAME_DIR);
  const std::string bytes = ReadFixture();
  const game::Replay honest = Decoded(bytes);
  ASSERT_EQ(honest.races.size(), 3u);

  // Two at once, on two threads: each gets the same verdict as alone.
  Verdict first;
  Verdict second;
  std::thread other([&] { second = VerifyGameBytes(bytes, kFixtureScore, "classic"); });
  first = VerifyGameBytes(bytes, kFixtureScore, "classic");
  other.join();
  for (const Verdict& verdict : {first, second}) {
    EXPECT_TRUE(verdict.verified) << verdict.reason;
    EXPECT_EQ(verdict.score, kFixtureScore);
    EXPECT_EQ(verdict.races, 3u);
  }

  const auto refused = [](const Verdict& verdict, const char* what) {
    EXPECT_FALSE(verdict.verified) << what;
    EXPECT_FALSE(verdict.reason.empty()) << what;
  };
  refused(VerifyGameBytes(bytes, kFixtureScore + 1, "classic"), "a higher claim");
  refused(VerifyGameBytes(bytes, kFixtureScore, "easy"), "another difficulty");
  refused(VerifyGame(WithKeyMoved(honest), kFixtureScore, "classic"), "a key moved");
  game::Replay changed = honest;
  changed.races[1].start.lives += 1;
  refused(VerifyGame(changed, kFixtureScore, "classic"), "a spare truck added");
  changed = honest;
  changed.races[0].start.level = 2;
  refused(VerifyGame(changed, kFixtureScore, "classic"), "a game begun further on");
  changed = honest;
  changed.races.erase(changed.races.begin());
  refused(VerifyGame(changed, kFixtureScore, "classic"), "the first race left out");
  refused(VerifyGameBytes(bytes, kFixtureScore, "classic", VerifyLimits{.maxReplayBytes = 1000}),
          "over the size limit");
  refused(VerifyGameBytes(bytes, kFixtureScore, "classic", VerifyLimits{.maxRaceFrames = 1000}),
          "past the frame limit");
  refused(VerifyGameBytes("not a replay", 0, "classic"), "not a replay");
}

// One worker and no queue: a game sent as soon as the last one's answer is out finds the worker
// free, and one sent while it works is turned away.
TEST(VerifyPoolTest, AWorkerIsFreeOnceItsAnswerIsOut) {
  VerifyPool pool(1, 0);
  for (int i = 0; i < 200; ++i) {
    std::optional<std::future<Verdict>> next = pool.Submit([] { return Verdict{}; });
    ASSERT_TRUE(next.has_value()) << "turned away after " << i << " answers";
    next->get();
  }
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::optional<std::future<Verdict>> busy = pool.Submit([released] {
    released.wait();
    return Verdict{};
  });
  ASSERT_TRUE(busy.has_value());
  EXPECT_FALSE(pool.Submit([] { return Verdict{}; }).has_value());
  release.set_value();
  busy->get();
}

}  // namespace
}  // namespace scored
