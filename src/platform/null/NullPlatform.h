// Stand-ins for the machine when nothing may be shown: fixed-metric fonts, stderr messages, no
// input, and a steady clock, on which the --null-render harness and the tests run the game.
#pragma once

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/Clock.h"
#include "platform/FontRasterizer.h"
#include "platform/Input.h"
#include "platform/Shell.h"

namespace platform {

// Every character is a box of 0.6 x 1.2 times the pixel height: text layout stays deterministic.
class NullFontRasterizer : public FontRasterizer {
 public:
  FontId OpenFont(const std::string&, int pixelHeight, FontStyle) override {
    return pixelHeight > 0 ? static_cast<FontId>(pixelHeight) : 0;
  }
  void CloseFont(FontId) override {}
  bool Measure(FontId font, const std::string& utf8, int& width, int& height) override;
  bool Render(FontId font, const std::string& utf8, bool antialias, AlphaBitmap& out) override;
};

class StderrShell : public Shell {
 public:
  void ShowMessage(const std::string& text, const std::string& caption) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
  bool Open(const std::string& target) override {
    std::fprintf(stderr, "open: %s\n", target.c_str());
    return false;
  }
};

class NoInput : public InputSource {
 public:
  bool Poll(InputEvent&) override { return false; }
  void MousePosition(int& x, int& y) override { x = y = 0; }
};

class SteadyClock : public Clock {
 public:
  uint64_t Ticks() override {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  }
  uint64_t Frequency() override { return 1000000; }
  void SleepMicroseconds(uint64_t micros) override {
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
  }
};

}  // namespace platform
