// Replays: the file format (round trip, refusals, size), and a pinned race that its recording plays
// back exactly.
#include "game/Replay.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "game/RaceFixture.h"
#include "game/ReplayPlayer.h"

namespace {

using Kind = game::ReplayEvent::Kind;

game::ReplayFrame Frame(uint32_t before, uint32_t after, std::vector<game::ReplayEvent> events = {},
                        uint32_t repeat = 1) {
  game::ReplayFrame frame;
  frame.clockBefore = before;
  frame.clockAfter = after;
  frame.events = std::move(events);
  frame.repeat = repeat;
  return frame;
}

// A 100-second race as live play records it: the clock called once or twice per frame, a steering
// key pressed or let go every fifth frame and the mouse moved now and then.
game::ReplayRace HundredSeconds() {
  game::ReplayRace race;
  race.start.randSeed = 0xDEADBEEF;
  race.start.score = -5;
  race.start.keyDown[38] = true;
  race.startedInFrame = true;
  race.frames.push_back(Frame(0, 0));
  for (int i = 0; i < 9000; ++i) {
    std::vector<game::ReplayEvent> events;
    if (i % 5 == 0)
      events.push_back(game::ReplayEvent::Of(i % 10 ? Kind::kKeyUp : Kind::kKeyDown, 37 + i % 4));
    if (i % 97 == 0) events.push_back(game::ReplayEvent::Of(Kind::kMouseMove, i % 800, i % 600));
    race.frames.push_back(Frame(i % 9 == 4 ? 1 : 0, i % 9 == 0 ? 2 : 1, std::move(events)));
  }
  return race;
}

TEST(ReplayFormat, RoundTripsRefusesBadFilesAndStaysSmall) {
  game::Replay replay;
  replay.races.push_back(HundredSeconds());
  game::ReplayRace& second = replay.races.emplace_back();
  game::ReplayEvent text = game::ReplayEvent::Of(Kind::kText);
  text.text = "\xC2\xE0\xF1\xFF";
  second.frames = {Frame(0, 3), Frame(0, 1, {}, 40000),
                   Frame(2, 0,
                         {game::ReplayEvent::Of(Kind::kMouseDown, 0, -3, 599, 2),
                          game::ReplayEvent::Of(Kind::kMouseUp, 1, 800, 0),
                          game::ReplayEvent::Of(Kind::kClock, 7), text,
                          game::ReplayEvent::Of(Kind::kControllerLost)})};
  EXPECT_EQ(second.FrameCount(), 40001u);
  second.summary = {
      .recordedUtc = 1765300000, .place = 2, .raceHund = 7531, .roadCode = "GRQFTHAABR"};

  const std::string bytes = game::EncodeReplay(replay);
  game::Replay back;
  ASSERT_EQ(game::DecodeReplay(bytes, back), game::ReplayError::kNone);
  EXPECT_EQ(back, replay);
  // A version 1 file (no summaries) still reads, its races' summaries unknown.
  ASSERT_EQ(game::DecodeReplay(game::EncodeReplay(replay, 1), back), game::ReplayError::kNone);
  EXPECT_EQ(back.races[1].frames, second.frames);
  EXPECT_EQ(back.races[1].summary, game::RaceSummary{});
  std::printf("a 100 s race with a key every fifth frame: %zu bytes\n", bytes.size());
  EXPECT_LT(bytes.size(), 50u * 1024);

  // Damaged anywhere, cut anywhere: an error, never a crash or a half-filled replay.
  for (size_t at = 0; at < bytes.size(); at += 1 + at / 16) {
    std::string damaged = bytes;
    damaged[at] = static_cast<char>(~damaged[at]);
    EXPECT_NE(game::DecodeReplay(damaged, back), game::ReplayError::kNone) << "byte " << at;
    EXPECT_TRUE(back.races.empty());
    EXPECT_NE(game::DecodeReplay(bytes.substr(0, at), back), game::ReplayError::kNone);
  }
  EXPECT_EQ(game::DecodeReplay("\x89PNG\r\n\x1a\n....", back), game::ReplayError::kNotAReplay);
  std::string other = bytes;
  other[6] = static_cast<char>(other[6] + 1);
  EXPECT_EQ(game::DecodeReplay(other, back), game::ReplayError::kOtherLogic);
  std::string newer = bytes;
  newer[5] = 1;
  EXPECT_EQ(game::DecodeReplay(newer, back), game::ReplayError::kNewerFormat);
}

// A race on the null devices with the plain pictures of the fixture.
class ReplayRace : public racetest::RaceFixture {
 protected:
  ReplayRace() {
    for (const char* name : {"speeder", "radar", "svetophor", "redlight", "yellowlight",
                             "greenlight", "undermenu", "scr_raceover"})
      AddPicture(name, 40, 40);
    AddPicture("healthbar", 101, 12);
    AddPicture("speedarrow", 12, 64);
    AddPicture("begarrows", 150, 150);
    AddPicture("exploid", 192, 192);
    form->GameImagesPending = false;
    form->SoundOn = false;
  }
};

// A second form for the playback.
class PlaybackForm final : public ReplayRace {
 public:
  void TestBody() override {}
  game::TForm1& Form() { return *form; }
};

// FNV-1a of the trace lines of every frame.
struct TraceHash {
  uint64_t value = 1469598103934665603ull;
  void Add(const std::string& line) {
    for (const char c : line + "\n") value = (value ^ static_cast<uint8_t>(c)) * 1099511628211ull;
  }
};

// The pinned race's trace under the current rules. A change to the race rules that alters it must
// come with a new kLogicVersion (and the new hash here), so old replays are refused.
constexpr uint32_t kPinnedLogicVersion = 1;
constexpr uint64_t kPinnedTraceHash = 6862570000648395900ull;

TEST_F(ReplayRace, PinnedRaceMatchesLogicVersionAndPlaysBack) {
  // 700 frames: the start lights, then full throttle and a swerve; the clock, once running, is
  // called every frame.
  TraceHash live;
  form->StartGame();
  for (int frame = 1; frame <= 700; ++frame) {
    if (frame == 260) form->FormKeyDown(38);
    if (frame == 400) form->FormKeyDown(37);
    if (frame == 440) form->FormKeyUp(37);
    form->OmegaTimer1Timer();
    if (form->RaceTimer.Enabled) form->RaceTimerTimer();
    live.Add(form->TraceLine());
  }
  EXPECT_EQ(kPinnedLogicVersion, game::kLogicVersion) << "pin the new trace hash with the version";
  EXPECT_EQ(live.value, kPinnedTraceHash)
      << "the race rules changed what a race does: bump kLogicVersion and pin the new hash";

  const game::Replay& recorded = form->Replays.Finish();
  ASSERT_EQ(recorded.races.size(), 1u);
  game::Replay decoded;
  ASSERT_EQ(game::DecodeReplay(game::EncodeReplay(recorded), decoded), game::ReplayError::kNone);
  PlaybackForm other;
  game::ReplayPlayer player(other.Form(), decoded.races[0]);
  player.Begin();
  TraceHash played;
  while (player.Step()) played.Add(other.Form().TraceLine());
  EXPECT_EQ(player.FramesRun(), 700u);
  EXPECT_EQ(played.value, live.value);
}

}  // namespace
