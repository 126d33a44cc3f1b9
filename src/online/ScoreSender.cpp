// Score sending on a worker thread with a queue file for the scores that could not be sent.
#include "online/ScoreSender.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>

#include "online/ScoreClient.h"
#include "online/TextCodec.h"
#include "platform/Files.h"

namespace online {

namespace {

constexpr const char* kQueueHeader = "Vornakel unsent scores 2";
// Queues written before scores carried their difficulty: every line is a Classic game.
constexpr const char* kQueueHeaderClassicOnly = "Vornakel unsent scores 1";
// Longest difficulty word a queue line may hold.
constexpr size_t kMaxDifficultyWord = 16;

std::optional<int32_t> ParseScore(std::string_view text) {
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

// A stored difficulty word: lower-case letters only, so it can never carry a field of its own.
bool IsDifficultyWord(std::string_view text) {
  return !text.empty() && text.size() <= kMaxDifficultyWord &&
         text.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string_view::npos;
}

}  // namespace

bool ServerLacksReplays(const HttpResult& reply) {
  const long s = reply.status;
  return s == 404 || s == 405 || s == 413 || s == 431 ||
         (s == 400 && reply.body.rfind("unknown request", 0) == 0);
}

SendOutcome SendOneScore(const std::string& server, HttpClient& http, const PendingScore& score,
                         long* status) {
  // Both requests share one time limit.
  const auto start = std::chrono::steady_clock::now();
  const long deadline =
      score.replay.empty() ? ScoreSender::kDeadlineMs : ScoreSender::kReplayDeadlineMs;
  auto left = [&start, deadline] {
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    return std::max(deadline - static_cast<long>(spent.count()), 1L);
  };
  http.LimitTime(left());
  const HttpResult version = http.Get(VersionUrl(server), ScoreRequestHeaders());
  if (status != nullptr) *status = version.status;
  if (!version.completed) return SendOutcome::kNoConnection;
  if (version.status >= 500) return SendOutcome::kServerError;
  const std::string token = ExtractToken(version.body);
  if (!version.Succeeded() || version.body.compare(0, 2, "OK") != 0 || token.empty())
    return SendOutcome::kNoConnection;
  const std::string payload =
      BuildScorePayload(score.name, score.score, token, score.optionText, score.difficulty);
  const std::string code = encode(payload);
  if (!score.replay.empty()) {
    std::vector<HttpHeader> headers = ScoreRequestHeaders();
    headers.emplace_back("Content-Type", "application/octet-stream");
    http.LimitTime(left());
    const std::string url = score.dailyDate.empty() ? ReplaySubmissionUrl(server, code)
                                                    : DailyTimeUrl(server, code, score.dailyDate);
    const HttpResult sent = http.Post(url, score.replay, headers);
    if (status != nullptr) *status = sent.status;
    if (!sent.completed) return SendOutcome::kNoConnection;
    if (sent.Succeeded()) return SendOutcome::kSent;
    if (sent.status == 403 && sent.body.rfind("replay refused", 0) == 0)
      return SendOutcome::kReplayRefused;
    // An older server: the score goes the plain way with the token it never took; a daily time
    // has no plain way.
    if (!ServerLacksReplays(sent) || !score.dailyDate.empty()) {
      if (sent.status >= 500 || sent.status == 403 || sent.status == 429)
        return SendOutcome::kServerError;
      return SendOutcome::kRefused;
    }
  }
  http.LimitTime(left());
  const HttpResult sent = http.Get(SubmissionUrl(server, code), ScoreRequestHeaders());
  if (status != nullptr) *status = sent.status;
  if (!sent.completed) return SendOutcome::kNoConnection;
  if (sent.Succeeded()) return SendOutcome::kSent;
  // A token that ran out before it was used, or a server in trouble: worth another try.
  if (sent.status >= 500 || sent.status == 403 || sent.status == 429)
    return SendOutcome::kServerError;
  return SendOutcome::kRefused;
}

std::string FormatScoreQueue(const std::vector<PendingScore>& scores) {
  std::string out = kQueueHeader;
  out += '\n';
  for (const PendingScore& score : scores) {
    if (!score.dailyDate.empty()) continue;
    out += std::to_string(score.score);
    out += ' ';
    out += encode(PadToFive(score.name, '%'));
    out += ' ';
    out += encode(PadToFive(score.optionText, '%'));
    out += ' ';
    out += IsDifficultyWord(score.difficulty) ? score.difficulty : std::string(kClassicDifficulty);
    out += '\n';
  }
  return out;
}

std::vector<PendingScore> ParseScoreQueue(const std::string& text) {
  std::vector<PendingScore> scores;
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line)) return scores;
  const bool withDifficulty = line == kQueueHeader;
  if (!withDifficulty && line != kQueueHeaderClassicOnly) return scores;
  while (std::getline(in, line) && scores.size() < ScoreSender::kMaxQueued) {
    // score, name, text and (since version 2) the difficulty, one space between each.
    std::vector<std::string_view> fields;
    const std::string_view all = line;
    for (size_t start = 0;;) {
      const size_t space = all.find(' ', start);
      fields.push_back(all.substr(start, space == std::string_view::npos ? space : space - start));
      if (space == std::string_view::npos) break;
      start = space + 1;
    }
    if (fields.size() != (withDifficulty ? 4u : 3u)) continue;
    const std::optional<int32_t> value = ParseScore(fields[0]);
    if (!value) continue;
    PendingScore score;
    score.score = *value;
    score.name = StripTrailing(decode(fields[1]), '%');
    score.optionText = StripTrailing(decode(fields[2]), '%');
    if (withDifficulty) {
      if (!IsDifficultyWord(fields[3])) continue;
      score.difficulty = fields[3];
    }
    if (score.name.empty()) continue;
    scores.push_back(std::move(score));
  }
  return scores;
}

