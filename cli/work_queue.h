// A fixed set of worker threads running queued tasks in the order they came.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace orvane::cli {

template <typename Result>
class WorkQueue {
 public:
  // Starts `threads` workers (at least one).
  explicit WorkQueue(unsigned threads) {
    if (threads == 0) threads = 1;
    for (unsigned i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
  }
  // Tasks not yet started are dropped (their futures report a broken promise);
  // running ones finish first.
  ~WorkQueue() {
    {
      const std::lock_guard lock(mutex_);
      closing_ = true;
      tasks_.clear();
    }
    wake_.notify_all();
    for (auto& worker : workers_) worker.join();
  }
  WorkQueue(const WorkQueue&) = delete;
  WorkQueue& operator=(const WorkQueue&) = delete;

  // Queues `task`; its result or exception arrives through the future.
  std::future<Result> Submit(std::function<Result()> task) {
    std::packaged_task<Result()> job(std::move(task));
    std::future<Result> result = job.get_future();
    {
      const std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(job));
    }
    wake_.notify_one();
    return result;
  }

 private:
  void Work() {
    for (;;) {
      std::packaged_task<Result()> job;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return closing_ || !tasks_.empty(); });
        if (closing_) return;
        job = std::move(tasks_.front());
        tasks_.pop_front();
      }
      job();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::packaged_task<Result()>> tasks_;
  bool closing_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace orvane::cli
