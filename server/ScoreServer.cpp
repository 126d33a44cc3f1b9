// The score server's request handling on cpp-httplib.
#include "server/ScoreServer.h"

#include <httplib.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <thread>

#include "game/RoadCode.h"
#include "platform/Text1251.h"
#include "server/ClientAddress.h"
#include "server/HttpFront.h"
#include "server/Protocol.h"
#include "server/ScorePage.h"
#include "server/TokenStore.h"

namespace scored {
namespace {

Reply Refuse(int status, std::string why) {
  return Reply{status, "text/plain; charset=utf-8", why + "\n"};
}

// The UTC date of a moment, "YYYY-MM-DD".
std::string UtcDate(std::time_t when) {
  std::tm parts{};
  gmtime_r(&when, &parts);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
  return text;
}

// The query after "?" of a request's target.
std::string_view QueryOf(const httplib::Request& req) {
  const size_t mark = req.target.find('?');
  return mark == std::string::npos ? std::string_view()
                                   : std::string_view(req.target).substr(mark + 1);
}

PageLanguage PageLanguageOf(const httplib::Request& req) {
  const bool named = req.has_param("lang");
  const std::string lang = named ? req.get_param_value("lang") : std::string();
  return PickPageLanguage(named ? std::optional<std::string_view>(lang) : std::nullopt,
                          req.get_header_value("Accept-Language"));
}

}  // namespace

ScoreServer::ScoreServer(ScoreStore& db, ServerOptions options)
    : ScoreServer(db,
                  std::make_unique<TokenStore>(options.tokenLifetime, options.tokenCapacity,
                                               options.tokensPerClient),
                  nullptr, std::move(options)) {}

ScoreServer::ScoreServer(ScoreStore& db, TokenBook& tokens, ServerOptions options)
    : ScoreServer(db, nullptr, &tokens, std::move(options)) {}

ScoreServer::ScoreServer(ScoreStore& db, std::unique_ptr<TokenBook> ownTokens, TokenBook* tokens,
                         ServerOptions options)
    : db_(db),
      options_(std::move(options)),
      ownTokens_(std::move(ownTokens)),
      tokens_(tokens != nullptr ? *tokens : *ownTokens_),
      http_(std::make_unique<HttpFront>(ConnectionLimits{
          .connections = options_.connections,
          .perClient = options_.connectionsPerClient,
          .trustedProxies = options_.trustedProxies,
          .request = options_.requestTimeout,
          .write = options_.requestTimeout,
          .keepAlive = options_.keepAlive,
          .keepAliveBusy = std::min(options_.keepAlive, std::chrono::milliseconds(200)),
          .keepAliveRequests = options_.keepAliveRequests,
      })) {  // Replies go out in more than one write; without this each one waits for a delayed
             // ACK.
  http_->set_tcp_nodelay(true);
  // Only a request carrying a replay has a body; the connection's own byte limit keeps every
  // other request far below this.
  http_->set_payload_max_length(options_.verifyLimits.maxReplayBytes);
  if (!options_.dataFolder.empty() && GameDataPresent(options_.dataFolder, verificationProblem_)) {
    UseGameData(options_.dataFolder);
    verifier_ = std::make_unique<VerifyPool>(options_.verifyThreads, options_.verifyQueue);
  } else if (options_.dataFolder.empty()) {
    verificationProblem_ = "no game data folder given";
  }

  http_->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
    if (req.target.size() <= options_.maxTargetLength) {
      // Before its body is read: a replay may be larger, and take longer, than any other request.
      if (req.method == "POST" && req.path == "/cgi/version.pl") {
        HttpFront::WidenCurrentRequest(options_.verifyLimits.maxReplayBytes + 16384,
                                       options_.replayRequestTimeout);
      }
      return httplib::Server::HandlerResponse::Unhandled;
    }
    ++rejected_;
    res.status = 414;
    res.set_content("request too long\n", "text/plain; charset=utf-8");
    return httplib::Server::HandlerResponse::Handled;
  });
  http_->Get("/cgi/version.pl", [this](const httplib::Request& req, httplib::Response& res) {
    const size_t mark = req.target.find('?');
    const std::string_view query = mark == std::string::npos
                                       ? std::string_view()
                                       : std::string_view(req.target).substr(mark + 1);
    Reply reply = Handle(
        query,
        RequestClient(req.remote_addr, req.get_header_value("X-Real-IP"), options_.trustedProxies),
        req.get_header_value("Accept-Language"));
    res.status = reply.status;
    res.set_content(std::move(reply.body), reply.contentType.c_str());
  });
  http_->Post("/cgi/version.pl", [this](const httplib::Request& req, httplib::Response& res) {
    Reply reply = HandleReplay(
        QueryOf(req), req.body,
        RequestClient(req.remote_addr, req.get_header_value("X-Real-IP"), options_.trustedProxies));
    res.status = reply.status;
    res.set_content(std::move(reply.body), reply.contentType.c_str());
  });
  // The pages the game's menu links open.
  http_->Get("/", [this](const httplib::Request& req, httplib::Response& res) {
    std::vector<ScoreSection> sections;
    for (const std::string_view difficulty : kDifficulties)
      sections.push_back({std::string(difficulty), db_.Best(10, std::string(difficulty))});
    res.set_content(RenderHomePage(sections, PageLanguageOf(req)), "text/html; charset=utf-8");
  });
  http_->Get("/daily", [this](const httplib::Request& req, httplib::Response& res) {
    // Today's road unless another day is named; a day that is not a date shows today's.
    std::string day = req.has_param("day") ? req.get_param_value("day") : std::string();
    if (!game::IsIsoDate(day))
      day = options_.fixedToday.empty() ? UtcDate(std::time(nullptr)) : options_.fixedToday;
    res.set_content(RenderDailyPage(day, db_.DailyTimes(day, kTableRows), PageLanguageOf(req)),
                    "text/html; charset=utf-8");
  });
  http_->Get("/games", [](const httplib::Request& req, httplib::Response& res) {
    res.set_content(RenderGamesPage(PageLanguageOf(req)), "text/html; charset=utf-8");
  });
  http_->set_exception_handler(
      [this](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        ++rejected_;
        res.status = 500;
        res.set_content("internal error\n", "text/plain; charset=utf-8");
      });
}

