// Test helper: vornakel-scored as a child process on a free port, stopped with SIGTERM.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace scored::testing {

#ifdef VORNAKEL_BINARY_DIR
inline const std::string kScored = std::string(VORNAKEL_BINARY_DIR) + "/server/vornakel-scored";
#else
inline const std::string kScored;
#endif

class ScoredChild {
 public:
  // Starts the program with these arguments and, besides ours, these NAME=VALUE environment
  // entries; Port() is 0 when it did not come up.
  explicit ScoredChild(std::vector<std::string> args, std::vector<std::string> env = {}) {
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    args.insert(args.begin(), kScored);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (char** e = environ; *e != nullptr; ++e) envp.push_back(*e);
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    if (posix_spawn(&pid_, kScored.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
      pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    err_ = fds[0];
    // The first line names the address it serves.
    std::string line;
    char c = 0;
    while (line.size() < 512 && read(err_, &c, 1) == 1 && c != '\n') line += c;
    log_ = line + "\n";
    const size_t at = line.find("127.0.0.1:");
    if (pid_ != 0 && at != std::string::npos) port_ = std::atoi(line.c_str() + at + 10);
  }
  ~ScoredChild() {
    if (pid_ != 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (err_ >= 0) close(err_);
  }
  ScoredChild(const ScoredChild&) = delete;
  ScoredChild& operator=(const ScoredChild&) = delete;

  int Port() const { return port_; }
  pid_t Pid() const { return pid_; }
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_); }

  // Sends SIGTERM and waits up to limit; true when it exited with status 0. Log() then holds all
  // it wrote.
  bool Terminate(std::chrono::seconds limit = std::chrono::seconds(10)) {
    return Signal() && WaitForExit(limit);
  }
  bool Signal() { return pid_ != 0 && kill(pid_, SIGTERM) == 0; }
  bool WaitForExit(std::chrono::seconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) != pid_) {
      if (std::chrono::steady_clock::now() > until) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid_ = 0;
    char chunk[4096];
    for (ssize_t got; (got = read(err_, chunk, sizeof chunk)) > 0;) log_.append(chunk, got);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  const std::string& Log() const { return log_; }

 private:
  pid_t pid_ = 0;
  int err_ = -1;
  int port_ = 0;
  std::string log_;
};

}  // namespace scored::testing
