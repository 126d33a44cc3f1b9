// Message boxes and the desktop's "open" for web addresses, .url shortcuts and other files.
#pragma once

#include <SDL.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/Shell.h"

namespace platform {

// The address in the text of a Windows Internet shortcut (the "URL=" line of its [InternetShortcut]
// section), or nothing when it has none with a scheme. Accepts a UTF-8 byte-order mark, CRLF line
// ends and any case of the key.
std::optional<std::string> ParseUrlShortcut(std::string_view text);

// What the desktop should be asked to open for a target the game names: the address inside a .url
// shortcut, "file://" and the absolute path of another existing file, or a web address (http:,
// https:, mailto:) as it is. Nothing when the target is none of these.
std::optional<std::string> ResolveOpenTarget(const std::string& target);

class SdlShell final : public Shell {
 public:
  // window: parent of message boxes (may be null). desktop: false when there is no real display, so
  // messages go to stderr and addresses are only reported there rather than opened.
  SdlShell(SDL_Window* window, bool desktop) : window_(window), desktop_(desktop) {}

  void ShowMessage(const std::string& text, const std::string& caption) override;
  bool Open(const std::string& target) override;

 private:
  SDL_Window* window_;
  bool desktop_;
};

}  // namespace platform