ScoreServer::~ScoreServer() {
  Stop();
}

size_t ScoreServer::VerifyThreads() const {
  return verifier_ != nullptr ? verifier_->Threads() : 0;
}

int ScoreServer::Bind() {
  int port = 0;
  if (options_.port == 0) {
    port = std::max(http_->bind_to_any_port(options_.bind), 0);
  } else if (http_->bind_to_port(options_.bind, options_.port)) {
    port = options_.port;
  }
  if (port != 0) http_->WidenBacklog();
  return port;
}

bool ScoreServer::Run() {
  running_ = true;
  if (stopRequested_) {
    running_ = false;
    return true;
  }
  const bool ok = http_->listen_after_bind();
  running_ = false;
  return ok;
}

void ScoreServer::Stop() {
  stopRequested_ = true;
  // A stop that arrives while Run is starting up must wait until the listener is live, or it
  // would be lost and Run would never return.
  while (running_ && !http_->is_running())
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  http_->stop();
}

Reply ScoreServer::Handle(std::string_view query, const std::string& client,
                          std::string_view acceptLanguage) {
  const auto params = ParseQuery(query);
  if (!params || SingleParam(*params, "prg") != std::string(kProgram)) {
    ++rejected_;
    return Refuse(400, "unknown program");
  }
  const auto has = [&](std::string_view name) { return SingleParam(*params, name).has_value(); };
  if (params->size() == 2 && has("version")) return Version(client);
  if (params->size() == 3 && has("hs")) {
    const auto code = SingleParam(*params, "inf");
    if (code) return Submit(*code);
  }
  // The table page may also name its language; the game's own requests never do.
  const std::optional<std::string> lang = SingleParam(*params, "lang");
  const size_t asked = params->size() - (lang ? 1 : 0);
  if (asked == 3 && has("show") && SingleParam(*params, "type") == "0") {
    return Table(PickPageLanguage(lang ? std::optional<std::string_view>(*lang) : std::nullopt,
                                  acceptLanguage));
  }
  ++rejected_;
  return Refuse(400, "unknown request");
}

