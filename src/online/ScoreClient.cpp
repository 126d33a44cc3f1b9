// The online score client.
#include "online/ScoreClient.h"

#include <cstdlib>

#include "online/TextCodec.h"
#include "platform/Shell.h"

namespace online {
namespace {

constexpr char kBrokenBar1251 = static_cast<char>(0xA6);

std::string WithoutFieldBreaks(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '|') c = kBrokenBar1251;
  }
  return out;
}

std::string ScoreUrl(std::string_view server, std::string_view query) {
  std::string url = NormaliseServerAddress(server);
  url += kScorePath;
  url += '?';
  url += query;
  return url;
}

}  // namespace

std::string NormaliseServerAddress(std::string_view address) {
  std::string out;
  if (address.find("://") == std::string_view::npos) out = "http://";
  out += address;
  while (!out.empty() && out.back() == '/') out.pop_back();
  return out;
}

std::string ScoreServerAddress() {
  const std::string variable(kScoreServerVariable);
  const char* value = std::getenv(variable.c_str());
  if (value != nullptr && value[0] != '\0') return NormaliseServerAddress(value);
  return std::string(kDefaultScoreServer);
}

std::string VersionUrl(std::string_view server) {
  return ScoreUrl(server, "version&prg=" + std::string(kScoreProgram));
}

std::string SubmissionUrl(std::string_view server, std::string_view code) {
  return ScoreUrl(server, "hs&prg=" + std::string(kScoreProgram) + "&inf=" + std::string(code));
}

std::string ReplaySubmissionUrl(std::string_view server, std::string_view code) {
  return SubmissionUrl(server, code) + "&replay";
}

std::string DailyTimeUrl(std::string_view server, std::string_view code, std::string_view date) {
  return ScoreUrl(server, "daily&prg=" + std::string(kScoreProgram) + "&inf=" + std::string(code) +
                              "&date=" + std::string(date));
}

std::string TableUrl(std::string_view server) {
  return ScoreUrl(server, "prg=" + std::string(kScoreProgram) + "&show&type=0");
}

const std::vector<HttpHeader>& ScoreRequestHeaders() {
  static const std::vector<HttpHeader> headers = {
      {"Accept", "text/html, */*"},
      {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
      {"Content-Type", "text/html"},
  };
  return headers;
}

std::string ExtractToken(std::string_view reply) {
  std::string_view rest = reply;
  std::string_view field;
  for (int i = 0; i < 5; ++i) {
    const size_t bar = rest.find('|');
    if (bar == std::string_view::npos) {
      field = {};
    } else {
      field = rest.substr(0, bar);
      rest = rest.substr(bar + 1);
    }
  }
  return std::string(field);
}

std::string BuildScorePayload(std::string_view playerName, int32_t score, std::string_view token,
                              std::string_view optionText, std::string_view difficulty) {
  std::string payload = "type=0";
  payload += "|name=";
  payload += WithoutFieldBreaks(playerName);
  payload += "|score=";
  payload += std::to_string(score);
  payload += "|key=X";
  payload += "|p=";
  payload += token;
  payload += "|add=";
  payload += WithoutFieldBreaks(optionText);
  if (!difficulty.empty() && difficulty != kClassicDifficulty) {
    payload += "|dif=";
    payload += WithoutFieldBreaks(difficulty);
  }
  payload += "|z=";
  return PadToFive(std::move(payload), '0');
}

ScoreClient::ScoreClient(std::string serverAddress, HttpClient& http, MessageSink showMessage)
    : server_(NormaliseServerAddress(serverAddress)),
      http_(http),
      showMessage_(std::move(showMessage)) {}

bool ScoreClient::submitScore(std::string_view playerName, int32_t score,
                              std::string_view optionText, std::string_view difficulty) {
  const HttpResult version = http_.Get(VersionUrl(server_), ScoreRequestHeaders());
  const std::string reply = version.Succeeded() ? version.body : std::string();
  if (reply.compare(0, 2, "OK") != 0) {
    if (showMessage_) showMessage_(std::string(kCantConnectMessage));
    return false;
  }
  const std::string payload =
      BuildScorePayload(playerName, score, ExtractToken(reply), optionText, difficulty);
  // The server's answer to the submission is not shown to the player.
  http_.Get(SubmissionUrl(server_, encode(payload)), ScoreRequestHeaders());
  return true;
}

bool ScoreClient::showOnlineTable(platform::Shell& shell) const {
  return shell.Open(TableUrl(server_));
}

ScoreClient::MessageSink ShellMessageSink(platform::Shell& shell) {
  return [&shell](const std::string& message) { shell.ShowMessage(message, "Vornakel"); };
}

}  // namespace online
