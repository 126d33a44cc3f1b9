// The online score client: fetches a one-time token, sends the encoded score, opens the table page.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "online/HttpClient.h"

namespace platform {
class Shell;
}

namespace online {

inline constexpr std::string_view kScoreProgram = "Vornakel";
inline constexpr std::string_view kScorePath = "/cgi/version.pl";
// Our own score server on this machine; VORNAKEL_SCORE_SERVER overrides it.
inline constexpr std::string_view kDefaultScoreServer = "http://127.0.0.1:8642";
inline constexpr std::string_view kScoreServerVariable = "VORNAKEL_SCORE_SERVER";
inline constexpr std::string_view kCantConnectMessage = "Can't connect to server!";

// The configured server address ("http://host:port"), without a trailing slash.
std::string ScoreServerAddress();
// Adds "http://" when the address names no scheme and drops trailing slashes.
std::string NormaliseServerAddress(std::string_view address);

std::string VersionUrl(std::string_view server);
std::string SubmissionUrl(std::string_view server, std::string_view code);
// The submission with the game's replay as the request's body (a POST).
std::string ReplaySubmissionUrl(std::string_view server, std::string_view code);
// A daily-road time ("YYYY-MM-DD") with its race's replay as the body (a POST).
std::string DailyTimeUrl(std::string_view server, std::string_view code, std::string_view date);
std::string TableUrl(std::string_view server);
// The headers every score request carries.
const std::vector<HttpHeader>& ScoreRequestHeaders();

// The fifth "|"-separated field of the version reply ("OK" being the first), provided a "|"
// follows it; otherwise empty.
std::string ExtractToken(std::string_view reply);

// The word of the original rules; a submission without a difficulty means it.
inline constexpr std::string_view kClassicDifficulty = "classic";

// The submission payload in 1251 bytes, padded with "0" to a multiple of 5 characters.
// A "|" inside the name or the text is sent as the broken bar (1251 byte 0xA6) so that a
// player's own text can never split or forge fields. Any difficulty but Classic goes in a
// "|dif=" field before "|z="; a Classic game's payload stays exactly what servers have always
// taken.
std::string BuildScorePayload(std::string_view playerName, int32_t score, std::string_view token,
                              std::string_view optionText, std::string_view difficulty = {});

class ScoreClient {
 public:
  // Receives the one message the player may see (plain ASCII).
  using MessageSink = std::function<void(const std::string& message)>;

  ScoreClient(std::string serverAddress, HttpClient& http, MessageSink showMessage);

  // Sends the score: version request, token, submission. An unreachable or unwilling server
  // shows "Can't connect to server!"; a failed submission is silent. Blocks for at most the
  // HTTP client's time-outs per request. Returns true when the submission was sent.
  bool submitScore(std::string_view playerName, int32_t score, std::string_view optionText,
                   std::string_view difficulty = {});

  // Opens the online table in the browser. False when the desktop could not open it.
  bool showOnlineTable(platform::Shell& shell) const;

  const std::string& ServerAddress() const { return server_; }

 private:
  std::string server_;
  HttpClient& http_;
  MessageSink showMessage_;
};

// A message sink that shows an information box through the platform shell.
ScoreClient::MessageSink ShellMessageSink(platform::Shell& shell);

}  // namespace online
