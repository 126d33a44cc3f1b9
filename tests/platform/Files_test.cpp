// Whole-file reads refuse folders, FIFOs, devices and oversized files without throwing or
// blocking; atomic writes replace a file whole.
#include "platform/Files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(FilesTest, ReadsOnlyRegularFilesWithinTheirLimit) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("vornakel-files-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "folder");
  std::ofstream(dir / "small") << "hello";
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);

  std::string text;
  std::string error;
  EXPECT_TRUE(platform::ReadWholeFile((dir / "small").string(), 5, text, error));
  EXPECT_EQ(text, "hello");
  EXPECT_FALSE(platform::ReadWholeFile((dir / "small").string(), 4, text, error));
  EXPECT_NE(error.find("larger"), std::string::npos) << error;
  EXPECT_FALSE(platform::ReadWholeFile((dir / "missing").string(), 9, text, error));
  EXPECT_TRUE(error.empty()) << "a missing file is no fault: " << error;
  for (const char* odd : {"folder", "fifo"}) {
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(platform::ReadWholeFile((dir / odd).string(), 1 << 20, bytes, error)) << odd;
    EXPECT_FALSE(error.empty()) << odd;
    EXPECT_FALSE(platform::IsRegularFile((dir / odd).string())) << odd;
  }
  EXPECT_FALSE(platform::ReadWholeFile("/dev/zero", 1 << 20, text, error));
  EXPECT_TRUE(platform::IsRegularFile((dir / "small").string()));

  ASSERT_TRUE(platform::WriteFileAtomically((dir / "small").string(), "new", error)) << error;
  ASSERT_TRUE(platform::ReadWholeFile((dir / "small").string(), 5, text, error));
  EXPECT_EQ(text, "new");
  EXPECT_FALSE(std::filesystem::exists(dir / "small.tmp"));
  std::filesystem::remove_all(dir);
}

}  // namespace
