// The null audio device as a sound card for recordings: effects, pitched looping voices and the
// music mixed at their gains, and the wave files in and out.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/WaveData.h"
#include "platform/null/NullAudioDevice.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(NullAudioMixTest, MixesEffectsVoicesAndMusicAndRecordsThem) {
  const fs::path dir = fs::temp_directory_path() / ("vornakel_mix_" + std::to_string(getpid()));
  fs::create_directories(dir);
  // A mono ramp 0, 100, 200 ... at the device's rate, written and read back as a wave file.
  std::vector<int16_t> ramp;
  for (int i = 0; i < 100; ++i) ramp.push_back(static_cast<int16_t>(i * 100));
  {
    WaveWriter writer;
    ASSERT_TRUE(writer.Open((dir / "stereo.wav").string(), 8000));
    std::vector<int16_t> stereo;
    for (int16_t s : ramp) stereo.insert(stereo.end(), {s, s});
    writer.Append(stereo.data(), ramp.size());
    ASSERT_TRUE(writer.Close());
  }
  WaveSamples back;
  ASSERT_TRUE(DecodeWave(ReadAll(dir / "stereo.wav"), back));
  EXPECT_EQ(back.rate, 8000);
  EXPECT_EQ(back.channels, 2);
  ASSERT_EQ(back.Frames(), 100u);
  EXPECT_EQ(back.samples[2 * 37 + 1], 3700);

  NullAudioDevice device(nullptr, 8000);
  const WaveId wave = device.LoadWave((dir / "stereo.wav").string());
  ASSERT_NE(wave, 0u);
  const int group = device.CreateChannelGroup(2);
  std::vector<int16_t> out(2 * 10);

  // An effect at half gain, its copy on top, and nothing once it has played out.
  ASSERT_TRUE(device.Play(wave, group, 0.5f, 0));
  device.Mix(out.data(), 10);
  EXPECT_EQ(out[2 * 4], 200);
  ASSERT_TRUE(device.Play(wave, group, 0.5f, 0));
  device.Mix(out.data(), 10);
  EXPECT_EQ(out[2 * 4], 700 + 200) << "two copies overlap";
  device.Stop(wave);
  device.Mix(out.data(), 10);
  EXPECT_EQ(out[0], 0);

  // A voice is silent until given a gain; at rate 2 it runs through the wave twice as fast, and
  // it loops back to the start.
  const VoiceId voice = device.StartVoice(wave);
  ASSERT_NE(voice, 0u);
  device.Mix(out.data(), 10);
  EXPECT_EQ(out[2 * 9], 0);
  device.SetVoice(voice, 1.0f, 2.0f);
  device.Mix(out.data(), 10);  // gliding in from silence over this block
  device.Mix(out.data(), 10);
  EXPECT_EQ(out[2 * 1 + 1] - out[2 * 0 + 1], 200);
  for (int i = 0; i < 3; ++i) device.Mix(out.data(), 10);  // frames 90, 92 ... 108 of the wave
  EXPECT_EQ(out[2 * 4], 9800);
  EXPECT_EQ(out[2 * 6], 200) << "looped back to the start";
  // Absurd rates are held to four octaves up, and the voice stays inside its wave.
  device.SetVoice(voice, 1.0f, 1e9f);
  for (int i = 0; i < 20; ++i) device.Mix(out.data(), 10);
  EXPECT_LE(out[2 * 9], 9900);
  device.StopVoice(voice);

  // The music source lies under everything, and gains saturate instead of wrapping.
  device.SetMusicSource([](int16_t* frames, size_t count) {
    std::fill(frames, frames + count * 2, int16_t{32000});
    return count;
  });
  device.Mix(out.data(), 10);
  EXPECT_EQ(out[5], 32000);
  ASSERT_TRUE(device.Play(wave, group, 1.0f, 0));
  device.Mix(out.data(), 10);
  EXPECT_EQ(out[2 * 9], 32767);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace platform
