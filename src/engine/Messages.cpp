// Where the engine's messages to the player go.
#include "engine/Messages.h"

#include <cstdio>
#include <mutex>
#include <set>

namespace engine {
namespace {

// The application-wide message routine: like a system message box, it exists once per process.
MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}

std::set<std::string>& Reported() {
  static std::set<std::string> reported;
  return reported;
}

// Games replayed on the score server's worker threads may report at the same time.
std::mutex& ReportedMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

void SetMessageHandler(MessageHandler handler) {
  Handler() = std::move(handler);
}

void ShowMessage(const std::string& text, const std::string& caption) {
  if (Handler()) {
    Handler()(text, caption);
  } else {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
}

void ReportOnce(const std::string& text) {
  const std::lock_guard<std::mutex> lock(ReportedMutex());
  if (Reported().insert(text).second) std::fprintf(stderr, "vornakel: %s\n", text.c_str());
}

}  // namespace engine