Reply ScoreServer::Version(const std::string& client) {
  const std::string token = tokens_.Issue(client);
  if (token.empty()) return Refuse(503, "no token available");
  // The client takes the fifth field, and only when a "|" follows it.
  return Reply{200, "text/plain; charset=utf-8",
               "OK|" + std::string(kProgram) + "|1|0|" + token + "|"};
}

Reply ScoreServer::Submit(std::string_view code) {
  SubmissionCheck check = CheckSubmission(code);
  if (!check.submission) {
    ++rejected_;
    return Refuse(400, check.problem);
  }
  const Submission& entry = *check.submission;
  TokenTicket ticket;
  if (std::optional<Reply> refused = TakeToken(entry.token, ticket)) return *refused;
  return Store(entry, ticket, false);
}

Reply ScoreServer::Store(const Submission& entry, const TokenTicket& ticket, bool verified) {
  ScoreRow row;
  row.name = platform::Cp1251ToUtf8(entry.name);
  row.score = entry.score;
  row.text = platform::Cp1251ToUtf8(entry.text);
  row.time = static_cast<int64_t>(std::time(nullptr));
  row.difficulty = entry.difficulty;
  row.verified = verified;
  if (!db_.Insert(row)) {
    // The player did nothing wrong: the same token may try again.
    tokens_.Return(ticket);
    ++rejected_;
    return Refuse(500, "the score could not be stored");
  }
  ++accepted_;
  return Reply{200, "text/plain; charset=utf-8", verified ? "OK verified\n" : "OK\n"};
}

Reply ScoreServer::HandleReplay(std::string_view query, std::string_view replay,
                                const std::string& client) {
  const auto params = ParseQuery(query);
  if (!params || SingleParam(*params, "prg") != std::string(kProgram)) {
    ++rejected_;
    return Refuse(400, "unknown program");
  }
  const auto has = [&](std::string_view name) { return SingleParam(*params, name).has_value(); };
  const std::optional<std::string> code = SingleParam(*params, "inf");
  if (params->size() == 4 && code && has("hs") && has("replay"))
    return SubmitVerified(*code, replay, client);
  const std::optional<std::string> date = SingleParam(*params, "date");
  if (params->size() == 4 && code && date && has("daily"))
    return SubmitDaily(*code, *date, replay, client);
  ++rejected_;
  return Refuse(400, "unknown request");
}

std::optional<Verdict> ScoreServer::Verify(VerifyPool::Job job) {
  std::optional<std::future<Verdict>> pending = verifier_->Submit(std::move(job));
  if (!pending) return std::nullopt;
  return pending->get();
}

Reply ScoreServer::RefuseReplay(const std::string& client, const std::string& reason) {
  std::fprintf(stderr, "vornakel-scored: refused a replay from %s: %s\n",
               client.empty() ? "?" : client.c_str(), reason.c_str());
  ++rejected_;
  return Refuse(403, "replay refused: " + reason);
}

std::optional<Reply> ScoreServer::TakeToken(const std::string& token, TokenTicket& ticket) {
  const TokenBook::Taken taken = tokens_.Take(token, ticket);
  if (taken == TokenBook::Taken::kUnavailable) {
    // The token may well be good; the game keeps the score and sends it again later.
    ++rejected_;
    return Refuse(503, "the score table cannot be reached just now");
  }
  if (taken != TokenBook::Taken::kYes) {
    ++rejected_;
    return Refuse(403, "unknown, used or expired token");
  }
  return std::nullopt;
}

