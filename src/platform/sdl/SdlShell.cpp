// Message boxes and the desktop's "open" for web addresses, .url shortcuts and other files.
#include "platform/sdl/SdlShell.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/Paths.h"

namespace platform {
namespace {

// Shortcuts are a few hundred bytes; anything far larger is not one.
constexpr std::uintmax_t kMaxShortcutBytes = 64 * 1024;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         StartsWithNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  return text;
}

bool IsWebAddress(std::string_view target) {
  return StartsWithNoCase(target, "http:") || StartsWithNoCase(target, "https:") ||
         StartsWithNoCase(target, "mailto:");
}

// An address with a scheme ("https:", "file:"): never an empty value or one the opener could take
// for an option of its own.
bool HasScheme(std::string_view value) {
  size_t colon = value.find(':');
  if (colon == 0 || colon == std::string_view::npos) return false;
  if (!std::isalpha(static_cast<unsigned char>(value[0]))) return false;
  for (size_t i = 1; i < colon; ++i) {
    char c = value[i];
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::string> ParseUrlShortcut(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  // The address lives in the [InternetShortcut] section; a file without sections is read as a
  // whole.
  bool inShortcutSection = true;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      std::string_view section = Trim(line.substr(1, line.size() - 2));
      inShortcutSection = section.size() == 16 && StartsWithNoCase(section, "InternetShortcut");
      continue;
    }
    size_t eq = line.find('=');
    if (!inShortcutSection || eq == std::string_view::npos) continue;
    std::string_view key = Trim(line.substr(0, eq));
    std::string_view value = Trim(line.substr(eq + 1));
    if (key.size() == 3 && StartsWithNoCase(key, "url") && HasScheme(value)) {
      return std::string(value);
    }
  }
  return std::nullopt;
}

std::optional<std::string> ResolveOpenTarget(const std::string& target) {
  std::string path = NativePath(target);
  if (IsWebAddress(path)) return path;
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  if (EndsWithNoCase(path, ".url")) {
    std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxShortcutBytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return ParseUrlShortcut(content.str());
  }
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  if (ec) return std::nullopt;
  return "file://" + absolute.lexically_normal().string();
}

void SdlShell::ShowMessage(const std::string& text, const std::string& caption) {
  if (desktop_ && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(),
                                           text.c_str(), window_) == 0) {
    return;
  }
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

bool SdlShell::Open(const std::string& target) {
  std::optional<std::string> address = ResolveOpenTarget(target);
  if (!address) return false;
  if (!desktop_) {
    // Without a display there is nobody to show a browser to.
    std::fprintf(stderr, "Vornakel: open %s\n", address->c_str());
    return true;
  }
  if (SDL_OpenURL(address->c_str()) != 0) {
    std::fprintf(stderr, "Vornakel: could not open %s: %s\n", address->c_str(), SDL_GetError());
    return false;
  }
  return true;
}

}  // namespace platform
