// Watching a replay in the window: pause, speeds and the way back, with the player's form, its
// generator and its files as they were.
#include "frontend/ReplayWatch.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "engine/Random.h"
#include "frontend/MenuFixture.h"
#include "platform/PadButtons.h"

namespace {

// A level-1 race with no input at all: the start lights, then the opponents drive off.
game::Replay StandingRace(uint32_t frames) {
  game::Replay replay;
  game::ReplayRace& race = replay.races.emplace_back();
  race.start.randSeed = 7;
  race.frames.resize(2);
  race.frames[1].repeat = frames;
  return replay;
}

std::map<std::string, std::string> FilesHere() {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(".")) {
    if (entry.is_symlink() || !entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files[entry.path().string()] = bytes.str();
  }
  return files;
}

using WatchReplay = frontendtest::MenuFixture;

TEST_F(WatchReplay, KeysPauseSpeedAndLeaveWithThePlayersFormUntouched) {
  ToMainMenu();
  Frame(3);
  const std::string hostTrace = form->TraceLine();
  const uint32_t hostSeed = engine::RandSeed();
  const auto files = FilesHere();

  ASSERT_TRUE(frontend::WatchRaces(*form, StandingRace(2000), 0));
  auto* watch = dynamic_cast<frontend::ReplayWatch*>(form->Takeover.get());
  ASSERT_NE(watch, nullptr);
  Frame();
  ASSERT_NE(watch->Playback(), nullptr);
  EXPECT_EQ(watch->Playback()->GameState, game::gsRace);
  EXPECT_GE(watch->StartMicros(), 0);
  std::printf("playback start: %.1f ms\n", static_cast<double>(watch->StartMicros()) / 1000.0);

  // Right doubles the speed up to x8, Left halves it; each shown frame runs that many.
  for (int i = 0; i < 4; ++i) Press(platform::kVkRight);
  EXPECT_EQ(watch->Speed(), 8);
  Press(platform::kVkLeft);
  EXPECT_EQ(watch->Speed(), 4);
  uint64_t run = watch->Player()->FramesRun();
  Frame();
  EXPECT_EQ(watch->Player()->FramesRun(), run + 4);
  // Space pauses and resumes; a controller's X is Space.
  Press(platform::kVkSpace);
  EXPECT_TRUE(watch->Paused());
  run = watch->Player()->FramesRun();
  Frame(5);
  EXPECT_EQ(watch->Player()->FramesRun(), run);
  form->FormPadDown(static_cast<int>(platform::PadButton::kX));
  form->FormPadUp(static_cast<int>(platform::PadButton::kX));
  EXPECT_FALSE(watch->Paused());

  // Keys never reached the player's form, nor did the frames or the replay's generator.
  EXPECT_EQ(form->TraceLine(), hostTrace);
  EXPECT_EQ(engine::RandSeed(), hostSeed);
  for (bool down : form->KeyDown) EXPECT_FALSE(down);

  // A controller's B leaves (its release, after the replay has gone, goes nowhere); the player's
  // form goes on from where it stood.
  form->FormPadDown(static_cast<int>(platform::PadButton::kB));
  Frame();
  EXPECT_EQ(form->Takeover, nullptr);
  form->FormPadUp(static_cast<int>(platform::PadButton::kB));
  EXPECT_FALSE(form->KeyReleased[platform::kVkEscape]);
  Frame();
  EXPECT_EQ(form->TraceLine(), hostTrace);
  EXPECT_EQ(form->GameState, game::gsMainMenu);
  EXPECT_EQ(FilesHere(), files);

  // A game's races play one after another; each that runs out shows its last frame a moment, and
  // after the last playback returns by itself.
  game::Replay game = StandingRace(30);
  game.races.push_back(game.races[0]);
  ASSERT_TRUE(frontend::WatchRaces(*form, game, 0));
  watch = dynamic_cast<frontend::ReplayWatch*>(form->Takeover.get());
  int frames = 0;
  size_t lastRace = 0;
  while (form->Takeover != nullptr && frames < 1000) {
    lastRace = watch->RaceIndex();
    Frame();
    ++frames;
  }
  EXPECT_EQ(lastRace, 1u);
  EXPECT_GT(frames, 2 * frontend::ReplayWatch::kHoldFrames);
  EXPECT_LT(frames, 2 * frontend::ReplayWatch::kHoldFrames + 80);
  EXPECT_EQ(engine::RandSeed(), hostSeed);
  EXPECT_FALSE(frontend::WatchRaces(*form, game::Replay{}, 0));
}

}  // namespace
