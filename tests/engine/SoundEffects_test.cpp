// Sound effects: the volume mapping, lazy loading, the 250 ms playing rule, which sound a path
// counts as current, pooled paths and what a missing file does.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Messages.h"
#include "engine/OmegaSound3D.h"
#include "platform/null/NullAudioDevice.h"
#include "platform/null/VirtualClock.h"

namespace engine {
namespace {

namespace fs = std::filesystem;

TEST(SoundVolumeTest, VolumeMapsToHundredthsOfADecibelAndGain) {
  EXPECT_EQ(VolumeToAttenuation(100), 0);
  EXPECT_EQ(VolumeToAttenuation(95), -500);
  EXPECT_EQ(VolumeToAttenuation(75), -2500);
  EXPECT_EQ(VolumeToAttenuation(0), -10000);
  EXPECT_EQ(VolumeToAttenuation(120), 0);
  EXPECT_EQ(VolumeToAttenuation(-5), -10000);

  EXPECT_FLOAT_EQ(AttenuationToGain(0), 1.0f);
  EXPECT_NEAR(AttenuationToGain(-2000), 0.1f, 1e-6);
  EXPECT_NEAR(AttenuationToGain(-500), 0.562341f, 1e-5);  // −5 dB
  EXPECT_NEAR(AttenuationToGain(-10000), 1e-5f, 1e-9);
}

class SoundFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vornakel_sfx_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    for (const char* name : {"coin.wav", "skid.wav", "horn.wav"}) {
      std::ofstream(dir_ / name, std::ios::binary) << "RIFF\x24\0\0\0WAVE";
    }
    SetMessageHandler([this](const std::string& text, const std::string& caption) {
      messages.push_back(caption + ": " + text);
    });
    device.playMilliseconds = 1000;
    path = &sound.AudioPathList.Add();
    path->Name = "path";
    path->AudioPathType = aptStereo;
    path->Channels = 32;
  }
  void TearDown() override {
    SetMessageHandler({});
    fs::remove_all(dir_);
  }

  // A sound on path 0 whose file name is written the game's way, with a backslash.
  TSoundListItem& AddSound(const std::string& name, const std::string& file) {
    TSoundListItem& item = sound.SoundList.Add();
    item.Name = name;
    item.FileName = dir_.string() + "\\" + file;
    return item;
  }
  void AdvanceMs(uint64_t ms) { clock.Advance(ms * 1000); }

  fs::path dir_;
  std::vector<std::string> messages;
  platform::VirtualClock clock;
  platform::NullAudioDevice device{&clock};
  TOmegaSound3D sound{&device, &clock};
  TAudioPathListItem* path = nullptr;
};

TEST_F(SoundFixture, LoadsOnFirstPlayOnlyAndOverlapsCopies) {
  TSoundListItem& coin = AddSound("coin", "coin.wav");
  sound.CreateAudioPaths();
  ASSERT_EQ(device.groups, std::vector<int>{32});
  EXPECT_FALSE(coin.Loaded());
  EXPECT_TRUE(device.loads.empty());

  EXPECT_EQ(coin.Play(), path);
  EXPECT_TRUE(coin.Loaded());
  ASSERT_EQ(device.loads.size(), 1u);
  EXPECT_EQ(device.loads[0], (dir_ / "coin.wav").string());

  AdvanceMs(10);
  EXPECT_EQ(coin.Play(), path);
  EXPECT_EQ(device.loads.size(), 1u);
  ASSERT_EQ(device.plays.size(), 2u);
  EXPECT_EQ(device.plays[0].wave, device.plays[1].wave);
  EXPECT_FALSE(device.plays[0].stopped);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SoundFixture, VolumeAndLoopingReachTheDeviceAtEachPlay) {
  TSoundListItem& horn = AddSound("horn", "horn.wav");
  horn.Volume = 95;
  horn.Play();
  horn.Volume = 0;
  horn.RepeatCount = 2;
  horn.Play();
  horn.Loop = true;
  horn.Play();
  ASSERT_EQ(device.plays.size(), 3u);
  EXPECT_NEAR(device.plays[0].gain, AttenuationToGain(-500), 1e-6);
  EXPECT_EQ(device.plays[0].loops, 0);
  EXPECT_NEAR(device.plays[1].gain, AttenuationToGain(-10000), 1e-9);
  EXPECT_EQ(device.plays[1].loops, 2);
  EXPECT_EQ(device.plays[2].loops, -1);
  EXPECT_EQ(path->Attenuation, -10000);
  // A path not made beforehand is made at its first use.
  EXPECT_EQ(device.groups, std::vector<int>{32});
}

TEST_F(SoundFixture, PlayingForTheFirst250MsThenAsLongAsTheDeviceHearsIt) {
  TSoundListItem& skid = AddSound("skid", "skid.wav");
  EXPECT_FALSE(skid.IsPlaying());

  // A device that never reports the wave as sounding.
  device.playMilliseconds = 0;
  skid.Play();
  EXPECT_EQ(path->CurrentSound, &skid);
  EXPECT_TRUE(skid.IsPlaying());
  AdvanceMs(249);
  EXPECT_TRUE(skid.IsPlaying());
  AdvanceMs(1);
  EXPECT_FALSE(skid.IsPlaying());

  // Past the 250 ms the device's answer counts.
  device.playMilliseconds = 700;
  skid.Play();
  AdvanceMs(699);
  EXPECT_TRUE(skid.IsPlaying());
  AdvanceMs(1);
  EXPECT_FALSE(skid.IsPlaying());
}

