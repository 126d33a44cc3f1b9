// Message boxes and the shell's "open" verb (web addresses, .url shortcuts, programs).
#pragma once

#include <string>

namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // Shows a message to the player (a box when a display exists, stderr otherwise). Text is UTF-8.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  // Opens a web address or a file the way the desktop would. Returns false when it could not.
  virtual bool Open(const std::string& target) = 0;
};

}  // namespace platform
