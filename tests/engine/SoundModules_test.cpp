// Music modules: position kept across stop and play, looping, a module ending by itself, two
// modules mixed, and what a missing or broken module file does.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
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

void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v));
  Put16(out, static_cast<uint16_t>(v >> 16));
}
void PutText(std::vector<uint8_t>& out, const std::string& text, size_t size) {
  for (size_t i = 0; i < size; ++i) out.push_back(i < text.size() ? text[i] : 0);
}

// The smallest useful XM: two channels, one pattern of `rows` rows at speed 6 and 125 BPM (0.12 s a
// row), and one instrument holding a looped square wave whose note sounds from the first row.
std::vector<uint8_t> TinyXm(int rows, uint8_t note) {
  std::vector<uint8_t> x;
  PutText(x, "Extended Module: ", 17);
  PutText(x, "tiny", 20);
  x.push_back(0x1A);
  PutText(x, "test", 20);
  Put16(x, 0x0104);
  Put32(x, 276);        // header size from this field on
  Put16(x, 1);          // song length
  Put16(x, 0);          // restart position
  Put16(x, 2);          // channels
  Put16(x, 1);          // patterns
  Put16(x, 1);          // instruments
  Put16(x, 1);          // linear frequencies
  Put16(x, 6);          // speed
  Put16(x, 125);        // BPM
  PutText(x, "", 256);  // order table: pattern 0

  std::vector<uint8_t> cells = {0x83, note, 1, 0x80};  // note + instrument 1 on channel 1
  for (int r = 1; r < rows; ++r) cells.insert(cells.end(), {0x80, 0x80});
  Put32(x, 9);
  x.push_back(0);  // packing
  Put16(x, static_cast<uint16_t>(rows));
  Put16(x, static_cast<uint16_t>(cells.size()));
  x.insert(x.end(), cells.begin(), cells.end());

  Put32(x, 263);  // instrument header size
  PutText(x, "square", 22);
  x.push_back(0);
  Put16(x, 1);                        // samples
  Put32(x, 40);                       // sample header size
  PutText(x, "", 96 + 48 + 48 + 14);  // key map, envelopes, envelope settings, vibrato
  Put16(x, 0);                        // fade-out
  PutText(x, "", 22);                 // reserved

  const uint32_t length = 64;
  Put32(x, length);
  Put32(x, 0);       // loop start
  Put32(x, length);  // loop length
  x.push_back(48);   // volume
  x.push_back(0);    // fine tune
  x.push_back(1);    // forward loop, 8-bit
  x.push_back(128);  // panning
  x.push_back(0);    // relative note
  x.push_back(0);
  PutText(x, "", 22);
  int8_t previous = 0;
  for (uint32_t i = 0; i < length; ++i) {
    auto value = static_cast<int8_t>(i < length / 2 ? 60 : -60);
    x.push_back(static_cast<uint8_t>(static_cast<int8_t>(value - previous)));  // delta coded
    previous = value;
  }
  return x;
}

constexpr int kRate = 44100;

class ModuleFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vornakel_mod_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    WriteFile("song.xm", TinyXm(16, 49));  // 1.92 s
    WriteFile("other.xm", TinyXm(16, 61));
    SetMessageHandler(
        [this](const std::string& text, const std::string&) { messages.push_back(text); });
  }
  void TearDown() override {
    SetMessageHandler({});
    fs::remove_all(dir_);
  }

  void WriteFile(const std::string& name, const std::vector<uint8_t>& data) {
    std::ofstream out(dir_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
  }
  TModListItem& AddModule(const std::string& name, const std::string& file, bool loop) {
    TModListItem& item = sound.ModList.Add();
    item.Name = name;
    item.FileName = dir_.string() + "\\" + file;
    item.Loop = loop;
    return item;
  }
  // Pulls this many seconds of music the way the audio thread does; returns the frames written.
  size_t Render(double seconds) {
    size_t frames = static_cast<size_t>(seconds * kRate);
    buffer.assign(frames * 2, 1234);
    return device.RenderMusic(buffer.data(), frames);
  }
  bool Silent() const {
    return std::all_of(buffer.begin(), buffer.end(), [](int16_t s) { return s == 0; });
  }

  fs::path dir_;
  std::vector<std::string> messages;
  std::vector<int16_t> buffer;
  platform::VirtualClock clock;
  platform::NullAudioDevice device{&clock, kRate};
  TOmegaSound3D sound{&device, &clock};
};

