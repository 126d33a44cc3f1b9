// Checks the three generated modules with libopenmpt: channels, length, level and a clean loop.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "audio/Music.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kModules[] = {"1.xm", "2.xm", "3.xm"};
constexpr int kRate = 22050;

std::vector<char> ReadAll(const fs::path& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

fs::path FreshDir(const std::string& name) {
  const fs::path dir = fs::path(::testing::TempDir()) /
                       ("vornakel_music_" + name + "_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

using Module = std::unique_ptr<openmpt_module, decltype(&openmpt_module_destroy)>;

Module Load(const std::vector<char>& bytes) {
  return Module(openmpt_module_create_from_memory2(bytes.data(), bytes.size(), nullptr, nullptr,
                                                   nullptr, nullptr, nullptr, nullptr, nullptr),
                &openmpt_module_destroy);
}

// Renders the module the way the game does (22050 Hz, 16-bit stereo) for the given seconds.
std::vector<int16_t> Render(openmpt_module* mod, double seconds) {
  std::vector<int16_t> out;
  std::vector<int16_t> block(2 * 4096);
  const size_t frames = static_cast<size_t>(seconds * kRate);
  while (out.size() / 2 < frames) {
    const size_t got = openmpt_module_read_interleaved_stereo(mod, kRate, 4096, block.data());
    if (got == 0) break;
    out.insert(out.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(2 * got));
  }
  return out;
}

double RmsDb(const std::vector<int16_t>& s, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count && i < s.size(); ++i)
    sum += static_cast<double>(s[i]) * s[i];
  return 10.0 * std::log10(sum / static_cast<double>(count) / (32768.0 * 32768.0) + 1e-12);
}

class MusicTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = FreshDir("main");
    std::string error;
    written_ = assetgen::WriteMusic(dir_.string(), error);
    error_ = error;
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }
  static inline fs::path dir_;
  static inline bool written_ = false;
  static inline std::string error_;
};

TEST_F(MusicTest, EveryModuleLoadsWithEnoughChannelsSectionsAndLength) {
  ASSERT_TRUE(written_) << error_;
  for (const char* name : kModules) {
    SCOPED_TRACE(name);
    const std::vector<char> bytes = ReadAll(dir_ / name);
    ASSERT_GT(bytes.size(), 60u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 17), "Extended Module: ");
    Module mod = Load(bytes);
    ASSERT_TRUE(mod);
    EXPECT_GE(openmpt_module_get_num_channels(mod.get()), 4);
    EXPECT_GE(openmpt_module_get_num_patterns(mod.get()), 5);
    EXPECT_GE(openmpt_module_get_num_instruments(mod.get()), 6);
    // One pass through the order list, up to the point where the song loops, lasts a minute.
    EXPECT_GE(openmpt_module_get_duration_seconds(mod.get()), 60.0);
    EXPECT_LE(openmpt_module_get_duration_seconds(mod.get()), 150.0);
  }
}

TEST_F(MusicTest, EveryModulePlaysWithoutClippingOrDeadAirAndLoopsOnWithoutAGap) {
  ASSERT_TRUE(written_) << error_;
  for (const char* name : kModules) {
    SCOPED_TRACE(name);
    Module mod = Load(ReadAll(dir_ / name));
    ASSERT_TRUE(mod);
    const double length = openmpt_module_get_duration_seconds(mod.get());
    openmpt_module_set_repeat_count(mod.get(), -1);  // loop as the game does
    const std::vector<int16_t> pcm = Render(mod.get(), length + 8.0);
    ASSERT_GE(pcm.size() / 2, static_cast<size_t>((length + 7.0) * kRate));
    int peak = 0;
    for (int16_t v : pcm) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_LT(peak, 32767) << "clipped";
    EXPECT_GT(20.0 * std::log10(peak / 32768.0), -12.0) << "far too quiet";
    // No stretch of half a second is silent, the seam where the song loops included.
    const size_t window = kRate;  // half a second of stereo frames
    for (size_t at = 0; at + window <= pcm.size(); at += window) {
      ASSERT_GT(RmsDb(pcm, at, window), -50.0) << "silence at " << at / 2.0 / kRate << " s";
    }
  }
}

TEST(MusicBuildTest, TwoBuildsWriteTheSameBytes) {
  const fs::path a = FreshDir("a");
  const fs::path b = FreshDir("b");
  std::string error;
  ASSERT_TRUE(assetgen::WriteMusic(a.string(), error)) << error;
  ASSERT_TRUE(assetgen::WriteMusic(b.string(), error)) << error;
  for (const char* name : kModules) EXPECT_EQ(ReadAll(a / name), ReadAll(b / name)) << name;
  fs::remove_all(a);
  fs::remove_all(b);
}

TEST(MusicBuildTest, AMissingFolderIsReportedNotIgnored) {
  const fs::path missing = fs::path(::testing::TempDir()) / "vornakel_no_such_folder" / "Sounds";
  std::string error;
  EXPECT_FALSE(assetgen::WriteMusic(missing.string(), error));
  EXPECT_NE(error.find("1.xm"), std::string::npos) << error;
}

}  // namespace
