// Timed input for the harness: reading a script of events by frame, and recording live input as
// one.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Input.h"

namespace app {

struct TimedEvent {
  int64_t frame = 0;
  platform::InputEvent event;
};

// Lines: "F key down VK", "F key up VK", "F text UTF8TEXT", "F mouse X Y", "F button left down",
// "F button left up" (also right/middle), "F close"; "#" starts a comment. A press may end with
// its click count ("F button left down 2" is the second press of a double click; 1 when left
// out). Text is kept as code page 1251. Returns false with the line number and reason on the first
// bad line.
bool ParseInputScript(const std::string& text, std::vector<TimedEvent>& events, std::string& error);
// One script line (without newline) for an event.
std::string FormatInputEvent(int64_t frame, const platform::InputEvent& event);

// Input that comes from a script: each event is handed out once its frame has come.
class ScriptedInput : public platform::InputSource {
 public:
  explicit ScriptedInput(std::vector<TimedEvent> events);
  // The frame about to run; events of earlier and this frame become available.
  void SetFrame(int64_t frame) { frame_ = frame; }
  bool Poll(platform::InputEvent& event) override;
  void MousePosition(int& x, int& y) override {
    x = mouseX_;
    y = mouseY_;
  }

 private:
  std::vector<TimedEvent> events_;
  size_t next_ = 0;
  int64_t frame_ = 0;
  int mouseX_ = 0;
  int mouseY_ = 0;
};

// Passes live input through and writes every event to a script file.
class RecordingInput : public platform::InputSource {
 public:
  RecordingInput(platform::InputSource* inner, std::FILE* out) : inner_(inner), out_(out) {}
  void SetFrame(int64_t frame) { frame_ = frame; }
  bool Poll(platform::InputEvent& event) override;
  void MousePosition(int& x, int& y) override { inner_->MousePosition(x, y); }

 private:
  platform::InputSource* inner_;
  std::FILE* out_;
  int64_t frame_ = 0;
};

}  // namespace app