ScoreSender::ScoreSender(std::string server, std::string queuePath, HttpFactory makeHttp)
    : server_(std::move(server)),
      queuePath_(std::move(queuePath)),
      makeHttp_(std::move(makeHttp)) {}

ScoreSender::~ScoreSender() {
  Wait();
}

void ScoreSender::RetryQueued() {
  std::string text;
  std::string error;
  if (!platform::ReadWholeFile(queuePath_, platform::kMaxSettingsFileBytes, text, error)) return;
  std::vector<PendingScore> kept = ParseScoreQueue(text);
  if (running_ || kept.empty()) return;
  queue_ = std::move(kept);
  StartBatch();
}

void ScoreSender::Send(PendingScore score) {
  queue_.push_back(std::move(score));
  if (queue_.size() > kMaxQueued) queue_.erase(queue_.begin());
  // On the disk before the first request: a crash while sending loses nothing.
  SaveQueue();
  if (!running_) StartBatch();
}

void ScoreSender::StartBatch() {
  if (queue_.empty() || !makeHttp_) return;
  running_ = true;
  batchSize_ = queue_.size();
  std::vector<PendingScore> batch = queue_;
  worker_ = std::thread([this, batch = std::move(batch)] {
    std::vector<SendOutcome> outcomes;
    long status = 0;
    for (const PendingScore& score : batch) {
      std::unique_ptr<HttpClient> http =
          makeHttp_(score.replay.empty() ? kDeadlineMs : kReplayDeadlineMs);
      const SendOutcome outcome = SendOneScore(server_, *http, score, &status);
      outcomes.push_back(outcome);
      // A server that cannot be reached is not asked again for the rest of the batch.
      if (outcome == SendOutcome::kNoConnection) break;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = std::move(outcomes);
    lastStatus_ = status;
  });
}

std::optional<ScoreSender::Report> ScoreSender::Poll() {
  if (!running_) return std::nullopt;
  std::vector<SendOutcome> outcomes;
  Report report;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!finished_) return std::nullopt;
    outcomes = std::move(*finished_);
    finished_.reset();
    report.lastStatus = lastStatus_;
  }
  Wait();
  running_ = false;
  // The batch was the front of the queue; scores queued since stay behind it.
  std::vector<PendingScore> remaining;
  const bool newSince = queue_.size() > batchSize_;
  bool reached = true;
  for (size_t i = 0; i < batchSize_ && i < queue_.size(); ++i) {
    const SendOutcome outcome = i < outcomes.size() ? outcomes[i] : SendOutcome::kNoConnection;
    if (outcome == SendOutcome::kSent) {
      ++report.sent;
    } else if (outcome == SendOutcome::kRefused || outcome == SendOutcome::kReplayRefused) {
      ++report.refused;
      if (outcome == SendOutcome::kReplayRefused) ++report.replayRefused;
    } else {
      reached = reached && outcome != SendOutcome::kNoConnection;
      report.unreachable = report.unreachable || outcome == SendOutcome::kNoConnection;
      remaining.push_back(queue_[i]);
    }
  }
  for (size_t i = batchSize_; i < queue_.size(); ++i) remaining.push_back(queue_[i]);
  queue_ = std::move(remaining);
  report.kept = static_cast<int>(queue_.size());
  SaveQueue();
  // Scores that came in while the batch ran go out now, unless the server could not be reached.
  if (newSince && reached) StartBatch();
  return report;
}

bool ScoreSender::Busy() const {
  return running_;
}

void ScoreSender::Wait() {
  if (worker_.joinable()) worker_.join();
}

void ScoreSender::SaveQueue() {
  std::string error;
  if (queue_.empty()) {
    std::remove(queuePath_.c_str());
    return;
  }
  if (!platform::WriteFileAtomically(queuePath_, FormatScoreQueue(queue_), error))
    std::fprintf(stderr, "vornakel: could not keep the unsent scores: %s\n", error.c_str());
}

}  // namespace online
