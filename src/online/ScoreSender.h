// Sends finished games' scores off the frame thread, keeps those that could not be sent in a
// queue file, and tries them again at the next start or the next send.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "online/HttpClient.h"

namespace online {

// One finished game's score as the server gets it (1251 text).
struct PendingScore {
  std::string name;
  int32_t score = 0;
  std::string optionText;
  // The difficulty's stored word ("classic", "easy").
  std::string difficulty = "classic";
  // The game's races as a replay file, sent for the server to verify; empty: a plain submission.
  // Kept only while the game runs: a score queued from an earlier run goes out plain.
  std::string replay{};
  // A daily-road time: the road's day ("YYYY-MM-DD"), score holding the hundredths driven and
  // replay the race. Never kept in the queue file.
  std::string dailyDate{};
};

// What became of one score.
enum class SendOutcome {
  kSent,
  kNoConnection,   // no answer, or not our server's answer: kept for later
  kServerError,    // the server could not take it now (5xx, an expired token): kept for later
  kRefused,        // the server will never take it: dropped
  kReplayRefused,  // the server replayed the game and did not find the claim in it: dropped
};

// Whether a reply to a request with a replay comes from a server that does not know that request
// (an older one): no such route (404, 405), its size limits for bodies (413, 431), or its
// "unknown request". Only then does the game send the score the plain way instead.
bool ServerLacksReplays(const HttpResult& reply);

// Sends one score with both its requests inside one overall time limit.
SendOutcome SendOneScore(const std::string& server, HttpClient& http, const PendingScore& score,
                         long* status = nullptr);

// The queue file: a header line, then one score a line (score, name, options text, difficulty);
// damaged lines are skipped. Lines of the first version, without the difficulty, read as Classic.
std::string FormatScoreQueue(const std::vector<PendingScore>& scores);
std::vector<PendingScore> ParseScoreQueue(const std::string& text);

class ScoreSender {
 public:
  // Makes a client whose requests all end within the given milliseconds.
  using HttpFactory = std::function<std::unique_ptr<HttpClient>(long totalMs)>;
  // What the player is told when a batch of sendings ends.
  struct Report {
    int sent = 0;
    int kept = 0;              // still in the queue, to be tried again
    int refused = 0;           // dropped
    int replayRefused = 0;     // of those, refused after the server replayed the game
    bool unreachable = false;  // the server could not be reached at all
    long lastStatus = 0;
  };

  // The most scores the queue keeps; the oldest go first.
  static constexpr size_t kMaxQueued = 50;
  // Both requests of one score end within this.
  static constexpr long kDeadlineMs = 5000;
  // With a replay: the server replays the game before it answers (a second or two, more when
  // other games wait).
  static constexpr long kReplayDeadlineMs = 30000;

  ScoreSender(std::string server, std::string queuePath, HttpFactory makeHttp);
  ~ScoreSender();
  ScoreSender(const ScoreSender&) = delete;
  ScoreSender& operator=(const ScoreSender&) = delete;

  // Reads the queue file left by an earlier run and starts sending what it holds.
  void RetryQueued();
  // Queues a score (written to the queue file at once) and starts sending the queue.
  void Send(PendingScore score);
  // Every frame, on the frame thread: the report of a batch that has just ended, once.
  std::optional<Report> Poll();
  bool Busy() const;
  size_t Queued() const { return queue_.size(); }
  // Waits for a batch under way (at most the deadline per score).
  void Wait();

 private:
  void StartBatch();
  void SaveQueue();

  std::string server_;
  std::string queuePath_;
  HttpFactory makeHttp_;
  std::vector<PendingScore> queue_;  // frame thread only
  std::thread worker_;
  bool running_ = false;  // frame thread only
  size_t batchSize_ = 0;
  mutable std::mutex mutex_;
  std::optional<std::vector<SendOutcome>> finished_;  // written by the worker
  long lastStatus_ = 0;                               // written by the worker
};

}  // namespace online
