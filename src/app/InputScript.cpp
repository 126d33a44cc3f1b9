// Timed input for the harness: script reading and recording.
#include "app/InputScript.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "platform/PadButtons.h"
#include "platform/Text1251.h"

namespace app {
namespace {

using Type = platform::InputEvent::Type;
using Button = platform::InputEvent::Button;

bool ToInt(const std::string& text, int64_t& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

const char* ButtonName(Button button) {
  switch (button) {
    case Button::kRight:
      return "right";
    case Button::kMiddle:
      return "middle";
    case Button::kLeft:
      break;
  }
  return "left";
}

bool ParseLine(const std::string& line, TimedEvent& out, std::string& why) {
  std::istringstream in(line);
  std::string frameText;
  std::string kind;
  in >> frameText >> kind;
  if (!ToInt(frameText, out.frame) || out.frame < 0) {
    why = "a line starts with its frame number";
    return false;
  }
  platform::InputEvent& event = out.event;
  if (kind == "key") {
    std::string dir;
    std::string code;
    in >> dir >> code;
    int64_t vk = 0;
    if ((dir != "down" && dir != "up") || !ToInt(code, vk) || vk < 0 || vk > 255) {
      why = "expected \"key down VK\" or \"key up VK\" with VK in 0..255";
      return false;
    }
    event.type = dir == "down" ? Type::kKeyDown : Type::kKeyUp;
    event.key = static_cast<int>(vk);
  } else if (kind == "pad") {
    std::string dir;
    std::string name;
    in >> dir >> name;
    const auto button = platform::PadButtonFromToken(name);
    if ((dir != "down" && dir != "up") || !button) {
      why = "expected \"pad down BUTTON\" or \"pad up BUTTON\" (a, b, dpup, righttrigger ...)";
      return false;
    }
    event.type = dir == "down" ? Type::kPadDown : Type::kPadUp;
    event.key = *button;
  } else if (kind == "text") {
    std::string rest;
    std::getline(in, rest);
    if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
    event.type = Type::kText;
    event.text = platform::Utf8To1251(rest);
  } else if (kind == "mouse") {
    std::string xs;
    std::string ys;
    in >> xs >> ys;
    int64_t x = 0;
    int64_t y = 0;
    if (!ToInt(xs, x) || !ToInt(ys, y)) {
      why = "expected \"mouse X Y\"";
      return false;
    }
    event.type = Type::kMouseMove;
    event.x = static_cast<int>(x);
    event.y = static_cast<int>(y);
  } else if (kind == "button") {
    std::string which;
    std::string dir;
    in >> which >> dir;
    if ((which != "left" && which != "right" && which != "middle") ||
        (dir != "down" && dir != "up")) {
      why = "expected \"button left|right|middle down|up\"";
      return false;
    }
    event.type = dir == "down" ? Type::kMouseDown : Type::kMouseUp;
    event.button = which == "left"    ? Button::kLeft
                   : which == "right" ? Button::kRight
                                      : Button::kMiddle;
    std::string count;
    if (in >> count) {
      int64_t clicks = 0;
      if (dir != "down" || !ToInt(count, clicks) || clicks < 1 || clicks > 255) {
        why = "only a press takes a click count, 1..255";
        return false;
      }
      event.clicks = static_cast<int>(clicks);
    }
  } else if (kind == "close") {
    event.type = Type::kCloseRequest;
  } else if (kind == "fullscreen") {
    event.type = Type::kToggleFullScreen;
  } else if (kind == "pad-lost") {
    event.type = Type::kControllerLost;
  } else {
    why = "unknown event \"" + kind + "\"";
    return false;
  }
  return true;
}

}  // namespace

bool ParseInputScript(const std::string& text, std::vector<TimedEvent>& events,
                      std::string& error) {
  std::istringstream in(text);
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    TimedEvent event;
    std::string why;
    if (!ParseLine(line.substr(first), event, why)) {
      error = "line " + std::to_string(lineNumber) + ": " + why;
      return false;
    }
    events.push_back(event);
  }
  // Events of one frame keep their order; frames are taken in ascending order.
  std::stable_sort(events.begin(), events.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.frame < b.frame; });
  return true;
}

std::string FormatInputEvent(int64_t frame, const platform::InputEvent& event) {
  const std::string f = std::to_string(frame) + " ";
  switch (event.type) {
    case Type::kKeyDown:
      return f + "key down " + std::to_string(event.key);
    case Type::kKeyUp:
      return f + "key up " + std::to_string(event.key);
    case Type::kText:
      return f + "text " + platform::Cp1251ToUtf8(event.text);
    case Type::kMouseMove:
      return f + "mouse " + std::to_string(event.x) + " " + std::to_string(event.y);
    case Type::kMouseDown: {
      std::string line = f + "button " + ButtonName(event.button) + " down";
      if (event.clicks > 1) line.append(" ").append(std::to_string(event.clicks));
      return line;
    }
    case Type::kMouseUp:
      return f + "button " + ButtonName(event.button) + " up";
    case Type::kCloseRequest:
      return f + "close";
    case Type::kToggleFullScreen:
      return f + "fullscreen";
    case Type::kControllerLost:
      return f + "pad-lost";
    case Type::kPadDown:
    case Type::kPadUp: {
      std::string line = f + (event.type == Type::kPadDown ? "pad down " : "pad up ");
      return line.append(platform::PadButtonToken(event.key));
    }
  }
  return f;
}

ScriptedInput::ScriptedInput(std::vector<TimedEvent> events) : events_(std::move(events)) {}

bool ScriptedInput::Poll(platform::InputEvent& event) {
  if (next_ >= events_.size() || events_[next_].frame > frame_) return false;
  event = events_[next_++].event;
  if (event.type == Type::kMouseMove) {
    mouseX_ = event.x;
    mouseY_ = event.y;
  } else if (event.type == Type::kMouseDown || event.type == Type::kMouseUp) {
    // A click happens where the pointer is.
    event.x = mouseX_;
    event.y = mouseY_;
  }
  return true;
}

bool RecordingInput::Poll(platform::InputEvent& event) {
  if (!inner_->Poll(event)) return false;
  if (out_ != nullptr) {
    // Mouse buttons are recorded with a move to their position, so a replay clicks the same spot.
    if (event.type == Type::kMouseDown || event.type == Type::kMouseUp) {
      platform::InputEvent move;
      move.type = Type::kMouseMove;
      move.x = event.x;
      move.y = event.y;
      std::fprintf(out_, "%s\n", FormatInputEvent(frame_, move).c_str());
    }
    std::fprintf(out_, "%s\n", FormatInputEvent(frame_, event).c_str());
  }
  return true;
}

}  // namespace app
