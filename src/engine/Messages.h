// Where the engine's messages to the player go: a message box from the platform, or stderr.
#pragma once

#include <functional>
#include <string>

namespace engine {

// Text and caption are UTF-8 (the engine's own messages are English).
using MessageHandler = std::function<void(const std::string& text, const std::string& caption)>;

// Installs the handler (the application wires it to its shell); an empty handler restores stderr.
void SetMessageHandler(MessageHandler handler);
// Shows a message through the handler.
void ShowMessage(const std::string& text, const std::string& caption);
// Writes a note for the developer to stderr, only the first time this exact text comes up.
void ReportOnce(const std::string& text);

}  // namespace engine