std::optional<Reply> ScoreServer::VerifyEntry(std::string_view code, std::string_view replay,
                                              const std::string& client, std::string_view what,
                                              const MakeJob& makeJob, VerifiedEntry& out) {
  SubmissionCheck check = CheckSubmission(code);
  if (!check.submission) {
    ++rejected_;
    return Refuse(400, check.problem);
  }
  out.entry = std::move(*check.submission);
  if (verifier_ == nullptr) {
    // The server's own lack: the game keeps what it sent and tries again later.
    std::fprintf(stderr, "vornakel-scored: cannot verify a replay (%s) from %s: %s\n",
                 std::string(what).c_str(), client.empty() ? "?" : client.c_str(),
                 verificationProblem_.c_str());
    ++rejected_;
    return Refuse(503, std::string(what) + " cannot be verified here just now");
  }
  if (replay.size() > options_.verifyLimits.maxReplayBytes)
    return RefuseReplay(client, "the replay is too large");
  if (std::optional<Reply> refused = TakeToken(out.entry.token, out.ticket)) return *refused;
  std::optional<Verdict> verdict = Verify(makeJob(out.entry, std::string(replay)));
  if (!verdict) {
    tokens_.Return(out.ticket);
    ++rejected_;
    return Refuse(503, "busy verifying other games");
  }
  if (!verdict->verified) return RefuseReplay(client, verdict->reason);
  out.verdict = std::move(*verdict);
  return std::nullopt;
}

Reply ScoreServer::SubmitVerified(std::string_view code, std::string_view replay,
                                  const std::string& client) {
  const VerifyLimits limits = options_.verifyLimits;
  VerifiedEntry verified;
  if (std::optional<Reply> refused = VerifyEntry(
          code, replay, client, "games",
          [limits](const Submission& entry, std::string bytes) -> VerifyPool::Job {
            return [bytes = std::move(bytes), score = entry.score, difficulty = entry.difficulty,
                    limits] { return VerifyGameBytes(bytes, score, difficulty, limits); };
          },
          verified))
    return *refused;
  return Store(verified.entry, verified.ticket, true);
}

Reply ScoreServer::SubmitDaily(std::string_view code, std::string_view date,
                               std::string_view replay, const std::string& client) {
  // Today's road, or yesterday's for a race driven just before midnight (UTC).
  const std::time_t now = std::time(nullptr);
  if (!options_.fixedToday.empty() ? date != options_.fixedToday
                                   : date != UtcDate(now) && date != UtcDate(now - 24 * 60 * 60)) {
    ++rejected_;
    return Refuse(400, "not today's or yesterday's road");
  }
  const VerifyLimits limits = options_.verifyLimits;
  VerifiedEntry verified;
  if (std::optional<Reply> refused = VerifyEntry(
          code, replay, client, "races",
          [limits, day = std::string(date)](const Submission&,
                                            std::string bytes) -> VerifyPool::Job {
            return [bytes = std::move(bytes), day, limits] {
              return VerifyDailyRace(bytes, day, limits);
            };
          },
          verified))
    return *refused;
  const DailyTime time{std::string(date), platform::Cp1251ToUtf8(verified.entry.name),
                       verified.verdict.finishHund, static_cast<int64_t>(now)};
  if (!db_.KeepDailyTime(time)) {
    tokens_.Return(verified.ticket);
    ++rejected_;
    return Refuse(500, "the time could not be stored");
  }
  ++accepted_;
  return Reply{200, "text/plain; charset=utf-8",
               "OK " + std::to_string(verified.verdict.finishHund) + "\n"};
}

Reply ScoreServer::Table(PageLanguage language) {
  // Each difficulty is ranked on its own: an easier game never pushes a Classic one down.
  std::vector<ScoreSection> sections;
  for (const std::string_view difficulty : kDifficulties) {
    sections.push_back({std::string(difficulty), db_.Best(kTableRows, std::string(difficulty))});
  }
  return Reply{200, "text/html; charset=utf-8", RenderScorePage(sections, language)};
}

}  // namespace scored
