// Reading Windows .url shortcuts and deciding what the desktop is asked to open.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/sdl/SdlShell.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

TEST(UrlShortcutTest, ReadsTheUrlLine) {
  EXPECT_EQ(ParseUrlShortcut("[InternetShortcut]\r\nURL=http://example.com/play\r\n"),
            "http://example.com/play");
  EXPECT_EQ(ParseUrlShortcut("\xEF\xBB\xBF[InternetShortcut]\nURL=https://a.example/\n"),
            "https://a.example/");
  EXPECT_EQ(ParseUrlShortcut("[internetshortcut]\r\nurl = https://b.example/x?y=1 \r\n"),
            "https://b.example/x?y=1");
  // No section header at all, and no line end after the last line.
  EXPECT_EQ(ParseUrlShortcut("Url=mailto:someone@example.com"), "mailto:someone@example.com");
}

TEST(UrlShortcutTest, IgnoresOtherKeysSectionsAndBareValues) {
  EXPECT_EQ(ParseUrlShortcut("[InternetShortcut]\r\nIconIndex=0\r\n"), std::nullopt);
  EXPECT_EQ(ParseUrlShortcut(""), std::nullopt);
  EXPECT_EQ(ParseUrlShortcut("[DEFAULT]\r\nBASEURL=http://base.example/\r\n"
                             "[InternetShortcut]\r\nURL=http://real.example/\r\n"),
            "http://real.example/");
  EXPECT_EQ(ParseUrlShortcut("[Other]\nURL=http://not.this/\n"), std::nullopt);
  EXPECT_EQ(ParseUrlShortcut("[InternetShortcut]\nURL=\n"), std::nullopt);
  EXPECT_EQ(ParseUrlShortcut("[InternetShortcut]\nURL=--help\n"), std::nullopt);
}

class OpenTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("vornakel_shell_" + std::to_string(getpid()));
    fs::create_directories(dir_ / "sub");
    old_ = fs::current_path();
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  static void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  fs::path dir_;
  fs::path old_;
};

TEST_F(OpenTargetTest, ShortcutsOpenTheirAddress) {
  Write("Website.URL", "[InternetShortcut]\r\nURL=http://site.example/\r\n");
  Write("sub/play.url", "[InternetShortcut]\r\nURL=https://play.example/\r\n");
  Write("broken.url", "[InternetShortcut]\r\nIconFile=x.ico\r\n");
  EXPECT_EQ(ResolveOpenTarget("Website.URL"), "http://site.example/");
  EXPECT_EQ(ResolveOpenTarget("sub\\play.url"), "https://play.example/");
  EXPECT_EQ(ResolveOpenTarget("broken.url"), std::nullopt);
  EXPECT_EQ(ResolveOpenTarget("missing.url"), std::nullopt);
}

TEST_F(OpenTargetTest, OtherFilesAndAddresses) {
  Write("sub/wgame.exe", "x");
  std::string expected = "file://" + (fs::current_path() / "sub" / "wgame.exe").string();
  EXPECT_EQ(ResolveOpenTarget("sub\\wgame.exe"), expected);
  EXPECT_EQ(ResolveOpenTarget("HTTPS://example.com/"), "HTTPS://example.com/");
  EXPECT_EQ(ResolveOpenTarget("sub"), std::nullopt);  // a folder is not opened
  EXPECT_EQ(ResolveOpenTarget("nothing.exe"), std::nullopt);
  EXPECT_EQ(ResolveOpenTarget(""), std::nullopt);
  // Without a display the shell only reports what it would open.
  SdlShell shell(nullptr, false);
  EXPECT_TRUE(shell.Open("https://example.com/"));
  EXPECT_FALSE(shell.Open("nothing.exe"));
}

}  // namespace
}  // namespace platform
