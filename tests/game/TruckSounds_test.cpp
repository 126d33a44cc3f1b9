// The trucks' sounds: the engine note against speed and throttle, its fades by game state and
// sound setting, and the knocks' rate limit.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "game/Player.h"
#include "game/RaceFixture.h"
#include "game/SoundTable.h"
#include "game/TruckSounds.h"
#include "platform/null/NullAudioDevice.h"

namespace {

namespace fs = std::filesystem;

TEST(EngineNoteTest, PitchAndLoudnessFollowSpeedAndThrottle) {
  // At rest the idle loop plays alone at its own pitch.
  const game::EngineNote rest = game::EngineNoteFor(0, 0);
  EXPECT_FLOAT_EQ(rest.idleRate, 1.0f);
  EXPECT_GT(rest.idleGain, 0.2f);
  EXPECT_EQ(rest.revGain, 0.0f);
  // Both loops sound the same stroke rate, and it rises with the speed all the way up.
  double lastStrokes = 0;
  for (double load = 0; load <= 1.4; load += 0.1) {
    const game::EngineNote note = game::EngineNoteFor(load, 1);
    EXPECT_NEAR(note.idleRate * 30, note.revRate * 80, 1e-3);
    EXPECT_GT(note.revRate * 80, lastStrokes);
    lastStrokes = note.revRate * 80;
  }
  // At top speed the working loop has taken over; the throttle makes it louder.
  const game::EngineNote top = game::EngineNoteFor(1, 1);
  EXPECT_EQ(top.idleGain, 0.0f);
  EXPECT_GT(top.revRate, 1.0f);
  EXPECT_GT(top.revGain, game::EngineNoteFor(1, 0).revGain);
  EXPECT_LE(top.revGain, 1.0f);
}

TEST(KnockLimiterTest, OneKnockPerTruckPerGap) {
  game::KnockLimiter limiter;
  EXPECT_TRUE(limiter.Allow(0, 100));
  EXPECT_FALSE(limiter.Allow(0, 101));
  EXPECT_FALSE(limiter.Allow(0, 100 + game::kKnockGapFrames - 1));
  EXPECT_TRUE(limiter.Allow(3, 101)) << "each truck has its own gap";
  EXPECT_TRUE(limiter.Allow(0, 100 + game::kKnockGapFrames));
  EXPECT_FALSE(limiter.Allow(-1, 500));
  EXPECT_FALSE(limiter.Allow(game::kOpponentSlots + 1, 500));
}

// A race form on a null audio device, run from a folder with the engine loops in Sounds/.
class EngineVoiceTest : public racetest::RaceFixture {
 protected:
  EngineVoiceTest() : RaceFixture(&Audio()) {}
  static platform::NullAudioDevice& Audio() {
    static platform::NullAudioDevice audio;
    return audio;
  }
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("vornakel_engine_" + std::to_string(getpid()));
    fs::create_directories(dir_ / "Sounds");
    for (const char* name : {"s1.wav", "s2.wav"}) std::ofstream(dir_ / "Sounds" / name) << "RIFF";
    old_ = fs::current_path();
    fs::current_path(dir_);
    game::AddGameSounds(form->Sound3D);
    player = new game::TPlayer(*form, 396, 460, 0, "player", -90);
    form->Race.Player = player;
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  // Runs the engines for a number of frames; returns the loudest of the player's two loops.
  float Run(int frames) {
    for (int i = 0; i < frames; ++i) form->TruckAudio.Update(*form);
    const auto& voices = Audio().voices;
    EXPECT_GE(voices.size(), 2u);
    return voices.size() < 2 ? 0 : std::max(voices[voices.size() - 2].gain, voices.back().gain);
  }

  fs::path dir_, old_;
  game::TPlayer* player = nullptr;
};

TEST_F(EngineVoiceTest, FadesOutOffTheRaceAndWithSoundOffAndBackOnResume) {
  form->GameState = game::gsRace;
  player->Speed = 8;
  player->Accel = 0.05;
  const float racing = Run(game::kEngineFadeFrames);
  EXPECT_GT(racing, 0.3f);
  EXPECT_LT(Run(1), racing + 1e-6f) << "faded in fully within the fade time";
  EXPECT_GT(Audio().voices.back().rate, 1.0f) << "the working loop runs above its own pitch";

  form->GameState = game::gsPause;
  EXPECT_GT(Run(game::kEngineFadeFrames / 2), 0.0f) << "a fade, not a cut";
  EXPECT_EQ(Run(game::kEngineFadeFrames / 2), 0.0f);
  form->GameState = game::gsRace;
  EXPECT_NEAR(Run(game::kEngineFadeFrames), racing, 1e-4);

  form->GameState = game::gsExploded;
  EXPECT_EQ(Run(game::kEngineFadeFrames), 0.0f) << "a wreck has no engine";
  form->GameState = game::gsRace;
  form->SoundOn = false;
  EXPECT_EQ(Run(game::kEngineFadeFrames), 0.0f);
}

}  // namespace
