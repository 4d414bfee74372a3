// The worker pool: results through futures in submission order, errors carried
// over, queued work dropped at the end.
#include "work_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

namespace orvane::cli {
namespace {

TEST(WorkQueue, ResultsArriveThroughTheirOwnFutures) {
  WorkQueue<int> queue(3);
  std::vector<std::future<int>> results;
  for (int i = 0; i < 200; ++i) {
    results.push_back(queue.Submit([i] {
      if (i % 7 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
      return i * i;
    }));
  }
  for (int i = 0; i < 200; ++i) EXPECT_EQ(results[static_cast<std::size_t>(i)].get(), i * i);
}

TEST(WorkQueue, AnExceptionReachesTheFuture) {
  WorkQueue<int> queue(2);
  auto bad = queue.Submit([]() -> int { throw std::runtime_error("no"); });
  auto good = queue.Submit([] { return 1; });
  EXPECT_THROW(bad.get(), std::runtime_error);
  EXPECT_EQ(good.get(), 1);
}

TEST(WorkQueue, ClosingFinishesRunningWorkAndDropsTheRest) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::atomic<int> started{0};
  std::future<int> running;
  std::future<int> queued;
  std::thread releaser;
  {
    WorkQueue<int> queue(1);
    running = queue.Submit([&] {
      ++started;
      released.wait();
      return 1;
    });
    queued = queue.Submit([&] {
      ++started;
      return 2;
    });
    while (started == 0) std::this_thread::yield();
    // The queued task's future becomes ready when closing drops it; only then may
    // the running one finish (a queue that kept it would be let go after a while).
    releaser = std::thread([&] {
      queued.wait_for(std::chrono::seconds(10));
      release.set_value();
    });
  }
  releaser.join();
  EXPECT_EQ(running.get(), 1);
  EXPECT_EQ(started, 1);
  try {
    queued.get();
    FAIL() << "the queued task ran";
  } catch (const std::future_error& e) {
    EXPECT_EQ(e.code(), std::future_errc::broken_promise);
  }
}

}  // namespace
}  // namespace orvane::cli