TEST_F(ModuleFixture, StoppedModuleGoesOnFromWhereItStopped) {
  TModListItem& song = AddModule("menumusic", "song.xm", true);
  song.Stop();  // never played: nothing happens
  EXPECT_FALSE(song.Loaded());

  song.Play();
  ASSERT_TRUE(song.Loaded());
  EXPECT_TRUE(song.IsPlaying());
  EXPECT_EQ(Render(0.5), static_cast<size_t>(0.5 * kRate));
  EXPECT_FALSE(Silent());
  EXPECT_NEAR(song.PositionSeconds(), 0.5, 0.01);

  song.Stop();
  EXPECT_FALSE(song.IsPlaying());
  EXPECT_EQ(Render(0.5), 0u);
  EXPECT_TRUE(Silent());
  EXPECT_NEAR(song.PositionSeconds(), 0.5, 0.01);

  song.Play();
  Render(0.25);
  EXPECT_NEAR(song.PositionSeconds(), 0.75, 0.01);

  // Unloading forgets the place; the next play starts over.
  song.Unload();
  EXPECT_FALSE(song.Loaded());
  EXPECT_EQ(Render(0.1), 0u);
  song.Play();
  EXPECT_NEAR(song.PositionSeconds(), 0.0, 0.01);
  Render(0.1);
  EXPECT_NEAR(song.PositionSeconds(), 0.1, 0.01);
  EXPECT_TRUE(messages.empty());
}

TEST_F(ModuleFixture, LoopingModuleNeverEndsOthersStopAtTheirEnd) {
  TModListItem& looping = AddModule("gamemusic", "song.xm", true);
  looping.Play();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Render(1.0), static_cast<size_t>(kRate));
  EXPECT_TRUE(looping.IsPlaying());
  EXPECT_FALSE(Silent());
  looping.Stop();

  TModListItem& once = AddModule("losemusic", "other.xm", false);
  once.Play();
  size_t written = Render(3.0);
  EXPECT_GT(written, static_cast<size_t>(1.8 * kRate));
  EXPECT_LT(written, static_cast<size_t>(2.1 * kRate));
  EXPECT_FALSE(once.IsPlaying());
  EXPECT_EQ(Render(0.1), 0u);
  EXPECT_TRUE(Silent());
}

TEST_F(ModuleFixture, TwoModulesPlayingAreMixed) {
  auto alone = [&](const std::string& file) {
    TModListItem& item = AddModule(file, file, true);
    item.Play();
    Render(0.2);
    item.Unload();
    return buffer;
  };
  std::vector<int16_t> first = alone("song.xm");
  std::vector<int16_t> second = alone("other.xm");

  TModListItem& a = AddModule("a", "song.xm", true);
  TModListItem& b = AddModule("b", "other.xm", true);
  a.Play();
  b.Play();
  Render(0.2);
  ASSERT_EQ(buffer.size(), first.size());
  for (size_t i = 0; i < buffer.size(); ++i) {
    ASSERT_EQ(buffer[i], std::clamp(first[i] + second[i], -32768, 32767)) << "sample " << i;
  }
}

TEST_F(ModuleFixture, UnreadableModuleIsReportedOnceAndTheMusicStaysSilent) {
  WriteFile("broken.xm", {'n', 'o', 't', ' ', 'a', ' ', 'm', 'o', 'd'});
  TModListItem& broken = AddModule("menumusic", "broken.xm", true);
  TModListItem& missing = AddModule("gamemusic", "missing.xm", true);
  missing.FileName = "Sounds\\missing.xm";
  for (int i = 0; i < 3; ++i) {
    broken.Play();
    missing.Play();
  }
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Error loading module: " + dir_.string() + "\\broken.xm");
  EXPECT_EQ(messages[1], "Error loading module: Sounds\\missing.xm");
  EXPECT_FALSE(broken.Loaded());
  EXPECT_FALSE(broken.IsPlaying());
  broken.Stop();
  broken.Unload();
  EXPECT_EQ(Render(0.1), 0u);
  EXPECT_TRUE(Silent());
}

}  // namespace
}  // namespace engine