TEST_F(SoundFixture, AnotherSoundOnThePathEndsTheFirstOnesTurn) {
  TSoundListItem& skid = AddSound("skid", "skid.wav");
  TSoundListItem& coin = AddSound("coin", "coin.wav");
  skid.Play();
  AdvanceMs(5);
  coin.Play();
  // The device still sounds the skid, but the path now belongs to the coin.
  EXPECT_TRUE(device.IsPlaying(device.plays[0].wave));
  EXPECT_FALSE(skid.IsPlaying());
  EXPECT_TRUE(coin.IsPlaying());
  EXPECT_EQ(path->CurrentSound, &coin);

  coin.Stop();
  EXPECT_EQ(path->CurrentSound, nullptr);
  EXPECT_FALSE(coin.IsPlaying());
  EXPECT_TRUE(device.plays[1].stopped);
  EXPECT_FALSE(device.plays[0].stopped);
}

TEST_F(SoundFixture, MissingFileIsReportedOnceAndStaysSilent) {
  TSoundListItem& gone = AddSound("gone", "gone.wav");
  gone.FileName = "Sounds\\gone_for_good.wav";
  TSoundListItem& coin = AddSound("coin", "coin.wav");

  EXPECT_EQ(gone.Play(), nullptr);
  EXPECT_EQ(gone.Play(), nullptr);
  EXPECT_FALSE(gone.IsPlaying());
  gone.Stop();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Vornakel: Error loading sound: Sounds\\gone_for_good.wav");
  EXPECT_EQ(device.loads, std::vector<std::string>{"Sounds/gone_for_good.wav"});
  EXPECT_FALSE(gone.Loaded());
  EXPECT_TRUE(device.plays.empty());
  // The others play on.
  EXPECT_EQ(coin.Play(), path);
}

TEST_F(SoundFixture, NoPathOrNoDeviceMeansSilenceNotACrash) {
  TSoundListItem& coin = AddSound("coin", "coin.wav");
  coin.AudioPathIndex = 3;
  EXPECT_EQ(coin.Play(), nullptr);
  EXPECT_FALSE(coin.IsPlaying());

  TOmegaSound3D mute(nullptr, &clock);
  TSoundListItem& quiet = mute.SoundList.Add();
  quiet.FileName = coin.FileName;
  EXPECT_EQ(quiet.Play(), nullptr);
  EXPECT_FALSE(quiet.IsPlaying());
  quiet.Stop();
  quiet.Unload();
  EXPECT_TRUE(messages.empty());
}

TEST_F(SoundFixture, PooledPathsAreTakenRoundRobinSkippingBusyOnes) {
  std::vector<TAudioPathListItem*> pool;
  for (int i = 0; i < 3; ++i) {
    TAudioPathListItem& p = sound.AudioPathList.Add();
    p.AudioPathType = aptMono;
    p.Pool = true;
    pool.push_back(&p);
  }
  TSoundListItem& a = AddSound("a", "coin.wav");
  TSoundListItem& b = AddSound("b", "skid.wav");
  TSoundListItem& c = AddSound("c", "horn.wav");
  for (TSoundListItem* s : {&a, &b, &c}) s->AudioPathPool = appMono;

  device.playMilliseconds = 0;  // only the 250 ms rule keeps a sound busy
  EXPECT_EQ(a.Play(), pool[0]);
  EXPECT_EQ(b.Play(), pool[1]);
  AdvanceMs(300);  // a and b are done
  EXPECT_EQ(c.Play(), pool[2]);
  EXPECT_EQ(a.Play(), pool[0]);  // wraps around
  EXPECT_EQ(b.Play(), pool[1]);
  // All three busy: the last one looked at, the one taken last time, plays it.
  EXPECT_EQ(c.Play(), pool[1]);
  EXPECT_FALSE(b.IsPlaying());
  EXPECT_EQ(pool[0]->CurrentSound, &a);
}

TEST_F(SoundFixture, FindAndTeardownReleaseEverything) {
  AddSound("check", "coin.wav");
  TSoundListItem& second = AddSound("check", "skid.wav");
  EXPECT_NE(sound.SoundList.Find("check"), &second);
  EXPECT_EQ(sound.SoundList.Find("Check"), nullptr);
  EXPECT_EQ(sound.SoundList.Items(5), nullptr);

  {
    TOmegaSound3D local(&device, &clock);
    local.AudioPathList.Add();
    TSoundListItem& item = local.SoundList.Add();
    item.FileName = second.FileName;
    item.Play();
    EXPECT_TRUE(device.HasMusicSource());
  }
  EXPECT_FALSE(device.HasMusicSource());
  ASSERT_EQ(device.freed.size(), 1u);
  EXPECT_TRUE(device.plays.back().stopped);
}

}  // namespace
}  // namespace engine
