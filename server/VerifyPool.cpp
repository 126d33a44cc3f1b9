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
  std::packaged_task<Verdict()> task(std::move(job));
  std::future<Verdict> result = task.get_future();
  {
    std::lock_guard lock(mutex_);
    if (stopping_ || inFlight_ >= workers_.size() + queueLimit_) return std::nullopt;
    ++inFlight_;
    jobs_.push_back(std::move(task));
  }
  ready_.notify_one();
  return result;
}

void VerifyPool::Work() {
  for (;;) {
    std::packaged_task<Verdict()> task;
    {
      std::unique_lock lock(mutex_);
      ready_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      // Games already accepted are still verified when the server stops: their players wait.
      if (jobs_.empty()) return;
      task = std::move(jobs_.front());
      jobs_.pop_front();
    }
    task();
    std::lock_guard lock(mutex_);
    --inFlight_;
  }
}

}  // namespace scored
