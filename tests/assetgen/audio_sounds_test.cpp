// Checks the generated sound effects: wave format, length, level, clean edges, seamless loops.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/Sounds.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kNames[] = {
    "check1", "check2", "start", "finish", "svet1", "svet2",   "timesup", "sweep", "time", "exp",
    "coin",   "nitro",  "skid",  "repair", "horn",  "addtime", "up",      "s1",    "s2",   "hit"};

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}

struct Wave {
  int channels = 0;
  int rate = 0;
  int bits = 0;
  std::vector<int16_t> samples;
};

// A strict reader of the one layout we write: RIFF, WAVE, a 16-byte PCM fmt chunk, a data chunk.
bool ParseWave(const std::vector<uint8_t>& b, Wave& w, std::string& why) {
  if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 16) != "WAVEfmt ") {
    why = "not a RIFF/WAVE file";
    return false;
  }
  if (Le(b, 4, 4) != b.size() - 8) why = "RIFF size does not match the file";
  if (Le(b, 16, 4) != 16 || Le(b, 20, 2) != 1) why = "format is not plain PCM";
  w.channels = static_cast<int>(Le(b, 22, 2));
  w.rate = static_cast<int>(Le(b, 24, 4));
  w.bits = static_cast<int>(Le(b, 34, 2));
  if (Le(b, 28, 4) != static_cast<uint32_t>(w.rate * w.channels * w.bits / 8) ||
      Le(b, 32, 2) != static_cast<uint32_t>(w.channels * w.bits / 8)) {
    why = "byte rate or block align inconsistent";
  }
  if (std::string(b.begin() + 36, b.begin() + 40) != "data" || Le(b, 40, 4) != b.size() - 44) {
    why = "data chunk size does not match the file";
  }
  if (!why.empty()) return false;
  for (size_t at = 44; at + 1 < b.size(); at += 2) {
    w.samples.push_back(static_cast<int16_t>(Le(b, at, 2)));
  }
  return true;
}

// The level of the loudest stretch of `window` samples, in dBFS.
double LoudestDb(const std::vector<int16_t>& s, int window) {
  double best = 0;
  for (size_t from = 0; from + static_cast<size_t>(window) <= s.size(); from += 16) {
    double sum = 0;
    for (size_t i = from; i < from + static_cast<size_t>(window); ++i)
      sum += static_cast<double>(s[i]) * s[i];
    best = std::max(best, sum / window);
  }
  return 10.0 * std::log10(best / (32768.0 * 32768.0) + 1e-12);
}

fs::path FreshDir(const std::string& name) {
  const fs::path dir = fs::path(::testing::TempDir()) /
                       ("vornakel_sounds_" + name + "_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

class SoundsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = FreshDir("main");
    std::string error;
    written_ = assetgen::WriteSounds(dir_.string(), error);
    error_ = error;
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }
  static inline fs::path dir_;
  static inline bool written_ = false;
  static inline std::string error_;
};

TEST_F(SoundsTest, EveryEffectIsMono16BitPcmAt22050WithSensibleLengthAndLevel) {
  ASSERT_TRUE(written_) << error_;
  for (const char* name : kNames) {
    SCOPED_TRACE(name);
    Wave w;
    std::string why;
    ASSERT_TRUE(ParseWave(ReadAll(dir_ / (std::string(name) + ".wav")), w, why)) << why;
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.rate, 22050);
    EXPECT_EQ(w.bits, 16);
    const double seconds = static_cast<double>(w.samples.size()) / w.rate;
    EXPECT_GT(seconds, 0.05);
    EXPECT_LT(seconds, 2.5);
    int peak = 0;
    for (int16_t v : w.samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_LE(20.0 * std::log10(peak / 32767.0), -2.95);
    EXPECT_GT(20.0 * std::log10(peak / 32767.0), -9.0);
    // Every effect is about as loud as every other over its loudest 50 ms.
    EXPECT_NEAR(LoudestDb(w.samples, w.rate / 20), -10.5, 1.5);
  }
}

TEST_F(SoundsTest, ButtonsAndTicksAreShort) {
  ASSERT_TRUE(written_) << error_;
  for (const char* name : {"check1", "check2", "time"}) {
    SCOPED_TRACE(name);
    Wave w;
    std::string why;
    ASSERT_TRUE(ParseWave(ReadAll(dir_ / (std::string(name) + ".wav")), w, why)) << why;
    EXPECT_LT(static_cast<double>(w.samples.size()) / w.rate, 0.3);
  }
}

TEST_F(SoundsTest, OneShotsStartAndEndInSilenceAndLoopsJoinWithoutAStep) {
  ASSERT_TRUE(written_) << error_;
  for (const char* name : kNames) {
    SCOPED_TRACE(name);
    Wave w;
    std::string why;
    ASSERT_TRUE(ParseWave(ReadAll(dir_ / (std::string(name) + ".wav")), w, why)) << why;
    const std::vector<int16_t>& s = w.samples;
    const bool loops = std::string(name) == "s1" || std::string(name) == "s2";
    if (!loops) {
      EXPECT_LT(std::abs(s.front()), 64);
      EXPECT_LT(std::abs(s.back()), 64);
      continue;
    }
    // The jump from the last sample back to the first is no bigger than the steps inside the loop.
    int largestStep = 0;
    for (size_t i = 1; i < s.size(); ++i)
      largestStep = std::max(largestStep, std::abs(s[i] - s[i - 1]));
    EXPECT_LE(std::abs(s.front() - s.back()), largestStep / 2);
    // And the end sounds like the start: the level of the last and first 50 ms agree.
    auto rms = [&](size_t from, size_t count) {
      double sum = 0;
      for (size_t i = from; i < from + count; ++i) sum += static_cast<double>(s[i]) * s[i];
      return std::sqrt(sum / count);
    };
    const size_t window = 1102;
    EXPECT_NEAR(rms(0, window) / rms(s.size() - window, window), 1.0, 0.35);
  }
}

TEST(SoundsBuildTest, TwoBuildsWriteTheSameBytes) {
  const fs::path a = FreshDir("a");
  const fs::path b = FreshDir("b");
  std::string error;
  ASSERT_TRUE(assetgen::WriteSounds(a.string(), error)) << error;
  ASSERT_TRUE(assetgen::WriteSounds(b.string(), error)) << error;
  for (const char* name : kNames) {
    const std::string file = std::string(name) + ".wav";
    EXPECT_EQ(ReadAll(a / file), ReadAll(b / file)) << file;
  }
  fs::remove_all(a);
  fs::remove_all(b);
}

TEST(SoundsBuildTest, AMissingFolderIsReportedNotIgnored) {
  const fs::path missing = fs::path(::testing::TempDir()) / "vornakel_no_such_folder" / "Sounds";
  std::string error;
  EXPECT_FALSE(assetgen::WriteSounds(missing.string(), error));
  EXPECT_NE(error.find(missing.string()), std::string::npos) << error;
}

}  // namespace
