// The verification workers: each takes the oldest waiting game and replays it.
#include "server/VerifyPool.h"

#include <algorithm>

namespace scored {

VerifyPool::VerifyPool(size_t threads, size_t queue) : queueLimit_(queue) {
  if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
  for (size_t i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
}

VerifyPool::~VerifyPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  ready_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

std::optional<std::future<Verdict>> VerifyPool::Submit(Job job) {
  Pending pending{std::move(job), {}};
  std::future<Verdict> result = pending.result.get_future();
  {
    std::lock_guard lock(mutex_);
    if (stopping_ || inFlight_ >= workers_.size() + queueLimit_) return std::nullopt;
    ++inFlight_;
    jobs_.push_back(std::move(pending));
  }
  ready_.notify_one();
  return result;
}

void VerifyPool::Work() {
  for (;;) {
    Pending pending;
    {
      std::unique_lock lock(mutex_);
      ready_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      // Games already accepted are still verified when the server stops: their players wait.
      if (jobs_.empty()) return;
      pending = std::move(jobs_.front());
      jobs_.pop_front();
    }
    std::optional<Verdict> verdict;
    std::exception_ptr error;
    try {
      verdict = pending.job();
    } catch (...) {
      error = std::current_exception();
    }
    // The worker counts as free before its answer goes out: a game sent on the heels of that
    // answer must not be told the server is busy.
    {
      std::lock_guard lock(mutex_);
      --inFlight_;
    }
    if (error) {
      pending.result.set_exception(error);
    } else {
      pending.result.set_value(std::move(*verdict));
    }
  }
}

}  // namespace scored
