// A scratch folder with PNG pictures and a started screen on the null device, for exit screen
// tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/FakeFontRasterizer.h"
#include "engine/OmegaImageList.h"
#include "engine/OmegaScreen.h"
#include "engine/PngCodec.h"
#include "online/Share.h"
#include "platform/Shell.h"
#include "platform/null/NullRenderDevice.h"

namespace sharetest {

struct RecordingShell : platform::Shell {
  void ShowMessage(const std::string&, const std::string&) override {}
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return true;
  }
  std::vector<std::string> opened;
};

// A fresh folder under the system's temporary folder, removed with the object.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vornakel-exit-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& Path() const { return path_; }

  // The file at Relative (backslashes allowed); writing makes its folders.
  std::filesystem::path File(std::string relative) const {
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return std::filesystem::path(path_) / relative;
  }
  void Write(const std::string& relative, const std::string& content) const {
    std::filesystem::create_directories(File(relative).parent_path());
    std::ofstream(File(relative), std::ios::binary) << content;
  }
  // A one-colour PNG picture.
  void WritePicture(const std::string& relative, int width, int height, uint32_t argb) const {
    platform::Pixels pixels{width, height, {}};
    pixels.argb.assign(static_cast<size_t>(width) * static_cast<size_t>(height), argb);
    const std::vector<uint8_t> png = engine::EncodePng(pixels);
    Write(relative, std::string(png.begin(), png.end()));
  }

 private:
  std::string path_;
};

// Lines of a two-button description (one link and the exit button).
inline std::vector<std::string> TwoButtonLines() {
  return {
      "2",                    // 0 button count
      "wdata\\back.png",      // 1 background
      "10 20 0 0",            // 2 link: hover position
      "12 22 100 40",         // 3 link: normal position and hover rectangle
      "wdata\\link.png",      // 4
      "wdata\\link_on.png",   // 5
      "site.url",             // 6 link target
      "300 400 7 8",          // 7 exit: hover position
      "302 402 120 50",       // 8 exit: normal position and hover rectangle
      "304 404 5 6",          // 9 exit: disabled position
      "wdata\\exit.png",      // 10
      "wdata\\exit_on.png",   // 11
      "wdata\\exit_off.png",  // 12
      "360 380",              // 13 countdown centre
      "3",                    // 14 seconds
      "10 20 30",             // 15 colour
      "FALSE",                // 16 font size from the exit button
  };
}

inline std::string Join(const std::vector<std::string>& lines, const std::string& end = "\n") {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

// The files the two-button description names.
inline void WriteTwoButtonFiles(const ScratchDir& dir) {
  dir.WritePicture("wdata\\back.png", 200, 150, 0xFF102030u);
  dir.WritePicture("wdata\\link.png", 100, 40, 0xFF00FF00u);
  dir.WritePicture("wdata\\link_on.png", 104, 44, 0xFF00C000u);
  dir.WritePicture("wdata\\exit.png", 120, 50, 0xFFFF0000u);
  dir.WritePicture("wdata\\exit_on.png", 124, 54, 0xFFC00000u);
  dir.WritePicture("wdata\\exit_off.png", 120, 50, 0xFF808080u);
  dir.Write("site.url", "[InternetShortcut]\nURL=https://example.org/\n");
}

// Runs a test inside a folder: the game's files are relative to the working directory.
class WorkingDir {
 public:
  explicit WorkingDir(const std::string& path) {
    char buffer[4096];
    if (getcwd(buffer, sizeof buffer) != nullptr) previous_ = buffer;
    EXPECT_EQ(chdir(path.c_str()), 0);
  }
  ~WorkingDir() {
    if (!previous_.empty()) {
      EXPECT_EQ(chdir(previous_.c_str()), 0);
    }
  }
  WorkingDir(const WorkingDir&) = delete;
  WorkingDir& operator=(const WorkingDir&) = delete;

 private:
  std::string previous_;
};

}  // namespace sharetest
