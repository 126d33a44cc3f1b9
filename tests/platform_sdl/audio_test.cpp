// The SDL2_mixer audio device on SDL's dummy driver: waves load, play, loop and stop, the music
// hook is fed from the source, and a machine without sound runs silent.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/sdl/SdlAudioDevice.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

void Put16(std::ofstream& out, uint16_t v) {
  out.put(static_cast<char>(v)).put(static_cast<char>(v >> 8));
}
void Put32(std::ofstream& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

// A mono 16-bit 22050 Hz sine of the given length.
void WriteWave(const fs::path& path, double seconds) {
  const uint32_t frames = static_cast<uint32_t>(seconds * 22050);
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  Put32(out, 36 + frames * 2);
  out.write("WAVEfmt ", 8);
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, 22050);
  Put32(out, 44100);
  Put16(out, 2);
  Put16(out, 16);
  out.write("data", 4);
  Put32(out, frames * 2);
  for (uint32_t i = 0; i < frames; ++i) {
    Put16(out, static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 0.1))));
  }
}

// Waits up to two seconds for the condition.
template <typename Condition>
bool WaitFor(Condition condition) {
  for (int i = 0; i < 200; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

class SdlAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("vornakel_audio_" + std::to_string(getpid()));
    fs::create_directories(dir_);
    WriteWave(dir_ / "short.wav", 0.1);
    std::ofstream(dir_ / "junk.wav") << "this is not a wave file at all";
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    if (driver != nullptr) savedDriver_ = driver;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  void TearDown() override {
    if (savedDriver_.empty()) {
      unsetenv("SDL_AUDIODRIVER");
    } else {
      setenv("SDL_AUDIODRIVER", savedDriver_.c_str(), 1);
    }
    fs::remove_all(dir_);
  }

  std::string File(const char* name) const { return (dir_ / name).string(); }

  fs::path dir_;
  std::string savedDriver_;
};

TEST_F(SdlAudioTest, PlaysLoopsAndStopsWavesOnTheDummyDriver) {
  SdlAudioDevice device;
  ASSERT_FALSE(device.Silent());
  EXPECT_EQ(device.SampleRate(), 44100);
  EXPECT_EQ(device.LoadWave(File("missing.wav")), 0u);
  EXPECT_EQ(device.LoadWave(File("junk.wav")), 0u);
  WaveId wave = device.LoadWave(File("short.wav"));
  ASSERT_NE(wave, 0u);
  int group = device.CreateChannelGroup(32);
  ASSERT_EQ(group, 0);
  EXPECT_EQ(device.CreateChannelGroup(0), -1);

  EXPECT_FALSE(device.Play(wave, 7, 1.0f, 0));
  ASSERT_TRUE(device.Play(wave, group, 0.75f, 0));
  EXPECT_TRUE(device.IsPlaying(wave));
  // The dummy driver consumes sound in real time, so a tenth of a second ends.
  EXPECT_TRUE(WaitFor([&] { return !device.IsPlaying(wave); }));

  ASSERT_TRUE(device.Play(wave, group, 1.0f, -1));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(device.IsPlaying(wave));
  device.Stop(wave);
  EXPECT_FALSE(device.IsPlaying(wave));

  // More copies than channels: the oldest make room, every start succeeds.
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(device.Play(wave, group, 0.5f, -1));
  EXPECT_TRUE(device.IsPlaying(wave));
  device.FreeWave(wave);
  EXPECT_FALSE(device.IsPlaying(wave));
  EXPECT_FALSE(device.Play(wave, group, 1.0f, 0));
}

TEST_F(SdlAudioTest, MusicHookPullsFromTheSourceUnderTheLock) {
  SdlAudioDevice device;
  ASSERT_FALSE(device.Silent());
  std::atomic<size_t> frames{0};
  device.SetMusicSource([&](int16_t* out, size_t count) {
    for (size_t i = 0; i < count * 2; ++i) out[i] = 100;
    frames += count;
    return count;
  });
  EXPECT_TRUE(WaitFor([&] { return frames.load() > 0; }));

  // While the lock is held the audio thread waits.
  device.LockAudio();
  size_t held = frames.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(frames.load(), held);
  device.UnlockAudio();
  EXPECT_TRUE(WaitFor([&] { return frames.load() > held; }));

  device.SetMusicSource({});
  held = frames.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(frames.load(), held);
}

TEST_F(SdlAudioTest, WithoutASoundCardEverythingIsSilentButMissingFilesStillFail) {
  setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
  SdlAudioDevice device;
  EXPECT_TRUE(device.Silent());
  WaveId wave = device.LoadWave(File("short.wav"));
  EXPECT_NE(wave, 0u);
  EXPECT_EQ(device.LoadWave(File("missing.wav")), 0u);
  int group = device.CreateChannelGroup(32);
  EXPECT_GE(group, 0);
  EXPECT_FALSE(device.Play(wave, group, 1.0f, 0));
  EXPECT_FALSE(device.IsPlaying(wave));
  device.Stop(wave);
  device.FreeWave(wave);
  device.SetMusicSource([](int16_t*, size_t) { return size_t{0}; });
}

}  // namespace
}  // namespace platform
