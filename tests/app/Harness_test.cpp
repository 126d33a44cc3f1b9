// Harness pieces: the command line, input scripts (parse, replay, record round trip), bench
// quantiles.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/FrameStats.h"
#include "app/InputScript.h"
#include "app/Options.h"
#include "platform/Text1251.h"

namespace {

using Type = platform::InputEvent::Type;

TEST(OptionsTest, ReadsEveryFlagAndRejectsBadValues) {
  app::Options o;
  std::string error;
  ASSERT_TRUE(app::ParseOptions({"--headless",    "--fast",  "--seed",        "42",
                                 "--frames",      "120",     "--screenshot",  "100:/tmp/a.png",
                                 "--screenshot",  "5:b.png", "--trace",       "t.txt",
                                 "--start-level", "9",       "--null-render", "--bench",
                                 "--workdir",     "w",       "--script",      "s",
                                 "--record",      "r",       "--difficulty",  "easy",
                                 "--language",    "en",      "--scaling",     "integer",
                                 "--vsync",       "on"},
                                o, error))
      << error;
  EXPECT_TRUE(o.headless && o.fast && o.nullRender && o.bench);
  EXPECT_EQ(*o.seed, 42u);
  EXPECT_EQ(o.frames, 120);
  ASSERT_EQ(o.screenshots.size(), 2u);
  EXPECT_EQ(o.screenshots[0].frame, 100);
  EXPECT_EQ(o.screenshots[0].path, "/tmp/a.png");
  EXPECT_EQ(o.startLevel, 9);
  EXPECT_EQ(o.difficulty, game::Difficulty::Easy);
  EXPECT_EQ(o.language, game::Language::English);
  EXPECT_EQ(o.scaling, platform::Scaling::kInteger);
  EXPECT_EQ(o.vsync, true);
  for (const auto& bad : std::vector<std::vector<std::string>>{{"--seed", "x"},
                                                               {"--frames", "-1"},
                                                               {"--screenshot", "100"},
                                                               {"--screenshot", "a:b"},
                                                               {"--start-level", "0"},
                                                               {"--difficulty", "hard"},
                                                               {"--language", "de"},
                                                               {"--scaling", "2x"},
                                                               {"--vsync", "yes"},
                                                               {"--frames"},
                                                               {"--bogus"}}) {
    app::Options other;
    EXPECT_FALSE(app::ParseOptions(bad, other, error)) << bad[0];
    EXPECT_FALSE(error.empty());
  }
}

TEST(InputScriptTest, ParsesEventsInFrameOrderAndReportsBadLines) {
  std::vector<app::TimedEvent> events;
  std::string error;
  ASSERT_TRUE(
      app::ParseInputScript("# start\n"
                            "10 key down 38\r\n"
                            "5 mouse 400 300\n"
                            "5 button left down\n"
                            "  \n"
                            "12 text Привет, Вася\n"
                            "12 button left down 2\n"
                            "20 close\n"
                            "21 pad down righttrigger\n",
                            events, error))
      << error;
  ASSERT_EQ(events.size(), 7u);
  EXPECT_EQ(events[0].event.type, Type::kMouseMove);
  EXPECT_EQ(events[1].event.type, Type::kMouseDown);
  EXPECT_EQ(events[1].event.clicks, 1);
  EXPECT_EQ(events[2].event.key, 38);
  EXPECT_EQ(events[3].event.text, Ru("Привет, Вася"));
  // The second press of a double click carries its count, and is written back with it.
  EXPECT_EQ(events[4].event.clicks, 2);
  EXPECT_EQ(app::FormatInputEvent(12, events[4].event), "12 button left down 2");
  EXPECT_EQ(events[5].event.type, Type::kCloseRequest);
  EXPECT_EQ(app::FormatInputEvent(21, events[6].event), "21 pad down righttrigger");

  for (const char* bad :
       {"x key down 1", "3 key sideways 1", "3 key down 256", "3 mouse 1", "3 button left sideways",
        "3 button left up 2", "3 button left down 0", "3 jump", "3 pad down z"}) {
    std::vector<app::TimedEvent> none;
    EXPECT_FALSE(app::ParseInputScript(std::string("1 key up 2\n") + bad, none, error)) << bad;
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
  }
}

TEST(InputScriptTest, ReplayHandsOutEventsWhenTheirFrameComesAndClicksWhereThePointerIs) {
  std::vector<app::TimedEvent> events;
  std::string error;
  ASSERT_TRUE(
      app::ParseInputScript("3 mouse 7 9\n3 button left down\n4 key up 13\n", events, error));
  app::ScriptedInput input(events);
  platform::InputEvent e;
  input.SetFrame(2);
  EXPECT_FALSE(input.Poll(e));
  input.SetFrame(3);
  ASSERT_TRUE(input.Poll(e));
  ASSERT_TRUE(input.Poll(e));
  EXPECT_EQ(e.type, Type::kMouseDown);
  EXPECT_EQ(e.x, 7);
  EXPECT_EQ(e.y, 9);
  EXPECT_FALSE(input.Poll(e));
  input.SetFrame(10);
  ASSERT_TRUE(input.Poll(e));
  EXPECT_EQ(e.key, 13);
}

TEST(InputScriptTest, RecordingWritesAScriptThatReplaysTheSameEvents) {
  std::vector<app::TimedEvent> original;
  std::string error;
  ASSERT_TRUE(app::ParseInputScript(
      "1 key down 65\n2 text ёж\n3 mouse 10 20\n3 button right down\n4 key up 65\n", original,
      error));
  app::ScriptedInput live(original);
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  app::RecordingInput recorder(&live, out);
  platform::InputEvent e;
  for (int frame = 1; frame <= 4; ++frame) {
    live.SetFrame(frame);
    recorder.SetFrame(frame);
    while (recorder.Poll(e)) {
    }
  }
  std::fclose(out);
  const std::string text(buffer, size);
  std::free(buffer);
  std::vector<app::TimedEvent> replayed;
  ASSERT_TRUE(app::ParseInputScript(text, replayed, error)) << error;
  // The click is recorded with a move to where it happened.
  ASSERT_EQ(replayed.size(), original.size() + 1);
  EXPECT_EQ(replayed[1].event.text, Ru("ёж"));
  EXPECT_EQ(replayed[4].event.type, Type::kMouseDown);
  EXPECT_EQ(replayed[4].event.button, platform::InputEvent::Button::kRight);
  EXPECT_EQ(replayed[5].frame, 4);
}

TEST(FrameStatsTest, QuantilesUseNearestRank) {
  std::vector<double> samples;
  for (int i = 1; i <= 100; ++i) samples.push_back(i);
  EXPECT_EQ(app::FrameStats::Quantile(samples, 0.5), 50);
  EXPECT_EQ(app::FrameStats::Quantile(samples, 0.99), 99);
  EXPECT_EQ(app::FrameStats::Quantile({}, 0.5), 0);
  app::FrameStats stats;
  stats.Add(0.25, 2.0);
  EXPECT_EQ(stats.Summary(),
            "frames=1 cpu_ms_median=0.250 cpu_ms_p99=0.250 frame_ms_median=2.000 "
            "frame_ms_p99=2.000");
  // Pacing: four intervals of 10, 11, 12 and 11 ms span 44 ms, 4 frames in it.
  EXPECT_EQ(app::FrameStats::PacingSummary({10, 11, 12, 11}),
            "pacing frames=4 fps=90.91 interval_ms_median=11.000 interval_ms_p99=12.000 "
            "interval_ms_max=12.000");
}

}  // namespace
