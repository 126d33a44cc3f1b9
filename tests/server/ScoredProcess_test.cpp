// Tests of the vornakel-scored program: SIGTERM under load keeps every acknowledged score.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "online/CurlHttpClient.h"
#include "online/ScoreClient.h"
#include "online/TextCodec.h"
#include "server/ServerFixture.h"

extern char** environ;

namespace scored {
namespace {

#ifdef VORNAKEL_BINARY_DIR
const std::string kScored = std::string(VORNAKEL_BINARY_DIR) + "/server/vornakel-scored";
#else
const std::string kScored;
#endif

// Reads the program's first stderr line, which names the address it serves.
int ReadServedPort(int fd) {
  std::string line;
  char c = 0;
  while (line.size() < 512 && read(fd, &c, 1) == 1 && c != '\n') line += c;
  const size_t at = line.find("127.0.0.1:");
  return at == std::string::npos ? 0 : std::atoi(line.c_str() + at + 10);
}

bool WaitForExit(pid_t pid, int& status, std::chrono::seconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    if (waitpid(pid, &status, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(ScoredProcess, SigtermUnderLoadKeepsEveryAcknowledgedScore) {
  if (kScored.empty() || !std::filesystem::exists(kScored))
    GTEST_SKIP() << "vornakel-scored not built";
  testing::TempDir dir;
  const std::string db = dir.File("scores.db");

  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  std::vector<std::string> args = {kScored, "--port", "0", "--db", db};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, kScored.c_str(), &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  const int port = ReadServedPort(pipeFds[0]);
  ASSERT_GT(port, 0);
  const std::string address = "http://127.0.0.1:" + std::to_string(port);

  std::atomic<int> acknowledged{0};
  std::atomic<bool> keepGoing{true};
  std::vector<std::thread> clients;
  for (int c = 0; c < 4; ++c) {
    clients.emplace_back([&] {
      online::CurlHttpClient http(online::HttpTimeouts{1000, 2000});
      while (keepGoing) {
        const auto version = http.Get(online::VersionUrl(address), {});
        if (!version.Succeeded()) break;
        const std::string payload =
            online::BuildScorePayload("load", 1, online::ExtractToken(version.body), "");
        const auto sent = http.Get(online::SubmissionUrl(address, online::encode(payload)), {});
        if (!sent.Succeeded()) break;
        ++acknowledged;
      }
    });
  }
  while (acknowledged < 50) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  int status = 0;
  const bool exited = WaitForExit(pid, status, std::chrono::seconds(10));
  keepGoing = false;
  for (auto& t : clients) t.join();
  if (!exited) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  std::string log;
  char chunk[4096];
  for (ssize_t got; (got = read(pipeFds[0], chunk, sizeof chunk)) > 0;) log.append(chunk, got);
  close(pipeFds[0]);
  ASSERT_TRUE(exited) << "vornakel-scored did not stop on SIGTERM\n" << log;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << log;

  std::string error;
  auto store = ScoreDb::Open(db, error);
  ASSERT_TRUE(store) << error;
  EXPECT_EQ(store->Count(), acknowledged.load());
}

}  // namespace
}  // namespace scored
