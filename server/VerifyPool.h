// A few worker threads that replay submitted games, with a bounded queue: the connection threads
// keep answering plain requests while games are verified.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "server/ReplayVerifier.h"

namespace scored {

class VerifyPool {
 public:
  using Job = std::function<Verdict()>;

  // threads 0: one per core. queue: jobs that may wait while every worker is busy.
  VerifyPool(size_t threads, size_t queue);
  ~VerifyPool();
  VerifyPool(const VerifyPool&) = delete;
  VerifyPool& operator=(const VerifyPool&) = delete;

  // Null when the queue is full: the caller answers "busy" rather than letting work pile up.
  std::optional<std::future<Verdict>> Submit(Job job);
  size_t Threads() const { return workers_.size(); }

 private:
  void Work();

  struct Pending {
    Job job;
    std::promise<Verdict> result;
  };

  size_t queueLimit_;
  // Jobs taken and not yet finished, running or waiting.
  size_t inFlight_ = 0;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Pending> jobs_;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace scored
